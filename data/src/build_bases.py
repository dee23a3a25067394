#!/usr/bin/env python3
"""Builds the shipped knowledge bases from their readable UTF-8 sources.

    python3 data/src/build_bases.py           # writes data/standart.tka, .tkq, .tks
    python3 data/src/build_bases.py --check   # fails when the written files are not what the sources give

Sources, all UTF-8, '#' at the start of a line is a comment, empty lines are ignored:

answers.txt    "= key words | other key words" opens a block; every following line is one answer given to
               each key line of the block. Key words are written in any case and become key text; a key
               line made only of very common words needs a "!" in front to show it is meant.
questions.txt  one question per line.
synonyms.txt   "WORD: form form form" makes one pair (form -> WORD) for each form; a form written with Ё
               also gets its spelling with Е, and so does WORD itself, because people rarely type Ё.

The program reads the bases as Windows-1251 with CR LF after every line, matches a key line only when every
one of its words occurs among the phrase's words (after each phrase word is widened by the synonym pairs),
and shows an answer exactly as stored. Every rule checked below keeps a line in the form the program itself
would have written, or keeps a key line from matching far more than it should.
"""

import sys
from pathlib import Path

SRC = Path(__file__).resolve().parent
OUT = SRC.parent

ALPHABET = (
    "AaBbCcDdEeFfGgHhIiJjKkLlMmNnOoPpQqRrSsTtUuVvWwXxYyZz"
    "АаБбВвГгДдЕеЁёЖжЗзИиЙйКкЛлМмНнОоПпРрСсТтУуФфХхЦцЧчШшЩщЪъЫыЬьЭэЮюЯя"
    "1234567890 "
)
WORD_CHARS = set(ALPHABET) - {" "}
MACROS = ("#NAME", "#TIME", "#DATE", "#STOP")

# The engine's own fallback replies. A base answer equal to one of them could not be told apart from a miss.
CANNED = {
    "Пожалуйста, не молчи!", "Скажи что нибудь!", "Давай поговорим.",
    "Не повторяйся!", "Ты это уже говорил!", "Я не дурак, и понимаю тебя с одного раза!",
    "Не моли чепуху!", "Хватит врать!", "Что за бред ты несёшь?!", "Что?!", "Не понял!",
    "А как бы ты на это ответил?", "Что бы ты сказал на это?", "Что бы ты ответил на это?",
    "Понятно.", "Ясно.", "Всё понятно.", "Всё ясно.",
}

# Words that occur in almost any phrase. A key line made of nothing but these would answer everything.
COMMON = {
    "Я", "ТЫ", "ВЫ", "МЫ", "ОН", "ОНА", "ОНИ", "ОНО", "МЕНЯ", "ТЕБЯ", "ТЕБЕ", "МНЕ", "МНОЙ", "ТОБОЙ", "НАС",
    "ВАС", "У", "В", "ВО", "НА", "С", "СО", "К", "КО", "О", "ОБ", "ПО", "ЗА", "ИЗ", "ДО", "ОТ", "ДЛЯ", "ПРО",
    "И", "А", "НО", "ИЛИ", "НЕ", "НИ", "ЖЕ", "ЛИ", "БЫ", "ЭТО", "ТО", "ЧТО", "КАК", "ТАК", "ВОТ", "НУ", "ТАМ",
    "ТУТ", "ЗДЕСЬ", "ГДЕ", "КТО", "КОГДА", "ПОЧЕМУ", "ЗАЧЕМ", "КАКОЙ", "КАКАЯ", "КАКОЕ", "КАКИЕ", "ЕСТЬ",
    "БЫЛ", "БЫЛА", "БЫТЬ", "ОЧЕНЬ", "УЖЕ", "ЕЩЕ", "ВСЕ", "ВСЁ", "МОЙ", "МОЯ", "МОЁ", "МОЕ", "ТВОЙ", "ТВОЯ",
    "ТВОЕ", "ТВОЁ", "СЕБЕ", "СЕБЯ", "ЕГО", "ЕЁ", "ЕЕ", "ИХ", "ЧЕМ", "ЧЕГО", "СЕЙЧАС", "ТОЖЕ", "ПРОСТО",
}


class SourceError(Exception):
    pass


def fail(path, number, message):
    raise SourceError(f"{path.name}:{number}: {message}")


def read_source(name):
    path = SRC / name
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), start=1):
        if line.startswith("#") or not line.strip():
            continue
        yield path, number, line


def key_text(path, number, words):
    # "!" in front marks a key line of common words that is still specific enough, such as "так себе".
    words = words.strip()
    deliberate = words.startswith("!")
    text = " ".join(words.lstrip("!").split()).upper()
    if not text:
        fail(path, number, "empty key line")
    bad = sorted({c for c in text if c not in ALPHABET})
    if bad:
        fail(path, number, f"key line {text!r} holds characters outside the alphabet: {''.join(bad)!r}")
    if "Ё" in text:
        # People mostly type Е for Ё; key lines use Е and the synonym base carries the Ё spellings onto them.
        fail(path, number, f"key line {text!r} is written with Ё; write Е and add the Ё form as a synonym")
    if not deliberate and all(w in COMMON for w in text.split()):
        fail(path, number, f"key line {text!r} is made only of common words and would answer nearly anything")
    return text + " "


def check_display_form(path, number, line, what):
    if line != line.strip(" "):
        fail(path, number, f"{what} has blanks around it: {line!r}")
    if "\t" in line or "\r" in line:
        fail(path, number, f"{what} holds a tab or CR: {line!r}")
    if line[0] != line[0].upper():
        fail(path, number, f"{what} does not start with a capital: {line!r}")
    if line[-1] in ALPHABET:
        fail(path, number, f"{what} must end in punctuation, the program would add a full stop: {line!r}")
    if line in CANNED:
        fail(path, number, f"{what} equals one of the program's fallback replies: {line!r}")


