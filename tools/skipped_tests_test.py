#!/usr/bin/env python3
"""Tests of skipped_tests.py on ctest output and LastTest.log as ctest 3.25 writes them."""
import unittest

import skipped_tests

CTEST_OUTPUT = """\
100% tests passed, 0 tests failed out of 5

The following tests did not run:
\t  1 - wine_setup (Skipped)
\t  3 - e2e.snipfetch.window.get_list (Skipped)
\t  4 - release.manifests (Skipped)
\t  5 - e2e.snipforge.create.example (Skipped)
"""


def block(number, name, output):
    return (f"{number}/5 Testing: {name}\n{number}/5 Test: {name}\nCommand: \"x\"\n"
            f"Output:\n----------\n{output}\n<end of output>\nTest Passed.\n")


LAST_TEST_LOG = (
    block(1, "wine_setup", "skipped: Wine's 32-bit part is not installed (package wine32:i386)")
    + block(2, "e2e.snipfetch.window.passes", "skipped: not me, I passed")
    + block(3, "e2e.snipfetch.window.get_list",
            "skipped: Wine's 32-bit part is not installed (package wine32:i386)")
    + block(4, "release.manifests", "SKIPPED would not count\nskipped: no schemas")
    + block(5, "e2e.snipforge.create.example", "exit 77 without a word"))


class SkippedTests(unittest.TestCase):
    def test_each_skipped_test_gets_its_own_reason_or_its_name(self):
        self.assertEqual(skipped_tests.skips(CTEST_OUTPUT, LAST_TEST_LOG), [
            ("wine_setup", "Wine's 32-bit part is not installed (package wine32:i386)"),
            ("e2e.snipfetch.window.get_list",
             "Wine's 32-bit part is not installed (package wine32:i386)"),
            ("release.manifests", "no schemas"),
            ("e2e.snipforge.create.example", "e2e.snipforge.create.example printed no reason"),
        ])

    def test_summary_counts_by_kind_and_reason(self):
        lines = skipped_tests.summary("win32", skipped_tests.skips(CTEST_OUTPUT, LAST_TEST_LOG))
        self.assertEqual(lines, [
            "SKIP  win32: 2 tests (end-to-end): "
            "Wine's 32-bit part is not installed (package wine32:i386)",
            "SKIP  win32: 1 test (other): no schemas",
            "SKIP  win32: 1 test (end-to-end): e2e.snipforge.create.example printed no reason",
        ])

    def test_nothing_skipped_gives_no_line(self):
        self.assertEqual(skipped_tests.summary("native", skipped_tests.skips(
            "100% tests passed, 0 tests failed out of 3\n", LAST_TEST_LOG)), [])


if __name__ == "__main__":
    unittest.main()
