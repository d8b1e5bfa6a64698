#!/usr/bin/env bash
# Builds the part of Qt that Velmaris needs (Core, Gui, Widgets, Test and the
# Windows platform plugin) for Windows with mingw-w64, from the source of the
# Qt that Debian ships, and installs it into a cache folder. Does nothing when
# that cache already holds this Qt version.
#
#   scripts/build-qt-windows.sh [cache folder]
#
# The cache folder defaults to $VELMARIS_QT_WINDOWS, else
# ${XDG_CACHE_HOME:-~/.cache}/velmaris/qt-windows. The result lies in
# <cache>/<version>/ (a CMake prefix: -DCMAKE_PREFIX_PATH=<cache>/<version>).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
install_missing_packages "${BUILD_PACKAGES[@]}" g++-mingw-w64-x86-64-posix dpkg-dev xz-utils

# The host tools (moc, rcc, uic) come from Debian's Qt, so the source must be
# the same version.
prefix=$(qt_windows_prefix "${1:-}")
version=$(basename "$prefix")

# Only what the windows use: no SQL, network, D-Bus, OpenGL, printing, the
# Direct2D platform plugin or the GIF and JPEG readers. Text is drawn through
# GDI, as Qt 6.4 does by default: its DirectWrite font database is built
# only with Direct2D, while the platform plugin asks for it whenever
# DirectWrite is on. The Debian source has no 3rdparty/wintab, hence no
# tablet events. The cache records these
# options, so that a change to them builds Qt again.
options=(-DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF
    -DINPUT_opengl=no -DFEATURE_tabletevent=OFF -DFEATURE_printsupport=OFF
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_vulkan=OFF
    -DFEATURE_direct2d=OFF -DFEATURE_directwrite=OFF -DFEATURE_gif=OFF -DFEATURE_jpeg=OFF
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_freetype=OFF
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF
    -DFEATURE_zstd=OFF -DFEATURE_sql_sqlite=OFF)
if [ -f "$prefix/.complete" ] && [ "$(cat "$prefix/.complete")" = "${options[*]}" ]; then
    echo "Qt $version for Windows is already in $prefix"
    exit 0
fi
rm -rf "$prefix"
echo "Building Qt $version for Windows into $prefix: once, about 20 minutes on two cores"
started=$SECONDS

work=$(mktemp -d "${TMPDIR:-/tmp}/qt-windows.XXXXXX")
trap 'rm -rf "$work"' EXIT

# Source packages through a private apt configuration made from this
# machine's own package sources, so that the system's is left as it is.
mkdir -p "$work/apt/sources" "$work/apt/lists/partial" "$work/apt/cache/archives/partial"
for sources in /etc/apt/sources.list.d/*.sources; do
    [ -e "$sources" ] || continue
    sed 's/^Types:.*/Types: deb-src/' "$sources" >"$work/apt/sources/$(basename "$sources")"
done
if [ -f /etc/apt/sources.list ]; then
    sed -n 's/^deb /deb-src /p' /etc/apt/sources.list >"$work/apt/sources/sources.list"
fi
cat >"$work/apt/apt.conf" <<CONF
Dir::Etc::SourceList "/dev/null";
Dir::Etc::SourceParts "$work/apt/sources";
Dir::State::Lists "$work/apt/lists";
Dir::Cache "$work/apt/cache";
Debug::NoLocking "true";
CONF
export APT_CONFIG="$work/apt/apt.conf"
apt-get update -qq
(cd "$work" && apt-get source -qq --download-only "qt6-base=$(dpkg-query -W -f '${Version}' qt6-base-dev)")
tar -xJf "$work"/qt6-base_*.orig.tar.xz -C "$work"
source_dir=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'qtbase*' | head -n 1)

cmake -S "$source_dir" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_INSTALL_PREFIX="$prefix" "${options[@]}"
cmake --build "$work/build" -j "$(nproc)"
cmake --install "$work/build"
echo "${options[*]}" >"$prefix/.complete"
echo "Qt $version for Windows installed in $prefix in $(((SECONDS - started) / 60)) minutes"
