#!/bin/sh
# Makes the stand-in host the current user's program for *.dbf files: its
# desktop entry, the file type, and the default association, so that asking
# the desktop which program opens a .dbf file answers the stand-in host.
# Usage: install-host-standin.sh /path/to/host-standin
set -eu
here=$(cd "$(dirname "$0")" && pwd)
program=$(realpath "${1:?usage: install-host-standin.sh /path/to/host-standin}")
if [ ! -x "$program" ]; then
    echo "install-host-standin.sh: $program is not a program" >&2
    exit 1
fi
data=${XDG_DATA_HOME:-$HOME/.local/share}
mkdir -p "$data/applications" "$data/mime/packages" "${XDG_CONFIG_HOME:-$HOME/.config}"

# A path that needs no quoting is written bare: the generic xdg-open (a
# session without a desktop) takes the Exec line's first word as it stands,
# quotes included. Otherwise desktop entries quote \ " ` $ inside a quoted
# argument with a backslash.
case "$program" in
*[!A-Za-z0-9_./+-]*)
    exec_program="\"$(printf '%s' "$program" | sed 's/[\\"`$]/\\&/g')\"" ;;
*)
    exec_program=$program ;;
esac
sed "s|^Exec=.*|Exec=$(printf '%s' "$exec_program" | sed 's/[\\&|]/\\&/g') %f|" \
    "$here/host-standin.desktop" >"$data/applications/host-standin.desktop"
cp "$here/host-standin-mime.xml" "$data/mime/packages/host-standin.xml"
update-mime-database "$data/mime"
if command -v update-desktop-database >/dev/null 2>&1; then
    update-desktop-database "$data/applications"
fi

if command -v xdg-mime >/dev/null 2>&1; then
    xdg-mime default host-standin.desktop application/x-dbf
elif command -v gio >/dev/null 2>&1; then
    gio mime application/x-dbf host-standin.desktop >/dev/null
else
    echo "install-host-standin.sh: neither xdg-mime nor gio is installed" >&2
    exit 1
fi
echo "host-standin now opens *.dbf files for $(id -un)"
