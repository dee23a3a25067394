#!/usr/bin/env python3
"""Shows which answers the shipped bases hold for a phrase, the way the program matches them.

    python3 data/src/ask.py "как тебя зовут?" "привет"

Reads the built files (run build_bases.py first) and prints every candidate answer with its key line, or the
program's fallback (a rebuke for a short phrase, a request to be taught for a longer one).
"""

import sys
from pathlib import Path

from build_bases import SHORT_PHRASE_LIMIT, Matcher, key_text

DATA = Path(__file__).resolve().parent.parent


def lines(name):
    return (DATA / name).read_bytes().decode("cp1251").split("\r\n")[:-1]


def built_matcher():
    answers = lines("standart.tka")
    synonyms = [s.upper().strip() for s in lines("standart.tks")]
    return Matcher(list(zip(answers[0::2], answers[1::2])), list(zip(synonyms[0::2], synonyms[1::2])))


def main(phrases):
    matcher = built_matcher()
    for raw in phrases:
        key = key_text(raw)
        hits = matcher.matches(raw)
        print(f"{raw!r} -> {key!r}")
        if not hits:
            print("    (no match: " + ("rebuke" if len(key) <= SHORT_PHRASE_LIMIT else "asks to be taught") + ")")
        for _, k, a in hits:
            print(f"    [{k.strip()}] {a}")


if __name__ == "__main__":
    main(sys.argv[1:])
