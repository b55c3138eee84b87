#!/usr/bin/env python3
"""Publishes the sites that the signed-index cases serve (native, before them).

Usage: make_signed_sites.py --snipindex PROGRAM --key MAKER.pem --out FOLDER

In FOLDER, each a folder of sniplets with its Sniplets.txt and Sniplets.index:
  good/       a.snp and "b c.snp", published by snipindex (sequence 1)
  newer/      the same files published once more (sequence 2)
  other-key/  the same files published by snipindex with a key of its own
  expired/    an index of good's files that expired on 2020-01-02, signed with
              the maker's key (snipindex only writes expiries to come, so this
              one is signed here with the openssl program)
"""
import argparse
import base64
import os
import re
import shutil
import subprocess
import sys


def run(*command):
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL)


def fill(folder):
    if os.path.exists(folder):
        shutil.rmtree(folder)
    os.makedirs(folder)
    with open(os.path.join(folder, "a.snp"), "wb") as f:
        f.write(b"alpha\r\nfirst sniplet\r\n")
    with open(os.path.join(folder, "b c.snp"), "wb") as f:
        f.write(bytes(range(256)) * 8)  # 2 KiB, every byte value


def raw_signature(key, text):
    """ECDSA P-256 with SHA-256 by the openssl program, as r then s (32 bytes each)."""
    der = subprocess.run(["openssl", "dgst", "-sha256", "-sign", key], input=text,
                         stdout=subprocess.PIPE, check=True).stdout
    parsed = subprocess.run(["openssl", "asn1parse", "-inform", "DER"], input=der,
                            stdout=subprocess.PIPE, check=True).stdout.decode()
    numbers = re.findall(r"INTEGER\s+:([0-9A-F]+)", parsed)
    if len(numbers) != 2:
        raise SystemExit("unexpected signature: " + parsed)
    return b"".join(bytes.fromhex(n.rjust(64, "0")) for n in numbers)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--snipindex", required=True)
    parser.add_argument("--key", required=True)
    parser.add_argument("--out", required=True)
    args = parser.parse_args()
    if not os.access(args.snipindex, os.X_OK):
        sys.exit(f"no snipindex at {args.snipindex}: build the native preset first "
                 "(cmake --build --preset native --target snipindex)")
    out = os.path.abspath(args.out)
    os.makedirs(out, exist_ok=True)

    good, newer, other, expired = (os.path.join(out, name)
                                   for name in ("good", "newer", "other-key", "expired"))
    fill(good)
    run(args.snipindex, "publish", good, "--key", args.key)
    if os.path.exists(newer):
        shutil.rmtree(newer)
    shutil.copytree(good, newer)
    run(args.snipindex, "publish", newer, "--key", args.key)

    fill(other)
    other_key = os.path.join(out, "other.pem")
    if os.path.exists(other_key):
        os.remove(other_key)
    run(args.snipindex, "keygen", other_key)
    run(args.snipindex, "publish", other, "--key", other_key)

    fill(expired)
    shutil.copy(os.path.join(good, "Sniplets.txt"), expired)
    with open(os.path.join(good, "Sniplets.index"), "rb") as f:
        lines = f.read().split(b"\n")
    lines[2] = b"expires 2020-01-02T03:04:05Z"
    signed = b"\n".join(lines[:-2]) + b"\n"
    signature = base64.b64encode(raw_signature(args.key, signed))
    with open(os.path.join(expired, "Sniplets.index"), "wb") as f:
        f.write(signed + b"signature " + signature + b"\n")


if __name__ == "__main__":
    main()
