# Shell functions shared by the Wine test fixture, run.sh and the benchmark: the
# Wine loader that works here, a private virtual X display and a Wine prefix inside
# the build tree. Source it; it sets no options.

# Wine settings for every command run from here.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml="

# Where 32-bit Linux programs cannot start, Wine's 32-bit loader cannot either, and
# a `wine` command that goes through it fails for every program, 64-bit ones too;
# the 64-bit loader then runs the 64-bit programs on its own.
WINE64_LOADER=/usr/lib/wine/wine64
WINE32_LOADER=/usr/lib/wine/wine
NO_32BIT_REASON="this machine cannot run 32-bit programs"

# Chooses the command that starts Windows programs here, once, by running the
# loaders: sets WINE_LOADER (use it for every Windows program, wineboot and reg
# included) and WINE_RUNS_32BIT (1 or 0). With SNIP_TEST_NO_32BIT=1 the answer is
# "no 32-bit" whatever the machine can do, so that path can be tried anywhere.
choose_wine_loader() {
    local forced_64bit=0
    [[ ${SNIP_TEST_NO_32BIT:-} == 1 ]] && forced_64bit=1
    WINE_RUNS_32BIT=0
    if ((!forced_64bit)) && wine --version >/dev/null 2>&1; then
        WINE_LOADER=wine
        "$WINE32_LOADER" --version >/dev/null 2>&1 && WINE_RUNS_32BIT=1
    elif "$WINE64_LOADER" --version >/dev/null 2>&1; then
        WINE_LOADER=$WINE64_LOADER
    else
        echo "no Wine loader starts here: neither wine nor $WINE64_LOADER runs" >&2
        return 1
    fi
    use_wine_loader "$WINE_LOADER"
}

# Takes a loader chosen before (a state file keeps it): a program that Wine starts
# from a Windows program goes through WINELOADER, which must then be the same one.
use_wine_loader() {
    WINE_LOADER=$1
    if [[ $WINE_LOADER == "$WINE64_LOADER" ]]; then
        export WINELOADER=$WINE64_LOADER
    fi
}

# Starts Xvfb on a display no one else uses. Sets XVFB_PID and XVFB_DISPLAY.
# The server's output goes to $1 (a log file); it is detached from our stdio so a
# caller that waits for our pipes to close (ctest) is not held up by it.
start_xvfb() {
    local log=$1 n first tries
    first=$((100 + RANDOM % 400))
    for ((tries = 0; tries < 50; tries++)); do
        n=$((first + tries))
        # A lock file or socket means the display belongs to someone else.
        [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
        setsid Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >>"$log" 2>&1 </dev/null &
        XVFB_PID=$!
        XVFB_DISPLAY=":$n"
        if wait_for_display "$XVFB_DISPLAY" "$XVFB_PID"; then
            return 0
        fi
        # Lost a race for this display, or the server failed: try the next one.
        stop_pid "$XVFB_PID"
    done
    echo "could not start Xvfb on a free display (see $log)" >&2
    return 1
}

# Waits up to 10 s until the X server of display $1 (process $2) answers.
wait_for_display() {
    local display=$1 pid=$2 i
    for ((i = 0; i < 100; i++)); do
        kill -0 "$pid" 2>/dev/null || return 1
        if xdpyinfo -display "$display" >/dev/null 2>&1; then
            # The answer must come from our server: its lock file names our PID.
            local lock=/tmp/.X${display#:}-lock
            [[ -f $lock && $(tr -d ' \n' <"$lock") == "$pid" ]] && return 0
            return 1
        fi
        sleep 0.1
    done
    return 1
}

# True while process $1 runs; a zombie (ended, not yet reaped by whoever inherited
# it from the shell that started it) does not count.
running() {
    local state
    state=$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null) || return 1
    [[ -n $state && $state != Z ]]
}

# Ends process $1 if it still runs, waiting up to 5 s, then kills it.
stop_pid() {
    local pid=$1 i
    running "$pid" || return 0
    kill "$pid" 2>/dev/null || true
    for ((i = 0; i < 50; i++)); do
        running "$pid" || return 0
        sleep 0.1
    done
    kill -9 "$pid" 2>/dev/null || true
}

# True when process $1 runs the command line $2 (a grep pattern): guards against
# ending a process that reused a PID from a stale state file.
runs_command() {
    [[ -r /proc/$1/cmdline ]] && tr '\0' ' ' <"/proc/$1/cmdline" | grep -q -- "$2"
}

# Makes the Wine prefix $WINEPREFIX with $WINE_LOADER when it is not complete yet. $1: a log file for
# Wine's output; $2: Y to let a window manager manage Wine's windows, N (no window
# manager, as on Xvfb) to avoid the 2 s stall when a window is hidden.
prepare_prefix() {
    local log=$1 managed=$2
    if [[ ! -f $WINEPREFIX/.prefix-ready ]]; then
        rm -rf "$WINEPREFIX"
        mkdir -p "$WINEPREFIX"
        "$WINE_LOADER" wineboot -i >>"$log" 2>&1 </dev/null
    fi
    "$WINE_LOADER" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "$managed" /f >>"$log" 2>&1 </dev/null
    touch "$WINEPREFIX/.prefix-ready"
}
