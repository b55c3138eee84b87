#!/usr/bin/env bash
# Runs one Windows test program under Wine, on the display and in the prefix that
# wine_fixture.sh set up for this build dir.
# Usage: run_wine_test.sh <build dir> <program.exe> [args...]
set -euo pipefail

build_dir=$1
shift
state_file=$build_dir/e2e-wine.env
if [[ ! -f $state_file ]]; then
    echo "run_wine_test: no Wine fixture state in $state_file (did wine_setup run?)" >&2
    exit 1
fi
# shellcheck source=/dev/null
source "$state_file"

# shellcheck source=tests/e2e/wine_env.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine_env.sh"
export WINEPREFIX DISPLAY
# The same ANSI code page (1252) whatever the caller's locale.
export LC_ALL=C.UTF-8
export E2E_WORK_DIR=$build_dir/e2e-work
mkdir -p "$E2E_WORK_DIR"

# Wine may start helper processes (services, explorer) that outlive the program
# and keep its stdout open: ctest would wait for them. They get a file instead.
output=$(mktemp "$E2E_WORK_DIR/output.XXXXXX")
status=0
wine "$@" >"$output" 2>&1 </dev/null || status=$?
cat "$output"
rm -f "$output"
exit "$status"
