#!/usr/bin/env bash
# Set-up and clean-up of the Wine environment that the end-to-end tests of one
# build dir share: an Xvfb display of its own and the prefix <build>/wineprefix with
# a persistent wineserver. The state lives in <build>/e2e-wine.env.
# Usage: wine_fixture.sh setup|cleanup <build dir>
set -euo pipefail

action=$1
build_dir=$(cd "$2" && pwd)
state_file=$build_dir/e2e-wine.env
log=$build_dir/e2e-wine.log
export WINEPREFIX=$build_dir/wineprefix

# shellcheck source=tests/e2e/wine_env.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine_env.sh"
export LC_ALL=C.UTF-8

cleanup() {
    if [[ -f $state_file ]]; then
        # shellcheck source=/dev/null
        source "$state_file"
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
    # Left over from an interrupted run.
    cleanup
    : >"$log"
    start_xvfb "$log"
    export DISPLAY=$XVFB_DISPLAY
    {
        echo "DISPLAY=$XVFB_DISPLAY"
        echo "XVFB_PID=$XVFB_PID"
        echo "WINEPREFIX=$WINEPREFIX"
    } >"$state_file"
    # A case that changed the DPI and died would leave it behind: start from 96.
    if ! prepare_prefix "$log" N ||
        ! wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f \
            >>"$log" 2>&1 </dev/null; then
        echo "could not prepare the Wine prefix $WINEPREFIX; log:" >&2
        cat "$log" >&2
        cleanup
        exit 1
    fi
    # Keep the server up between cases: each case then starts in a fraction of a second.
    wineserver -w >>"$log" 2>&1 || true
    wineserver -p >>"$log" 2>&1 </dev/null
    echo "Wine ready: DISPLAY=$XVFB_DISPLAY (Xvfb $XVFB_PID), WINEPREFIX=$WINEPREFIX"
}

case $action in
setup) setup ;;
cleanup) cleanup ;;
*)
    echo "usage: $0 setup|cleanup <build dir>" >&2
    exit 2
    ;;
esac
