#!/usr/bin/env python3
"""Keeps the review of the held-out phrases in step with the built bases.

    python3 data/src/review.py             # lists the current candidates of every held-out phrase in the review
    python3 data/src/review.py --pending   # numbers the candidates nobody has judged yet, under their phrase
    python3 data/src/review.py --judge 3,17,40
                                           # judges every pending candidate: the numbers given do not fit the
                                           # phrase, all the others do
    python3 data/src/review.py --figures   # the shares the data test reports

tests/data/phrases/review.txt holds, for each held-out phrase ("> phrase"), every answer the program can draw for
it, each marked "+" (fits the phrase), "-" (does not) or "?" (not judged yet). A phrase with no line under it gets
no answer at all. Refreshing keeps the judgement of every answer that is still a candidate, marks new candidates
"?" and drops answers the bases no longer give; run it after every build that changes answers, then judge what
is pending. The data test counts a phrase as fitting only when each of its candidates is marked "+", so an answer
left unjudged counts against the bases.

Judge as a demanding native speaker would: an answer fits when a person would find it a sensible reply to that
very phrase, typed as it stands, with no context before it.
"""

import sys

from ask import built_matcher
from build_bases import PHRASES, read_phrases

REVIEW = PHRASES / "review.txt"
HEADER = """\
# Review of the held-out phrases: under each phrase ("> ...") every answer the shipped bases can draw for it,
# marked "+" when it fits the phrase, "-" when it does not, "?" while nobody has judged it. Regenerate with
# data/src/review.py after the bases change; the data test reads the "+" lines.
"""


def read_review():
    verdicts = {}
    phrase = None
    if not REVIEW.exists():
        return verdicts
    for line in REVIEW.read_text(encoding="utf-8").splitlines():
        if line.startswith("> "):
            phrase = line[2:]
            verdicts.setdefault(phrase, {})
        elif line[:2] in ("+ ", "- ", "? ") and phrase is not None:
            verdicts[phrase][line[2:]] = line[0]
    return verdicts


def write_review(blocks):
    out = [HEADER.rstrip("\n")]
    for phrase, answers in blocks:
        out.append(f"> {phrase}")
        out += [f"{mark} {answer}" for answer, mark in answers]
    REVIEW.write_text("\n".join(out) + "\n", encoding="utf-8")


def refresh():
    matcher = built_matcher()
    old = read_review()
    blocks = []
    for phrase in read_phrases("heldout.txt"):
        seen = []
        for answer in matcher.candidates(phrase):
            if answer not in seen:
                seen.append(answer)
        known = old.get(phrase, {})
        blocks.append((phrase, [(a, known.get(a, "?")) for a in seen]))
    write_review(blocks)
    return blocks


def pending(blocks):
    numbered = []
    for phrase, answers in blocks:
        for answer, mark in answers:
            if mark == "?":
                numbered.append((phrase, answer))
    return numbered


def figures(blocks):
    total = len(blocks)
    matched = sum(1 for _, a in blocks if a)
    fitting = sum(1 for _, a in blocks if a and all(m == "+" for _, m in a))
    waiting = sum(1 for _, a in blocks for _, m in a if m == "?")
    return (f"{total} held-out phrases: {matched} matched ({100 * matched / total:.1f}%), {fitting} with every "
            f"candidate fitting ({100 * fitting / total:.1f}%), {waiting} candidates not judged yet")


def main(argv):
    blocks = refresh()
    if "--pending" in argv:
        last = None
        for number, (phrase, answer) in enumerate(pending(blocks), start=1):
            if phrase != last:
                print(f"> {phrase}")
                last = phrase
            print(f"  {number}. {answer}")
    elif "--judge" in argv:
        arg = argv[argv.index("--judge") + 1] if argv.index("--judge") + 1 < len(argv) else ""
        unfit = {int(n) for n in arg.replace(" ", "").split(",") if n}
        todo = pending(blocks)
        if unfit - set(range(1, len(todo) + 1)):
            sys.exit(f"review: only {len(todo)} candidates are pending")
        verdict = {item: ("-" if n in unfit else "+") for n, item in enumerate(todo, start=1)}
        blocks = [(p, [(a, verdict.get((p, a), m)) for a, m in answers]) for p, answers in blocks]
        write_review(blocks)
    print(figures(blocks))


if __name__ == "__main__":
    main(sys.argv[1:])
