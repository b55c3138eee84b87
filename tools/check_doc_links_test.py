#!/usr/bin/env python3
"""Tests of check_doc_links.py on small repositories made in a temporary folder.
Run: python3 tools/check_doc_links_test.py"""

import contextlib
import io
import sys
import tempfile
import unittest
from pathlib import Path

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, str(Path(__file__).resolve().parent))
import check_doc_links  # noqa: E402


class SlugTest(unittest.TestCase):
    def test_punctuation_goes_code_keeps_its_text(self):
        self.assertEqual(check_doc_links.slug("What `./test.sh` does"), "what-testsh-does")
        self.assertEqual(check_doc_links.slug("Checking the documents' links"),
                         "checking-the-documents-links")
        self.assertEqual(check_doc_links.slug("Sniplets come over HTTPS, checked"),
                         "sniplets-come-over-https-checked")

    def test_each_space_is_a_hyphen_and_underscores_stay(self):
        self.assertEqual(check_doc_links.slug("C++ & the rest"), "c--the-rest")
        self.assertEqual(check_doc_links.slug("`layOutForm` and `labelFor_x`"),
                         "layoutform-and-labelfor_x")

    def test_emphasis_and_links_count_as_their_text(self):
        self.assertEqual(check_doc_links.slug("**Bold** and [a link](x.md)"), "bold-and-a-link")
        self.assertEqual(check_doc_links.slug("_Stressed_ snake_case"), "stressed-snake_case")


class CheckTest(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.root = Path(self.folder.name)
        (self.root / "docs").mkdir()
        self.write("docs/guide.md", "# Guide\n\n## Two words\n\n## Two words\n\n"
                   "```\n## Not a heading\n```\n")

    def tearDown(self):
        self.folder.cleanup()

    def write(self, name, text):
        (self.root / name).write_text(text, encoding="utf-8")

    def problems(self, readme):
        self.write("README.md", readme)
        problems, _ = check_doc_links.check(self.root)
        return problems

    def test_working_links_pass(self):
        self.assertEqual(self.problems(
            "# Top\n\nSee [the guide](docs/guide.md), [a part](docs/guide.md#two-words), "
            "[the repeat](docs/guide.md#two-words-1), [top](#top), [docs](docs/) and "
            "[the web](https://example.com/missing.md#nowhere).\n"), [])

    def test_missing_file_is_reported_with_its_line(self):
        self.assertEqual(self.problems("# Top\n\ntext\n\n![shot](docs/shot.png)\n"),
                         ["README.md:5: broken link docs/shot.png: no file docs/shot.png"])

    def test_missing_anchor_is_reported(self):
        problems = self.problems("[x](docs/guide.md#three-words) [y](#nowhere)\n")
        self.assertEqual(len(problems), 2)
        self.assertIn('"three-words" in docs/guide.md', problems[0])
        self.assertIn('"nowhere" in README.md', problems[1])

    def test_explicit_anchor_counts(self):
        self.write("docs/named.md", '<a name="here"></a>Text\n')
        self.assertEqual(self.problems("[x](docs/named.md#here)\n"), [])

    def test_heading_inside_a_code_block_makes_no_anchor(self):
        self.assertEqual(len(self.problems("[x](docs/guide.md#not-a-heading)\n")), 1)

    def test_links_in_code_are_not_links(self):
        self.assertEqual(self.problems(
            "Write `[x](missing.md)` like this:\n\n```md\n[y](missing.md)\n```\n"), [])

    def test_link_text_wrapped_onto_the_next_line_is_checked(self):
        problems = self.problems("para\n[a long\nlink text](docs/gone.md) end\n")
        self.assertEqual(len(problems), 1)
        self.assertTrue(problems[0].startswith("README.md:3:"), problems[0])

    def test_links_between_docs_and_out_of_the_repository(self):
        self.write("docs/other.md", "[back](../README.md#top) [out](../../elsewhere.md)\n")
        problems = self.problems("# Top\n")
        self.assertEqual(problems, ["docs/other.md:1: broken link ../../elsewhere.md: "
                                    "it points outside the repository"])

    def test_anchor_on_a_file_without_headings(self):
        self.write("script.sh", "echo\n")
        problems = self.problems("[a](script.sh#L1) [b](script.sh#usage)\n")
        self.assertEqual(len(problems), 1)
        self.assertIn("#usage", problems[0])

    def test_reference_definitions_and_html_are_checked(self):
        problems = self.problems('[guide][g]\n\n[g]: docs/nothing.md\n\n<img src="docs/a.png">\n')
        self.assertEqual(len(problems), 2)

    def test_main_exits_1_on_a_broken_link_and_0_without(self):
        output = io.StringIO()
        with contextlib.redirect_stdout(output):
            self.write("README.md", "[x](docs/gone.md)\n")
            self.assertEqual(check_doc_links.main(["check", str(self.root)]), 1)
            self.write("README.md", "[x](docs/guide.md)\n")
            self.assertEqual(check_doc_links.main(["check", str(self.root)]), 0)
        self.assertIn("README.md:1: broken link docs/gone.md", output.getvalue())


if __name__ == "__main__":
    unittest.main()
