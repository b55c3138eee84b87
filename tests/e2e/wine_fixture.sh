#!/usr/bin/env bash
# The Wine environment that the end-to-end tests of one build dir share: an Xvfb
# display of its own and the prefix <build>/wineprefix with a persistent
# wineserver, set up and cleaned up around the tests; each test program runs in it.
# The state lives in <build>/e2e-wine.env.
# Where the programs of the build are 32-bit and Wine cannot run them here (the
# kernel runs no 32-bit programs, Wine's 32-bit part is not installed, or
# SNIP_TEST_NO_32BIT=1), every step says why and exits with $SKIP_STATUS, which
# ctest reports as skipped.
# Usage: wine_fixture.sh setup <build dir> <bits of the build's programs: 32|64>
#        wine_fixture.sh cleanup <build dir>
#        wine_fixture.sh run <build dir> <program.exe> [args...]
set -euo pipefail

action=$1
build_dir=$(cd "$2" && pwd)
shift 2
state_file=$build_dir/e2e-wine.env
log=$build_dir/e2e-wine.log
export WINEPREFIX=$build_dir/wineprefix
# The tests' SKIP_RETURN_CODE (cmake/wine_tests.cmake).
SKIP_STATUS=77

# shellcheck source=tests/e2e/wine_env.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine_env.sh"
# The same ANSI code page (1252) whatever the caller's locale.
export LC_ALL=C.UTF-8

skip() {
    echo "skipped: $1"
    exit "$SKIP_STATUS"
}

cleanup() {
    if [[ -f $state_file ]]; then
        # shellcheck source=/dev/null
        source "$state_file"
        if [[ -n ${SKIP_REASON:-} ]]; then
            rm -f "$state_file"
            skip "$SKIP_REASON"
        fi
        if [[ -d $WINEPREFIX ]]; then
            wineserver -k >>"$log" 2>&1 || true
            wineserver -w >>"$log" 2>&1 || true
        fi
        if runs_command "$XVFB_PID" "^Xvfb $DISPLAY "; then
            stop_pid "$XVFB_PID"
        fi
        rm -f "$state_file"
    fi
}

setup() {
    local bits=$1
    # Left over from an interrupted run.
    (cleanup) >/dev/null || true
    : >"$log"
    choose_wine_loader 2>>"$log" || {
        cat "$log" >&2
        exit 1
    }
    if [[ $bits == 32 ]] && ((!WINE_RUNS_32BIT)); then
        printf 'SKIP_REASON=%q\n' "$NO_32BIT_REASON" >"$state_file"
        skip "$NO_32BIT_REASON"
    fi
    start_xvfb "$log"
    export DISPLAY=$XVFB_DISPLAY
    {
        echo "DISPLAY=$XVFB_DISPLAY"
        echo "XVFB_PID=$XVFB_PID"
        echo "WINEPREFIX=$WINEPREFIX"
        echo "WINE_LOADER=$WINE_LOADER"
    } >"$state_file"
    # A case that changed the DPI and died would leave it behind: start from 96.
    if ! prepare_prefix "$log" N ||
        ! "$WINE_LOADER" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f \
            >>"$log" 2>&1 </dev/null; then
        echo "could not prepare the Wine prefix $WINEPREFIX; log:" >&2
        cat "$log" >&2
        cleanup
        exit 1
    fi
    # Keep the server up between cases: each case then starts in a fraction of a second.
    wineserver -w >>"$log" 2>&1 || true
    wineserver -p >>"$log" 2>&1 </dev/null
    echo "Wine ready: $WINE_LOADER, DISPLAY=$XVFB_DISPLAY (Xvfb $XVFB_PID), WINEPREFIX=$WINEPREFIX"
}

run() {
    if [[ ! -f $state_file ]]; then
        echo "wine_fixture: no Wine fixture state in $state_file (did wine_setup run?)" >&2
        exit 1
    fi
    # shellcheck source=/dev/null
    source "$state_file"
    [[ -z ${SKIP_REASON:-} ]] || skip "$SKIP_REASON"
    use_wine_loader "$WINE_LOADER"
    export DISPLAY E2E_WORK_DIR=$build_dir/e2e-work
    mkdir -p "$E2E_WORK_DIR"
    # Wine may start helper processes (services, explorer) that outlive the program
    # and keep its stdout open: ctest would wait for them. They get a file instead.
    local output status=0
    output=$(mktemp "$E2E_WORK_DIR/output.XXXXXX")
    "$WINE_LOADER" "$@" >"$output" 2>&1 </dev/null || status=$?
    cat "$output"
    rm -f "$output"
    if ((status == SKIP_STATUS)); then
        # Only a machine that cannot run the program skips it.
        echo "the program exited with $status: a failure, not a skip"
        status=1
    fi
    exit "$status"
}

case $action in
setup) setup "$@" ;;
cleanup) cleanup ;;
run) run "$@" ;;
*)
    echo "usage: $0 setup <build dir> 32|64 | cleanup <build dir> | run <build dir> <program> [args...]" >&2
    exit 2
    ;;
esac
