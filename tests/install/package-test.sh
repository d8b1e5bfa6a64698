#!/bin/sh
# Builds the Debian package, checks it as a distribution would (lintian, the
# dependencies found, the hardening of the programs), unpacks it into a
# scratch root and runs the unpacked program against the stand-in host.
# Usage: package-test.sh <build folder> <program end-to-end tests>
set -eu
build=$1
e2e=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; fail "cpack"; }
deb=$(ls "$work"/velmaris_*.deb)

lintian --fail-on error,warning --tag-display-limit 0 "$deb" 2>&1 |
    grep -v "root privileges" || true
lintian --fail-on error,warning "$deb" >/dev/null 2>&1 || fail "lintian reports the package"

# The libraries come from dpkg-shlibdeps, and this machine has them all.
depends=$(dpkg-deb -f "$deb" Depends)
case "$depends" in *libqt6widgets6*) ;; *) fail "no Qt dependency found: $depends" ;; esac
echo "$depends" | tr ',' '\n' | sed 's/[ ]*(.*//; s/^ *//' | while read -r package; do
    dpkg-query -W -f='${Status}\n' "$package" 2>/dev/null | grep -q "install ok installed" ||
        fail "$package is a dependency but is not installed"
done

root="$work/root"
dpkg-deb -x "$deb" "$root"
program=$(readlink -f "$root/usr/bin/velmaris")
for binary in "$program" "$(dirname "$program")/logon"; do
    readelf -h "$binary" | grep -q "Type:.*DYN" || fail "$binary is not position-independent"
    readelf -d "$binary" | grep -q "BIND_NOW" || fail "$binary binds lazily"
    readelf -lW "$binary" | grep -q "GNU_RELRO" || fail "$binary has no read-only relocations"
    readelf -sW --dyn-syms "$binary" | grep -q "__stack_chk_fail" || fail "$binary has no stack protector"
    ldd "$binary" | grep "not found" && fail "$binary misses a library"
done

VELMARIS_UNDER_TEST="$root/usr/bin/velmaris" dbus-run-session -- "$e2e" \
    --gtest_filter='MainWindowRoad.*' || fail "the unpacked program"
echo "package as expected"
