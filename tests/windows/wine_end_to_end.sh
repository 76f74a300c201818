#!/usr/bin/env bash
# Tarnwell for Windows end to end under Wine, as a conservator meets it, in a
# throw-away Wine prefix beside the packages, under Xvfb through Wine's own
# window system, with a private print system:
#  1. the setup program installs silently, for the user, asking for no
#     administrator rights: the files, the Start-menu shortcut (its working
#     folder the install folder) and the Apps entry;
#  2. the installed tarnwell.exe, started from another folder, driven by keys:
#     the terms, the main screen, the help's tetrahydrofuran example
#     (acetone, n-heptane, ethanol), the report printed, Alt+F4, status 0;
#  3. the printed report reaches the private print system through Wine's
#     printing (Wine's PostScript driver hands it to CUPS): one A4 page that
#     shows every figure of the report as the Linux program shows it (read
#     by OCR: the page is a picture of the window, as on Linux);
#  4. silent uninstall leaves nothing of Tarnwell in the prefix;
#  5. the zip, unpacked into a folder whose name has a space and an é,
#     started from another folder the same way.
# Nothing is added to the program for this: the real executable is driven.
# Usage: wine_end_to_end.sh SETUP.exe PORTABLE.zip LINUX_REPORT_PROBE RESOURCES_FOLDER
# TARNWELL_SCREENSHOT_DIR: a folder for pictures of the main screen and the
# report (ImageMagick's import); KEEP_FAILED_RUN: a path to keep a failed run at.
set -euo pipefail
setup="$(realpath "$1")" zip="$(realpath "$2")" probe="$(realpath "$3")" resources="$(realpath "$4")"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
for tool in Xvfb xdotool cupsd lpadmin lpstat pdfinfo pdftoppm tesseract python3; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed" >&2; exit 1; }
done
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine) || { echo "FAIL: Wine is not installed" >&2; exit 1; }
wineserver="$(dirname "$wine")/wineserver"
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)

