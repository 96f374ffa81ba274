#!/usr/bin/env python3
"""Writes the words of the help's sections for "Найти параметр...".

    python3 tools/help_words.py PAGES_DEF HELP_DIR OUTPUT

Reads the help topic of every page that the table of pages PAGES_DEF (resources/pages.def) names,
from HELP_DIR (resources/help, UTF-8), and writes OUTPUT, C++ initialisers of one line per
section: the topic's file name, the section's heading and the distinct words of its text, in
lower case, joined by blanks (less the words that tell nothing, below):

    {"files.html", "Отображать расширения", "проводник прячет ..."},

A section is an <h2> or <h3> and the text after it up to the next heading or the next mark
(<!-- ... -->, where the help build fills in the catalogue's settings, which the search knows
from the catalogue itself). The program gives a section's words to the controls of the page whose
caption or frame the heading names (src/main/setting_search.cpp). Standard library only; the same
pages give the same bytes.
"""

import html
import os
import re
import sys

HEADING = re.compile(r"<h([23])[^>]*>(.*?)</h\1>", re.S)
END = re.compile(r"<h[1-6][\s>]|<!--")
# A word: letters, digits and what registry paths and file names hold.
WORD = re.compile(r"[\w\\.%*&\-]+")


def plain(text):
    return html.unescape(re.sub(r"<[^>]+>", " ", text))


def sections(page):
    for match in HEADING.finditer(page):
        # Headings quote captions in «», the captions themselves in "".
        heading = " ".join(plain(match.group(2)).split()).replace("«", '"').replace("»", '"')
        rest = page[match.end():]
        end = END.search(rest)
        body = plain(rest[:end.start()] if end else rest)
        words = []
        for word in WORD.findall(body):
            word = word.strip(".-").lower()
            if len(word) >= 3 and word not in words:
                words.append(word)
        yield heading, words


def literal(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def main(argv):
    if len(argv) != 4:
        print(__doc__, file=sys.stderr)
        return 2
    pages_def, help_dir, output = argv[1:]
    with open(pages_def, encoding="utf-8") as f:
        # The help topic is a page line's last column.
        topics = re.findall(r'^VIREO_PAGE\(.*"([^"]+\.html)"\)', f.read(), re.M)
    found = []
    for name in topics:
        with open(os.path.join(help_dir, name), encoding="utf-8") as f:
            found += [(name, heading, words) for heading, words in sections(f.read())]
    # A word that several sections share (флажок, значение, записывается) tells no control from
    # another; a word that another word of its section holds is found through that one, since a
    # word is looked for anywhere in a text. Both are left out: the program carries the rest.
    shared = {}
    for _, _, words in found:
        for word in words:
            shared[word] = shared.get(word, 0) + 1
    lines = ["// Made by tools/help_words.py from the help's pages; not to be edited.\n"]
    for name, heading, words in found:
        kept = [w for w in words if shared[w] < 3]
        kept = [w for w in kept if not any(w != other and w in other for other in kept)]
        lines.append("{%s, %s, %s},\n" % (literal(name), literal(heading), literal(" ".join(kept))))
    text = "".join(lines)
    # Written only when it changes, so that the program is not compiled again for nothing.
    if os.path.exists(output):
        with open(output, encoding="utf-8") as f:
            if f.read() == text:
                return 0
    os.makedirs(os.path.dirname(output) or ".", exist_ok=True)
    with open(output + ".tmp", "w", encoding="utf-8") as f:
        f.write(text)
    os.replace(output + ".tmp", output)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
