# An X session of the test's own, for scripts that drive the real binary.
# Sourced; the script sets `work` (a temporary folder) and defines `fail`
# first, and kills "$xvfb" when it ends.

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

# Prints the id of the shown window whose whole title matches the extended
# regular expression; fails after 10 s.
wait_window() {
    local id
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --name "^($1)\$" 2>/dev/null | head -n1) && [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    fail "window '$1' never appeared"
}

press() {  # window id, keys...
    local id="$1"; shift
    xdotool windowactivate --sync "$id" 2>/dev/null || xdotool windowfocus --sync "$id" 2>/dev/null || true
    xdotool key --clearmodifiers "$@"
}

# Waits (10 s at most) for process $1 to end and checks its exit status is $2.
expect_exit() {
    local rc=0
    for _ in $(seq 100); do kill -0 "$1" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$1" 2>/dev/null; then kill "$1"; fail "the program did not end"; fi
    wait "$1" || rc=$?
    [ "$rc" -eq "$2" ] || fail "the program ended with status $rc, expected $2"
}
