#!/usr/bin/env bash
# ctest: release.manifests. Makes the package manifests (tools/make_manifests.sh)
# from two zips of this build's programs, one per bitness and different in their
# bytes, and checks them (tools/check_manifests.py): hashes and URLs, then the
# schemas. Exits with 77, for ctest to report a skip, when the schemas are not there.
# Usage: check_manifests.sh <source dir> <schemas dir> <work dir> <version> <program>...
set -euo pipefail
(($# >= 5)) || {
    echo "usage: $0 <source dir> <schemas dir> <work dir> <version> <program>..." >&2
    exit 2
}
source_dir=$1 schemas=$2 work=$3 version=$4
shift 4

rm -rf "$work"
mkdir -p "$work"
for program in "$@"; do
    cp "$program" "$work/"
done
cd "$work"
names=("${@##*/}")
cmake -E tar cf "snip-$version-win32.zip" --format=zip "${names[0]}"
cmake -E tar cf "snip-$version-win64.zip" --format=zip "${names[@]}"

"$source_dir/tools/make_manifests.sh" --no-check --out manifests \
    --url-base https://downloads.example/snip --homepage https://example.org \
    "snip-$version-win32.zip" "snip-$version-win64.zip"
python=/usr/bin/python3
[[ -x $python ]] || python=python3
exec "$python" "$source_dir/tools/check_manifests.py" --schemas "$schemas" manifests \
    "snip-$version-win32.zip" "snip-$version-win64.zip"
