#!/usr/bin/env python3
"""Turns the user guide into one self-contained HTML page: the Markdown
rendered with Debian's python3-markdown, every image inlined as a data URI.

    guide-html.py docs/guide.md OUTPUT.html
"""
import base64
import html
import os
import re
import sys

import markdown

STYLE = """
body { font-family: Segoe UI, Tahoma, sans-serif; max-width: 60em; margin: 2em auto;
       padding: 0 1em; line-height: 1.45; color: #1b1b1b; }
h1, h2, h3 { color: #1f4e8c; }
code, pre { font-family: Consolas, Courier New, monospace; background: #f3f4f6; }
pre { padding: 0.6em; overflow-x: auto; }
table { border-collapse: collapse; margin: 0.6em 0; }
th, td { border: 1px solid #c8ccd2; padding: 0.25em 0.6em; text-align: left; vertical-align: top; }
th { background: #e8edf4; }
img { max-width: 100%; border: 1px solid #c8ccd2; }
"""

IMAGE = re.compile(r'(<img\b[^>]*\bsrc=")([^"]+)(")')
TYPES = {".png": "image/png", ".jpg": "image/jpeg", ".jpeg": "image/jpeg", ".gif": "image/gif"}


def inline_images(body, folder):
    def replace(match):
        source = html.unescape(match.group(2))
        if source.startswith("data:"):
            return match.group(0)
        kind = TYPES.get(os.path.splitext(source)[1].lower())
        path = os.path.join(folder, source)
        if kind is None or not os.path.isfile(path):
            raise SystemExit(f"guide-html: image {source} not found beside the guide")
        with open(path, "rb") as f:
            data = base64.b64encode(f.read()).decode("ascii")
        return f"{match.group(1)}data:{kind};base64,{data}{match.group(3)}"

    return IMAGE.sub(replace, body)


def main():
    if len(sys.argv) != 3:
        raise SystemExit("usage: guide-html.py GUIDE.md OUTPUT.html")
    source, target = sys.argv[1], sys.argv[2]
    with open(source, encoding="utf-8") as f:
        text = f.read()
    body = markdown.markdown(text, extensions=["tables", "fenced_code", "toc"])
    body = inline_images(body, os.path.dirname(os.path.abspath(source)))
    heading = re.search(r"^#\s+(.+)$", text, re.MULTILINE)
    title = html.escape(heading.group(1).strip() if heading else "User guide")
    page = (
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
        f"<title>{title}</title>\n<style>{STYLE}</style>\n</head>\n<body>\n{body}\n</body>\n</html>\n"
    )
    temporary = target + ".tmp"
    with open(temporary, "w", encoding="utf-8") as f:
        f.write(page)
    os.replace(temporary, target)


if __name__ == "__main__":
    main()
