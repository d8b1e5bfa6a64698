# Sourced by the scripts that need a screen of their own.
#
# start_virtual_screen [WxHxD]: starts Xvfb on a display number it finds
# free itself, waits until it takes connections, exports DISPLAY and leaves
# the server's process id in `xvfb_pid` for the caller to end.
start_virtual_screen() {
    local number_file tries=0
    number_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 "${1:-1280x800x24}" -nolisten tcp \
        3>"$number_file" >/dev/null 2>&1 &
    xvfb_pid=$!
    until [ -s "$number_file" ]; do
        tries=$((tries + 1))
        if [ "$tries" -gt 200 ] || ! kill -0 "$xvfb_pid" 2>/dev/null; then
            echo "Xvfb did not start" >&2
            rm -f "$number_file"
            return 1
        fi
        sleep 0.05
    done
    DISPLAY=:$(head -n 1 "$number_file")
    export DISPLAY
    rm -f "$number_file"
}

# start_window_manager: starts openbox on DISPLAY, leaves its process id in
# `wm_pid` and returns once it manages the screen: a window shown before
# then would stay unmanaged.
start_window_manager() {
    openbox --sm-disable >/dev/null 2>&1 &
    wm_pid=$!
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
        sleep 0.1
    done
}

# The processes a script started (`started+=(pid)`), ended with it by
# `trap end_started EXIT`.
started=()
end_started() {
    if [ ${#started[@]} -gt 0 ]; then
        # Some may have ended already (the wine server ends what runs in
        # its prefix), and the killed ones end with a signal: neither is a
        # failure of the script's.
        kill "${started[@]}" 2>/dev/null || true
        wait "${started[@]}" 2>/dev/null || true
    fi
    return 0
}
