#!/usr/bin/env bash
# Times the road of a switch on a virtual screen with the stand-in host:
# from the Open click to the host's openDB (a database without users), and
# from the host's login window appearing to logon's answer being accepted;
# and logon alone, from a login window showing to its answer.
#
#   bench/switch-bench.sh [build folder] [runs]
default_runs=10
source "$(dirname "$0")/virtual-session.sh"
printf '[Database]\nName=Start\n' >"$work/start.dbf"
printf '[Database]\nName=Open\n' >"$work/open.dbf"
printf '[Database]\nName=Login\n[Users]\nAlice=wonderland\n' >"$work/login.dbf"
printf '[General]\r\nSort=Open;Login\r\n[Open]\r\nPath=%s\r\n[Login]\r\nPath=%s\r\n' \
    "$work/open.dbf" "$work/login.dbf" >"$work/Velmaris.ini"

# A password enciphered with the program's key, every byte escaped, as the
# per-user store keeps it.
enciphered() {
    python3 -c 'import sys
key = "VELMARIS"
print("".join("\\x%02X" % ((ord(c) + ord(key[i % len(key)])) & 255)
              for i, c in enumerate(sys.argv[1], 1)))' "$1"
}

store() { # selected row
    printf '[Settings]\r\nIniLocation=%s/Velmaris.ini\r\nInstalled=1\r\nVersion=%s\r\n[Display]\r\nSelected=%s\r\n[Login]\r\nUsername=Alice\r\nUsePassword=1\r\nPassword=%s\r\n' \
        "$work" "$version" "$1" "$(enciphered wonderland)" >"$XDG_CONFIG_HOME/Velmaris/Velmaris.conf"
}

run() {
    "$build/host-standin/host-standin" "$work/start.dbf" >/dev/null 2>&1 &
    sleep 1
    for _ in $(seq "$runs"); do
        store 1
        echo "open $("$build/bin/SwitchBench" 2>/dev/null)"
        store 2
        echo "login $("$build/bin/SwitchBench" 2>/dev/null)"
        sleep 0.5 # logon gives its borrowed keys back
    done
}
export -f run store enciphered
export build runs work version
dbus-run-session -- bash -c run >"$work/clicks"

# logon alone, as its test on X runs it: the login window shows a second
# after its frame, and tells how long after showing it was answered. About
# 260 ms is what logon takes by design (a tick, the pause before typing, six
# short pauses between steps); much above 410 ms it has slowed down.
mkfifo "$work/demo-input"
for _ in $(seq $((runs > 15 ? runs : 15))); do
    printf '[Logon]\r\nUsername=jdoe\r\nUsePassword=1\r\nPassword=%s\r\n' "$(enciphered pw)" \
        >"$XDG_CONFIG_HOME/Velmaris/Velmaris.conf"
    "$build/tests/logon/x11/login_window_demo" --show-after 1000 \
        <"$work/demo-input" >"$work/demo-output" 2>/dev/null &
    demo=$!
    exec 3>"$work/demo-input"
    "$build/bin/logon" >/dev/null 2>&1 || true
    exec 3>&-
    wait "$demo" || true
    sed -n 's/^answered_ms=//p' "$work/demo-output"
done >"$work/answered"

python3 - "$work" "$runs" <<'PY'
import json, sys, datetime, statistics
work, runs = sys.argv[1], int(sys.argv[2])
def ns(stamp):
    t = datetime.datetime.strptime(stamp, "%Y-%m-%dT%H:%M:%S.%fZ").replace(tzinfo=datetime.timezone.utc)
    return int(t.timestamp() * 1e9)
entries = [json.loads(line) for line in open(work + "/journal.jsonl")]
opens = [ns(e["time"]) for e in entries if e["member"] == "openDB" and "open.dbf" in e["args"][0]]
shown = [ns(e["time"]) for e in entries if e["member"] == "LoginShown"]
answered = [ns(e["time"]) for e in entries if e["member"] == "Login" and "result" in e]
clicks = [int(line.split()[1]) for line in open(work + "/clicks") if line.startswith("open ")]
to_open = [(o - c) / 1e6 for c, o in zip(clicks, opens)]
to_answer = [(a - s) / 1e6 for s, a in zip(shown, answered)]
def show(label, values):
    values = sorted(values)
    print("  %-42s median %6.1f  min %6.1f  max %6.1f  (%d runs)"
          % (label, statistics.median(values), values[0], values[-1], len(values)))
print("a switch, in ms (journal times have millisecond resolution):")
show("Open click -> host's openDB done", to_open)
show("login window shown -> answer accepted", to_answer)
print("logon alone, in ms (the login window's own clock):")
show("login window shown -> answered", [float(line) for line in open(work + "/answered")])
PY
