#!/usr/bin/env python3
"""Checks every relative link in README.md and docs/*.md.

A link's file must exist inside the repository, and a "#heading" anchor must be
one that GitHub makes for a heading of the file it points to (or an explicit
<a name=...> / id=...). Links with a scheme (https:, mailto: ...) are left alone.
Prints each broken link as "<file>:<line>: ..." and exits 1 when there is one.

Usage: tools/check_doc_links.py [repository root]   (default: this script's parent)
"""

import re
import sys
import unicodedata
import urllib.parse
from pathlib import Path

FENCE = re.compile(r"^ {0,3}(`{3,}|~{3,})")
ATX_HEADING = re.compile(r"^ {0,3}#{1,6}(?:[ \t]+(.*?))?(?:[ \t]+#+)?[ \t]*$")
CODE_SPAN = re.compile(r"(?<!`)(`+)(?!`)(.+?)(?<!`)\1(?!`)", re.DOTALL)
# [text](destination "title") and ![alt](...); the text may hold one level of
# brackets (an image inside a link) and may wrap onto the next line.
INLINE_LINK = re.compile(
    r"!?\[(?:[^\[\]]|\[[^\[\]]*\])*\]"
    r"\(\s*(<[^>\n]*>|[^\s()]+(?:\([^\s()]*\)[^\s()]*)*)"
    r"(?:\s+(?:\"[^\"]*\"|'[^']*'|\([^)]*\)))?\s*\)"
)
REFERENCE_DEFINITION = re.compile(r"^ {0,3}\[[^\]]+\]:[ \t]*(<[^>\n]*>|\S+)", re.MULTILINE)
HTML_LINK = re.compile(r"<(?:a|img)\b[^>]*?\b(?:href|src)\s*=\s*[\"']([^\"']*)[\"']", re.I)
HTML_ANCHOR = re.compile(r"<[a-z][^>]*?\b(?:name|id)\s*=\s*[\"']([^\"']+)[\"']", re.I)
SCHEME = re.compile(r"^[A-Za-z][A-Za-z0-9+.-]*:|^//")
LINE_ANCHOR = re.compile(r"^L\d+(?:-L\d+)?$")


def blank(text):
    """The same text with every character but line breaks made a space."""
    return re.sub(r"[^\n]", " ", text)


def prose_of(markdown):
    """The text with fenced code blocks and code spans blanked out, so that
    offsets and line numbers stay those of the file."""
    lines = markdown.split("\n")
    fence = None
    for index, line in enumerate(lines):
        match = FENCE.match(line)
        if fence is None:
            if match:
                fence = match.group(1)
                lines[index] = ""
        else:
            if match and match.group(1)[0] == fence[0] and len(match.group(1)) >= len(fence):
                if line.strip() == match.group(1):
                    fence = None
            lines[index] = ""
    text = "\n".join(lines)
    return CODE_SPAN.sub(lambda m: blank(m.group(0)), text)


def heading_texts(markdown):
    """The text of each ATX heading outside code blocks, as written."""
    fence = None
    for line in markdown.split("\n"):
        match = FENCE.match(line)
        if fence is None and match:
            fence = match.group(1)
            continue
        if fence is not None:
            if (match and match.group(1)[0] == fence[0] and len(match.group(1)) >= len(fence)
                    and line.strip() == match.group(1)):
                fence = None
            continue
        heading = ATX_HEADING.match(line)
        if heading:
            yield heading.group(1) or ""


def rendered(heading):
    """What GitHub shows of a heading's inline markup: code without its backticks,
    links and images as their text, no emphasis marks or HTML tags."""
    parts = []
    position = 0
    for span in CODE_SPAN.finditer(heading):
        parts.append(("text", heading[position:span.start()]))
        parts.append(("code", span.group(2)))
        position = span.end()
    parts.append(("text", heading[position:]))
    out = []
    for kind, part in parts:
        if kind == "text":
            part = re.sub(r"!?\[([^\]]*)\]\([^)]*\)", r"\1", part)
            part = re.sub(r"<[^>]+>", "", part)
            part = re.sub(r"(?<![\w])[*_]+|[*_]+(?![\w])", "", part)
        out.append(part)
    return "".join(out)


