#!/usr/bin/env bash
# Builds the release of each preset twice, from two copies of the source in two
# folders, signed with a throwaway certificate made for the run
# (tools/make_test_certificate.sh), and fails unless both give the same bytes:
# every program that SHA256SUMS lists, SHA256SUMS itself, the signed programs and
# their sums, and the package (zip). The folders' paths differ in length, so a
# path that found its way into a program would change bytes and not just move
# them. In the first copy it also runs the release checks of ctest (the
# signatures verify, fail with one byte changed, and come off leaving the bytes
# of SHA256SUMS.unsigned), checks that the zip holds the signed programs and both
# sums, that the password is in no file of the build, and, when both presets are
# built, makes the winget and Scoop manifests of the two zips and checks them.
# The copies hold the files of the working tree that git tracks or would add, so
# uncommitted changes are checked too; the builds and logs are in
# build/reproducible, which is removed when all is well.
# Usage: tools/check_reproducible.sh [preset...]   (default: win32 win64)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$(pwd)

presets=("$@")
((${#presets[@]})) || presets=(win32 win64)

work=$root/build/reproducible
copies=("$work/a" "$work/the-same-source-in-another-folder")

# The copies are no git checkouts, so neither the package nor the signatures can
# take their times from the commit by themselves (packaging/cpack_project_config.cmake,
# packaging/sign_programs.cmake): cpack and the signing are given that time. Only
# they: the linker would take SOURCE_DATE_EPOCH for the PE time stamp and so hide
# a build that stamps the time of the link.
package_time=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
unset SOURCE_DATE_EPOCH

# The throwaway certificate's password, in the environment only, as for a real one.
CODE_SIGNING_PASSWORD=$(openssl rand -hex 16)
export CODE_SIGNING_PASSWORD
certificate=$work/certificate

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
# the zip is made by cpack from the programs and sums already built. The programs
# are linked without SOURCE_DATE_EPOCH, then signed at the package's time.
build_release() { # build_release <copy> <preset>
    local copy=$1 preset=$2 log=$1-$2.log
    if ! (
        cd "$copy" &&
            cmake --preset "$preset" -DWARNINGS_AS_ERRORS=ON \
                -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
                -DCODE_SIGNING_PKCS12="$certificate/signer.p12" \
                -DCODE_SIGNING_CAFILE="$certificate/root.pem" &&
            cmake --build --preset "$preset" -j2 --target sha256sums &&
            SOURCE_DATE_EPOCH=$package_time cmake --build --preset "$preset" --target signed_programs &&
            cd "build/$preset" && SOURCE_DATE_EPOCH=$package_time cpack
    ) >"$log" 2>&1; then
        tail -n 40 "$log"
        echo "The build of $preset in $copy failed; its log: $log"
        return 1
    fi
}

# The release checks of ctest, and what the zip holds.
check_release() { # check_release <preset>
    local build=${copies[0]}/build/$1 unpacked=$work/unpacked-$1 name status=0
    (cd "${copies[0]}" && ctest --preset "$1" -R '^release\.') || status=1
    rm -rf "$unpacked"
    mkdir -p "$unpacked"
    (cd "$unpacked" && cmake -E tar xf "$build"/snip-*.zip) || return 1
    cmp "$build/signed/SHA256SUMS" "$unpacked/SHA256SUMS" || status=1
    cmp "$build/bin/SHA256SUMS" "$unpacked/SHA256SUMS.unsigned" || status=1
    while read -r _ name; do
        cmp "$build/signed/$name" "$unpacked/$name" || status=1
    done <"$build/signed/SHA256SUMS"
    ((status)) || echo "$1: the zip holds the signed programs, SHA256SUMS and SHA256SUMS.unsigned"
    if grep -rlF "$CODE_SIGNING_PASSWORD" "$build" "${copies[0]}-$1.log"; then
        echo "$1: the password of the certificate is in the files above"
        status=1
    fi
    return "$status"
}

compare_release() { # compare_release <preset>
    local preset=$1 first=${copies[0]}/build/$1 second=${copies[1]}/build/$1
    local files=(bin/SHA256SUMS signed/SHA256SUMS) name status=0
    [[ -f $first/bin/SHA256SUMS ]] || {
        echo "$preset: no bin/SHA256SUMS"
        return 1
    }
    while read -r _ name; do
        files+=("bin/$name" "signed/$name")
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
tools/make_test_certificate.sh "$certificate" >/dev/null

failed=0
for preset in "${presets[@]}"; do
    echo "=== $preset: two builds"
    if build_release "${copies[0]}" "$preset" && build_release "${copies[1]}" "$preset"; then
        compare_release "$preset" || failed=1
        check_release "$preset" || failed=1
        cat "${copies[0]}/build/$preset/bin/SHA256SUMS"
    else
        failed=1
    fi
done

# The manifests of the two zips, checked against the schemas beside this source.
if [[ " ${presets[*]} " == *" win32 "* && " ${presets[*]} " == *" win64 "* ]]; then
    echo "=== manifests of the two zips"
    zips=("${copies[0]}"/build/win32/snip-*-win32.zip "${copies[0]}"/build/win64/snip-*-win64.zip)
    if tools/make_manifests.sh --no-check --out "$work/manifests" "${zips[@]}"; then
        /usr/bin/python3 tools/check_manifests.py --schemas "$root/../shared/schemas" \
            "$work/manifests" "${zips[@]}" || (($? == 77)) || failed=1
    else
        failed=1
    fi
fi

if ((failed)); then
    echo "Not reproducible, not built or not signed as it should be; the builds are kept in $work"
    exit 1
fi
rm -rf "$work"
echo "Both builds of ${presets[*]} gave the same bytes, signed and unsigned."
