# Debian packages the project needs, and a helper that installs the missing
# ones (apt-get needs root; sudo is used when it is there).
BUILD_PACKAGES=(cmake ninja-build g++ pkg-config librsvg2-bin imagemagick libgtest-dev libgmock-dev googletest
    libbenchmark-dev qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins fonts-dejavu-core
    libx11-dev libxtst-dev libxres-dev libglib2.0-dev
    clang-format)
TEST_PACKAGES=(locales g++-mingw-w64-x86-64-posix wine64 fonts-wine wixl msitools xvfb xauth x11-xkb-utils x11-utils libglib2.0-bin shared-mime-info xdg-utils
    imagemagick dbus dbus-x11 openbox xdotool desktop-file-utils appstream dpkg-dev lintian poppler-utils
    clang-16 clang-tidy-16 libclang-rt-16-dev llvm-16)
RUN_PACKAGES=(dbus dbus-x11 desktop-file-utils shared-mime-info xdg-utils libglib2.0-bin)

install_missing_packages() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

# Where scripts/build-qt-windows.sh keeps Qt built for Windows: a cache
# folder ($VELMARIS_QT_WINDOWS, else under XDG_CACHE_HOME), one prefix per
# version of Debian's own Qt, whose host tools it builds with.
qt_windows_prefix() {
    local version
    version=$(dpkg-query -W -f '${Version}' qt6-base-dev | sed 's/+.*//; s/^[0-9]*://')
    echo "${1:-${VELMARIS_QT_WINDOWS:-${XDG_CACHE_HOME:-$HOME/.cache}/velmaris/qt-windows}}/$version"
}

# ensure_locale NAME (e.g. en_US.UTF-8): generates the locale when the
# system lacks it. Wine takes the ANSI code page from it, and without it
# names its files on Linux in ASCII only, so a folder named with "ü" could
# not be made.
ensure_locale() {
    local short=${1/.UTF-8/.utf8}
    locale -a 2>/dev/null | grep -qx "$short" && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    echo "Generating the locale $1"
    $sudo sed -i "s/^# *\($1 \)/\1/" /etc/locale.gen
    grep -q "^$1 " /etc/locale.gen || echo "$1 UTF-8" | $sudo tee -a /etc/locale.gen >/dev/null
    $sudo locale-gen >/dev/null
}
