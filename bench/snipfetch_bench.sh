#!/usr/bin/env bash
# Benchmarks snipfetch under Wine and prints a table: Get List over catalogues of
# 1,000, 10,000 and 100,000 names, of 1,000,000 names against its floors (a bare
# listing of the folder and a bare fetch of the catalogue), Download of 1,000 files
# of 4 KiB one at a time against a bare loop with the same HTTP client and against
# curl, Download of 200 files from a server that waits 50 ms before each answer
# (side by side, and one at a time), the time from a row getting the focus to its
# tip against that server and the fetches a run through 100 rows starts, and the
# peak memory of the largest Get List and of a 100 MB download; and a build with
# the maker's key against the same without: Get List from the signed index,
# Download with the checks, the peak memory of a checked 100 MB download, Get List
# of 1,000,000 names from an index. Builds what it needs (build/bench, 64-bit),
# runs on a virtual display and in a Wine prefix of its own, and stops everything
# it started.
# Usage: bench/snipfetch_bench.sh [runs per measurement, default 5] [--only get-list|million|download|far|tip|signed]
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$root/build/bench
runs=${1:-5}
shift || true

cmake --preset win64 -B "$build" -DBUILD_BENCHMARKS=ON >/dev/null
cmake --build "$build" -j2 --target snipfetch_local snipfetch_local_one snipfetch_far \
    snipfetch_far_one snipfetch_bench bare_fetch_loop get_list_floors per_file_costs \
    snipfetch_signed_local index_costs >/dev/null
port=$(sed -n 's/^SNIPFETCH_E2E_PORT:STRING=//p' "$build/CMakeCache.txt")
far_port=$(sed -n 's/^SNIPFETCH_BENCH_FAR_PORT:STRING=//p' "$build/CMakeCache.txt")

# shellcheck source=tests/e2e/wine_env.sh
source "$root/tests/e2e/wine_env.sh"
choose_wine_loader
export WINE_LOADER
export WINEPREFIX=$build/wineprefix
work=$build/bench-work
log=$build/bench.log
: >"$log"
rm -rf "$work"
mkdir -p "$work/site"

server_pid=
far_server_pid=
cleanup() {
    [[ -n $server_pid ]] && stop_pid "$server_pid"
    [[ -n $far_server_pid ]] && stop_pid "$far_server_pid"
    if [[ -n ${XVFB_PID:-} ]]; then
        wineserver -k >>"$log" 2>&1 || true
        wineserver -w >>"$log" 2>&1 || true
        stop_pid "$XVFB_PID"
    fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

start_xvfb "$log"
export DISPLAY=$XVFB_DISPLAY
prepare_prefix "$log" N
# A server that stays up between runs: each start then takes a fraction of a second.
wineserver -w >>"$log" 2>&1 || true
wineserver -p >>"$log" 2>&1 </dev/null

# start_server <ready file> <port> [options]: the server's PID in $started_pid.
start_server() {
    local ready=$1 port=$2
    shift 2
    python3 "$root/tests/e2e/snipfetch/sniplet_server.py" --port "$port" --root "$work/site" \
        --ready-file "$ready" --no-log "$@" >>"$log" 2>&1 </dev/null &
    started_pid=$!
    for ((i = 0; i < 100; i++)); do
        [[ -s $ready ]] && return 0
        kill -0 "$started_pid" 2>/dev/null || { cat "$log" >&2; exit 1; }
        sleep 0.1
    done
    echo "the sniplet server on port $port did not start" >&2
    exit 1
}
start_server "$work/server.ready" "$port"
server_pid=$started_pid
# The same site, each answer 50 ms late.
start_server "$work/far-server.ready" "$far_port" --delay 0.05
far_server_pid=$started_pid

python3 "$root/bench/snipfetch_bench.py" --runs "$runs" --port "$port" --site "$work/site" \
    --work "$work" --program "$build/bin/snipfetch_local.exe" \
    --one-at-a-time "$build/bin/snipfetch_local_one.exe" --far "$build/bin/snipfetch_far.exe" \
    --far-one-at-a-time "$build/bin/snipfetch_far_one.exe" \
    --signed-program "$build/bin/snipfetch_signed_local.exe" \
    --index-key "$build/e2e-index-key/maker.pem" \
    --driver "$build/bin/snipfetch_bench.exe" --bare-loop "$build/bin/bare_fetch_loop.exe" \
    --floors "$build/bin/get_list_floors.exe" --index-costs "$build/bin/index_costs.exe" \
    --costs "$build/bin/per_file_costs.exe" "$@"
