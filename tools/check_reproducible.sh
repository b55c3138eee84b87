#!/usr/bin/env bash
# Builds the release of each preset twice, from two copies of the source in two
# folders, and fails unless both give the same bytes: every program that
# SHA256SUMS lists, SHA256SUMS itself and the package (zip). The folders' paths
# differ in length, so a path that found its way into a program would change
# bytes and not just move them. The copies hold the files of the working tree
# that git tracks or would add, so uncommitted changes are checked too; the
# builds and logs are in build/reproducible, which is removed when all is well.
# Usage: tools/check_reproducible.sh [preset...]   (default: win32 win64)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$(pwd)

presets=("$@")
((${#presets[@]})) || presets=(win32 win64)

work=$root/build/reproducible
copies=("$work/a" "$work/the-same-source-in-another-folder")

# The copies are no git checkouts, so the package cannot take its file times from
# the commit by itself (packaging/cpack_project_config.cmake): cpack is given that
# time. Only cpack: the linker would take SOURCE_DATE_EPOCH for the PE time stamp
# and so hide a build that stamps the time of the link.
package_time=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
unset SOURCE_DATE_EPOCH

copy_source() { # copy_source <folder>
    local files=() file
    while IFS= read -r -d '' file; do
        # A tracked file deleted in the working tree is not part of it.
        if [[ -e $file || -L $file ]]; then
            files+=("$file")
        fi
    done < <(git ls-files -z --cached --others --exclude-standard)
    mkdir -p "$1"
    printf '%s\0' "${files[@]}" | tar --null -T - -cf - | tar -xf - -C "$1"
}

# Only what ships: the package target would build every test program first, so
# the zip is made by cpack from the programs and sums already built.
build_release() { # build_release <copy> <preset>
    local copy=$1 preset=$2 log=$1-$2.log
    if ! (
        cd "$copy" &&
            cmake --preset "$preset" -DWARNINGS_AS_ERRORS=ON \
                -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON &&
            cmake --build --preset "$preset" -j2 --target sha256sums &&
            cd "build/$preset" && SOURCE_DATE_EPOCH=$package_time cpack
    ) >"$log" 2>&1; then
        tail -n 40 "$log"
        echo "The build of $preset in $copy failed; its log: $log"
        return 1
    fi
}

compare_release() { # compare_release <preset>
    local preset=$1 first=${copies[0]}/build/$1 second=${copies[1]}/build/$1
    local files=(bin/SHA256SUMS) name status=0
    [[ -f $first/bin/SHA256SUMS ]] || {
        echo "$preset: no bin/SHA256SUMS"
        return 1
    }
    while read -r _ name; do
        files+=("bin/$name")
    done <"$first/bin/SHA256SUMS"
    for name in "$first"/snip-*.zip; do
        files+=("${name#"$first"/}")
    done
    for name in "${files[@]}"; do
        if cmp "$first/$name" "$second/$name"; then
            printf '%s: same bytes: %s (%s bytes)\n' "$preset" "$name" "$(stat -c %s "$first/$name")"
        else
            status=1
        fi
    done
    # The sums also have to be those of the programs.
    (cd "$first/bin" && sha256sum --strict --quiet -c SHA256SUMS) || status=1
    return "$status"
}

rm -rf "$work"
for copy in "${copies[@]}"; do
    copy_source "$copy"
done

failed=0
for preset in "${presets[@]}"; do
    echo "=== $preset: two builds"
    if build_release "${copies[0]}" "$preset" && build_release "${copies[1]}" "$preset"; then
        compare_release "$preset" || failed=1
        cat "${copies[0]}/build/$preset/bin/SHA256SUMS"
    else
        failed=1
    fi
done

if ((failed)); then
    echo "Not reproducible, or not built; the builds are kept in $work"
    exit 1
fi
rm -rf "$work"
echo "Both builds of ${presets[*]} gave the same bytes."
