# Makes a Wine prefix that looks, to the program, like a Windows PC: made by
# wineboot, with the faces the screens are designed for installed as Windows
# has them (design_fonts.py: Tahoma and Arial made from the Debian stand-ins
# the Linux build uses; Wine brings no Arial, and its own Tahoma does not reach
# a program's font list here). Sourced; needs `wine` and `wineserver` (paths)
# and WINEPREFIX set.
#   make_wine_prefix
make_wine_prefix() {
    local here fonts key face
    here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
    "$wine" wineboot --init >/dev/null 2>&1 || return 1
    "$wineserver" -w
    fonts="$WINEPREFIX/drive_c/windows/Fonts"
    # Debian's python3, whose fontTools package the setup installs.
    /usr/bin/python3 "$here/design_fonts.py" "$fonts" || return 1
    key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts'
    for face in "Tahoma:tahoma" "Tahoma Bold:tahomabd" "Arial:arial" "Arial Bold:arialbd" "Arial Italic:ariali" \
                "Arial Bold Italic:arialbi"; do
        "$wine" reg add "$key" /v "${face%%:*} (TrueType)" /t REG_SZ /d "${face##*:}.ttf" /f >/dev/null 2>&1 || return 1
    done
    # Windows smooths screen fonts (ClearType) unless the user turns it off; Wine
    # does not, and its unsmoothed small Tahoma drops strokes of round letters.
    key='HKCU\Control Panel\Desktop'
    "$wine" reg add "$key" /v FontSmoothing /t REG_SZ /d 2 /f >/dev/null 2>&1 || return 1
    "$wine" reg add "$key" /v FontSmoothingType /t REG_DWORD /d 2 /f >/dev/null 2>&1 || return 1
    "$wine" reg add "$key" /v FontSmoothingGamma /t REG_DWORD /d 1400 /f >/dev/null 2>&1 || return 1
    "$wine" reg add "$key" /v FontSmoothingOrientation /t REG_DWORD /d 1 /f >/dev/null 2>&1 || return 1
    "$wineserver" -w
}
