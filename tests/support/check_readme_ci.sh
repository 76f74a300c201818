#!/usr/bin/env bash
# Fails when the README's test command and what CI runs drift apart.
set -euo pipefail
root="$1"
readme_cmd=$(grep -m1 -E '^\s*(sudo )?scripts/test\b' "$root/README.md" | sed -E 's/^\s*(sudo )?//; s/\s+$//') \
    || { echo "README.md gives no scripts/test command"; exit 1; }
ci_cmd=$(grep -v -E '^\s*(#|$|set |cd )' "$root/.ci/run" | sed -E 's/^\s+//; s/\s+$//')
if [ "$readme_cmd" != "$ci_cmd" ]; then
    echo "README test command: '$readme_cmd'"
    echo ".ci/run runs:        '$ci_cmd'"
    exit 1
fi
[ -x "$root/${readme_cmd%% *}" ] || { echo "$readme_cmd is not executable"; exit 1; }
echo "README and .ci/run both run: $readme_cmd"
