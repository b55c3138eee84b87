#!/usr/bin/env bash
# Writes the package manifests of a release from its two zips:
#   <out>/winget/  the three files of a winget manifest (ManifestVersion 1.10.0):
#                  version, defaultLocale, installer (a portable zip with both
#                  programs, each with its command alias; x86 and x64)
#   <out>/scoop/   the Scoop manifest: both bitnesses, Start menu shortcuts for
#                  both programs, the folder Sniplets kept across updates
# Each zip is published as <url base>/<its file name>. The URL base and the
# project's page come from the options or else from the CMake cache beside the
# zip (RELEASE_URL_BASE, RELEASE_HOMEPAGE_URL); the version from the zips' names.
# The manifests are then checked (tools/check_manifests.py): the hashes always,
# the schemas when ../shared/schemas is there; --no-check leaves that out.
# Usage: tools/make_manifests.sh [--url-base <url>] [--homepage <url>] [--out <folder>]
#        [--no-check] <snip-VERSION-win32.zip> <snip-VERSION-win64.zip>
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

usage() {
    echo "usage: $0 [--url-base <url>] [--homepage <url>] [--out <folder>] [--no-check]" \
        "<snip-VERSION-win32.zip> <snip-VERSION-win64.zip>" >&2
    exit 2
}
url_base="" homepage="" out=$root/build/manifests check=1 zips=()
while (($#)); do
    case $1 in
    --url-base | --homepage | --out)
        (($# >= 2)) || usage
        case $1 in
        --url-base) url_base=$2 ;;
        --homepage) homepage=$2 ;;
        --out) out=$2 ;;
        esac
        shift 2
        ;;
    --no-check)
        check=0
        shift
        ;;
    -*) usage ;;
    *)
        zips+=("$1")
        shift
        ;;
    esac
done
((${#zips[@]} == 2)) || usage

# Publisher, package and what it is: the same words as the version resources.
identifier=Duzarudar.Snip
publisher=Duzarudar
license=Proprietary
description="Write sniplet files (snipforge) and fetch them from the maker's server (snipfetch)."

version=""
sums=()
for index in 0 1; do
    zip=${zips[index]}
    platform=$( ((index == 0)) && echo win32 || echo win64)
    name=$(basename "$zip")
    [[ -f $zip ]] || {
        echo "$zip: no such file" >&2
        exit 1
    }
    [[ $name =~ ^snip-([0-9][0-9.]*)-$platform\.zip$ ]] || {
        echo "$name: expected snip-<version>-$platform.zip as zip number $((index + 1))" >&2
        exit 1
    }
    if [[ -n $version && ${BASH_REMATCH[1]} != "$version" ]]; then
        echo "The zips have different versions: $version and ${BASH_REMATCH[1]}" >&2
        exit 1
    fi
    version=${BASH_REMATCH[1]}
    sums+=("$(sha256sum "$zip" | cut -d ' ' -f 1)")
done

cached() { # cached <variable>: its value in the CMake cache beside either zip
    local zip cache value
    for zip in "${zips[@]}"; do
        cache=$(dirname "$zip")/CMakeCache.txt
        if [[ -f $cache ]]; then
            value=$(sed -n "s/^$1:[A-Z]*=//p" "$cache")
            [[ -z $value ]] || {
                echo "$value"
                return
            }
        fi
    done
}
[[ -n $url_base ]] || url_base=$(cached RELEASE_URL_BASE)
[[ -n $homepage ]] || homepage=$(cached RELEASE_HOMEPAGE_URL)
if [[ -z $url_base || -z $homepage ]]; then
    echo "No CMake cache beside the zips names the URLs: give --url-base and --homepage" >&2
    exit 1
fi
url_base=${url_base%/}
urls=("$url_base/$(basename "${zips[0]}")" "$url_base/$(basename "${zips[1]}")")

rm -rf "$out/winget" "$out/scoop"
mkdir -p "$out/winget" "$out/scoop"

# winget. PyYAML, like winget's own parser, reads an unquoted 1.0 as a number:
# versions are quoted.
header() { # header <manifest type>
    echo "# yaml-language-server: \$schema=https://aka.ms/winget-manifest.$1.1.10.0.schema.json"
    echo
    echo "PackageIdentifier: $identifier"
    echo "PackageVersion: \"$version\""
}
footer() { # footer <manifest type>
    echo "ManifestType: $1"
    echo "ManifestVersion: 1.10.0"
}
{
    header version
    echo "DefaultLocale: en-US"
    footer version
} >"$out/winget/$identifier.yaml"
{
    header defaultLocale
    cat <<EOF
PackageLocale: en-US
Publisher: $publisher
PublisherUrl: $homepage
PackageName: snipforge and snipfetch
PackageUrl: $homepage
License: $license
ShortDescription: "$description"
Tags:
  - sniplets
EOF
    footer defaultLocale
} >"$out/winget/$identifier.locale.en-US.yaml"
{
    header installer
    cat <<EOF
InstallerType: zip
NestedInstallerType: portable
NestedInstallerFiles:
  - RelativeFilePath: snipforge.exe
    PortableCommandAlias: snipforge
  - RelativeFilePath: snipfetch.exe
    PortableCommandAlias: snipfetch
Installers:
  - Architecture: x86
    InstallerUrl: ${urls[0]}
    InstallerSha256: ${sums[0]^^}
  - Architecture: x64
    InstallerUrl: ${urls[1]}
    InstallerSha256: ${sums[1]^^}
EOF
    footer installer
} >"$out/winget/$identifier.installer.yaml"

# Scoop. The programs keep the sniplets in the folder Sniplets beside them, which
# Scoop moves to its persist folder, so that an update keeps them.
cat >"$out/scoop/snip.json" <<EOF
{
    "version": "$version",
    "description": "$description",
    "homepage": "$homepage",
    "license": "$license",
    "architecture": {
        "32bit": {
            "url": "${urls[0]}",
            "hash": "${sums[0]}"
        },
        "64bit": {
            "url": "${urls[1]}",
            "hash": "${sums[1]}"
        }
    },
    "shortcuts": [
        ["snipforge.exe", "snipforge"],
        ["snipfetch.exe", "snipfetch"]
    ],
    "persist": "Sniplets"
}
EOF

find "$out/winget" "$out/scoop" -type f | sort
((check)) || exit 0
status=0
python=/usr/bin/python3
[[ -x $python ]] || python=python3
"$python" "$root/tools/check_manifests.py" "$out" "${zips[@]}" || status=$?
if ((status == 77)); then
    echo "The manifests were not checked against the schemas."
    exit 0
fi
exit "$status"