work=$(mktemp -d)
app="" xvfb="" cupsd=""
export WINEPREFIX="$(dirname "$setup")/wine-end-to-end"
cleanup() {
    for p in $app; do kill "$p" 2>/dev/null || true; done
    WINEPREFIX="$WINEPREFIX" "$wineserver" -k 2>/dev/null || true
    for p in $cupsd $xvfb; do kill "$p" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { fail_showing_windows "$@"; }
# Wine starts slowly on a busy machine: wait up to 30 s for windows and exits.
wait_tries=300
source "$here/../app/x_session.sh"
source "$here/../app/private_cups.sh"
source "$here/wine_prefix.sh"

# Only what Windows itself would have: no Qt or MinGW folders on the DLL path
# (Wine passes no QT_* variable on). Unix file names are UTF-8.
unset WINEPATH
export WINEARCH=win64 WINEDEBUG=-all LC_ALL=C.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
w() { "$wine" "$@"; }
settle() { "$wineserver" -w; }   # until every process of the prefix has ended
unix_path() { w winepath -u "$1" 2>/dev/null | tr -d '\r\0'; }

start_x
start_private_cups
rm -rf "$WINEPREFIX"
make_wine_prefix || fail "the Wine prefix could not be made"
snapshot() {  # the prefix's files and registry, without Wine's own churn
    (cd "$WINEPREFIX" && find drive_c -printf '%y %P\n' | LC_ALL=C sort) >"$work/$1.files"
    cat "$WINEPREFIX"/*.reg >"$work/$1.reg"
}
snapshot before

# --- 1. silent install --------------------------------------------------------
grep -aq 'level="asInvoker"' "$setup" || fail "the setup program asks for more than the user's rights"
w "$setup" /S || fail "the silent install failed (status $?)"
settle
local_appdata=$(unix_path "$(w cmd /c echo %LOCALAPPDATA% 2>/dev/null | tr -d '\r')")
appdata=$(unix_path "$(w cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')")
installed="$local_appdata/Programs/Tarnwell"
[ -d "$installed" ] || fail "nothing was installed in %LOCALAPPDATA%\\Programs\\Tarnwell"
for f in tarnwell.exe Uninstall.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll Qt6PrintSupport.dll \
         libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll platforms/qwindows.dll \
         "tarnwell database 1.0.txt" notices/README.txt notices/Qt/LGPL-3.0-only.txt \
         notices/data-sources/README.md; do
    [ -f "$installed/$f" ] || fail "the install lacks $f"
done
cmp -s "$installed/tarnwell database 1.0.txt" "$resources/tarnwell database 1.0.txt" || fail "the installed database differs"
ls "$installed"/notices/data-sources/*/LICENSE* >/dev/null 2>&1 || fail "the data sources' licences are not installed"
ls "$installed"/notices/MinGW-w64/*.txt >/dev/null 2>&1 || fail "MinGW-w64's copyright files are not installed"
echo "ok: the setup program installed Tarnwell silently in %LOCALAPPDATA%\\Programs\\Tarnwell ($(du -sh "$installed" | cut -f1))"

shortcut="$appdata/Microsoft/Windows/Start Menu/Programs/Tarnwell.lnk"
[ -f "$shortcut" ] || fail "no Start-menu shortcut"
python3 "$here/read_shortcut.py" "$shortcut" >"$work/shortcut" || fail "the shortcut cannot be read"
target=$(sed -n 's/^target: //p' "$work/shortcut") folder=$(sed -n 's/^working folder: //p' "$work/shortcut")
[ "$(unix_path "$target")" = "$installed/tarnwell.exe" ] || fail "the shortcut starts '$target'"
[ "$(unix_path "$folder")" = "$installed" ] || fail "the shortcut's working folder is '$folder', not the install folder"
echo "ok: the Start-menu shortcut starts tarnwell.exe in the install folder"

key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarnwell'
w reg query "$key" >"$work/apps" 2>/dev/null || fail "no Apps entry ($key)"
for value in DisplayName DisplayVersion DisplayIcon UninstallString QuietUninstallString InstallLocation; do
    grep -q "$value" "$work/apps" || fail "the Apps entry lacks $value"
done
grep -q 'DisplayName.*Tarnwell' "$work/apps" || fail "the Apps entry is not named Tarnwell"
echo "ok: the Apps entry names Tarnwell and its silent uninstall"

# --- 2 and 3. the installed program, driven by keys, prints the report --------
# Letter jumps choose solvents: the number of presses to a solvent comes from
# the shipped database itself, in its order.
presses() {  # letter, solvent name
    python3 - "$resources/tarnwell database 1.0.txt" "$1" "$2" <<'PY'
import sys
lines = open(sys.argv[1], "rb").read().decode("cp1252").replace("\r\n", "\n").split("\n")
count = int(float(lines[4]))
names = [lines[5 + 12 * i].strip() for i in range(count)]
letter, name = sys.argv[2].casefold(), sys.argv[3]
starting = [n for n in names if n[:1].casefold() == letter]
print(starting.index(name) + 1)
PY
}
letters() {  # list window, letter, solvent name: select it, Return puts it in its column
    local n; n=$(presses "$2" "$3") || fail "no $3 in the shipped database"
    for _ in $(seq "$n"); do xdotool key --clearmodifiers "$2"; sleep 0.05; done
    xdotool key --clearmodifiers Return
    sleep 0.3
}
shot() {  # window, file name
    [ -n "${TARNWELL_SCREENSHOT_DIR:-}" ] || return 0
    command -v import >/dev/null || fail "ImageMagick's import is not installed"
    sleep 0.5
    import -window "$1" "$TARNWELL_SCREENSHOT_DIR/$2" || fail "the screenshot $2 could not be taken"
}

run_example() {  # exe (unix path), folder to start in, name of the printed page
    local exe="$1" folder="$2" page="$3"
    expect_page "$page"
    (cd "$folder" && exec "$wine" "$exe") &
    app=$!
    press "$(wait_window "Tarnwell")" Return                 # accept the terms
    main=$(wait_window "Tarnwell - Main Form")
    echo "ok: the main screen opened"
    sleep 1
    letters "$main" t "Tetrahydrofuran"                       # Solvent #1
    press "$main" Tab Tab Tab Return                          # Enter Current Solvent #1 as the Target,
    sleep 0.5                                                 # which empties Solvent #1 and goes back to it
    letters "$main" a "Acetone"
    press "$main" Tab
    letters "$main" n "n-Heptane"
    press "$main" Tab
    letters "$main" e "Ethanol"
    shot "$main" "$page-main.png"
    for _ in $(seq 10); do xdotool key --clearmodifiers Tab; done   # to Calculate
    press "$main" Return
    report=$(wait_window "Solver found a solution|Tarnwell Solution")
    echo "ok: the report opened"
    shot "$report" "$page-report.png"
    press "$report" Tab Return                                # Print
    wait_page "$page"
    press "$report" Escape
    sleep 0.5
    press "$main" alt+F4
    expect_exit "$app" 0
    app=""
    echo "ok: Alt+F4 on the main screen ended the program with status 0"
}

check_page() {  # name
    local pdf="$work/$1.pdf"
    python3 - "$cups/out/$1.pdf" "$pdf" <<'PY'
import sys
data = open(sys.argv[1], "rb").read()
start, end = data.find(b"%PDF-"), data.rfind(b"%%EOF")
open(sys.argv[2], "wb").write(data[start:end + 5])
PY
    local pages; pages=$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')
    [ "$pages" = 1 ] || fail "the $1 print has $pages pages, not one"
    pdfinfo "$pdf" | grep -q "Page size:.*595 x 842" || fail "the $1 print is not on the queue's A4 paper"
    pdftoppm -png -r 300 -singlefile "$pdf" "$work/$1" || fail "the $1 page cannot be made a picture"
    [ -z "${TARNWELL_SCREENSHOT_DIR:-}" ] || pdftoppm -png -r 60 -singlefile "$pdf" "$TARNWELL_SCREENSHOT_DIR/$1-page"
    python3 "$here/check_page.py" "$work/$1.png" "$work/linux-report.txt" || fail "the $1 page is not the Linux report"
    echo "ok: the $1 page is one A4 page with every figure of the Linux report"
}

(cd "$resources" && QT_QPA_PLATFORM=offscreen "$probe") >"$work/linux-report.txt" || fail "the Linux report probe failed"
[ -s "$work/linux-report.txt" ] || fail "the Linux report probe gave no figures"
mkdir -p "$work/elsewhere"
run_example "$installed/tarnwell.exe" "$work/elsewhere" installed-report
check_page installed-report

# --- 4. silent uninstall ------------------------------------------------------
w "$installed/Uninstall.exe" /S || fail "the silent uninstall failed (status $?)"
settle
[ ! -e "$installed" ] || fail "the install folder is still there: $(find "$installed" | head -5)"
[ ! -e "$shortcut" ] || fail "the Start-menu shortcut is still there"
snapshot after
left=$(comm -13 "$work/before.files" "$work/after.files" | grep -i tarnwell || true)
[ -z "$left" ] || fail "files of Tarnwell remain: $left"
grep -i tarnwell "$work/after.reg" && fail "the registry still names Tarnwell"
echo "ok: the silent uninstall left no file and no registry entry of Tarnwell"

# --- 5. the portable zip in a folder named with a space and an é --------------
portable="$work/USB stick/Tarnwell portable é"
mkdir -p "$portable"
python3 -m zipfile -e "$zip" "$portable" || fail "the zip cannot be unpacked"
exe=$(find "$portable" -name tarnwell.exe | head -1)
[ -n "$exe" ] || fail "the zip holds no tarnwell.exe"
run_example "$exe" "$work/elsewhere" portable-report
check_page portable-report
echo "all passed"
