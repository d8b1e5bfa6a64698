#!/bin/sh
# Once installed, the desktop answers the stand-in host when asked which
# program opens a .dbf file.
# Usage: desktop-association-test.sh <host-standin source folder> <host-standin program>
set -eu
source_folder=$1
program=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export XDG_DATA_HOME="$tmp/data" XDG_CONFIG_HOME="$tmp/config"

"$source_folder/install-host-standin.sh" "$program" >/dev/null

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
printf '[Database]\nName=Test\n' >"$tmp/test.dbf"
type=$(gio info -a standard::content-type "$tmp/test.dbf" | sed -n 's/.*content-type: //p')
[ "$type" = application/x-dbf ] || fail "test.dbf has the type '$type'"
gio mime "$type" | grep -q "^Default application .*: host-standin.desktop$" ||
    fail "the default program for $type is not the stand-in host: $(gio mime "$type")"
# A plain path stands bare, as every reader of desktop entries takes it.
grep -qxF "Exec=$(realpath "$program") %f" "$XDG_DATA_HOME/applications/host-standin.desktop" ||
    fail "the desktop entry does not start $program"
echo "PASS"
