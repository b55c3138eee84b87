#!/usr/bin/env bash
# Builds every preset (native, native-asan, win32, win64) with warnings as errors, runs
# all their tests (unit tests natively, also under AddressSanitizer and
# UndefinedBehaviorSanitizer, end-to-end tests under Wine on a private Xvfb), runs
# each libFuzzer target for a fixed number of runs (native-asan builds them), checks
# the formatting and the links of README.md and docs/ (tools/check_doc_links.py)
# and, with native, runs clang-tidy (.clang-tidy), prints a summary with each
# step's time and fails when anything failed. docs/testing.md tells more.
# Given preset names, it does only those (./test.sh native: the quick loop).
# With --check-reproducible (CI passes it) it also builds the release of win32 and
# win64 twice in two folders, signed with a throwaway certificate, compares the
# bytes and checks the signatures, the zips and their manifests
# (tools/check_reproducible.sh), which takes about a minute and a half more.
# Usage: ./test.sh [--check-reproducible] [native|native-asan|win32|win64 ...]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"

usage() {
    echo "usage: $0 [--check-reproducible] [native|native-asan|win32|win64 ...]" >&2
    exit 2
}
check_reproducible=0
presets=()
for argument in "$@"; do
    case $argument in
    --check-reproducible) check_reproducible=1 ;;
    native | native-asan | win32 | win64) presets+=("$argument") ;;
    *) usage ;;
    esac
done
((${#presets[@]})) || presets=(native native-asan win32 win64)

# shellcheck source=.ci/install-dependencies.sh
source .ci/install-dependencies.sh
# Wine's 32-bit part only for the win32 preset's end-to-end tests; optional.
if [[ " ${presets[*]} " == *" win32 "* ]]; then
    install_dependencies --with-32bit-wine
else
    install_dependencies
fi

declare -a summary=()
failed=0

record() { # record <what> <status>
    if (($2 == 0)); then
        summary+=("PASS  $1")
    else
        summary+=("FAIL  $1")
        failed=1
    fi
}

run_step() { # run_step <what> <command...>: runs it, records the outcome and time, never stops
    local what=$1 status=0 start=$SECONDS
    shift
    echo
    echo "=== $what"
    "$@" || status=$?
    record "$what ($((SECONDS - start)) s)" "$status"
    return "$status"
}

check_format() {
    local files=()
    mapfile -d '' files < <(find . \( -path ./build -o -path ./.git \) -prune -o \
        -type f \( -name '*.h' -o -name '*.cpp' \) -print0 | sort -z)
    clang-format --dry-run --Werror "${files[@]}"
}

run_step "format (clang-format)" check_format || true

# The checker's own tests, then every relative link and #anchor of README.md and docs/.
check_doc_links() {
    python3 tools/check_doc_links_test.py && python3 tools/check_doc_links.py
}

run_step "docs (relative links)" check_doc_links || true
run_step "tools: the skip summary's tests" python3 tools/skipped_tests_test.py || true

# ctest for one preset, its output kept in the build dir for the summary; then each
# test that it skipped, with the reason the test gave (tools/skipped_tests.py).
run_tests() { # run_tests <preset>
    local build=build/$1 status
    ctest --preset "$1" 2>&1 | tee "$build/ctest-output.txt"
    status=${PIPESTATUS[0]}
    python3 tools/skipped_tests.py "$build/ctest-output.txt" \
        "$build/Testing/Temporary/LastTest.log" | sed 's/^/Skipped: /'
    return "$status"
}

# Summary lines for the tests of preset $1 that ctest skipped, one per reason.
note_skipped() { # note_skipped <preset>
    local build=build/$1 line
    while IFS= read -r line; do
        summary+=("$line")
    done < <(python3 tools/skipped_tests.py "$build/ctest-output.txt" \
        "$build/Testing/Temporary/LastTest.log" --summary "$1")
}

# The signed-index end-to-end cases publish their sites with the native snipindex,
# which the native preset builds first when it is asked for too.
build_snipindex() {
    cmake --preset native -DWARNINGS_AS_ERRORS=ON >/dev/null &&
        cmake --build --preset native -j2 --target snipindex
}
if [[ " ${presets[*]} " != *" native "* && " ${presets[*]} " == *" win"* ]]; then
    run_step "native: snipindex for the end-to-end tests" build_snipindex || true
fi

for preset in "${presets[@]}"; do
    if run_step "$preset: configure" cmake --preset "$preset" -DWARNINGS_AS_ERRORS=ON &&
        run_step "$preset: build" cmake --build --preset "$preset" -j2; then
        run_step "$preset: tests" run_tests "$preset" || true
        note_skipped "$preset"
        if [[ $preset == native-asan ]]; then
            # Each fuzz target for a fixed number of runs from its seeds (tools/fuzz.sh).
            for target in $(tools/fuzz.sh --list); do
                run_step "native-asan: fuzz $target" tools/fuzz.sh --ci "$target" || true
            done
        fi
    else
        summary+=("SKIP  $preset: tests (not built)")
    fi
done

if [[ " ${presets[*]} " == *" native "* ]]; then
    run_step "clang-tidy (native sources)" tools/clang_tidy.sh || true
fi

if ((check_reproducible)); then
    run_step "release: signed, same bytes from two folders, manifests" tools/check_reproducible.sh || true
fi

echo
echo "=== Summary"
printf '%s\n' "${summary[@]}"
if ((failed)); then
    echo "Some steps failed."
    exit 1
fi
echo "Everything passed."
