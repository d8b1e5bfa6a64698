#!/bin/sh
# Installs the build into a scratch root and checks what a desktop and the
# program itself look for there.
# Usage: install-test.sh <build folder>
set -eu
build=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
program=$(readlink -f "$root/usr/bin/velmaris") || fail "no velmaris in bin"
folder=$(dirname "$program")
# Velmaris starts logon, opens its manual and names its icons in its own folder.
for file in Velmaris logon Velmaris_manual.pdf Velmaris.ico Velmaris32.ico; do
    [ -e "$folder/$file" ] || fail "$file is not beside the program"
done
# The manual shows every window it explains, twelve pictures in each of its
# three languages.
manual="$folder/Velmaris_manual.pdf"
pictures=$(pdfimages -list "$manual" | tail -n +3 | wc -l)
[ "$pictures" -ge 36 ] || fail "the manual holds $pictures pictures of windows, not 36"
text=$(pdftotext "$manual" -)
for title in "Velmaris user's manual" "Manuel d'utilisation de Velmaris" "Velmaris Benutzerhandbuch"; do
    printf '%s' "$text" | grep -qF "$title" || fail "the manual has no \"$title\""
done
[ -x "$folder/logon" ] || fail "logon cannot be run"
[ ! -e "$root/usr/bin/logon" ] || fail "logon is in the shared bin folder"
[ ! -e "$root/usr/bin/host-standin" ] || fail "the stand-in host is installed without being asked"

share="$root/usr/share"
desktop="$share/applications/org.velmaris.Velmaris.desktop"
metainfo="$share/metainfo/org.velmaris.Velmaris.metainfo.xml"
[ -f "$share/icons/hicolor/scalable/apps/org.velmaris.Velmaris.svg" ] || fail "no scalable icon"
for size in 16 32 48 256; do
    [ -f "$share/icons/hicolor/${size}x${size}/apps/org.velmaris.Velmaris.png" ] ||
        fail "no ${size}-pixel icon"
done
desktop-file-validate "$desktop" || fail "the desktop entry is not valid"
appstreamcli validate --no-net "$metainfo" >/dev/null || fail "the metainfo is not valid"
echo "installed layout as expected"
