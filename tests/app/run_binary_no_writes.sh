#!/usr/bin/env bash
# The program writes no files. The real binary runs in a real X session
# (Xvfb) with a private print system, driven with mouse and keyboard through
# the startup screen, a blend with its report printed, a mixture printed from
# the print question, a solubility test saved to a file the user names and
# opened again through the file dialog, and the close box. HOME, every XDG folder, TMPDIR and
# the current folder are fresh folders; afterwards they must be exactly as
# before (names, sizes, modes and times, folders' times included, so a file
# made and removed again shows too). strace, following every process the
# program starts, must see no file made, changed, renamed or removed anywhere
# but the one test file the user named in the save dialog.
# Usage: run_binary_no_writes.sh TARNWELL_BINARY SHIPPED_DATABASE
set -euo pipefail
binary="$(realpath "$1")"
database="$(realpath "$2")"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
ppd=/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd
for tool in Xvfb xdotool cupsd lpadmin lpstat python3 strace; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
[ -f "$ppd" ] || { echo "SKIP: $ppd is missing (cups-filters)"; exit 77; }

work=$(mktemp -d)
app="" xvfb="" cupsd=""
cleanup() {
    for p in $app $cupsd $xvfb; do kill "$p" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { fail_showing_windows "$@"; }

source "$here/x_session.sh"
start_x

# --- print system: a private cupsd with one PDF queue, the default -----------
source "$here/private_cups.sh"
start_private_cups

# --- the watched folders ------------------------------------------------------
w="$work/watched"
mkdir -p "$w"/{home,config,cache,data,state,tmp,cwd}
mkdir -m 0700 "$w/runtime"
cp "$database" "$w/cwd/"
# A dbus-launch that only tells it was started: with no session bus, libdbus
# would start one that way, and a real one writes under ~/.dbus.
mkdir "$work/bin"
printf '#!/bin/sh\necho "$0 $*" >>"%s/dbus-launch-was-run"\nexit 1\n' "$work" >"$work/bin/dbus-launch"
chmod +x "$work/bin/dbus-launch"
# Only the program gets them: the print system's own tools make temporary files.
program_env=(PATH="$work/bin:$PATH" HOME="$w/home" XDG_CONFIG_HOME="$w/config" XDG_CACHE_HOME="$w/cache" XDG_DATA_HOME="$w/data"
             XDG_STATE_HOME="$w/state" XDG_RUNTIME_DIR="$w/runtime" TMPDIR="$w/tmp" QT_QPA_PLATFORM=xcb)
snapshot() { find "$w" -printf '%y %m %s %T@ %P\n' | LC_ALL=C sort; }
snapshot >"$work/before"
sleep 0.02  # a change made at once still shows in the times

# --- the run --------------------------------------------------------------------
mkdir "$work/trace"
tracer=(strace -f -ff -qq -o "$work/trace/t"
        -e trace=open,openat,creat,mkdir,mkdirat,rename,renameat,renameat2,unlink,unlinkat,rmdir,link,linkat,symlink,symlinkat,truncate,chmod,fchmodat,chown,fchownat,utimes,utimensat,bind,mknod,mknodat)
# Some containers forbid tracing; the folders are compared all the same.
if ! strace -f -qq -o /dev/null true 2>/dev/null; then
    echo "note: strace cannot trace processes here; only the folders are compared"
    tracer=()
fi
# LeakSanitizer cannot run under a tracer; a sanitized binary's leaks are
# checked by the suite's other runs.
[ ${#tracer[@]} -eq 0 ] || program_env+=(ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0")
(cd "$w/cwd" && exec env "${program_env[@]}" "${tracer[@]}" "$binary") &
app=$!

# Screens are laid out in points; at Xvfb's 96 dpi a point is 4/3 pixel.
px() { echo $(( ($1 * 4 + 1) / 3 )); }
click() { xdotool mousemove --window "$1" "$(px "$2")" "$(px "$3")" click 1; sleep 0.3; }
# A row of a solvent list whose left edge is `left` points: rows are 10 pixels
# high from the list's top (20 pt) plus its frame.
double_click_row() {  # window, list left (pt), row
    xdotool mousemove --window "$1" $(( $(px "$2") + 60 )) $(( $(px 20) + 6 + 10 * $3 )) click --repeat 2 --delay 60 1
    sleep 0.3
}
press "$(wait_window "Tarnwell")" space   # accept the terms
main=$(wait_window "Tarnwell - Main Form")
echo "ok: the main screen opened"

# A blend whose answer is the target itself: the first solvent is entered as
# the target (which empties its slot), chosen again, and the other two take
# no part.
double_click_row "$main" 6 0
click "$main" 70 251           # Enter Current Solvent #1 as the Target
double_click_row "$main" 6 0
double_click_row "$main" 202 3
double_click_row "$main" 398 7
click "$main" 495 279          # Calculate Concentrations to Match the Target
report=$(wait_window "Solver found a solution|Tarnwell Solution")
echo "ok: the blend report opened"
expect_page report
click "$report" 525 330        # Print
wait_page report
click "$report" 525 282        # Ok
sleep 0.3

click "$main" 495 319          # to the concentration form
calc=$(wait_window "Tarnwell - Concentration Form")
echo "ok: the concentration form opened"
for k in 0 1 2; do double_click_row "$calc" $((6 + 196 * k)) $((k * 3 + (k == 2))); done
fraction=("0.5" "0.3" "0.2")
for k in 0 1 2; do
    click "$calc" $((6 + 196 * k + 95)) 253
    xdotool key --clearmodifiers ctrl+a
    xdotool type --delay 30 "${fraction[$k]}"
    xdotool key --clearmodifiers Tab
    sleep 0.2
done
expect_page mixture
click "$calc" 101 320          # Calculate Solubility Parameters for the Mixture
question=$(wait_window "Print")
click "$question" 48 51        # Yes
wait_page mixture
click "$calc" 529 343          # Go to Tarnwell main form

# A solubility test saved and opened: the file dialog keeps its history in
# Qt's settings unless the program keeps them off the disk.
saved="$work/chosen/a test.txt"
mkdir "$work/chosen"
click "$main" 75 363           # Solubility Test…
soltest=$(wait_window "Tarnwell - Solubility Test")
press "$soltest" Down Return   # the first listed solvent into the test
press "$soltest" alt+s
dialog=$(wait_window "Save Solubility Test")
xdotool type --delay 20 "$saved"
press "$dialog" Return
dismiss "Save Solubility Test" Return
for _ in $(seq 50); do [ -s "$saved" ] && break; sleep 0.1; done
head -n1 "$saved" 2>/dev/null | grep -q "^Tarnwell solubility test 1" || fail "the test was not saved to the chosen file"
echo "ok: the test was saved to the file named in the dialog"
press "$soltest" alt+o
dialog=$(wait_window "Open Solubility Test")
xdotool type --delay 20 "$saved"
press "$dialog" Return
# Under the sanitizers the dialog (or its completion list) can still be up
# half a second later, and the next dialog would be taken for it.
dismiss "Open Solubility Test" Return
press "$soltest" alt+o         # and a dialog cancelled
dialog=$(wait_window "Open Solubility Test")
press "$dialog" Escape
dismiss "Open Solubility Test" Escape
python3 "$here/close_window.py" "$soltest"
sleep 0.3
python3 "$here/close_window.py" "$main"

expect_exit "$app" 0
app=""
echo "ok: the close box ended the program with status 0"
[ ! -e "$work/dbus-launch-was-run" ] || fail "the program started dbus-launch: $(cat "$work/dbus-launch-was-run")"

# --- what changed ---------------------------------------------------------------
snapshot >"$work/after"
if ! diff -u "$work/before" "$work/after"; then fail "the program changed the folders above"; fi
echo "ok: HOME, the XDG folders, TMPDIR and the current folder are unchanged"

[ ${#tracer[@]} -gt 0 ] || { echo "all passed (folders only)"; exit 0; }

# Successful calls that make, change or remove a file. Opening for writing is
# one only for real files: /dev/null, ttys and /proc are not files kept.
python3 - "$work/trace" "$saved" <<'EOF' || fail "the program or a process it started wrote files"
import os, re, sys
writes = []
for name in sorted(os.listdir(sys.argv[1])):
    for line in open(os.path.join(sys.argv[1], name), errors="replace"):
        line = line.rstrip("\n")
        m = re.match(r'^(\w+)\((.*)\)\s+=\s+(-?\d+)', line)
        if not m or int(m.group(3)) < 0:
            continue
        call, args = m.group(1), m.group(2)
        path = re.search(r'"([^"]*)"', args)
        path = path.group(1) if path else ""
        if call in ("open", "openat", "creat"):
            flags = args.split(", ")
            wants_write = call == "creat" or any(f for f in flags if re.search(r'O_(WRONLY|RDWR|CREAT|TRUNC|APPEND)', f))
            if not wants_write or re.match(r'^/(dev|proc|sys)/', path):
                continue
        elif call == "bind":
            # Only a socket with a path is a file; abstract ones start with @.
            sun = re.search(r'sun_path="([^"]*)"', args)
            if not sun:
                continue
            path = sun.group(1)
        # The file the user chose to save to, with the temporary file it is
        # written through before it takes that name, in the folder chosen.
        chosen = os.path.dirname(sys.argv[2])
        if any(p == chosen or p.startswith(chosen + "/") for p in re.findall(r'"([^"]*)"', args)):
            continue
        writes.append(f"{name}: {line}")
for w in writes:
    print(w)
sys.exit(1 if writes else 0)
EOF
echo "ok: strace saw no file made, changed or removed by the program or its children"
echo "all passed"
