#!/usr/bin/env bash
# Builds a program (win64 preset) and starts it under Wine, in the prefix
# build/wineprefix-run. On the user's display when DISPLAY is set, otherwise on a
# private Xvfb. Waits for the program's window, saves a screenshot of it to
# build/screenshots/<program>.png, prints that path and ends the program (with
# --keep it stays up until the user closes it).
# Usage: ./run.sh snipforge|snipfetch [--keep]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
root=$(pwd)

usage() {
    echo "usage: $0 snipforge|snipfetch [--keep]" >&2
    exit 2
}
(($# >= 1)) || usage
program=$1
keep=0
case $program in
snipforge | snipfetch) ;;
*) usage ;;
esac
if (($# == 2)); then
    [[ $2 == --keep ]] || usage
    keep=1
fi
(($# <= 2)) || usage

# shellcheck source=.ci/install-dependencies.sh
source .ci/install-dependencies.sh
install_dependencies

cmake --preset win64
cmake --build --preset win64 -j2 --target "$program"
exe_dir=$root/build/win64/bin
[[ -f $exe_dir/$program.exe ]] || {
    echo "no $exe_dir/$program.exe after the build" >&2
    exit 1
}

# shellcheck source=tests/e2e/wine_env.sh
source tests/e2e/wine_env.sh
choose_wine_loader
export WINEPREFIX=$root/build/wineprefix-run
log=$root/build/run-$program.log
: >"$log"
screenshot_dir=$root/build/screenshots
mkdir -p "$screenshot_dir"

xvfb_pid=
program_pid=
finish() {
    if [[ -n $program_pid ]]; then
        stop_pid "$program_pid"
    fi
    # Only this prefix's server and its processes.
    wineserver -k >>"$log" 2>&1 || true
    wineserver -w >>"$log" 2>&1 || true
    if [[ -n $xvfb_pid ]]; then
        stop_pid "$xvfb_pid"
    fi
}
trap finish EXIT

if [[ -z ${DISPLAY:-} ]]; then
    start_xvfb "$log"
    xvfb_pid=$XVFB_PID
    export DISPLAY=$XVFB_DISPLAY
    echo "No DISPLAY: started Xvfb on $DISPLAY"
    managed=N
else
    managed=Y
fi
echo "Preparing the Wine prefix $WINEPREFIX (the first time takes a while)"
prepare_prefix "$log" "$managed"

# snipfetch keeps its Sniplets folder in the current directory, snipforge beside
# its program: both end up in the bin folder.
(cd "$exe_dir" && exec "$WINE_LOADER" "$exe_dir/$program.exe") >>"$log" 2>&1 </dev/null &
program_pid=$!

# The window: by title, the one of our process when the X server knows it.
window_id=
for ((i = 0; i < 300; i++)); do
    if ! kill -0 "$program_pid" 2>/dev/null; then
        echo "$program ended before its window came up; see $log" >&2
        exit 1
    fi
    window_id=$(xdotool search --onlyvisible --pid "$program_pid" --name "^$program\$" \
        2>/dev/null | head -n 1 || true)
    [[ -n $window_id ]] || window_id=$(xdotool search --onlyvisible --name "^$program\$" \
        2>/dev/null | head -n 1 || true)
    [[ -n $window_id ]] && break
    sleep 0.1
done
if [[ -z $window_id ]]; then
    echo "no window titled \"$program\" within 30 s; see $log" >&2
    exit 1
fi

# The window's place on the screen, then a grab of the root window cropped to it.
# Grab until two grabs in a row agree: the window has finished painting.
geometry() {
    xwininfo -id "$window_id" | awk '
        /Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
        /Width:/ {w = $NF} /Height:/ {h = $NF}
        END {printf "%dx%d+%d+%d", w, h, x, y}'
}
shot=$screenshot_dir/$program.png
previous=$screenshot_dir/.$program.previous.png
rm -f "$previous"
stable=0
for ((i = 0; i < 50; i++)); do
    import -window root -crop "$(geometry)" +repage "$shot"
    if [[ -f $previous ]] && [[ $(identify -format '%k' "$shot") -gt 1 ]] &&
        compare -metric AE "$shot" "$previous" null: >/dev/null 2>&1; then
        stable=1
        break
    fi
    cp "$shot" "$previous"
    sleep 0.1
done
rm -f "$previous"
((stable)) || echo "warning: the window was still changing; the screenshot may be incomplete" >&2
echo "$shot"

if ((keep)); then
    echo "$program is running; close its window to end it."
    wait "$program_pid" || true
    program_pid=
fi
