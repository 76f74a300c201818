#!/usr/bin/env bash
# The real binary in a real X session (Xvfb), driven with the keyboard the way a
# user would: start, accept the terms, and check the exit status of each way out.
# Usage: run_binary_e2e.sh TARNWELL_BINARY SHIPPED_DATABASE
set -euo pipefail
binary="$1"
database="$2"
for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
# Xvfb picks a free display itself and writes its number: a display chosen at
# random could be taken by another test running at the same time.
Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
cleanup() { kill "$xvfb" 2>/dev/null || true; [ -n "${app:-}" ] && kill "$app" 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start"; exit 1; }
display=":$(head -n1 "$work/display")"
export DISPLAY="$display" QT_QPA_PLATFORM=xcb HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" \
       XDG_CACHE_HOME="$work/home/.cache"
mkdir -p "$work/home"
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done

wait_window() {  # title; fails after 10 s
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1) && [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    echo "window '$1' never appeared" >&2
    return 1
}
start() {  # folder; waits until the X server answers, as it may still be settling after the last program
    for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
    (cd "$1" && exec "$binary") &
    app=$!
}
finish() {  # expected exit status
    local rc=0
    for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$app" 2>/dev/null; then echo "program did not end"; kill "$app"; exit 1; fi
    wait "$app" || rc=$?
    app=""
    [ "$rc" -eq "$1" ] || { echo "exit status $rc, expected $1"; exit 1; }
}
press() {  # window id, keys...
    local id="$1"; shift
    xdotool windowactivate --sync "$id" 2>/dev/null || xdotool windowfocus --sync "$id"
    xdotool key --clearmodifiers "$@"
}

# 1. No database: accepting the terms shows the error, OK ends with a failure status.
mkdir "$work/empty"
start "$work/empty"
id=$(wait_window "Tarnwell")
press "$id" space
id=$(wait_window "Tarnwell Error")
press "$id" Return
finish 1
echo "ok: a missing database ends the program with status 1"

# 2. Exit on the startup screen (Tab, Tab to it from the acceptance button) ends with 0.
start "$work/empty"
id=$(wait_window "Tarnwell")
press "$id" Tab Tab space
finish 0
echo "ok: Exit ends the program with status 0"

# 3. With the shipped database the main screen opens.
mkdir "$work/shipped"
cp "$database" "$work/shipped/"
start "$work/shipped"
id=$(wait_window "Tarnwell")
press "$id" space
wait_window "Tarnwell - Main Form" >/dev/null
kill "$app"; wait "$app" 2>/dev/null || true; app=""
echo "ok: the main screen opens with the shipped database"
[ -z "$(find "$work/empty" "$work/shipped" -newer "$work/shipped/tarnwell database 1.0.txt" -type f)" ] \
    || { echo "the program wrote files into its folder"; exit 1; }
echo "3 passed, 0 failed"
