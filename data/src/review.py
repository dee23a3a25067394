#!/usr/bin/env python3
"""Keeps the reviews of what the bases answer in step with the built bases.

    python3 data/src/review.py [SET]              # refreshes the review of SET and prints its figures
    python3 data/src/review.py [SET] --pending    # numbers the candidates nobody has judged yet, under their phrase
    python3 data/src/review.py [SET] --judge 3,17,40
                                                  # judges every pending candidate: the numbers given do not fit the
                                                  # phrase, all the others do
    python3 data/src/review.py --crossings [WORD]  # for every key line of one or two words, the development phrases
                                                  # of other intents it catches, with the verdicts on its answers

SET is one of (default heldout):
    heldout   tests/data/phrases/review.txt: every held-out phrase (heldout.txt) with every answer the program can
              draw for it. A phrase with no line under it gets no answer at all.
    examples  tests/data/phrases/issue_examples.txt: the phrases written in that file ("> phrase"), each with every
              answer it can draw. The data test wants every one of them answered, each answer fitting.
    dev       tests/data/phrases/dev_review.txt: the development phrases ("> intent: phrase") that can draw answers of
              other intents, with those answers only; the answers of the phrase's own intent are taken to fit.
    probe     tests/data/phrases/probe_review.txt: the development probe (probe.txt, "kind<TAB>phrase", written before
              anyone looked at what it matches) with every answer each phrase can draw, as "> kind: phrase"; a reply
              to one of the program's questions is written "question | reply" and only the reply is typed. Its
              figures are also given by kind, with the share of the drawn replies that may get a random question
              appended and the share of goodbye replies among the candidates.
    followups tests/data/phrases/followups_review.txt: a sample of the program's own questions (every
              FOLLOWUP_STEP-th of questions.txt) with the typical replies written after each ("> question | reply"),
              each reply with every answer it can draw. An answer fits when it reads right after that reply *to that
              question*: the matcher has no context, so "да" draws the same answers after every question and they
              must fit after each. Its figures are also given per question.

Each answer is marked "+" (fits the phrase), "-" (does not) or "?" (not judged yet). Refreshing keeps the judgement of
every answer that is still a candidate, marks new candidates "?" and drops answers the bases no longer give; run it
after every build that changes answers, then judge what is pending. An answer left unjudged counts as not fitting.

Judge as a demanding native speaker would: an answer fits when a person would find it a sensible reply to that very
phrase, typed as it stands, with no context before it. The held-out set is judged once, blind, when the bases are
done: it measures them and must never be used to change them.
"""

import sys

from ask import built_matcher
from build_bases import PHRASES, build, foreign_candidates, read_phrases, read_questions

FILES = {"heldout": PHRASES / "review.txt", "examples": PHRASES / "issue_examples.txt",
         "dev": PHRASES / "dev_review.txt", "followups": PHRASES / "followups_review.txt",
         "probe": PHRASES / "probe_review.txt"}
FOLLOWUP_STEP = 14
HEADERS = {
    "heldout": """\
# Review of the held-out phrases: under each phrase ("> ...") every answer the shipped bases can draw for it,
# marked "+" when it fits the phrase, "-" when it does not, "?" while nobody has judged it. Regenerate with
# data/src/review.py after the bases change; the data test reads the "+" lines.""",
    "examples": """\
# The examples of the issue about answers that did not fit, and the short replies people type in a chat. The
# phrases ("> ...") are written here by hand; under each, every answer the shipped bases can draw for it, marked
# "+" when it fits the phrase, "-" when it does not, "?" while nobody has judged it. Refresh the answers with
# data/src/review.py examples; the data test wants each phrase answered, every answer "+" and none ending the
# dialogue. A note ("! ...") under a phrase says why the matcher cannot answer it well; the test then expects it
# to fail, and fails when it no longer does.""",
    "dev": """\
# Review of the development phrases that can draw answers of other intents: under each phrase ("> intent: phrase")
# those answers, marked "+" when they fit the phrase too, "-" when they do not, "?" while nobody has judged them.
# The answers of the phrase's own intent are not listed; they fit it. Regenerate with data/src/review.py dev; the
# build check fails while an answer is missing here, and the data test counts the "-" and "?" ones as misfits.""",
    "followups": """\
# Review of the short replies to the program's own questions: a sample of the question base (every 14th question)
# with the typical replies given after each in data/src/questions.txt, as "> question | reply"; under each, every
# answer the shipped bases can draw for the reply, marked "+" when it reads right after that reply to that very
# question, "-" when it does not, "?" while nobody has judged it. The matcher does not know which question was
# asked, so the answers on "да", "нет", "иногда" and the like are judged after every question they follow.
# Regenerate with data/src/review.py followups.""",
    "probe": """\
# Review of the development probe (probe.txt): under each phrase ("> kind: phrase"; a reply to one of the program's
# questions as "> reply: question | reply", only the reply typed) every answer the shipped bases can draw for it,
# marked "+" when it fits, "-" when it does not, "?" while nobody has judged it. Regenerate with
# data/src/review.py probe.""",
}


