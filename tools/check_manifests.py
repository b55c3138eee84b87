#!/usr/bin/python3
"""Checks the package manifests that tools/make_manifests.sh writes.

- Each hash is the SHA-256 of its zip, and each URL ends in that zip's name:
  the x86 installer and Scoop's 32bit block name the win32 zip, x64 and 64bit
  the win64 zip.
- The three winget files name one package and version; each is valid by the
  winget 1.10.0 schema of its ManifestType, and the Scoop manifest by Scoop's
  schema (draft-07, python3-jsonschema).

The schemas are published data, kept outside the repository (default:
../shared/schemas beside it). Without them the schema part cannot be done: the
script then exits with 77 (ctest's SKIP_RETURN_CODE) once the hashes are good,
never with 0.

Usage: check_manifests.py [--schemas <folder>] <manifest folder> <win32 zip> <win64 zip>
"""
import argparse
import datetime
import hashlib
import json
import sys
from pathlib import Path

import jsonschema
import yaml

SKIPPED = 77
ZIP_OF = {"x86": 0, "x64": 1, "32bit": 0, "64bit": 1}


def sha256(path):
    digest = hashlib.sha256()
    with open(path, "rb") as file:
        for block in iter(lambda: file.read(1 << 16), b""):
            digest.update(block)
    return digest.hexdigest()


def as_text(value):
    """PyYAML reads an unquoted date as a date; the schemas expect text."""
    if isinstance(value, (datetime.date, datetime.datetime)):
        return value.isoformat()
    if isinstance(value, dict):
        return {key: as_text(item) for key, item in value.items()}
    if isinstance(value, list):
        return [as_text(item) for item in value]
    return value


def check_download(errors, where, url, digest, zips):
    """errors gets a line unless url and digest are those of zips[ZIP_OF[where]]."""
    arch = where.rsplit(" ", 1)[-1]
    if arch not in ZIP_OF:
        errors.append(f"{where}: an architecture without a zip")
        return
    zip_path = zips[ZIP_OF[arch]]
    if not isinstance(url, str) or not url.endswith("/" + zip_path.name):
        errors.append(f"{where}: URL {url!r} does not end in /{zip_path.name}")
    if not isinstance(digest, str) or digest.lower() != sha256(zip_path):
        errors.append(f"{where}: hash {digest} is not the SHA-256 of {zip_path.name}")


def load_winget(folder):
    manifests = {}
    for path in sorted((folder / "winget").glob("*.yaml")):
        with open(path, encoding="utf-8") as file:
            manifest = as_text(yaml.safe_load(file))
        manifests[manifest.get("ManifestType")] = (path, manifest)
    return manifests


def schema_errors(schema_path, manifest, name):
    with open(schema_path, encoding="utf-8") as file:
        validator = jsonschema.Draft7Validator(json.load(file))
    return [
        f"{name}: {'/'.join(map(str, error.absolute_path)) or '(top)'}: {error.message}"
        for error in validator.iter_errors(manifest)
    ]


def main():
    root = Path(__file__).resolve().parent.parent
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--schemas", type=Path, default=root.parent / "shared" / "schemas")
    parser.add_argument("folder", type=Path)
    parser.add_argument("zips", type=Path, nargs=2, metavar="zip")
    args = parser.parse_args()

    errors = []
    winget = load_winget(args.folder)
    if sorted(winget) != ["defaultLocale", "installer", "version"]:
        errors.append(f"winget: ManifestTypes {sorted(map(str, winget))}, not the three")
    names = {(m.get("PackageIdentifier"), m.get("PackageVersion")) for _, m in winget.values()}
    if len(names) != 1:
        errors.append(f"winget: the files name different packages: {sorted(map(str, names))}")
    installer = winget.get("installer", (None, {}))[1]
    architectures = [entry.get("Architecture") for entry in installer.get("Installers", [])]
    if sorted(architectures) != ["x64", "x86"]:
        errors.append(f"winget: installers for {architectures}, not x86 and x64")
    for entry in installer.get("Installers", []):
        check_download(errors, f"winget {entry.get('Architecture')}",
                       entry.get("InstallerUrl"), entry.get("InstallerSha256"), args.zips)

    scoop_path = args.folder / "scoop" / "snip.json"
    with open(scoop_path, encoding="utf-8") as file:
        scoop = json.load(file)
    blocks = scoop.get("architecture", {})
    if sorted(blocks) != ["32bit", "64bit"]:
        errors.append(f"scoop: architecture blocks {sorted(blocks)}, not 32bit and 64bit")
    for arch, block in blocks.items():
        check_download(errors, f"scoop {arch}", block.get("url"), block.get("hash"), args.zips)
    print(f"names, hashes and URLs: {'checked' if not errors else 'FAILED'}")

    if not args.schemas.is_dir():
        for error in errors:
            print("FAIL:", error)
        print(f"skipped: the package-manifest schemas are not in {args.schemas}")
        return 1 if errors else SKIPPED
    for kind, (path, manifest) in sorted(winget.items(), key=lambda item: str(item[0])):
        version = manifest.get("ManifestVersion")
        schema = args.schemas / f"winget-{version}" / f"manifest.{kind}.{version}.json"
        if not schema.is_file():
            errors.append(f"{path.name}: no schema {schema}")
            continue
        errors += schema_errors(schema, manifest, path.name)
    errors += schema_errors(args.schemas / "scoop" / "schema.json", scoop, scoop_path.name)
    for error in errors:
        print("FAIL:", error)
    if errors:
        return 1
    print(f"schemas: valid ({args.schemas})")
    return 0


if __name__ == "__main__":
    sys.exit(main())
