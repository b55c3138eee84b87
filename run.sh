#!/usr/bin/env bash
# Builds a program (win64 preset) and starts it under Wine, in the prefix
# build/wineprefix-run. On the user's display when DISPLAY is set, otherwise on a
# private Xvfb. Waits for the program's window, shows what it is for (snipforge:
# the Example filled in; snipfetch: Get List pressed, two rows checked and the
# third focused, with its tip), saves a
# screenshot of it to build/screenshots/<program>.png, prints that path and ends
# the program (with --keep it stays up until the user closes it).
# snipfetch talks to a demo sniplet server on 127.0.0.1 that this script starts
# over demo/site and stops at the end; it keeps its Sniplets folder in build/demo,
# made afresh at each run. With --shipped it is the shipped build instead, which
# talks to the maker's server.
# Usage: ./run.sh snipforge|snipfetch [--keep] [--shipped]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
root=$(pwd)

usage() {
    echo "usage: $0 snipforge|snipfetch [--keep] [--shipped]" >&2
    exit 2
}
(($# >= 1)) || usage
program=$1
shift
keep=0 shipped=0
case $program in
snipforge | snipfetch) ;;
*) usage ;;
esac
for option in "$@"; do
    case $option in
    --keep) keep=1 ;;
    --shipped) shipped=1 ;;
    *) usage ;;
    esac
done
demo=0
[[ $program == snipfetch ]] && ((!shipped)) && demo=1

# shellcheck source=.ci/install-dependencies.sh
source .ci/install-dependencies.sh
install_dependencies

cmake --preset win64
targets=(show_the_job)
if ((demo)); then
    targets+=(snipfetch_demo)
else
    targets+=("$program")
fi
cmake --build --preset win64 -j2 --target "${targets[@]}"
bin=$root/build/win64/bin
exe=$bin/$program.exe
exe_dir=$bin
if ((demo)); then
    # The demo's snipfetch, started as snipfetch.exe in a folder of its own.
    exe_dir=$root/build/demo
    rm -rf "$exe_dir"
    mkdir -p "$exe_dir/Sniplets"
    cp "$bin/snipfetch_demo.exe" "$exe_dir/snipfetch.exe"
    exe=$exe_dir/snipfetch.exe
    # One of the catalogue's sniplets is here already, so the list shows the others.
    cp "demo/site/Sniplets/Messagebox window handle.snp" "$exe_dir/Sniplets/"
    demo_port=$(sed -n 's/^SNIPFETCH_DEMO_PORT:STRING=//p' build/win64/CMakeCache.txt)
fi
[[ -f $exe ]] || {
    echo "no $exe after the build" >&2
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
server_pid=
finish() {
    if [[ -n $program_pid ]]; then
        stop_pid "$program_pid"
    fi
    if [[ -n $server_pid ]]; then
        stop_pid "$server_pid"
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

if ((demo)); then
    ready=$root/build/demo-server.ready
    rm -f "$ready"
    python3 tests/e2e/snipfetch/sniplet_server.py --port "$demo_port" --root "$root/demo/site" \
        --ready-file "$ready" --no-log >>"$log" 2>&1 </dev/null &
    server_pid=$!
    for ((i = 0; i < 100; i++)); do
        [[ -s $ready ]] && break
        kill -0 "$server_pid" 2>/dev/null || break
        sleep 0.1
    done
    [[ -s $ready ]] || {
        echo "the demo sniplet server did not start on 127.0.0.1:$demo_port; see $log" >&2
        exit 1
    }
    echo "snipfetch talks to the demo server http://127.0.0.1:$demo_port/Sniplets/ (demo/site);" \
        "its Sniplets folder is build/demo/Sniplets"
elif [[ $program == snipfetch ]]; then
    echo "snipfetch talks to the maker's server, $(sed -n 's/^SNIPFETCH_HOST:STRING=//p' build/win64/CMakeCache.txt)"
fi

# snipfetch keeps its Sniplets folder in the current directory, snipforge beside
# its program.
(cd "$exe_dir" && exec "$WINE_LOADER" "$exe") >>"$log" 2>&1 </dev/null &
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

# What the program is for: the Example filled in, or the demo's list with two rows
# checked. The shipped snipfetch's server may be out of reach: its window is shown
# as it opens.
if ((demo)); then
    "$WINE_LOADER" "$bin/show_the_job.exe" --case=show.snipfetch --rows=2 >>"$log" 2>&1 </dev/null || {
        echo "Get List in the demo did not list the sniplets; see $log" >&2
        exit 1
    }
elif [[ $program == snipforge ]]; then
    "$WINE_LOADER" "$bin/show_the_job.exe" --case=show.snipforge >>"$log" 2>&1 </dev/null || {
        echo "could not press Example; see $log" >&2
        exit 1
    }
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
