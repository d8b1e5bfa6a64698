#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds Velmaris and runs it against the
# stand-in host. A user who has configured nothing gets the demo list.
#
#   scripts/run.sh           on the desktop of this session
#   scripts/run.sh --xvfb    on a virtual screen; leaves a screenshot in
#                            build/run-screenshot.png and stops
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
install_missing_packages "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}"
[ "${1:-}" = --xvfb ] && install_missing_packages xvfb xauth imagemagick

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target Velmaris logon host-standin demo-setup manual
build="$PWD/build"

if [ "${1:-}" = --xvfb ]; then
    display=:$((90 + RANDOM % 100))
    Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    trap 'kill $xvfb 2>/dev/null || true' EXIT
    export DISPLAY=$display
    sleep 1
fi
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "No desktop here: run  scripts/run.sh --xvfb" >&2
    exit 1
fi

# The stand-in host opens .dbf files, as the desktop will ask it to.
host-standin/install-host-standin.sh "$build/host-standin/host-standin" >/dev/null || true
"$build/host-standin/demo-setup" "$build/demo/Velmaris.ini"

session() {
    # A host already on the bus is used as it is; otherwise the stand-in
    # starts with a demo database open.
    if ! gdbus introspect --session --dest org.velmaris.HostStandin --object-path / >/dev/null 2>&1; then
        "$build/host-standin/host-standin" "$PWD/resources/demo/contacts.dbf" &
        host=$!
        sleep 1
    fi
    if [ "${1:-}" = --xvfb ]; then
        "$build/bin/Velmaris" &
        sleep 3
        import -window root "$build/run-screenshot.png"
        echo "Screenshot: $build/run-screenshot.png"
        kill $! ${host:-} 2>/dev/null || true
        return
    fi
    "$build/bin/Velmaris"
    # Velmaris ends after a switch; the host stays until its user closes it.
    [ -n "${host:-}" ] && wait "$host"
    return 0
}

if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
    export -f session
    export build
    exec dbus-run-session -- bash -c "session ${1:-}"
fi
session "${1:-}"
