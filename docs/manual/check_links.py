#!/usr/bin/env python3
"""Checks every link inside the manual's HTML: each href and src that names a file of the
manual must name one that exists, and each #anchor must name an id or name in that file.
Links that leave the manual (http:, https:, mailto:) are not followed. Prints each broken
link as FILE: LINK and exits with status 1 when there is one.

Usage: check_links.py HTML_DIR
"""
import html.parser
import os
import sys
import urllib.parse


class Page(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.links = []
        self.anchors = set()

    def handle_starttag(self, tag, attrs):
        for name, value in attrs:
            if value is None:
                continue
            if name in ("id", "name"):
                self.anchors.add(value)
            elif name in ("href", "src"):
                self.links.append(value)


def parse(path, cache):
    if path not in cache:
        page = Page()
        with open(path, encoding="utf-8", errors="replace") as f:
            page.feed(f.read())
        cache[path] = page
    return cache[path]


def broken_links(root):
    cache = {}
    broken = []
    for folder, _, files in os.walk(root):
        for name in sorted(files):
            if not name.endswith(".html"):
                continue
            path = os.path.join(folder, name)
            for link in parse(path, cache).links:
                parts = urllib.parse.urlsplit(link)
                if parts.scheme or link.startswith("//") or link.startswith("javascript:"):
                    continue
                target = path
                if parts.path:
                    target = os.path.normpath(
                        os.path.join(folder, urllib.parse.unquote(parts.path)))
                if not os.path.exists(target):
                    broken.append((path, link))
                elif parts.fragment and target.endswith(".html"):
                    if urllib.parse.unquote(parts.fragment) not in parse(target, cache).anchors:
                        broken.append((path, link))
    return broken


def main():
    root = sys.argv[1]
    broken = broken_links(root)
    for path, link in broken:
        print("%s: broken link %s" % (os.path.relpath(path, root), link), file=sys.stderr)
    if broken:
        print("docs: %d broken links" % len(broken), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
