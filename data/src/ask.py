#!/usr/bin/env python3
"""Shows which answers the shipped bases hold for a phrase, the way the program matches them.

    python3 data/src/ask.py "как тебя зовут?" "привет"

Reads the built files (run build_bases.py first) and prints every candidate answer, or the program's
fallback (rebuke for a short phrase, a request to be taught for a longer one).
"""

import sys
from pathlib import Path

from build_bases import ALPHABET

DATA = Path(__file__).resolve().parent.parent
SHORT_PHRASE_LIMIT = 7


def lines(name):
    text = (DATA / name).read_bytes().decode("cp1251")
    return text.split("\r\n")[:-1]


def key_text(raw):
    kept = "".join(c for c in raw.strip(" ").upper() if c in ALPHABET)
    return " ".join(kept.split()) + " "


def words(text):
    return [" " + w + " " for w in text.split(" ")[:-1]]


def main(phrases):
    answers = lines("standart.tka")
    synonyms = [s.upper() for s in lines("standart.tks")]
    pairs = list(zip(synonyms[0::2], synonyms[1::2]))
    for raw in phrases:
        key = key_text(raw)
        found = []
        for w in words(key):
            found += [b for a, b in pairs if a == w] + [w]
        hits = [(answers[k], answers[k + 1]) for k in range(0, len(answers) - 1, 2)
                if all(w in found for w in words(answers[k]))]
        print(f"{raw!r} -> {key!r}")
        if not hits:
            print("    (no match: " + ("rebuke" if len(key) <= SHORT_PHRASE_LIMIT else "asks to be taught") + ")")
        for k, a in hits:
            print(f"    [{k.strip()}] {a}")


if __name__ == "__main__":
    main(sys.argv[1:])
