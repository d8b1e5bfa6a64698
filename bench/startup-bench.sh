#!/usr/bin/env bash
# Start-up of Velmaris to its main window being mapped, beside a bare Qt
# QMainWindow measured the same way, with three databases and with a list
# filled to the 998-character limit of its settings key; and to its
# QuickSwitch window, beside a bare frameless topmost window. Runs on a virtual
# screen with its own session bus and stand-in host.
#
#   bench/startup-bench.sh [build folder] [runs]
default_runs=15
source "$(dirname "$0")/virtual-session.sh"

# Three demo databases, and a list as long as the settings file can hold.
cp "$build/demo/Velmaris.ini" "$work/three.ini"
sed 's/^QuickSwitchStartup=0/QuickSwitchStartup=1/' "$work/three.ini" >"$work/quick.ini"
python3 - "$work/full.ini" "$PWD/resources/demo" <<'PY'
import sys
names, total = [], 0
while True:
    name = "Database %03d" % (len(names) + 1)
    if total + len(name) + (1 if names else 0) > 998:
        break
    total += len(name) + (1 if names else 0)
    names.append(name)
with open(sys.argv[1], "w", newline="\r\n") as f:
    f.write("[General]\nSort=%s\n" % ";".join(names))
    for n in names:
        f.write("[%s]\nPath=%s/contacts.dbf\nCLY=%s/standard.cly\nGLY=%s/standard.gly\n"
                "StartupMacro=%s/welcome.mpr\n" % ((n,) + (sys.argv[2],) * 4))
PY

measure() { # mode, settings file
    printf '[Settings]\r\nIniLocation=%s\r\nInstalled=1\r\nVersion=32131\r\n' "$2" \
        >"$XDG_CONFIG_HOME/Velmaris/Velmaris.conf"
    local start end
    start=$(date +%s%N)
    end=$("$build/bench/StartupBench" "$1" 2>/dev/null | head -n 1)
    echo $(((end - start) / 1000))
}

run() {
    "$build/host-standin/host-standin" "$PWD/resources/demo/contacts.dbf" >/dev/null 2>&1 &
    sleep 1
    for _ in $(seq "$runs"); do
        echo "bare $(measure bare "$work/three.ini")"
        echo "list $(measure list "$work/three.ini")"
        echo "three $(measure velmaris "$work/three.ini")"
        echo "full $(measure velmaris "$work/full.ini")"
        echo "topmost $(measure topmost "$work/three.ini")"
        echo "named $(measure topmost-name "$work/three.ini")"
        echo "quick $(measure velmaris "$work/quick.ini")"
    done
}
export -f run measure
export build runs work
dbus-run-session -- bash -c run >"$work/times"

median() { grep "^$1 " "$work/times" | cut -d' ' -f2 | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
bare=$(median bare); list=$(median list); three=$(median three); full=$(median full)
topmost=$(median topmost); named=$(median named); quick=$(median quick)
echo "median start-up to mapped window over $runs runs (ms):"
awk -v b="$bare" -v l="$list" -v t="$three" -v f="$full" -v tm="$topmost" -v n="$named" -v q="$quick" 'BEGIN {
    printf "  bare QMainWindow                 %7.1f\n", b / 1000
    printf "  QMainWindow with list and menus  %7.1f\n", l / 1000
    printf "  Velmaris, 3 databases            %7.1f  (%.2f x bare, %.2f x list)\n", t / 1000, t / b, t / l
    printf "  Velmaris, full list              %7.1f  (%.2f x bare, %.2f x three)\n", f / 1000, f / b, f / t
    printf "  bare frameless topmost window    %7.1f\n", tm / 1000
    printf "  the same, writing one name       %7.1f\n", n / 1000
    printf "  Velmaris, QuickSwitch window     %7.1f  (%.2f x topmost, %.2f x named)\n", q / 1000, q / tm, q / n
}'
