#!/usr/bin/env bash
# Sets up a Debian 12 machine for Velmaris, builds everything and runs the
# tests: the native build, then the portable libraries cross-built for
# Windows and run under wine.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
install_missing_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
ensure_locale en_US.UTF-8

# The code keeps the repository's format (.clang-format); a change that
# does not is refused before anything is built.
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror

jobs=$(nproc)
werror=OFF
[ "${CI:-}" = true ] && werror=ON

# The three builds are the presets of CMakePresets.json.
cmake --preset native -DVELMARIS_WERROR=$werror
cmake --build --preset native -j "$jobs"
ctest --preset native -j "$jobs"

# The wine prefix lives in the build folder so that a run never touches the
# user's own; mono and gecko are not needed by console test programs.
# The ANSI code page follows LANG: a fixed one makes it 1252 wherever this runs.
own_lang=${LANG-}
export WINEPREFIX="$PWD/build-windows/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    LANG=en_US.UTF-8
# Velmaris.exe and its window tests need Qt built for Windows, which no
# Debian package holds: scripts/build-qt-windows.sh builds it once into a
# cache. VELMARIS_SKIP_QT_WINDOWS=1 leaves them out for a quick local run.
qt_windows=$(qt_windows_prefix)
if [ "${VELMARIS_SKIP_QT_WINDOWS:-}" = 1 ]; then
    echo "SKIPPED: Velmaris.exe and its window tests (VELMARIS_SKIP_QT_WINDOWS=1)"
    qt_windows=""
else
    # Builds it when the cache does not hold it yet, and says so.
    scripts/build-qt-windows.sh
    echo "Building Velmaris.exe with Qt for Windows from $qt_windows"
fi
cmake --preset windows -DVELMARIS_WERROR=$werror -DVELMARIS_QT_WINDOWS="$qt_windows"
# The prefix gets its fonts before the build, which draws the manual's
# pictures of the windows under wine.
source scripts/wine-prefix.sh
prepare_wine_prefix
cmake --build --preset windows -j "$jobs"
# The logon tests make windows that take the focus: a screen of the stage's
# own, with a window manager (without one wine waits on every window it hides).
own_display=${DISPLAY-}
source scripts/virtual-screen.sh
start_virtual_screen
openbox --sm-disable >/dev/null 2>&1 &
screen_pids=("$!" "$xvfb_pid")
trap '/usr/lib/wine/wineserver64 -k 2>/dev/null; kill "${screen_pids[@]}" 2>/dev/null || true' EXIT
# One server and one set of the prefix's services for the whole stage,
# started here: a test that starts them hands them its output pipe, and ctest
# then waits for them to end (two tests starting them at once can wait on
# each other for good).
/usr/lib/wine/wineserver64 -p
/usr/lib/wine/wine64 wineboot >/dev/null 2>&1 || true
ctest --preset windows -j "$jobs"
/usr/lib/wine/wineserver64 -k >/dev/null 2>&1 || true
kill "${screen_pids[@]}" 2>/dev/null || true
trap - EXIT
if [ -n "$own_display" ]; then export DISPLAY="$own_display"; else unset DISPLAY; fi

# The checked stage, built with clang: the portable and core tests, logon on
# X11 and the end-to-end switch under AddressSanitizer (leaks included) and
# UndefinedBehaviorSanitizer, then every fuzz target for a bounded time on
# its corpus. Any report fails the test that caused it.
export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export ASAN_SYMBOLIZER_PATH=/usr/bin/llvm-symbolizer-16
unset WINEPREFIX WINEDEBUG WINEDLLOVERRIDES
if [ -n "$own_lang" ]; then export LANG="$own_lang"; else unset LANG; fi
cmake --preset checked -DVELMARIS_WERROR=$werror
# clang-tidy (.clang-tidy) over the programs' own code for Linux; the tests
# and the Windows-only files are left out (see the README).
run-clang-tidy-16 -p build-checked -j "$jobs" -quiet \
    "^$PWD/(base|cipher|settings|platform|host|main|logon|host-standin|tools|bench)/"
cmake --build --preset checked -j "$jobs"
ctest --preset checked -j "$jobs"
