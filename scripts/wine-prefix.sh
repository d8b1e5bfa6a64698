# Sourced by the scripts that run the Windows programs under wine.
#
# prepare_wine_prefix: makes the prefix named by WINEPREFIX ready for them:
# created, finished (a program started before its server has ended may fail
# to start at all) and given wine's own fonts, and DejaVu for the manual.
# Wine does not always find those outside the prefix; Tahoma, the system's
# dialog font, then has no file, and Qt draws every window in whatever serif
# it finds.
prepare_wine_prefix() {
    mkdir -p "$WINEPREFIX"
    /usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1 || true
    /usr/lib/wine/wineserver64 -w >/dev/null 2>&1 || true
    cp -n /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    # The manual, written under wine, is set in DejaVu as on Linux: Tahoma
    # lacks some of its signs (the menu arrow "▸").
    cp -n /usr/share/fonts/truetype/dejavu/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
}
