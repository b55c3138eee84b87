#!/usr/bin/env bash
# Runs the libFuzzer targets of tests/fuzz, built by the native-asan preset (it
# configures and builds that preset first). One target at a time, one job.
#
#   tools/fuzz.sh [target|all] [seconds]   fuzz each target for that long (60 s
#       unless given). New inputs go to build/fuzz/corpus/<target>, which the
#       next run reads again, with the seeds in tests/fuzz/corpus/<target>.
#   tools/fuzz.sh --ci <target>            the fixed number of runs below, from
#       the seeds alone and with a fixed seed, so every run does the same (test.sh)
#   tools/fuzz.sh --list                   the targets' names
#
# A crash, a sanitizer finding or a broken property ends the target with an
# error and writes its input to build/fuzz/crash-<target>-<hash>; replay it with
# build/native-asan/bin/fuzz_<target> <that file>.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

# Runs per target for --ci: about 5 s each, within the time CI gives fuzzing.
declare -A ci_runs=(
    [catalogue]=80000 [utf8]=200000 [redirect]=100000 [sniplet_url]=80000
    [file_name]=250000 [content_length]=400000 [leftover_name]=400000
    [sniplet_file]=60000
    [sniplet_head]=200000
    [signed_index]=400000
)
bin=build/native-asan/bin
work=build/fuzz

targets() {
    local source
    for source in tests/fuzz/*_fuzz.cpp; do
        source=${source##*/}
        echo "${source%_fuzz.cpp}"
    done
}

usage() {
    echo "usage: $0 [target|all] [seconds] | --ci <target> | --list" >&2
    echo "targets: $(targets | tr '\n' ' ')" >&2
    exit 2
}

known() { targets | grep -qx -- "$1"; }

build() {
    [[ -f build/native-asan/CMakeCache.txt ]] || cmake --preset native-asan >/dev/null
    cmake --build --preset native-asan -j2 --target "${@/#/fuzz_}" >/dev/null
}

fuzz() { # fuzz <target> <libFuzzer options...>
    local target=$1
    shift
    mkdir -p "$work"
    "$bin/fuzz_$target" -max_len=4096 -artifact_prefix="$work/crash-$target-" "$@"
}

case ${1:-all} in
--list)
    targets
    ;;
--ci)
    (($# == 2)) && known "$2" || usage
    [[ -v ci_runs[$2] ]] || { echo "no --ci run count for $2 in $0" >&2; exit 2; }
    build "$2"
    scratch=$(mktemp -d)
    trap 'rm -rf "$scratch"' EXIT
    log=$work/ci-$2.log
    mkdir -p "$work"
    if ! fuzz "$2" -runs="${ci_runs[$2]}" -seed=1 "$scratch" "tests/fuzz/corpus/$2" >"$log" 2>&1; then
        tail -n 40 "$log"
        exit 1
    fi
    grep -E '^(#[0-9]+\s+DONE|Done )' "$log"
    ;;
*)
    chosen=${1:-all} seconds=${2:-60}
    [[ $seconds =~ ^[0-9]+$ ]] || usage
    if [[ $chosen == all ]]; then
        mapfile -t chosen < <(targets)
    else
        known "$chosen" || usage
        chosen=("$chosen")
    fi
    build "${chosen[@]}"
    for target in "${chosen[@]}"; do
        echo "=== fuzz_$target for $seconds s"
        mkdir -p "$work/corpus/$target"
        fuzz "$target" -max_total_time="$seconds" -print_final_stats=1 \
            "$work/corpus/$target" "tests/fuzz/corpus/$target"
    done
    ;;
esac
