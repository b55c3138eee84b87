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
WINE32_PACKAGE=wine32:i386

# shellcheck source=tests/e2e/kernel_32bit_probe.sh
source "$(dirname "${BASH_SOURCE[0]}")/kernel_32bit_probe.sh"

# Why Wine cannot run 32-bit programs here, from what was found:
#   no_32bit_reason <asked: 0|1> <kernel runs 32-bit: 0|1> <32-bit part installed: 0|1> <loader's error>
# Every reason that holds is told.
no_32bit_reason() {
    local asked=$1 kernel=$2 installed=$3 loader_error=$4 reasons=()
    if ((asked)); then
        echo "asked for by SNIP_TEST_NO_32BIT=1"
        return
    fi
    ((kernel)) || reasons+=("this machine's kernel runs no 32-bit programs")
    ((installed)) || reasons+=("Wine's 32-bit part is not installed (package $WINE32_PACKAGE)")
    if ((kernel && installed)); then
        reasons+=("Wine's 32-bit loader $WINE32_LOADER does not start${loader_error:+: $loader_error}")
    fi
    local IFS=';'
    echo "${reasons[*]}" | sed 's/;/; /g'
}

# Chooses the command that starts Windows programs here, once, by running the
# loaders: sets WINE_LOADER (use it for every Windows program, wineboot and reg
# included), WINE_RUNS_32BIT (1 or 0) and, when 0, NO_32BIT_REASON. With
# SNIP_TEST_NO_32BIT=1 the answer is "no 32-bit" whatever the machine can do, so
# that path can be tried anywhere.
choose_wine_loader() {
    local asked=0 kernel=1 installed=1 loader_error=
    [[ ${SNIP_TEST_NO_32BIT:-} == 1 ]] && asked=1
    WINE_RUNS_32BIT=0
    if ((!asked)); then
        if loader_error=$("$WINE32_LOADER" --version 2>&1 >/dev/null); then
            WINE_RUNS_32BIT=1
        else
            loader_error=$(echo "$loader_error" | head -n 1)
            kernel_runs_32bit_programs || kernel=0
            [[ -e $WINE32_LOADER ]] || installed=0
        fi
    fi
    if ((WINE_RUNS_32BIT)) && wine --version >/dev/null 2>&1; then
        WINE_LOADER=wine
    elif "$WINE64_LOADER" --version >/dev/null 2>&1; then
        ((WINE_RUNS_32BIT)) && loader_error="the command wine does not start"
        WINE_RUNS_32BIT=0
        WINE_LOADER=$WINE64_LOADER
    else
        echo "no Wine loader starts here: neither wine nor $WINE64_LOADER runs" >&2
        return 1
    fi
    NO_32BIT_REASON=
    ((WINE_RUNS_32BIT)) ||
        NO_32BIT_REASON=$(no_32bit_reason "$asked" "$kernel" "$installed" "$loader_error")
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
    install_marlett "$log"
    touch "$WINEPREFIX/.prefix-ready"
}

# Wine draws the glyphs of the caption buttons (close, minimize) and other small
# symbols with its Marlett font. Debian's Wine 8 looks for its own fonts in
# <data dir>/../fonts, that is /usr/share/fonts, while fonts-wine puts them in
# /usr/share/wine/fonts: Marlett is never found, and another font draws the
# close box as the letter "r". Wine also loads every font in the prefix's
# C:\windows\Fonts, so Marlett goes there. Only Marlett: the programs' own texts
# keep the fonts they had.
install_marlett() {
    local log=$1 font fonts_dir=$WINEPREFIX/drive_c/windows/Fonts
    for font in /usr/share/wine/fonts/marlett.ttf \
        "$(dirname "$(readlink -f "$WINE64_LOADER")")/../../share/wine/fonts/marlett.ttf"; do
        [[ -f $font ]] || continue
        mkdir -p "$fonts_dir"
        cmp -s "$font" "$fonts_dir/marlett.ttf" || cp "$font" "$fonts_dir/marlett.ttf"
        return 0
    done
    echo "warning: no marlett.ttf of Wine's (package fonts-wine): caption buttons show letters" |
        tee -a "$log" >&2
}
