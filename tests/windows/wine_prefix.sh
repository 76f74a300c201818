# Makes a Wine prefix that looks, to the program, like a Windows PC: made by
# wineboot, with the faces the screens are designed for installed as Windows
# has them. Wine brings no Tahoma of its own to a program's font list here and
# no Arial at all, so Tahoma comes from Debian's fonts-wine (its outlines only:
# its small bitmap sizes draw cut off under Wine) and Arial is Liberation Sans,
# the same stand-ins the Linux build uses. Sourced; needs `wine` and `wineserver`
# (paths) and WINEPREFIX set.
#   make_wine_prefix
make_wine_prefix() {
    local here fonts key
    here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
    "$wine" wineboot --init >/dev/null 2>&1 || return 1
    "$wineserver" -w
    fonts="$WINEPREFIX/drive_c/windows/Fonts"
    mkdir -p "$fonts"
    python3 "$here/outline_font.py" /usr/share/wine/fonts/tahoma.ttf "$fonts/tahoma.ttf" || return 1
    python3 "$here/outline_font.py" /usr/share/wine/fonts/tahomabd.ttf "$fonts/tahomabd.ttf" || return 1
    key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts'
    "$wine" reg add "$key" /v "Tahoma (TrueType)" /t REG_SZ /d tahoma.ttf /f >/dev/null 2>&1 || return 1
    "$wine" reg add "$key" /v "Tahoma Bold (TrueType)" /t REG_SZ /d tahomabd.ttf /f >/dev/null 2>&1 || return 1
    "$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /t REG_SZ /d "Liberation Sans" /f \
        >/dev/null 2>&1 || return 1
    "$wineserver" -w
}
