#!/bin/sh
# Asking the desktop which program opens a host database, as Velmaris does
# before it starts the host: nothing registered, the stand-in host once
# installed (at a path with a blank, which its desktop entry quotes), and a
# desktop entry that names a bare command.
# Usage: shell-program-for-test.sh <install-host-standin.sh> <shell_program_for>
set -eu
install=$1
query=$2
tmp=$(realpath "$(mktemp -d)")
trap 'rm -rf "$tmp"' EXIT
# The system's own entries and file types are kept out, so that "nothing is
# registered" holds on any machine.
export HOME="$tmp/home" XDG_DATA_HOME="$tmp/data" XDG_CONFIG_HOME="$tmp/config"
export XDG_DATA_DIRS="$tmp/system"
mkdir -p "$HOME" "$XDG_DATA_DIRS"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
expect() { # <file> <answer>
    answer=$("$query" "$1") || fail "the query for $1 ended with an error"
    [ "$answer" = "$2" ] || fail "for $1 the shell answered '$answer', not '$2'"
}

printf test >"$tmp/test.dbf"
expect "$tmp/test.dbf" none

bin="$tmp/bin dir"
mkdir -p "$bin"
printf '#!/bin/sh\n' >"$bin/host program"
chmod +x "$bin/host program"
"$install" "$bin/host program" >/dev/null
expect "$tmp/test.dbf" "found $bin/host program"

cp "$bin/host program" "$bin/hostprogram"
sed -i 's|^Exec=.*|Exec=hostprogram %f|' "$XDG_DATA_HOME/applications/host-standin.desktop"
export PATH="$bin:$PATH"
expect "$tmp/test.dbf" "found $bin/hostprogram"

expect "$tmp/missing.dbf" failed
echo PASS
