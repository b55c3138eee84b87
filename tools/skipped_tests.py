#!/usr/bin/env python3
"""The tests that ctest skipped in one build dir, and why.

ctest lists a skipped test under "The following tests did not run:" as
"<n> - <name> (Skipped)"; the reason is the line "skipped: <why>" in the test's
own output, which ctest keeps in Testing/Temporary/LastTest.log. A skipped test
that printed no such line is told by name, so that no skip goes unexplained.

Usage: skipped_tests.py <ctest output> <LastTest.log> [--summary <preset>]
Without --summary: one line per skipped test, "<name>: <why>".
With it: one line per reason, "SKIP  <preset>: <n> tests (<kind>): <why>".
"""
import re
import sys
from collections import Counter

SKIPPED_LINE = re.compile(r"^\s*\d+ - (\S+) \(Skipped\)$")
TEST_START = re.compile(r"^\d+/\d+ Testing: (\S+)$")
REASON_LINE = re.compile(r"^skipped: (.+)$")


def skipped_names(ctest_output):
    return [m.group(1) for line in ctest_output.splitlines() if (m := SKIPPED_LINE.match(line))]


def reasons_by_test(last_test_log):
    reasons, test = {}, None
    for line in last_test_log.splitlines():
        if m := TEST_START.match(line):
            test = m.group(1)
        elif test and (m := REASON_LINE.match(line)):
            reasons.setdefault(test, m.group(1).strip())
    return reasons


def kind_of(name):
    return "end-to-end" if name.startswith("e2e.") or name.startswith("wine_") else "other"


def skips(ctest_output, last_test_log):
    """[(name, reason)] in ctest's order."""
    reasons = reasons_by_test(last_test_log)
    return [(name, reasons.get(name, f"{name} printed no reason")) for name in skipped_names(ctest_output)]


def summary(preset, skipped):
    counts = Counter((kind_of(name), reason) for name, reason in skipped)
    lines = []
    for (kind, reason), count in counts.items():
        tests = "1 test" if count == 1 else f"{count} tests"
        lines.append(f"SKIP  {preset}: {tests} ({kind}): {reason}")
    return lines


def main(argv):
    if len(argv) not in (2, 4) or (len(argv) == 4 and argv[2] != "--summary"):
        print("usage: skipped_tests.py <ctest output> <LastTest.log> [--summary <preset>]",
              file=sys.stderr)
        return 2
    with open(argv[0], encoding="utf-8", errors="replace") as f:
        ctest_output = f.read()
    try:
        with open(argv[1], encoding="utf-8", errors="replace") as f:
            last_test_log = f.read()
    except FileNotFoundError:
        last_test_log = ""
    skipped = skips(ctest_output, last_test_log)
    lines = summary(argv[3], skipped) if len(argv) == 4 else [f"{n}: {r}" for n, r in skipped]
    for line in lines:
        print(line)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