def check_macros(path, number, answer):
    rest = answer
    while "#" in rest:
        at = rest.index("#")
        if rest[at:at + 5] not in MACROS:
            fail(path, number, f"'#' that starts no macro (macros are written in capitals): {answer!r}")
        rest = rest[at + 5:]
    if answer.count("#STOP") > 1:
        fail(path, number, f"only the first #STOP is removed, the second would be shown: {answer!r}")
    if answer.count("#NAME") > 1:
        fail(path, number, f"a long name can push a second #NAME past the part that gets expanded: {answer!r}")
    stop = answer.find("#STOP")
    if stop >= 0:
        shown = answer[:stop] + answer[stop + 5:]
        if shown != shown.strip(" ") or "  " in shown or not shown:
            fail(path, number, f"#STOP leaves a stray blank in the shown reply: {answer!r}")
        if shown[-1] in ALPHABET:
            fail(path, number, f"the reply left after removing #STOP must end in punctuation: {answer!r}")


def build_answers():
    pairs = []
    keys = None
    block_answers = 0
    seen = set()
    for path, number, line in read_source("answers.txt"):
        if line.startswith("="):
            if keys is not None and block_answers == 0:
                fail(path, number, "the previous block has no answer")
            keys = [key_text(path, number, part) for part in line[1:].split("|")]
            block_answers = 0
            continue
        if keys is None:
            fail(path, number, "answer before the first '=' key line")
        check_display_form(path, number, line, "answer")
        check_macros(path, number, line)
        block_answers += 1
        for key in keys:
            if (key, line) in seen:
                fail(path, number, f"pair given twice: {key!r} / {line!r}")
            seen.add((key, line))
            pairs.append((key, line))
    if keys is not None and block_answers == 0:
        raise SourceError("answers.txt: the last block has no answer")
    return pairs


def build_questions():
    questions = []
    for path, number, line in read_source("questions.txt"):
        check_display_form(path, number, line, "question")
        if line in questions:
            fail(path, number, f"question given twice: {line!r}")
        questions.append(line)
    return questions


def check_word(path, number, word):
    if not word or any(c not in WORD_CHARS for c in word):
        fail(path, number, f"a synonym is one word of alphabet characters: {word!r}")
    return word.upper()


def build_synonyms():
    pairs = []
    seen = set()
    for path, number, line in read_source("synonyms.txt"):
        if ":" not in line:
            fail(path, number, "expected 'WORD: form form ...'")
        head, _, tail = line.partition(":")
        target = check_word(path, number, head.strip())
        forms = [check_word(path, number, f) for f in tail.split()]
        if not forms:
            fail(path, number, f"no forms for {target}")
        if "Ё" in target:
            forms.append(target.replace("Ё", "Е"))
        for form in list(forms):
            if "Ё" in form and form.replace("Ё", "Е") != target:
                forms.append(form.replace("Ё", "Е"))
        for form in forms:
            if form == target:
                fail(path, number, f"{form} is given as a form of itself")
            if (form, target) in seen:
                continue
            seen.add((form, target))
            pairs.append((form, target))
    return pairs


def check_together(answer_pairs, synonym_pairs):
    key_words = {w for key, _ in answer_pairs for w in key.split()}
    useless = sorted({t for _, t in synonym_pairs if t not in key_words})
    if useless:
        raise SourceError("synonyms.txt: these words lead nowhere, no key line uses them: " + ", ".join(useless))


def encode(lines, name):
    text = "".join(line + "\r\n" for line in lines)
    try:
        return text.encode("cp1251")
    except UnicodeEncodeError as e:
        bad = text[e.start:e.end]
        raise SourceError(f"{name}: {bad!r} has no place in Windows-1251 (near {text[max(0, e.start - 30):e.end + 10]!r})")


def main(argv):
    check_only = "--check" in argv
    answer_pairs = build_answers()
    questions = build_questions()
    synonym_pairs = build_synonyms()
    check_together(answer_pairs, synonym_pairs)

    minimum = {"answer pairs": (len(answer_pairs), 600), "questions": (len(questions), 150),
               "synonym pairs": (len(synonym_pairs), 300)}
    for what, (have, need) in minimum.items():
        if have < need:
            raise SourceError(f"only {have} {what}, the shipped base promises at least {need}")

    files = {
        "standart.tka": encode([line for pair in answer_pairs for line in pair], "standart.tka"),
        "standart.tkq": encode(questions, "standart.tkq"),
        "standart.tks": encode([f" {w} " for pair in synonym_pairs for w in pair], "standart.tks"),
    }
    stale = []
    for name, data in files.items():
        target = OUT / name
        current = target.read_bytes() if target.exists() else None
        if current == data:
            continue
        if check_only:
            stale.append(name)
        else:
            target.write_bytes(data)
    if stale:
        raise SourceError("out of date, run data/src/build_bases.py: " + ", ".join(stale))
    distinct = len({a for _, a in answer_pairs})
    print(f"{len(answer_pairs)} answer pairs ({distinct} distinct answers, "
          f"{len({k for k, _ in answer_pairs})} key lines), {len(questions)} questions, "
          f"{len(synonym_pairs)} synonym pairs")


if __name__ == "__main__":
    try:
        main(sys.argv[1:])
    except SourceError as e:
        sys.exit(f"build_bases: {e}")
