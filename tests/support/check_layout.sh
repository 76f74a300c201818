#!/usr/bin/env bash
# Fails when the README's layout list and src/ drift apart, or when a product
# file under src/ is named as the tests are (`*_test.*`, `test_*`): tools and
# people take such a file for a test and leave it out.
set -euo pipefail
root="$1"
status=0

listed=$(sed -n '/^## Layout/,/^## /p' "$root/README.md" | grep -oE '^ +src/[a-z_]+/' | sed -E 's/^ +src\///; s/\/$//' | sort)
present=$(find "$root/src" -mindepth 1 -maxdepth 1 -type d -printf '%f\n' | sort)
if [ -z "$listed" ]; then
    echo "README.md lists no src/ folder under '## Layout'"
    status=1
elif [ "$listed" != "$present" ]; then
    echo "README.md's layout and src/ differ (< README, > src/):"
    diff <(echo "$listed") <(echo "$present") | grep '^[<>]' || true
    status=1
fi

testlike=$(find "$root/src" -type f \( -name '*_test.*' -o -name 'test_*' \) -printf '%P\n' | sort)
if [ -n "$testlike" ]; then
    echo "product files named like tests:"
    echo "$testlike"
    status=1
fi

[ "$status" -eq 0 ] && echo "README's layout lists the $(echo "$present" | wc -l) folders of src/; no product file is named like a test"
exit "$status"