NOTES = {}


def read_review(which):
    """The phrase headers in file order and, for each, the marks of its answers. A note under a phrase ("! why")
    says why the matcher cannot answer it well; it is kept in NOTES and written back."""
    order, verdicts = [], {}
    phrase = None
    path = FILES[which]
    if not path.exists():
        return order, verdicts
    for line in path.read_text(encoding="utf-8").splitlines():
        if line.startswith("> "):
            phrase = line[2:]
            if phrase not in verdicts:
                order.append(phrase)
                verdicts[phrase] = {}
        elif line.startswith("! ") and phrase is not None:
            NOTES[phrase] = line[2:]
        elif line[:2] in ("+ ", "- ", "? ") and phrase is not None:
            verdicts[phrase][line[2:]] = line[0]
    return order, verdicts


def write_review(which, blocks):
    out = [HEADERS[which]]
    for phrase, answers in blocks:
        out.append(f"> {phrase}")
        if phrase in NOTES:
            out.append(f"! {NOTES[phrase]}")
        out += [f"{mark} {answer}" for answer, mark in answers]
    FILES[which].write_text("\n".join(out) + "\n", encoding="utf-8")


def distinct(answers):
    return list(dict.fromkeys(answers))


def current(which):
    """(header, phrase as typed, every candidate as drawn, the candidates to judge) for each phrase of the set."""
    if which == "dev":
        intents, _, _, _, matcher = build(strict=False)
        for name, phrase, drawn, foreign in foreign_candidates(intents, matcher):
            if foreign:
                yield f"{name}: {phrase}", phrase, drawn, foreign
        return
    matcher = built_matcher()
    if which == "followups":
        for question, replies, _ in followup_sample():
            for reply in replies:
                drawn = matcher.candidates(reply)
                yield f"{question} | {reply}", reply, drawn, distinct(drawn)
        return
    if which == "probe":
        for kind, phrase in probe_phrases():
            typed = phrase.rsplit(" | ", 1)[-1] if kind == "reply" else phrase
            drawn = matcher.candidates(typed)
            yield f"{kind}: {phrase}", typed, drawn, distinct(drawn)
        return
    phrases = read_phrases("heldout.txt") if which == "heldout" else read_review("examples")[0]
    for phrase in phrases:
        drawn = matcher.candidates(phrase)
        yield phrase, phrase, drawn, distinct(drawn)


def probe_phrases():
    return [tuple(line.split("\t", 1)) for line in read_phrases("probe.txt")]


def followup_sample():
    return read_questions()[::FOLLOWUP_STEP]


def refresh(which):
    _, old = read_review(which)
    blocks = []
    for header, _, _, judged in current(which):
        known = old.get(header, {})
        blocks.append((header, [(a, known.get(a, "?")) for a in judged]))
    write_review(which, blocks)
    return blocks


def pending(blocks):
    return [(phrase, answer) for phrase, answers in blocks for answer, mark in answers if mark == "?"]


def figures(which):
    """The shares the data test reports. Drawn-fit is the chance that the answer drawn fits, averaged over the
    phrases: every candidate counted as often as the program can draw it, a phrase without any counted as 0."""
    _, verdicts = read_review(which)
    if which == "dev":
        intents, _, _, _, matcher = build(strict=False)
        rows = [(f"{n}: {p}", d, set(f)) for n, p, d, f in foreign_candidates(intents, matcher)]
    else:
        rows = [(h, d, set(j)) for h, _, d, j in current(which)]
    total = len(rows)
    matched = fitting = 0
    drawn_fit = 0.0
    for header, drawn, judged in rows:
        if not drawn:
            continue
        matched += 1
        marks = verdicts.get(header, {})
        fit = [a not in judged or marks.get(a) == "+" for a in drawn]
        fitting += all(fit)
        drawn_fit += sum(fit) / len(fit)
    waiting = sum(1 for marks in verdicts.values() for m in marks.values() if m == "?")
    if which == "followups":
        print(per_question(rows, verdicts))
    if which == "probe":
        print(per_kind(rows, verdicts))
    return (f"{which}: {total} phrases, {matched} matched ({100 * matched / total:.1f}%), {fitting} with every "
            f"candidate fitting ({100 * fitting / total:.1f}%), a fitting answer drawn {100 * drawn_fit / total:.1f}% "
            f"of the time; {waiting} candidates not judged yet")


