#!/usr/bin/env bash
# Builds Qt for 64-bit Windows (static, mingw-w64 with posix threads) from Debian's own
# qt6-base source, once, into a cache folder outside the repository:
#   scripts/build-qt-windows.sh          builds it unless it is there; prints its folder
#   scripts/build-qt-windows.sh --path   only prints the folder it would use
# The folder is ${TARNWICK_QT_WINDOWS:-${XDG_CACHE_HOME:-$HOME/.cache}/tarnwick/qt-<version>-mingw-static}.
# Only what the window needs is built: Core, Gui, Widgets, Test, the Windows platform
# plugin and the offscreen one, with Qt's bundled zlib, png, pcre2, harfbuzz and freetype.
# The host tools (moc, uic, rcc) come from the installed qt6-base-dev of the same version.
# The finished install is moved into place in one step, so a failed or interrupted run
# never leaves a folder that a later run would take for finished.
set -euo pipefail

host_version=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null || true)
if [[ -z "$host_version" ]]; then
    echo "build-qt-windows: qt6-base-dev is not installed (run scripts/install-deps.sh --windows)" >&2
    exit 1
fi
upstream=${host_version#*:}
upstream=${upstream%%+*}
upstream=${upstream%%-*}

cache_root=${XDG_CACHE_HOME:-$HOME/.cache}/tarnwick
prefix=${TARNWICK_QT_WINDOWS:-$cache_root/qt-$upstream-mingw-static}

if [[ "${1:-}" == --path ]]; then
    echo "$prefix"
    exit 0
fi
if [[ -f "$prefix/.tarnwick-complete" ]]; then
    echo "$prefix"
    exit 0
fi

say() { echo "build-qt-windows: $*" >&2; }
fail() { say "failed: $*"; exit 1; }

for tool in x86_64-w64-mingw32-g++-posix cmake ninja dpkg-source; do
    command -v "$tool" >/dev/null || fail "$tool is missing (run scripts/install-deps.sh --windows)"
done

mkdir -p "$(dirname "$prefix")"
work=$(mktemp -d "$(dirname "$prefix")/qt-build.XXXXXX")
trap 'rm -rf "$work"' EXIT
trap 'exit 1' INT TERM HUP
say "building Qt $upstream for Windows once into $prefix"
say "this is the one slow step of a new machine: about a quarter of an hour on two cores"

# The source, from Debian's archive only, through a private deb-src list: the system's apt
# configuration is left as it is.
say "fetching Debian's qt6-base $host_version source"
apt_dir=$work/apt
mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
uris=$(grep -h '^URIs:' /etc/apt/sources.list.d/*.sources 2>/dev/null | grep -m1 'debian/\?$' |
       awk '{print $2}' || true)
[[ -n "$uris" ]] || uris=http://deb.debian.org/debian
suite=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
cat >"$apt_dir/sources.list.d/qt-source.sources" <<EOF
Types: deb-src
URIs: $uris
Suites: $suite $suite-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
apt_options=(
    -o "Dir::Etc::SourceList=/dev/null"
    -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
    -o "Dir::State::Lists=$apt_dir/lists"
    -o "Dir::Cache=$apt_dir/cache"
    -o "APT::Sandbox::User=$(id -un)"
    -o "Debug::NoLocking=1"
)
apt-get "${apt_options[@]}" -qq update >"$work/apt.log" 2>&1 ||
    { cat "$work/apt.log" >&2; fail "apt-get update of the source list"; }
(cd "$work" && apt-get "${apt_options[@]}" -qq source "qt6-base=$host_version") >>"$work/apt.log" 2>&1 ||
    (cd "$work" && apt-get "${apt_options[@]}" -qq source qt6-base) >>"$work/apt.log" 2>&1 ||
    { cat "$work/apt.log" >&2; fail "apt-get source qt6-base"; }
src=$(find "$work" -maxdepth 1 -type d -name 'qt6-base-*' | head -n1)
[[ -n "$src" && -f "$src/CMakeLists.txt" ]] || fail "the unpacked source was not found"

say "configuring (log: $work/configure.log while it runs)"
# Installed under a staging root with the final prefix inside it (DESTDIR), then moved.
staging_root=$work/destdir
staging=$staging_root$prefix
features=(opengl opengl_dynamic dynamicgl network sql dbus printsupport xml concurrent tabletevent
          system_zlib system_png system_jpeg system_pcre2 system_harfbuzz system_freetype
          system_doubleconversion system_libb2 system_textmarkdownreader
          jpeg gif glib icu fontconfig vulkan accessibility_atspi_bridge
          sessionmanager testlib_selfcover itemmodeltester)
feature_options=()
for f in "${features[@]}"; do feature_options+=("-DFEATURE_$f=OFF"); done
cmake -S "$src" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$(cd "$(dirname "$0")/.." && pwd)/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_CROSSCOMPILING_EMULATOR= \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DBUILD_SHARED_LIBS=OFF \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
    -DQT_FEATURE_gui=ON -DQT_FEATURE_widgets=ON -DQT_FEATURE_testlib=ON \
    -DINPUT_opengl=no -DFEATURE_thread=ON -DFEATURE_pkg_config=OFF \
    "${feature_options[@]}" >"$work/configure.log" 2>&1 ||
    { tail -n 60 "$work/configure.log" >&2; fail "configuring Qt"; }

say "building (two jobs)"
cmake --build "$work/build" -j 2 >"$work/build.log" 2>&1 ||
    { grep -m 20 -B 2 -A 8 'error' "$work/build.log" >&2 || tail -n 60 "$work/build.log" >&2
      fail "building Qt"; }
DESTDIR=$staging_root cmake --install "$work/build" >"$work/install.log" 2>&1 ||
    { tail -n 30 "$work/install.log" >&2; fail "installing Qt"; }

# Licence texts of Qt and of the third-party code it builds in, for the package.
mkdir -p "$staging/licenses"
cp "$src"/LICENSES/* "$staging/licenses/" 2>/dev/null || true
cp "$src"/debian/copyright "$staging/licenses/debian-copyright" 2>/dev/null || true
for f in $(find "$src/src/3rdparty" -maxdepth 2 \( -iname 'LICENSE*' -o -iname 'COPYING*' \
           -o -iname 'README.tarnwick' -o -iname 'FTL.TXT' \) -type f); do
    rel=${f#"$src/src/3rdparty/"}
    cp "$f" "$staging/licenses/3rdparty-${rel//\//-}"
done

touch "$staging/.tarnwick-complete"
rm -rf "$prefix"
mv "$staging" "$prefix"
say "done: $prefix ($(du -sh "$prefix" | cut -f1))"
echo "$prefix"
