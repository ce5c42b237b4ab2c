#!/usr/bin/env python3
"""Checks the links of the Tallyscan 6 user guide.

Usage: check_links.py HELP_FOLDER

For every page (*.htm, *.html) in HELP_FOLDER and its subfolders:

- every relative href and src must name a file or folder that exists on disk;
- a fragment ("page.htm#x", or "#x" for the page itself) must match an id or a name in the
  target page;
- no link may use the file: scheme or an absolute path (the guide is installed elsewhere than
  it is written, so only relative links work in both places);
- every img must have alt text, and no id may occur twice in one page;
- every page must be reachable from tools.htm by following links.

Stylesheets in the folder are checked for their url(...) references too.

Prints each problem as "file:line: message" and exits with 1 when there is any; otherwise
prints a one-line summary and exits with 0. A wrong command line exits with 2.
"""

import re
import sys
from collections import deque
from html.parser import HTMLParser
from pathlib import Path
from urllib.parse import unquote, urlsplit

START_PAGE = "tools.htm"
PAGE_SUFFIXES = {".htm", ".html"}
LINK_ATTRIBUTES = {"href", "src"}
CSS_URL = re.compile(r"""url\(\s*(['"]?)(.*?)\1\s*\)""", re.IGNORECASE)


class Link:
    def __init__(self, source, line, url):
        self.source = source  # Path of the file the link is in
        self.line = line
        self.url = url


class PageParser(HTMLParser):
    """Collects the links, the anchors (ids and names) and the images without alt text."""

    def __init__(self, path):
        super().__init__(convert_charrefs=True)
        self.path = path
        self.links = []
        self.anchors = set()
        self.duplicate_ids = []  # (line, id)
        self.missing_alt = []  # (line, src)
        self._ids = set()

    def handle_starttag(self, tag, attrs):
        self._element(tag, attrs)

    def handle_startendtag(self, tag, attrs):
        self._element(tag, attrs)

    def _element(self, tag, attrs):
        line = self.getpos()[0]
        values = {}
        for name, value in attrs:
            values.setdefault(name, value)
            if name in LINK_ATTRIBUTES and value is not None:
                self.links.append(Link(self.path, line, value.strip()))
        element_id = values.get("id")
        if element_id is not None:
            if element_id in self._ids:
                self.duplicate_ids.append((line, element_id))
            self._ids.add(element_id)
            self.anchors.add(element_id)
        if values.get("name") is not None and tag in {"a", "map", "iframe", "object", "img", "form"}:
            self.anchors.add(values["name"])
        if tag == "img":
            alt = values.get("alt")
            if alt is None or not alt.strip():
                self.missing_alt.append((line, values.get("src") or "?"))


def read_text(path):
    return path.read_text(encoding="utf-8", errors="replace")


def parse_page(path):
    parser = PageParser(path)
    parser.feed(read_text(path))
    parser.close()
    return parser


def css_links(path):
    links = []
    for number, text in enumerate(read_text(path).splitlines(), start=1):
        for match in CSS_URL.finditer(text):
            links.append(Link(path, number, match.group(2).strip()))
    return links


def is_page(path):
    return path.suffix.lower() in PAGE_SUFFIXES


def display(path, root):
    try:
        return str(path.relative_to(root))
    except ValueError:
        return str(path)


def main(argv):
    if len(argv) != 2 or argv[1] in {"-h", "--help"}:
        print("usage: check_links.py HELP_FOLDER", file=sys.stderr)
        return 2
    root = Path(argv[1]).resolve()
    if not root.is_dir():
        print(f"check_links.py: {argv[1]} is not a folder", file=sys.stderr)
        return 2

    problems = []

    def problem(path, line, message):
        where = display(path, root) + (f":{line}" if line else "")
        problems.append(f"{where}: {message}")

    page_paths = sorted(p for p in root.rglob("*") if p.is_file() and is_page(p))
    pages = {p.resolve(): parse_page(p) for p in page_paths}
    stylesheets = sorted(p for p in root.rglob("*.css") if p.is_file())

    all_links = [link for parser in pages.values() for link in parser.links]
    for sheet in stylesheets:
        all_links.extend(css_links(sheet))

    for parser in pages.values():
        for line, element_id in parser.duplicate_ids:
            problem(parser.path, line, f'id "{element_id}" is used more than once')
        for line, src in parser.missing_alt:
            problem(parser.path, line, f'image "{src}" has no alt text')

    # Which pages each page links to, for the reachability walk.
    edges = {path: set() for path in pages}
    checked = 0
    anchor_cache = {}

    def anchors_of(path):
        if path in pages:
            return pages[path].anchors
        if path not in anchor_cache:
            anchor_cache[path] = parse_page(path).anchors
        return anchor_cache[path]

    for link in all_links:
        url = link.url
        parts = urlsplit(url)
        scheme = parts.scheme.lower()
        if scheme == "file" or url.lower().startswith("file:"):
            problem(link.source, link.line, f'"{url}" is a file: link; use a relative link')
            continue
        if scheme and len(scheme) > 1:
            continue  # http:, https:, mailto:, data: ... are not files of the guide
        if scheme or re.match(r"^[A-Za-z]:[\\/]", url):
            problem(link.source, link.line, f'"{url}" is an absolute path; use a relative link')
            continue
        if parts.netloc or url.startswith("//"):
            continue  # a network location, not a file of the guide
        if url.startswith(("/", "\\")):
            problem(link.source, link.line, f'"{url}" is an absolute path; use a relative link')
            continue
        if "\\" in url:
            problem(link.source, link.line, f'"{url}" uses backslashes; use "/" in links')
            continue

        checked += 1
        path_text = unquote(parts.path)
        target = (link.source.parent / path_text).resolve() if path_text else link.source.resolve()
        if not target.exists():
            problem(link.source, link.line, f'"{url}": {display(target, root)} does not exist')
            continue

        if is_page(target) and target.is_file():
            if link.source.resolve() in edges and target in pages:
                edges[link.source.resolve()].add(target)
            fragment = unquote(parts.fragment)
            if fragment and fragment not in anchors_of(target):
                problem(link.source, link.line,
                        f'"{url}": no id or name "{fragment}" in {display(target, root)}')

    start = (root / START_PAGE).resolve()
    if start not in pages:
        problem(root, 0, f"{START_PAGE} is missing: the guide has no start page")
    else:
        seen = {start}
        queue = deque([start])
        while queue:
            for target in edges[queue.popleft()]:
                if target not in seen:
                    seen.add(target)
                    queue.append(target)
        for path in sorted(set(pages) - seen):
            problem(path, 0, f"cannot be reached from {START_PAGE}")

    if problems:
        for text in problems:
            print(text)
        print(f"{len(problems)} problem{'s' if len(problems) != 1 else ''} found", file=sys.stderr)
        return 1
    print(f"OK: {len(pages)} pages, {checked} links checked, every page reachable from {START_PAGE}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
