#!/usr/bin/env bash
# Makes the Debian package of a build, unpacks it into a scratch folder and checks what
# people get from it: the programs run from there, the desktop entry and the AppStream
# file are valid, the manual page reads cleanly and the bash completion completes.
#   tests/package/package_test.sh BUILD_FOLDER TARNWICK_MAKE_MAP
set -euo pipefail
build=$1 make_map=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "package_test: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$scratch/out" >"$scratch/cpack.log") ||
    { cat "$scratch/cpack.log" >&2; fail "cpack failed"; }
debs=("$scratch"/out/tarnwick_*_*.deb)
[[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || fail "no single .deb in $(ls "$scratch/out")"
deb=${debs[0]}

# Name, version, architecture, and the Qt runtime among the computed dependencies.
[[ $(dpkg-deb -f "$deb" Package) == tarnwick ]] || fail "package name"
version=$(dpkg-deb -f "$deb" Version)
[[ $(dpkg-deb -f "$deb" Architecture) == "$(dpkg --print-architecture)" ]] || fail "architecture"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' ||
    fail "no Qt runtime in Depends: $(dpkg-deb -f "$deb" Depends)"

dpkg-deb -x "$deb" "$scratch/root"
usr=$scratch/root/usr
[[ $("$usr/bin/tarnwick-res" --version) == "tarnwick-res $version" ]] || fail "--version"
[[ -x $usr/bin/tarnwick ]] || fail "no tarnwick"

# A scan from the unpacked program, of a folder.
mkdir "$scratch/maps"
"$make_map" 1 "$scratch/maps/de_foo.bsp"
"$usr/bin/tarnwick-res" "$scratch/maps" 2>"$scratch/scan.log" || { cat "$scratch/scan.log" >&2; fail "scan"; }
head -c 32 "$scratch/maps/de_foo.res" | grep -q '^maps/de_foo.bsp' || fail "no .res written"

desktop-file-validate --no-hints "$usr/share/applications/tarnwick.desktop"
appstreamcli validate --no-net "$usr/share/metainfo/"*.metainfo.xml >"$scratch/appstream.log" ||
    { cat "$scratch/appstream.log" >&2; fail "AppStream metainfo"; }

warnings=$(zcat "$usr/share/man/man1/tarnwick-res.1.gz" | groff -man -ww -z 2>&1)
[[ -z $warnings ]] || fail "manual page: $warnings"
zcat "$usr/share/man/man1/tarnwick-res.1.gz" | grep -q 'recursive' || fail "manual page lacks --recursive"

# Options from --help; maps of any case and folders, nothing else.
touch "$scratch/maps/A.BSP" "$scratch/maps/notes.txt"
completed=$(cd "$scratch/maps" && PATH="$usr/bin:$PATH" bash -c '
    source /usr/share/bash-completion/bash_completion
    source "$1"
    complete_line() {
        COMP_LINE=$1 COMP_POINT=${#1}
        read -ra COMP_WORDS <<<"$1"; [[ $1 == *" " ]] && COMP_WORDS+=("")
        COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
        _tarnwick_res tarnwick-res "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]}"
        printf "%s " "${COMPREPLY[@]}"
    }
    complete_line "tarnwick-res --rec"; echo "|"; complete_line "tarnwick-res "
' - "$usr/share/bash-completion/completions/tarnwick-res")
[[ $completed == *"--recursive"* ]] || fail "completion of options: $completed"
for word in A.BSP de_foo.bsp; do
    [[ $completed == *"$word"* ]] || fail "completion of maps lacks $word: $completed"
done
[[ $completed != *notes.txt* ]] || fail "completion offers notes.txt: $completed"
