#!/usr/bin/env bash
# Sets up a Debian 12 machine for Velmaris, builds everything and runs the
# tests: the native build, then the portable libraries cross-built for
# Windows and run under wine.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
install_missing_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

jobs=$(nproc)
werror=OFF
[ "${CI:-}" = true ] && werror=ON

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMARIS_WERROR=$werror
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs" --timeout 300

# The wine prefix lives in the build folder so that a run never touches the
# user's own; mono and gecko are not needed by console test programs.
export WINEPREFIX="$PWD/build-windows/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cmake -S . -B build-windows -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DVELMARIS_WERROR=$werror
cmake --build build-windows -j "$jobs"
mkdir -p "$WINEPREFIX"
/usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1 || true
# The prefix is finished only when its server has ended; a test started
# before then may fail to start at all.
/usr/lib/wine/wineserver64 -w >/dev/null 2>&1 || true
ctest --test-dir build-windows --output-on-failure -j "$jobs" --timeout 300