def per_kind(rows, verdicts):
    """For each kind of the probe: matched, all candidates fitting, the chance that the drawn answer fits, the
    chance that the drawn answer may get a random question appended, and the share of goodbye answers."""
    intents, _, _, _, _ = build(strict=False)
    goodbyes = {a for i in intents if i.flags & {"goodbye", "farewell"} for _, a, _, _ in i.answers}
    by_kind = {}
    for header, drawn, _ in rows:
        kind, phrase = header.split(": ", 1)
        marks = verdicts.get(header, {})
        fit = [marks.get(a) == "+" for a in drawn]
        open_end = [not (a.rstrip().endswith("?") or a.rstrip().endswith("?!") or "#STOP" in a.upper())
                    for a in drawn]
        bye = [a in goodbyes or "#STOP" in a.upper() for a in drawn]
        for key in (kind, "all") + (("12+ words",) if len(phrase.split()) >= 12 else ()):
            e = by_kind.setdefault(key, [0, 0, 0, 0.0, 0.0, 0.0])
            e[0] += 1
            e[1] += bool(drawn)
            e[2] += bool(fit) and all(fit)
            if drawn:
                e[3] += sum(fit) / len(fit)
                e[4] += sum(open_end) / len(drawn)
                e[5] += sum(bye) / len(drawn)
    out = []
    for kind, (n, matched, all_fit, drawn_fit, open_end, bye) in sorted(by_kind.items()):
        out.append(f"  {kind:10} {n:4} phrases, matched {100 * matched / n:5.1f}%, all-fit {100 * all_fit / n:5.1f}%, "
                   f"drawn-fit {drawn_fit / n:.3f}, random question {100 * open_end / max(matched, 1):4.1f}%, "
                   f"goodbye answers {100 * bye / max(matched, 1):4.1f}%")
    return "\n".join(out)


def per_question(rows, verdicts):
    """For each sampled question: how many of its replies draw only fitting answers, and the chance that the
    answer drawn fits, averaged over its replies (a reply without any answer counted as 0)."""
    by_question = {}
    for header, drawn, _ in rows:
        question = header.rsplit(" | ", 1)[0]
        marks = verdicts.get(header, {})
        fit = [marks.get(a) == "+" for a in drawn]
        entry = by_question.setdefault(question, [0, 0, 0.0])
        entry[0] += 1
        entry[1] += bool(fit) and all(fit)
        entry[2] += sum(fit) / len(fit) if fit else 0.0
    out = []
    for question, (replies, all_fit, drawn_fit) in by_question.items():
        out.append(f"  {all_fit}/{replies} replies all-fit, drawn-fit {100 * drawn_fit / replies:.0f}%   {question}")
    return "\n".join(out)


def crossings(word=None):
    """Every key line of one or two words, with the development phrases of other intents that it catches and, for
    each, how many of the line's answers were judged not to fit that phrase."""
    intents, _, _, _, matcher = build(strict=False)
    _, verdicts = read_review("dev")
    owner = {key: intent for intent in intents for _, key, _ in intent.keys}
    caught = {}
    for intent in intents:
        own = {k for _, k, _ in intent.keys}
        for _, phrase in intent.paraphrases:
            for _, key, answer in matcher.matches(phrase):
                if key in own or len(key.split()) > 2 or (word and word.upper() not in key.split()):
                    continue
                caught.setdefault(key, {}).setdefault((intent.name, phrase), []).append(answer)
    lines = unfit = 0
    for key, phrases in sorted(caught.items(), key=lambda kv: (-len(kv[1]), kv[0])):
        lines += 1
        source = owner[key]
        print(f"[{key.strip()}] {source.name}: " + " / ".join(a for _, a, _, _ in source.answers))
        for (name, phrase), answers in phrases.items():
            marks = verdicts.get(f"{name}: {phrase}", {})
            bad = [a for a in answers if marks.get(a, "?") != "+"]
            unfit += bool(bad)
            note = f"   {len(bad)} of {len(answers)} unfit: " + " / ".join(bad) if bad else ""
            print(f"    {phrase}   ({name}){note}")
    print(f"{lines} key lines of one or two words catch phrases of other intents; {unfit} of those phrases draw "
          f"an answer of theirs judged unfit or not judged yet")


def main(argv):
    if "--crossings" in argv:
        rest = argv[argv.index("--crossings") + 1:]
        crossings(rest[0] if rest else None)
        return
    which = next((a for a in argv if a in FILES), "heldout")
    blocks = refresh(which)
    if "--pending" in argv:
        last = None
        for number, (phrase, answer) in enumerate(pending(blocks), start=1):
            if phrase != last:
                print(f"> {phrase}")
                last = phrase
            print(f"  {number}. {answer}")
    elif "--judge" in argv:
        at = argv.index("--judge") + 1
        arg = argv[at] if at < len(argv) else ""
        unfit = {int(n) for n in arg.replace(" ", "").split(",") if n}
        todo = pending(blocks)
        if unfit - set(range(1, len(todo) + 1)):
            sys.exit(f"review: only {len(todo)} candidates are pending")
        verdict = {item: ("-" if n in unfit else "+") for n, item in enumerate(todo, start=1)}
        blocks = [(p, [(a, verdict.get((p, a), m)) for a, m in answers]) for p, answers in blocks]
        write_review(which, blocks)
    print(figures(which))


if __name__ == "__main__":
    main(sys.argv[1:])
