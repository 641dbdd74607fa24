#!/usr/bin/env bash
# Builds the Debian package from a finished build, checks what it holds and
# that the program it installs starts and stays up.
#
#   package_test.sh BUILD_DIR [CPACK] [MODULE_DIR]
set -euo pipefail

build="$1"
cpack="${2:-cpack}"
modules="${3:-usr/lib/$(gcc -print-multiarch)/lirasto-notes}"
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

# Exactly the program, its modules, its menu entry and its icon, by freedesktop conventions.
expected="$(printf '%s\n' ./usr/bin/lirasto ./usr/share/applications/lirasto-notes.desktop \
    ./usr/share/icons/hicolor/128x128/apps/lirasto-notes.png \
    "./$modules/lirasto-history.so" "./$modules/lirasto-microphone.so" "./$modules/lirasto-midi.so" \
    "./$modules/lirasto-sound.so" | sort)"
files="$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort)"
[ "$files" = "$expected" ] || fail "package files differ:"$'\n'"$files"

[ "$(dpkg-deb -f "$deb" Package)" = "lirasto-notes" ] || fail "package name"
depends="$(dpkg-deb -f "$deb" Depends)"
for lib in libqt6widgets6 libqt6gui6 libjpeg62-turbo fonts-liberation libfluidsynth3 librtmidi6 libqt6sql6 \
    librtaudio6 libaubio5; do
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
# It finds its modules where the package put them, beside no build tree.
(cd "$work/home" && exec env -u LIRASTO_MODULE_DIR QT_QPA_PLATFORM=offscreen XDG_DATA_HOME="$work/home/data" \
    "$work/root/usr/bin/lirasto" 2>"$work/stderr") &
pid=$!
sleep 1
kill -0 "$pid" 2>/dev/null || { wait "$pid" || true; fail "the installed program did not stay up"; }
if grep -F "the module" "$work/stderr" >&2; then
    fail "the installed program did not load its modules"
fi
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
pid=""
# 143: ended by the SIGTERM itself (the default action); anything else is a crash or an error.
[ "$status" -eq 0 ] || [ "$status" -eq 143 ] || fail "exit status $status after SIGTERM"
echo "package OK: $(basename "$deb")"
