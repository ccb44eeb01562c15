#!/usr/bin/env bash
# Installs the Debian packages the project needs that are not there yet.
# Silent, and touches nothing, when everything is already installed.
#   scripts/install-deps.sh            what the ordinary build needs
#   scripts/install-deps.sh --windows  and the Windows cross compiler and wine
set -euo pipefail

packages=(
    qt6-base-dev
    googletest
    libbenchmark-dev
    cmake
    ninja-build
    g++
    clang
    libclang-rt-14-dev
    fonts-wine
    xvfb
    xdotool
    xauth
    imagemagick
    libcli11-dev
    nlohmann-json3-dev
    zlib1g-dev
    # the probe of a download site: its HTTP, and the web server its tests use
    libcurl4-openssl-dev
    nginx-light
    # the manual page, the bash completion and the Debian package, and their checks
    help2man
    pkg-config
    bash-completion
    dpkg-dev
    desktop-file-utils
    appstream
)
if [[ "${1:-}" == --windows ]]; then
    packages+=(g++-mingw-w64-x86-64-posix wine wine64 dpkg-dev xz-utils libz-mingw-w64-dev)
fi

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=()
if [[ $(id -u) -ne 0 ]]; then
    command -v sudo >/dev/null || { echo "install-deps: need root or sudo to install: ${missing[*]}" >&2; exit 1; }
    sudo=(sudo)
fi

echo "install-deps: installing ${missing[*]}" >&2
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}" >&2
