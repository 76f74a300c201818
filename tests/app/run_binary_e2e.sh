#!/usr/bin/env bash
# The real binary in a real X session (Xvfb), driven with the keyboard the way a
# user would: start, accept the terms, and check the exit status of each way out;
# then every file of the database corpus, each as the program's database.
# Usage: run_binary_e2e.sh TARNWELL_BINARY SHIPPED_DATABASE [CORPUS_FOLDER]
set -euo pipefail
binary="$(realpath "$1")"
database="$(realpath "$2")"
corpus="${3:-}"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
for tool in Xvfb xdotool python3; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
app="" xvfb=""
cleanup() {
    for p in $app $xvfb; do kill "$p" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
source "$here/x_session.sh"
start_x
export QT_QPA_PLATFORM=xcb HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_CACHE_HOME="$work/home/.cache" \
       XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$work/home"
mkdir -m 0700 "$work/runtime"

start() {  # folder
    wait_for_x
    (cd "$1" && exec "$binary") &
    app=$!
}
finish() {  # expected exit status
    expect_exit "$app" "$1"
    app=""
}

# 1. No database: accepting the terms shows the error, OK ends with a failure status.
mkdir "$work/empty"
start "$work/empty"
press "$(wait_window "Tarnwell")" space
press "$(wait_window "Tarnwell Error")" Return
finish 1
echo "ok: a missing database ends the program with status 1"

# 2. Exit on the startup screen (three Tabs to it from the acceptance button) ends with 0.
start "$work/empty"
press "$(wait_window "Tarnwell")" Tab Tab Tab space
finish 0
echo "ok: Exit ends the program with status 0"

# 3. With the shipped database the main screen opens, and its close box ends the program.
mkdir "$work/shipped"
cp "$database" "$work/shipped/"
start "$work/shipped"
press "$(wait_window "Tarnwell")" space
python3 "$here/close_window.py" "$(wait_window "Tarnwell - Main Form")"
finish 0
echo "ok: the main screen opens with the shipped database, and its close box ends with 0"
[ -z "$(find "$work/empty" "$work/shipped" -newer "$work/shipped/tarnwell database 1.0.txt" -type f)" ] \
    || fail "the program wrote files into its folder"

# 4. Started from another folder, it finds the database beside the program.
mkdir -p "$work/program folder é"
cp "$binary" "$database" "$work/program folder é/"
binary_in_folder="$work/program folder é/$(basename "$binary")"
wait_for_x
(cd "$work/empty" && exec "$binary_in_folder") &
app=$!
press "$(wait_window "Tarnwell")" space
python3 "$here/close_window.py" "$(wait_window "Tarnwell - Main Form")"
finish 0
echo "ok: started from another folder, the program found the database beside itself"
passed=4

# 5. Every corpus file as the database: a damaged one gives one error message
#    and status 1, an odd but valid one opens the main screen.
if [ -n "$corpus" ]; then
    checked=0
    while read -r name outcome _; do
        case "$name" in ''|'#'*) continue ;; esac
        folder="$work/corpus-$checked"
        mkdir "$folder"
        cp "$corpus/$name" "$folder/tarnwell database 1.0.txt"
        start "$folder"
        press "$(wait_window "Tarnwell")" space
        if [ "$outcome" = fail ]; then
            press "$(wait_window "Tarnwell Error")" Return
            finish 1
            # One message only: the program has ended, no second box came.
        else
            python3 "$here/close_window.py" "$(wait_window "Tarnwell - Main Form")"
            finish 0
        fi
        checked=$((checked + 1))
    done <"$corpus/expected.txt"
    [ "$checked" -ge 30 ] || fail "only $checked corpus files were checked"
    echo "ok: $checked corpus files each gave their outcome through the real binary"
    passed=$((passed + 1))
fi
echo "$passed passed, 0 failed"
