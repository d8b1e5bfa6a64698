#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds Velmaris and runs it against the
# stand-in host. A user who has configured nothing gets the demo list.
#
#   scripts/run.sh           on the desktop of this session
#   scripts/run.sh --xvfb    on a virtual screen; answers the first run's
#                            language picker, leaves a screenshot of the main
#                            window in build/run-screenshot.png and stops
set -euo pipefail
cd "$(dirname "$0")/.."
mode=${1:-}
source scripts/packages.sh
source scripts/virtual-screen.sh
source scripts/main-window-screenshot.sh
install_missing_packages "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}"
[ "$mode" = --xvfb ] && install_missing_packages xvfb xauth imagemagick openbox xdotool x11-utils

cmake --preset native >/dev/null
cmake --build --preset native -j "$(nproc)" --target Velmaris logon host-standin demo-setup manual
build="$PWD/build"

# Whatever this script starts ends with it (the host of a desktop run is
# waited for instead: it stays until its user closes it).
trap end_started EXIT

if [ "$mode" = --xvfb ]; then
    start_virtual_screen 1280x800x24
    started+=("$xvfb_pid")
fi
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "No desktop here: run  scripts/run.sh --xvfb" >&2
    exit 1
fi

# The stand-in host opens .dbf files, as the desktop will ask it to.
host-standin/install-host-standin.sh "$build/host-standin/host-standin" >/dev/null || true
"$build/tools/demo-setup" "$build/demo/Velmaris.ini"

session() {
    local pids=() status=0
    # A host already on the bus is used as it is; otherwise the stand-in
    # starts with a demo database open.
    if ! gdbus introspect --session --dest org.velmaris.HostStandin --object-path / \
        >/dev/null 2>&1; then
        "$build/host-standin/host-standin" "$PWD/resources/demo/contacts.dbf" &
        host=$!
        pids+=("$host")
        for _ in $(seq 100); do
            gdbus introspect --session --dest org.velmaris.HostStandin --object-path / \
                >/dev/null 2>&1 && break
            sleep 0.1
        done
    fi
    if [ "$mode" = --xvfb ]; then
        start_window_manager
        pids+=("$wm_pid")
        "$build/bin/Velmaris" &
        pids+=($!)
        screenshot_main_window "$build/run-screenshot.png" || status=1
        kill "${pids[@]}" 2>/dev/null || true
        wait 2>/dev/null || true
        return $status
    fi
    "$build/bin/Velmaris" || true
    # Velmaris ends after a switch; the host stays until its user closes it.
    [ -n "${host:-}" ] && wait "$host"
    return 0
}

if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
    export -f session velmaris_windows screenshot_main_window start_window_manager
    export build mode
    dbus-run-session -- bash -c session
else
    session
fi
