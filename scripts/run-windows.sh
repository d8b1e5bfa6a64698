#!/usr/bin/env bash
# Builds the Windows programs and runs Velmaris.exe under wine against the
# Windows stand-in host. A user who has configured nothing in the wine prefix
# (build-windows/wineprefix) gets the demo list.
#
#   scripts/run-windows.sh          on the desktop of this session
#   scripts/run-windows.sh --xvfb   on a virtual screen; answers the first
#                                   run's language picker, leaves a screenshot
#                                   of the main window in
#                                   build-windows/run-screenshot.png and stops
#
# Needs Qt built for Windows: scripts/build-qt-windows.sh, once.
set -euo pipefail
cd "$(dirname "$0")/.."
mode=${1:-}
source scripts/packages.sh
source scripts/virtual-screen.sh
source scripts/main-window-screenshot.sh
source scripts/wine-prefix.sh
install_missing_packages cmake ninja-build g++-mingw-w64-x86-64-posix wine64 fonts-wine \
    qt6-base-dev qt6-base-dev-tools openbox xdotool x11-utils
[ "$mode" = --xvfb ] && install_missing_packages xvfb xauth imagemagick
install_missing_packages locales
ensure_locale en_US.UTF-8

qt_windows=$(qt_windows_prefix)
if [ ! -f "$qt_windows/.complete" ]; then
    echo "No Qt for Windows in $qt_windows: scripts/build-qt-windows.sh builds it" \
        "(about 20 minutes on two cores)." >&2
    exit 1
fi
cmake --preset windows -DVELMARIS_QT_WINDOWS="$qt_windows" >/dev/null
cmake --build --preset windows --target Velmaris logon host-standin actevent demo-setup
build="$PWD/build-windows"
# The ANSI code page follows LANG: a fixed one makes it 1252 here.
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    LANG=en_US.UTF-8
in_wine() { /usr/lib/wine/wine64 "$@" >>"$build/wine.log" 2>&1; }
windows_path() { echo "Z:${1//\//\\}"; }

# Whatever this script starts ends with it; on a virtual screen the prefix's
# own server ends whatever still runs in it, the host too.
if [ "$mode" = --xvfb ]; then
    trap '/usr/lib/wine/wineserver64 -k 2>/dev/null; end_started' EXIT
else
    trap end_started EXIT
fi
if [ "$mode" = --xvfb ]; then
    start_virtual_screen 1280x800x24
    started+=("$xvfb_pid")
    start_window_manager
    started+=("$wm_pid")
fi
if [ -z "${DISPLAY:-}" ]; then
    echo "No X display here: run  scripts/run-windows.sh --xvfb" >&2
    exit 1
fi

prepare_wine_prefix
# The stand-in host's classes and its .dbf association, as its installer
# would register them; then the demo list with its paths as Windows names
# them, and its logons.
in_wine "$build/bin/host-standin.exe" /RegServer
mkdir -p "$build/demo"
sed "s|@DEMO_DIR@/\(.*\)|$(windows_path "$PWD/resources/demo" | sed 's/\\/\\\\/g')\\\\\1|" \
    resources/demo/Velmaris.ini | sed 's/$/\r/' >"$build/demo/Velmaris.ini"
/usr/lib/wine/wine64 "$build/bin/demo-setup.exe" "$(windows_path "$build/demo/Velmaris.ini")" \
    2>>"$build/wine.log" | tr -d '\r'

# The host starts with a demo database open and registers its classes as it
# starts; Velmaris looks for it at once.
/usr/lib/wine/wine64 "$build/bin/host-standin.exe" \
    "$(windows_path "$PWD/resources/demo/contacts.dbf")" >>"$build/wine.log" 2>&1 &
host=$!
started+=("$host")
for _ in $(seq 300); do
    xdotool search --onlyvisible --name '^Host Stand-in' >/dev/null 2>&1 && break
    sleep 0.1
done

if [ "$mode" = --xvfb ]; then
    /usr/lib/wine/wine64 "$build/bin/Velmaris.exe" >>"$build/wine.log" 2>&1 &
    screenshot_main_window "$build/run-screenshot.png"
    exit
fi
in_wine "$build/bin/Velmaris.exe" || true
# Velmaris ends after a switch; the host stays until its user closes it.
wait "$host" || true
