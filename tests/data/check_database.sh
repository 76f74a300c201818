#!/usr/bin/env bash
# The shipped solvent database must be exactly what scripts/make-database
# builds from resources/data-sources/, and must pass the independent checks.
# Usage: check_database.sh REPO_ROOT
set -euo pipefail

if [[ $# -ne 1 ]]; then
    echo "usage: $0 REPO_ROOT" >&2
    exit 2
fi
cd "$1"
python3 scripts/make-database --check
python3 tests/data/verify_database.py .
