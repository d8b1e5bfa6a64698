#!/usr/bin/env bash
# Start-up of Velmaris to its main window being mapped, beside a bare Qt
# QMainWindow measured the same way, with three databases and with a list
# filled to the 998-character limit of its settings key; and to its
# QuickSwitch window, beside a bare frameless topmost window. Runs on a virtual
# screen with its own session bus and stand-in host.
#
#   bench/startup-bench.sh [build folder] [runs]
#   bench/startup-bench.sh --wine [Windows build folder] [runs]
#       the same under wine: the Windows programs of a build with Qt for
#       Windows (build-windows by default), the Windows stand-in host, the
#       registry, a window manager
default_runs=15
wine=""
if [ "${1:-}" = --wine ]; then
    wine=1
    shift
    set -- "${1:-build-windows}" "${@:2}"
fi
source "$(dirname "$0")/virtual-session.sh"
if [ -n "$wine" ]; then
    export WINEPREFIX=$work/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
        LANG=en_US.UTF-8
    source scripts/wine-prefix.sh
    prepare_wine_prefix
    openbox --sm-disable >/dev/null 2>&1 &
    /usr/lib/wine/wineserver64 -p
    trap '/usr/lib/wine/wineserver64 -k 2>/dev/null; kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
    /usr/lib/wine/wine64 "$build/bin/host-standin.exe" /RegServer >"$work/wine.log" 2>&1
fi

# A path as the programs under test read it.
native() { if [ -n "$wine" ]; then echo "Z:${1//\//\\}"; else echo "$1"; fi; }
# A program of the build (its place in a Linux build), with its arguments.
launch() {
    local program=$1
    shift
    if [ -n "$wine" ]; then
        /usr/lib/wine/wine64 "$build/bin/$(basename "$program").exe" "$@"
    else
        "$build/$program" "$@"
    fi
}

# Three databases, and a list as long as the settings file can hold.
python3 - "$work" "$(native "$PWD/resources/demo")" "$([ -n "$wine" ] && echo '\' || echo /)" <<'PY'
import sys
work, demo, sep = sys.argv[1:4]
def write(path, names, quick=False):
    with open(path, "w", newline="\r\n") as f:
        f.write("[General]\nSort=%s\nQuickSwitchStartup=%d\nQuickSwitch=%s\n"
                % (";".join(names), quick, ";".join((names + [""] * 8)[:8])))
        for n in names:
            f.write("[%s]\nPath=%s%scontacts.dbf\nCLY=%s%sstandard.cly\nGLY=%s%sstandard.gly\n"
                    "StartupMacro=%s%swelcome.mpr\n" % ((n,) + (demo, sep) * 4))
names, total = [], 0
while True:
    name = "Database %03d" % (len(names) + 1)
    if total + len(name) + (1 if names else 0) > 998:
        break
    total += len(name) + (1 if names else 0)
    names.append(name)
write(work + "/full.ini", names)
write(work + "/three.ini", names[:3])
write(work + "/quick.ini", names[:3], quick=True)
PY

use_settings() { # settings file
    if [ -n "$wine" ]; then
        printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\Velmaris\\Settings]\r\n"IniLocation"="%s"\r\n"Installed"="1"\r\n"Version"="%s"\r\n' \
            "$(native "$1" | sed 's/\\/\\\\/g')" "$version" >"$work/settings.reg"
        /usr/lib/wine/wine64 regedit /S "$(native "$work/settings.reg")" >>"$work/wine.log" 2>&1
    else
        printf '[Settings]\r\nIniLocation=%s\r\nInstalled=1\r\nVersion=%s\r\n' "$1" "$version" \
            >"$XDG_CONFIG_HOME/Velmaris/Velmaris.conf"
    fi
}

measure() { # mode, settings file
    use_settings "$2"
    local start end
    start=$(date +%s%N)
    # Wine's output goes to files: a pipe would wait for its services.
    launch bench/StartupBench "$1" >"$work/exposed" 2>>"$work/wine.log"
    read -r end peak < <(head -n 1 "$work/exposed" | tr -d '\r')
    echo "$(((end - start) / 1000)) $peak"
}

# How many times one start to the main window opens the settings file.
opens() { # settings file
    use_settings "$1"
    strace -f -qq -e trace=open,openat -o "$work/opened" \
        bash -c 'launch bench/StartupBench velmaris' >/dev/null 2>>"$work/wine.log"
    grep -c "$(basename "$1")\"" "$work/opened"
}

run() {
    launch host-standin/host-standin "$(native "$PWD/resources/demo/contacts.dbf")" \
        >>"$work/wine.log" 2>&1 &
    sleep "$([ -n "$wine" ] && echo 4 || echo 1)"
    for _ in $(seq "$runs"); do
        echo "bare $(measure bare "$work/three.ini")"
        echo "list $(measure list "$work/three.ini")"
        echo "widgets $(measure widgets "$work/three.ini")"
        echo "three $(measure velmaris "$work/three.ini")"
        echo "full $(measure velmaris "$work/full.ini")"
        echo "topmost $(measure topmost "$work/three.ini")"
        echo "named $(measure topmost-name "$work/three.ini")"
        echo "quick $(measure velmaris "$work/quick.ini")"
    done
    # Under wine the server opens the files: only the Linux build is traced.
    if [ -z "$wine" ]; then
        echo "opened-three $(opens "$work/three.ini")"
        echo "opened-full $(opens "$work/full.ini")"
    fi
}
export -f run measure use_settings opens native launch
# The version goes with the runs: without it each start would be an
# upgrade's first, which forgets the settings file and shows no list.
export build runs work wine version
dbus-run-session -- bash -c run >"$work/times"

# median <name> [field]: of the times (2), or of the peak memory (3).
median() { grep "^$1 " "$work/times" | cut -d' ' -f"${2:-2}" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
bare=$(median bare); list=$(median list); widgets=$(median widgets); three=$(median three)
full=$(median full)
topmost=$(median topmost); named=$(median named); quick=$(median quick)
echo "median start-up to mapped window over $runs runs (ms)${wine:+, under wine}:"
awk -v b="$bare" -v l="$list" -v w="$widgets" -v t="$three" -v f="$full" -v tm="$topmost" -v n="$named" -v q="$quick" 'BEGIN {
    printf "  bare QMainWindow                 %7.1f\n", b / 1000
    printf "  QMainWindow with list and menus  %7.1f\n", l / 1000
    printf "  QMainWindow with its widgets     %7.1f\n", w / 1000
    printf "  Velmaris, 3 databases            %7.1f  (%.2f x bare, %.2f x list, %.2f x widgets)\n", \
        t / 1000, t / b, t / l, t / w
    printf "  Velmaris, full list              %7.1f  (%.2f x bare, %.2f x three)\n", f / 1000, f / b, f / t
    printf "  bare frameless topmost window    %7.1f\n", tm / 1000
    printf "  the same, writing one name       %7.1f\n", n / 1000
    printf "  Velmaris, QuickSwitch window     %7.1f  (%.2f x topmost, %.2f x named)\n", q / 1000, q / tm, q / n
}'
awk -v l="$(median list 3)" -v t="$(median three 3)" 'BEGIN {
    printf "peak memory to the mapped window: Velmaris %.1f MB, QMainWindow with list and" \
        " menus %.1f MB (%.2f x)\n", t / 1024, l / 1024, t / l
}'
[ -n "$wine" ] || echo "times one start opens the settings file: $(median opened-three) with" \
    "3 databases, $(median opened-full) with the full list"
