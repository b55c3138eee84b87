#!/usr/bin/env bash
# clang-tidy with the checks of .clang-tidy on the sources of the native build
# (platform, snipforge, snipfetch; their headers too), from the compile commands
# of the native preset, which it configures when needed. Two files at a time.
# Fails on any finding.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
[[ -f build/native/compile_commands.json ]] || cmake --preset native >/dev/null
sources() {
    python3 - build/native/compile_commands.json <<'PY'
import json, os, sys
root = os.getcwd() + os.sep
files = sorted({e["file"] for e in json.load(open(sys.argv[1]))})
print("\0".join(f for f in files if f.startswith(root) and not f.startswith(root + "tests" + os.sep)), end="")
PY
}
sources | xargs -0 -n 4 -P 2 clang-tidy-14 -p build/native --quiet 2>&1 |
    { grep -Ev '^[0-9]+ warnings generated\.$' || true; }
