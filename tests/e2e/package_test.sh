#!/usr/bin/env bash
# Builds the Debian package from a finished build, checks what it holds and
# that the program it installs starts and stays up.
#
#   package_test.sh BUILD_DIR [CPACK]
set -euo pipefail

build="$1"
cpack="${2:-cpack}"
work="$(mktemp -d)"
pid=""
cleanup() {
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
        kill -KILL "$pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# The package is built outside the build tree, so that parallel runs do not meet.
if ! "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log" >&2
    fail "cpack could not build the package"
fi
debs=("$work"/out/*.deb)
[ "${#debs[@]}" -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one .deb, found: ${debs[*]}"
deb="${debs[0]}"

# Exactly the program, its menu entry and its icon, by freedesktop conventions.
expected=$'./usr/bin/lirasto\n./usr/share/applications/lirasto-notes.desktop\n./usr/share/icons/hicolor/128x128/apps/lirasto-notes.png'
files="$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort)"
[ "$files" = "$expected" ] || fail "package files differ:"$'\n'"$files"

[ "$(dpkg-deb -f "$deb" Package)" = "lirasto-notes" ] || fail "package name"
depends="$(dpkg-deb -f "$deb" Depends)"
for lib in libqt6widgets6 libqt6gui6 libjpeg62-turbo fonts-liberation; do
    case "$depends" in
        *"$lib"*) ;;
        *) fail "Depends lacks $lib: $depends" ;;
    esac
done
[ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || fail "no maintainer"

dpkg-deb -x "$deb" "$work/root"
desktop="$work/root/usr/share/applications/lirasto-notes.desktop"
for line in "[Desktop Entry]" "Type=Application" "Name=Lirasto Notes" "Exec=lirasto" "Icon=lirasto-notes" \
    "Categories=Education;Music;"; do
    grep -qxF "$line" "$desktop" || fail "desktop entry lacks '$line'"
done

# A PNG signature, then the IHDR chunk's width and height: 128 x 128.
icon="$work/root/usr/share/icons/hicolor/128x128/apps/lirasto-notes.png"
header="$(od -An -tx1 -N24 "$icon" | tr -d ' \n')"
[ "${header:0:16}" = "89504e470d0a1a0a" ] || fail "icon is not a PNG"
[ "${header:32:16}" = "0000008000000080" ] || fail "icon is not 128x128: ${header:32:16}"

# The installed program starts, stays up and ends on SIGTERM like any desktop program.
mkdir "$work/home"
(cd "$work/home" && exec env QT_QPA_PLATFORM=offscreen "$work/root/usr/bin/lirasto") &
pid=$!
sleep 1
kill -0 "$pid" 2>/dev/null || { wait "$pid" || true; fail "the installed program did not stay up"; }
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
pid=""
# 143: ended by the SIGTERM itself (the default action); anything else is a crash or an error.
[ "$status" -eq 0 ] || [ "$status" -eq 143 ] || fail "exit status $status after SIGTERM"
echo "package OK: $(basename "$deb")"
