# Sourced by the run scripts: the screenshot of a run on a virtual screen.

# The ids of the shown windows titled "Velmaris", each with its width.
velmaris_windows() {
    local id
    for id in $(xdotool search --onlyvisible --name '^Velmaris$' 2>/dev/null); do
        echo "$id $(xdotool getwindowgeometry "$id" | sed -n 's/.*Geometry: \([0-9]*\)x.*/\1/p')"
    done
}

# screenshot_main_window FILE: answers the language picker of a first run
# with its default, waits for the main window (the widest of them) and takes
# the screenshot.
screenshot_main_window() {
    local deadline=$((SECONDS + 60)) id width
    while [ "$SECONDS" -lt "$deadline" ]; do
        while read -r id width; do
            if [ "${width:-0}" -ge 500 ]; then
                sleep 1 # painted
                import -window root "$1"
                echo "Screenshot: $1"
                return 0
            fi
            xdotool windowactivate --sync "$id" key Return 2>/dev/null || true
        done < <(velmaris_windows)
        sleep 0.2
    done
    echo "The main window did not show; screenshot of the screen as it is." >&2
    import -window root "$1"
    return 1
}
