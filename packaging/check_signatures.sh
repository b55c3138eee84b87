#!/usr/bin/env bash
# Checks the signed programs of a build (ctest: release.signatures):
# - osslsigncode verifies each signature against the given roots and says
#   "Signature verification: ok" (its exit code alone has passed broken time
#   stamps before);
# - the same program with one byte changed fails that check;
# - removing the signature gives back the unsigned program, byte for byte: its
#   SHA-256 is the one that the unsigned sums list for it;
# - the sums beside the signed programs are theirs.
# Usage: check_signatures.sh [--ca-file <roots>] <osslsigncode> <unsigned SHA256SUMS>
#        <signed program>...
set -euo pipefail

ca_options=()
if [[ ${1-} == --ca-file ]]; then
    ca_options=(-CAfile "$2")
    shift 2
fi
if (($# < 3)); then
    echo "usage: $0 [--ca-file <roots>] <osslsigncode> <unsigned SHA256SUMS> <signed program>..." >&2
    exit 2
fi
osslsigncode=$1 unsigned_sums=$2
shift 2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

verified() { # verified <program>: osslsigncode's verdict, by its text and its exit code
    local output
    output=$("$osslsigncode" verify "${ca_options[@]}" -in "$1" 2>&1) || return 1
    grep -qx 'Signature verification: ok' <<<"$output"
}

failed=0
fail() {
    echo "FAIL: $*"
    failed=1
}

for program in "$@"; do
    name=$(basename "$program")
    if verified "$program"; then
        echo "$name: Signature verification: ok"
    else
        "$osslsigncode" verify "${ca_options[@]}" -in "$program" 2>&1 | tail -n 15 || true
        fail "$name: the signature does not verify"
    fi

    # One byte in the middle of the signed image, turned into another value.
    changed=$work/changed-$name
    cp "$program" "$changed"
    offset=$(($(stat -c %s "$program") / 2))
    old=$(od -A n -t u1 -j "$offset" -N 1 "$program" | tr -d ' ')
    printf '%b' "\\$(printf '%03o' $(((old + 1) % 256)))" |
        dd of="$changed" bs=1 seek="$offset" conv=notrunc status=none
    if cmp -s "$program" "$changed"; then
        fail "$name: could not change byte $offset"
    elif verified "$changed"; then
        fail "$name: still verifies with byte $offset changed"
    else
        echo "$name: fails to verify with byte $offset changed"
    fi

    unsigned=$work/unsigned-$name
    if ! "$osslsigncode" remove-signature -in "$program" -out "$unsigned" >"$work/remove.log" 2>&1; then
        cat "$work/remove.log"
        fail "$name: osslsigncode could not remove the signature"
        continue
    fi
    expected=$(awk -v name="$name" '$2 == name { print $1 }' "$unsigned_sums")
    actual=$(sha256sum "$unsigned" | cut -d ' ' -f 1)
    if [[ -z $expected ]]; then
        fail "$name: not in $unsigned_sums"
    elif [[ $actual != "$expected" ]]; then
        fail "$name: without its signature $actual, but $unsigned_sums lists $expected"
    else
        echo "$name: without its signature the bytes of $(basename "$unsigned_sums") ($actual)"
    fi
done

signed_dir=$(dirname "$1")
if [[ -f $signed_dir/SHA256SUMS ]]; then
    (cd "$signed_dir" && sha256sum --strict -c SHA256SUMS) || fail "$signed_dir/SHA256SUMS"
else
    fail "no SHA256SUMS beside the signed programs"
fi
exit "$failed"