def slug(heading):
    """GitHub's anchor for a heading: lower case, punctuation and symbols dropped
    (letters, digits, '_' and '-' stay), each space a '-'."""
    text = rendered(heading).strip().lower()
    text = "".join(
        c for c in text if c.isalnum() or c in "_- " or unicodedata.category(c).startswith("M"))
    return text.replace(" ", "-")


def anchors(markdown):
    """Every anchor a file offers: its headings' slugs, repeats numbered -1, -2 ...
    as GitHub does, and explicit name= / id= attributes."""
    seen = {}
    found = set()
    for heading in heading_texts(markdown):
        base = slug(heading)
        candidate = base
        while candidate in found:
            seen[base] = seen.get(base, 0) + 1
            candidate = f"{base}-{seen[base]}"
        found.add(candidate)
    found.update(HTML_ANCHOR.findall(prose_of(markdown)))
    return found


def destinations(markdown):
    """(line number, destination) of every link, image and reference definition
    outside code."""
    text = prose_of(markdown)
    found = []
    for pattern in (INLINE_LINK, REFERENCE_DEFINITION, HTML_LINK):
        for match in pattern.finditer(text):
            destination = match.group(1)
            if destination.startswith("<") and destination.endswith(">"):
                destination = destination[1:-1]
            found.append((match.start(1), destination))
    return [(text.count("\n", 0, offset) + 1, destination) for offset, destination in sorted(found)]


def check_file(path, root, anchor_cache):
    """The broken links of one Markdown file, as messages."""
    problems = []
    markdown = path.read_text(encoding="utf-8")
    shown = path.relative_to(root).as_posix()
    for line, destination in destinations(markdown):
        if not destination or SCHEME.match(destination):
            continue
        target_part, _, anchor = destination.partition("#")
        target_part = urllib.parse.unquote(target_part)
        anchor = urllib.parse.unquote(anchor)
        if not target_part:
            target = path
        elif target_part.startswith("/"):
            target = root / target_part.lstrip("/")
        else:
            target = path.parent / target_part
        target = Path(target).resolve()

        def report(why):
            problems.append(f"{shown}:{line}: broken link {destination}: {why}")

        if target != root and root not in target.parents:
            report("it points outside the repository")
            continue
        if not target.exists():
            report(f"no file {target.relative_to(root).as_posix()}")
            continue
        if not anchor:
            continue
        if target.is_file() and target.suffix.lower() == ".md":
            if target not in anchor_cache:
                anchor_cache[target] = anchors(target.read_text(encoding="utf-8"))
            if anchor not in anchor_cache[target]:
                report(f'no heading with the anchor "{anchor}" in '
                       f"{target.relative_to(root).as_posix()}")
        elif not LINE_ANCHOR.match(anchor):
            report(f'"#{anchor}" on a file that has no headings')
    return problems


def documents(root):
    readme = root / "README.md"
    return ([readme] if readme.exists() else []) + sorted((root / "docs").glob("*.md"))


def check(root):
    """Every broken link of README.md and docs/*.md under root, and how many
    files were read."""
    root = Path(root).resolve()
    cache = {}
    problems = []
    files = documents(root)
    for path in files:
        problems.extend(check_file(path, root, cache))
    return problems, len(files)


def main(argv):
    if len(argv) > 2:
        print(__doc__.strip().splitlines()[-1], file=sys.stderr)
        return 2
    root = Path(argv[1]) if len(argv) == 2 else Path(__file__).resolve().parent.parent
    problems, files = check(root)
    for problem in problems:
        print(problem)
    if files == 0:
        print(f"no README.md or docs/*.md under {root}")
        return 1
    if problems:
        print(f"{len(problems)} broken link(s) in {files} file(s)")
        return 1
    print(f"every relative link in {files} file(s) works")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
