# An X session of the test's own, for scripts that drive the real binary.
# Sourced; the script sets `work` (a temporary folder) first, and kills
# "$xvfb" when it ends. `fail` may be defined before or after.

# Xvfb picks a free display itself and writes its number: a display chosen at
# random could be taken by another test running at the same time. -noreset
# keeps it from resetting when its last client leaves, which on a busy machine
# the next program could hit.
start_x() {
    Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
    xvfb=$!
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
    [ -s "$work/display" ] || fail "Xvfb did not start"
    export DISPLAY=":$(head -n1 "$work/display")"
    wait_for_x
}

wait_for_x() {  # until the server answers
    for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && return 0; sleep 0.1; done
    fail "the X server does not answer"
}

# How long (in tenths of a second) to wait for a window or for the program to
# end; a script may set it higher before sourcing this.
wait_tries=${wait_tries:-100}

# Prints the id of the shown window whose whole title matches the extended
# regular expression; fails after wait_tries tenths of a second.
wait_window() {
    local id
    for _ in $(seq "$wait_tries"); do
        id=$(xdotool search --onlyvisible --name "^($1)\$" 2>/dev/null | head -n1) && [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    fail "window '$1' never appeared"
}

# After a key that closes a dialog: waits until no window of that title is
# shown, pressing the key again if one still is after three seconds. A file
# dialog's completion list can take the first Return or Escape, and under the
# sanitizers the list may still be up when the key comes.
dismiss() {  # title, key
    local id
    for _ in 1 2 3 4 5; do
        for _ in $(seq 30); do
            xdotool search --onlyvisible --name "^($1)\$" >/dev/null 2>&1 || return 0
            sleep 0.1
        done
        id=$(xdotool search --onlyvisible --name "^($1)\$" 2>/dev/null | tail -n1)
        [ -n "$id" ] && press "$id" "$2"
    done
    fail "window '$1' never closed"
}

press() {  # window id, keys...
    local id="$1"; shift
    xdotool windowactivate --sync "$id" 2>/dev/null || xdotool windowfocus --sync "$id" 2>/dev/null || true
    xdotool key --clearmodifiers "$@"
}

# Waits (wait_tries tenths of a second at most) for process $1 to end and
# checks its exit status is $2.
expect_exit() {
    local rc=0
    for _ in $(seq "$wait_tries"); do kill -0 "$1" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$1" 2>/dev/null; then kill "$1"; fail "the program did not end"; fi
    wait "$1" || rc=$?
    [ "$rc" -eq "$2" ] || fail "the program ended with status $rc, expected $2"
}

# A failure with what was on the screen: the windows shown and, when
# KEEP_FAILED_RUN names a path, a picture of the screen and the test's folder
# kept there. Scripts use it as their `fail`.
fail_showing_windows() {
    echo "FAIL: $*" >&2
    echo "windows shown: $(xdotool search --onlyvisible --name . getwindowname %@ 2>/dev/null | tr '\n' '|')" >&2
    if [ -n "${KEEP_FAILED_RUN:-}" ]; then
        command -v xwd >/dev/null && xwd -root -silent >"$KEEP_FAILED_RUN.xwd"
        rm -rf "$KEEP_FAILED_RUN.d"; cp -r "$work" "$KEEP_FAILED_RUN.d" 2>/dev/null
    fi
    exit 1
}
