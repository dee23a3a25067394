#!/usr/bin/env python3
"""Builds the shipped knowledge bases from their readable UTF-8 sources and checks them.

    python3 data/src/build_bases.py           # writes data/standart.tka, .tkq, .tks and the generated phrase lists
    python3 data/src/build_bases.py --check   # fails when a rule below is broken or a written file is out of date

Sources, all UTF-8; a line starting with '#' is a comment, empty lines are ignored:

intents/*.txt  The answer base, written by intents. An intent is one thing a person means:
                   @ id [ritual] [farewell]    opens an intent
                   ~ phrase                    one way people type it: these make up the development set
                   = key words | key words     key lines; every answer of the intent goes with every key line
                   anything else               an answer; a leading "~" marks an answer whose gendered verb forms
                                               were reviewed and speak of someone else (a joke's hero), not of
                                               the person, and is not shown
               "ritual" intents (greetings, thanks, wishes) may answer with the person's own words: "С Новым
               годом!" back is what people say. Only "farewell" intents may end the dialogue with #STOP.
               Key words are written in any case, with Ё where it belongs (the key line gets Е and the Ё
               spelling becomes a synonym); a key line made only of very common words needs a "!" in front.
questions.txt  "Question? | reply | reply | reply": each question of the question base with the three to
               five short replies people most often give to it.
synonyms.txt   "WORD: form form form" makes one pair form -> WORD for each form; a form written with Ё also
               gets its spelling with Е.
meanings.txt   The reviewed list of synonym pairs whose two words are not forms of one word: "+ FORM WORD"
               means the same in every phrase, "- FORM WORD why" was rejected and must never come back.
gendered.txt   Verb and short adjective forms that tell a man from a woman. Said to the person ("ты") they
               address only one of them, so no answer or question may use them about the person.

Written besides the bases, for the data test: tests/data/phrases/dev.txt (intent id, TAB, paraphrase) and
tests/data/phrases/followups.txt (question, TAB, its typical replies separated by "|").

Read to measure, never to choose key lines: tests/data/phrases/heldout.txt (phrases written before the bases
were tuned) and nonfarewell.txt (sentences with farewell-like words that are no farewell). The script refuses a
#STOP answer under a key line that matches any of the latter, and a key line copied from the former.

Reviewed by hand with data/src/review.py, which also lists what the short key lines catch (--crossings):
tests/data/phrases/dev_review.txt judges every answer of another intent that a development phrase can draw; with
--check the script fails while that review misses one. issue_examples.txt and review.txt (the held-out set) are
kept the same way.

The program reads the bases as Windows-1251 with CR LF after every line, matches a key line only when every
one of its words occurs among the phrase's words (after each phrase word is widened by the synonym pairs,
one way, the typed word kept), draws one of all matching answers, and shows it exactly as stored.
"""

import difflib
import re
import sys
from pathlib import Path

from wordforms import generated_pairs

SRC = Path(__file__).resolve().parent
OUT = SRC.parent
ROOT = OUT.parent
PHRASES = ROOT / "tests" / "data" / "phrases"

ALPHABET = (
    "AaBbCcDdEeFfGgHhIiJjKkLlMmNnOoPpQqRrSsTtUuVvWwXxYyZz"
    "АаБбВвГгДдЕеЁёЖжЗзИиЙйКкЛлМмНнОоПпРрСсТтУуФфХхЦцЧчШшЩщЪъЫыЬьЭэЮюЯя"
    "1234567890 "
)
WORD_CHARS = set(ALPHABET) - {" "}
MACROS = ("#NAME", "#TIME", "#DATE", "#STOP")
MAX_LINES = 32767
SHORT_PHRASE_LIMIT = 7

# What the shipped base promises.
MINIMUM = {"intents": 800, "answer pairs": 3000, "questions": 400, "paraphrases per intent": 5,
           "answers per intent": 3}

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
    "БЫЛ", "БЫЛА", "БЫТЬ", "ОЧЕНЬ", "УЖЕ", "ЕЩЕ", "ВСЕ", "МОЙ", "МОЯ", "МОЕ", "ТВОЙ", "ТВОЯ",
    "ТВОЕ", "СЕБЕ", "СЕБЯ", "ЕГО", "ЕЕ", "ИХ", "ЧЕМ", "ЧЕГО", "СЕЙЧАС", "ТОЖЕ", "ПРОСТО",
}

# A phrase holding one of these asks something or asks for something; an answer that repeats all of its words
# hands the person's own question back instead of answering it.
ASKING = {
    "КАК", "КАКОЙ", "КАКАЯ", "КАКОЕ", "КАКИЕ", "КАКУЮ", "КАКОГО", "КАКИХ", "ЧТО", "ЧЕ", "ЧО", "ГДЕ", "КОГДА",
    "ПОЧЕМУ", "ЗАЧЕМ", "КТО", "СКОЛЬКО", "КУДА", "ОТКУДА", "ЧЕЙ", "ЧЬЯ", "ЛИ", "ПОСОВЕТУЙ", "РАССКАЖИ", "СКАЖИ",
    "ДАЙ", "ПОКАЖИ", "НАЗОВИ", "ПОДСКАЖИ", "ОБЪЯСНИ", "ПОМОГИ", "СПОЙ", "ПРОЧИТАЙ", "ЗАГАДАЙ", "ДАВАЙ",
    "ПОЗДРАВЬ", "ПОШУТИ", "ПОВТОРИ", "ОТВЕТЬ", "МОЖЕШЬ", "УМЕЕШЬ", "ЛЮБИШЬ", "ЗНАЕШЬ", "ХОЧЕШЬ", "ДУМАЕШЬ",
}

# Subjects that show a gendered form speaks of the program itself or of a third party, not of the person.
OTHER_SUBJECTS = {"Я", "ОН", "ОНА", "ОНО", "ОНИ", "КТО", "КТОТО", "НИКТО", "КАЖДЫЙ"}


class SourceError(Exception):
    pass


def fail(path, number, message):
    raise SourceError(f"{path.name}:{number}: {message}")


def read_source(path):
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), start=1):
        if line.startswith("#") or not line.strip():
            continue
        yield path, number, line


def read_phrases(name):
    path = PHRASES / name
    return [line for line in path.read_text(encoding="utf-8").splitlines() if line.strip() and not line.startswith("#")]


# ---------------------------------------------------------------------------------------------- the matcher

def key_text(raw):
    kept = "".join(c for c in raw.strip(" ").upper() if c in ALPHABET)
    return " ".join(kept.split()) + " "


def words_of(text):
    return text.split()


class Matcher:
    """Gives the candidate answers of a phrase exactly as the program finds them."""

    def __init__(self, answer_pairs, synonym_pairs):
        self.partners = {}
        for form, target in synonym_pairs:
            self.partners.setdefault(form, []).append(target)
        self.pairs = [(frozenset(words_of(key)), key, answer) for key, answer in answer_pairs]
        self.filed = {}
        for number, (keys, _, _) in enumerate(self.pairs):
            self.filed.setdefault(min(keys), []).append(number)

    def widen(self, words):
        found = set()
        for w in words:
            found.update(self.partners.get(w, ()))
            found.add(w)
        return found

    def matches(self, raw):
        found = self.widen(words_of(key_text(raw)))
        numbers = sorted(n for w in found for n in self.filed.get(w, ()) if self.pairs[n][0] <= found)
        return [self.pairs[n] for n in numbers]

    def candidates(self, raw):
        return [answer for _, _, answer in self.matches(raw)]


# ---------------------------------------------------------------------------------------------- the sources

def make_key(path, number, words, ё_forms):
    # "!" in front marks a key line of common words that is still specific enough, such as "а ты".
    words = words.strip()
    deliberate = words.startswith("!")
    typed = " ".join(words.lstrip("!").split()).upper()
    if not typed:
        fail(path, number, "empty key line")
    bad = sorted({c for c in typed if c not in ALPHABET})
    if bad:
        fail(path, number, f"key line {typed!r} holds characters outside the alphabet: {''.join(bad)!r}")
    # People mostly type Е for Ё: the key line holds Е and the synonym base carries the Ё spelling onto it.
    for w in typed.split():
        if "Ё" in w:
            ё_forms.add((w, w.replace("Ё", "Е")))
    text = typed.replace("Ё", "Е")
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
    if re.search(r"\w\((а|ла|ась|ая|на|ь)\)", line):
        fail(path, number, f"{what} hedges the person's gender with a bracketed ending; rephrase it: {line!r}")


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


class Intent:
    def __init__(self, path, number, name, flags):
        self.path, self.number, self.name, self.flags = path, number, name, flags
        self.paraphrases = []  # (number, text)
        self.keys = []  # (number, key text)
        self.answers = []  # (number, text, gender reviewed)


def read_intents(ё_forms):
    intents = []
    names = set()
    files = sorted((SRC / "intents").glob("*.txt"))
    if not files:
        raise SourceError("no intent sources in data/src/intents")
    for file in files:
        current = None
        for path, number, line in read_source(file):
            if line.startswith("@"):
                head = line[1:].split()
                if not head:
                    fail(path, number, "an intent needs a name")
                name, flags = head[0], set(head[1:])
                if flags - {"ritual", "farewell"}:
                    fail(path, number, f"unknown flags {sorted(flags - {'ritual', 'farewell'})}")
                if name in names:
                    fail(path, number, f"intent {name} given twice")
                names.add(name)
                current = Intent(path, number, name, flags)
                intents.append(current)
                continue
            if current is None:
                fail(path, number, "a line before the first '@' intent")
            if line.startswith("~ "):
                current.paraphrases.append((number, line[2:].strip()))
            elif line.startswith("="):
                current.keys += [(number, make_key(path, number, part, ё_forms)) for part in line[1:].split("|")]
            else:
                reviewed = line.startswith("~")
                text = line[1:] if reviewed else line
                check_display_form(path, number, text, "answer")
                check_macros(path, number, text)
                current.answers.append((number, text, reviewed))
    for intent in intents:
        where = (intent.path, intent.number)
        if not intent.keys:
            fail(*where, f"intent {intent.name} has no key line")
        if len(intent.paraphrases) < MINIMUM["paraphrases per intent"]:
            fail(*where, f"intent {intent.name} has {len(intent.paraphrases)} paraphrases, "
                         f"at least {MINIMUM['paraphrases per intent']} are needed")
        if len(intent.answers) < MINIMUM["answers per intent"]:
            fail(*where, f"intent {intent.name} has {len(intent.answers)} answers, "
                         f"at least {MINIMUM['answers per intent']} are needed")
        if len({k for _, k in intent.keys}) != len(intent.keys):
            fail(*where, f"intent {intent.name} gives a key line twice")
    return intents


def answer_pairs_of(intents):
    pairs = []
    seen = {}
    for intent in intents:
        for _, key in intent.keys:
            for number, answer, _ in intent.answers:
                if (key, answer) in seen:
                    fail(intent.path, number, f"pair given twice ({seen[key, answer]} and {intent.name}): "
                                              f"{key!r} / {answer!r}")
                seen[key, answer] = intent.name
                pairs.append((key, answer))
    return pairs


def read_questions():
    questions = []
    path = SRC / "questions.txt"
    for path, number, line in read_source(path):
        question, *replies = [part.strip() for part in line.split("|")]
        check_display_form(path, number, question, "question")
        if question in (q for q, _, _ in questions):
            fail(path, number, f"question given twice: {question!r}")
        if not 3 <= len(replies) <= 5 or not all(replies):
            fail(path, number, f"give the three to five short replies people most often make: {question!r}")
        questions.append((question, replies, number))
    return questions


def check_word(path, number, word):
    if not word or any(c not in WORD_CHARS for c in word):
        fail(path, number, f"a synonym is one word of alphabet characters: {word!r}")
    return word.upper()


def read_synonyms(ё_forms):
    pairs = []
    seen = set()
    where = {}
    path = SRC / "synonyms.txt"
    for path, number, line in read_source(path):
        if ":" not in line:
            fail(path, number, "expected 'WORD: form form ...'")
        head, _, tail = line.partition(":")
        target = check_word(path, number, head.strip())
        if "Ё" in target:
            fail(path, number, f"{target}: write the word a key line uses, with Е")
        forms = [check_word(path, number, f) for f in tail.split()]
        if not forms:
            fail(path, number, f"no forms for {target}")
        for form in list(forms):
            if "Ё" in form and form.replace("Ё", "Е") != target:
                forms.append(form.replace("Ё", "Е"))
        for form in forms:
            if form == target:
                fail(path, number, f"{form} is given as a form of itself")
            if (form, target) in seen:
                continue
            seen.add((form, target))
            where[form, target] = number
            pairs.append((form, target))
    for form, target in sorted(ё_forms):
        if (form, target) not in seen:
            seen.add((form, target))
            pairs.append((form, target))
    return pairs, where


# ---------------------------------------------------------------------------------------------- the rules

def edit_distance(a, b):
    row = list(range(len(b) + 1))
    for i, ca in enumerate(a, 1):
        prev, row[0] = row[0], i
        for j, cb in enumerate(b, 1):
            prev, row[j] = row[j], min(row[j] + 1, row[j - 1] + 1, prev + (ca != cb))
    return row[-1]


def squeeze(word):
    # "дааа", "аууу", "приветт": a letter held down is the same word.
    return re.sub(r"(.)\1+", r"\1", word)


def is_form(form, target):
    """Whether two words are spellings or inflections of one word, which needs no review of its meaning."""
    form, target = form.replace("Ё", "Е"), target.replace("Ё", "Е")
    if squeeze(form) == squeeze(target):
        return True
    prefix = 0
    for a, b in zip(form, target):
        if a != b:
            break
        prefix += 1
    shorter = min(len(form), len(target))
    if prefix >= 4 or (prefix >= 3 and prefix * 2 >= shorter):
        return True
    return shorter >= 4 and edit_distance(form, target) <= (1 if shorter < 6 else 2)


def read_meanings():
    accepted, rejected = set(), {}
    path = SRC / "meanings.txt"
    for path, number, line in read_source(path):
        sign, *rest = line.split(maxsplit=3)
        if sign not in "+-" or len(rest) < 2 or (sign == "+" and len(rest) != 2) or (sign == "-" and len(rest) < 3):
            fail(path, number, "expected '+ FORM WORD' or '- FORM WORD why it was rejected'")
        pair = (rest[0].upper(), rest[1].upper())
        if pair in accepted or pair in rejected:
            fail(path, number, f"{pair} reviewed twice")
        if sign == "+":
            accepted.add(pair)
        else:
            rejected[pair] = rest[2]
    return accepted, rejected


def check_meanings(synonym_pairs, where):
    accepted, rejected = read_meanings()
    unreviewed = []
    for form, target in synonym_pairs:
        line = where.get((form, target), "?")
        if (form, target) in rejected:
            raise SourceError(f"synonyms.txt:{line}: {form} -> {target} was rejected: {rejected[form, target]}")
        if not is_form(form, target) and (form.replace("Ё", "Е"), target) not in accepted and (form, target) not in accepted:
            unreviewed.append(f"+ {form} {target}")
    if unreviewed:
        raise SourceError("these synonym pairs join different words; review their meaning and list them in "
                          "meanings.txt:\n" + "\n".join(unreviewed))
    stale = sorted(p for p in accepted if p not in set(synonym_pairs))
    if stale:
        raise SourceError("meanings.txt reviews pairs the synonym base no longer has: " +
                          ", ".join(f"{a} {b}" for a, b in stale))


def ё_spellings(intents, questions, answer_pairs, synonym_pairs):
    """Pairs that carry the Ё spelling of a word onto what its Е spelling reaches. Key lines and synonym pairs
    are written with Е, and many people type Е; but many type Ё too, and "ещё" must find the key line "ЕЩЕ".
    The Ё words are taken from everything the sources write: answers, paraphrases, questions, replies."""
    texts = [a for i in intents for _, a, _ in i.answers] + [p for i in intents for _, p in i.paraphrases]
    texts += [q for q, replies, _ in questions for q in [q] + replies]
    spelled = {w for t in texts for w in words_of(key_text(t)) if "Ё" in w}
    spelled |= {f for f, _ in synonym_pairs if "Ё" in f}
    key_words = {w for key, _ in answer_pairs for w in key.split()}
    targets = {}
    for form, target in synonym_pairs:
        targets.setdefault(form, []).append(target)
    have = set(synonym_pairs)
    pairs = []
    for word in sorted(spelled):
        plain = word.replace("Ё", "Е")
        for target in ([plain] if plain in key_words else []) + targets.get(plain, []):
            if (word, target) not in have:
                have.add((word, target))
                pairs.append((word, target))
    return pairs


def check_synonyms_lead_somewhere(answer_pairs, synonym_pairs):
    key_words = {w for key, _ in answer_pairs for w in key.split()}
    useless = sorted({t for _, t in synonym_pairs if t not in key_words})
    if useless:
        raise SourceError("synonyms.txt: these words lead nowhere, no key line uses them: " + ", ".join(useless))
    # Widening is one step deep: a form of a form would reach only the middle word.
    targets = {}
    for form, target in synonym_pairs:
        targets.setdefault(form, set()).add(target)
    chains = []
    for form, target in synonym_pairs:
        missing = targets.get(target, set()) - targets[form] - {form}
        if missing:
            chains.append(f"{form} -> {target}, but {target} -> {', '.join(sorted(missing))}")
    if chains:
        raise SourceError("synonyms.txt: a form of a form reaches only the middle word; give the first word "
                          "the last ones too:\n" + "\n".join(chains))


# A clause opened by one of these usually has the person as its hidden subject: "Спасибо, что спросил".
SUBORDINATE = {"ЧТО", "КОГДА", "ЕСЛИ", "ЧТОБЫ", "РАЗ", "ПОКА", "КАК", "ГДЕ", "КУДА", "ПОТОМУ"}


def clauses(text):
    """Each clause of the text with whether its sentence is a question."""
    for sentence in re.findall(r"[^.!?…]+[.!?…]*", text):
        asking = "?" in sentence
        for clause in re.split(r"[,;:()«»\"]| — | – ", sentence):
            words = words_of(key_text(clause))
            if words:
                yield words, asking


# Past-tense verbs end so; nouns and other words that end alike are listed with the gendered forms' exceptions.
PAST_ENDINGS = ("АЛ", "ЯЛ", "ЕЛ", "ИЛ", "ЫЛ", "УЛ", "АЛА", "ЯЛА", "ЕЛА", "ИЛА", "ЫЛА", "УЛА", "ЛСЯ", "ЛАСЬ")
NOT_PAST = {"ЗАЛ", "СИГНАЛ", "ФИНАЛ", "КАНАЛ", "МАТЕРИАЛ", "ИДЕАЛ", "ЖУРНАЛ", "ПЕНАЛ", "ОВАЛ", "СЕРИАЛ",
            "ФЕСТИВАЛ", "СИЛА", "ПИЛА", "МОГИЛА", "ВИЛА", "ПРАВИЛА", "ДЕЛА", "ТЕЛА", "СТРЕЛА", "ПЧЕЛА", "ЦЕЛ",
            "МАЛ", "МАЛА", "ЖАЛ", "УГОЛ", "ЖИЛ", "ЖИЛА", "ПОЛ", "СТОЛ", "ДЯТЕЛ", "АНГЕЛ", "КРЕСЛА", "ВЕСЛА",
            "ФУТБОЛ", "АКУЛА", "СКУЛА", "МУЛ", "СТУЛ", "ГУЛ", "КАРАУЛ", "АУЛ", "ПЕПЕЛ", "СНАЧАЛА", "СМЕЛ"}


def looks_past(word):
    return len(word) >= 4 and word.endswith(PAST_ENDINGS) and word not in NOT_PAST


def check_gender(path, number, text, gendered, what):
    # The program speaks of itself as "он": a clause without a subject is its own ("Понял тебя", "Рад это
    # слышать"), unless it asks the person something or hangs on a "что" whose hidden subject is the person.
    for words, asking in clauses(text):
        forms = sorted(w for w in words if w in gendered or looks_past(w))
        if not forms:
            continue
        if "ТЫ" in words or (not set(words) & OTHER_SUBJECTS and (asking or words[0] in SUBORDINATE)):
            fail(path, number, f"{what} speaks to the person with {', '.join(forms)}, which fits only a man or "
                               f"only a woman; rephrase it: {text!r}")


def read_gendered():
    forms = set()
    for _, _, line in read_source(SRC / "gendered.txt"):
        for w in line.split():
            forms.add(w.upper())
            forms.add(w.upper().replace("Ё", "Е"))
    return forms


def is_asking(phrase):
    return phrase.rstrip().endswith("?") or bool(set(words_of(key_text(phrase))) & ASKING)


def echoes(answer, phrase):
    """Whether the answer hands the person's own question or request back: the same text, or the same words
    with hardly anything added ("Посоветуй мне хорошую книгу." to "посоветуй книгу")."""
    if not is_asking(phrase):
        return False
    a, p = key_text(answer), key_text(phrase)
    if difflib.SequenceMatcher(None, a, p).ratio() >= 0.8:
        return True
    pw, aw = set(words_of(p)), set(words_of(a))
    return len(pw) >= 2 and pw <= aw and len(aw - pw) <= 2


def check_intents(intents, matcher, gendered):
    # Every problem at once: a source of hundreds of intents is fixed faster from a full list.
    problems = []

    def report(path, number, message):
        try:
            fail(path, number, message)
        except SourceError as e:
            problems.append(str(e))

    for intent in intents:
        own = {k for _, k in intent.keys}
        for number, text in intent.paraphrases:
            if key_text(text) == " ":
                report(intent.path, number, f"paraphrase {text!r} has no word the program could match")
            hit = {key for _, key, _ in matcher.matches(text)}
            if not hit & own:
                report(intent.path, number, f"paraphrase {text!r} is matched by no key line of {intent.name}")
        for number, answer, reviewed in intent.answers:
            if "#STOP" in answer and "farewell" not in intent.flags:
                report(intent.path, number, f"#STOP in {intent.name}, which is no farewell")
            if not reviewed:
                try:
                    check_gender(intent.path, number, answer, gendered, "answer")
                except SourceError as e:
                    problems.append(str(e))
            if "ritual" in intent.flags:
                continue
            for _, phrase in intent.paraphrases + [(0, k) for k in own]:
                if echoes(answer, phrase):
                    report(intent.path, number, f"the answer {answer!r} only gives back {phrase!r}")
                    break
    if problems:
        raise SourceError(f"{len(problems)} problems:\n" + "\n".join(problems))


def check_farewells(intents, matcher):
    stopping = {key for intent in intents for _, key in intent.keys
                if any("#STOP" in a for _, a, _ in intent.answers)}
    for sentence in read_phrases("nonfarewell.txt"):
        caught = sorted({key for _, key, answer in matcher.matches(sentence) if "#STOP" in answer.upper()})
        if caught:
            raise SourceError(f"{sentence!r} is no farewell, yet the key line {caught[0]!r} would end the dialogue")
    return stopping


def check_heldout_kept_apart(intents):
    heldout = {key_text(p) for p in read_phrases("heldout.txt")}
    problems = []
    for intent in intents:
        for number, text in intent.paraphrases:
            if key_text(text) in heldout:
                problems.append(f"{intent.path.name}:{number}: paraphrase {text!r} is a held-out phrase; write another one")
        for number, key in intent.keys:
            if len(key.split()) >= 3 and key in heldout:
                problems.append(f"{intent.path.name}:{number}: key line {key!r} is copied from the held-out phrases")
    if problems:
        raise SourceError(f"{len(problems)} problems:\n" + "\n".join(problems))


def check_questions(questions, gendered):
    path = SRC / "questions.txt"
    openings = {}
    for question, _, number in questions:
        check_gender(path, number, question, gendered, "question")
        opening = " ".join(words_of(key_text(question))[:2])
        openings.setdefault(opening, []).append(question)
    for opening, alike in openings.items():
        if len(alike) * 10 > len(questions):
            raise SourceError(f"questions.txt: {len(alike)} of {len(questions)} questions start with "
                              f"{opening.lower()!r}; no more than a tenth may")


def encode(lines, name):
    text = "".join(line + "\r\n" for line in lines)
    try:
        return text.encode("cp1251")
    except UnicodeEncodeError as e:
        raise SourceError(f"{name}: {text[e.start:e.end]!r} has no place in Windows-1251 "
                          f"(near {text[max(0, e.start - 30):e.end + 10]!r})")


def build():
    ё_forms = set()
    intents = read_intents(ё_forms)
    answer_pairs = answer_pairs_of(intents)
    questions = read_questions()
    synonym_pairs, where = read_synonyms(ё_forms)
    gendered = read_gendered()

    synonym_pairs += ё_spellings(intents, questions, answer_pairs, synonym_pairs)
    check_synonyms_lead_somewhere(answer_pairs, synonym_pairs)
    check_meanings(synonym_pairs, where)
    # Word forms from the dictionary, Latin spellings and misspellings, after the pairs written by hand (see the
    # top of wordforms.py: run it after the key lines change).
    synonym_pairs += generated_pairs(answer_pairs, synonym_pairs, read_meanings()[1], SourceError)
    matcher = Matcher(answer_pairs, synonym_pairs)
    check_intents(intents, matcher, gendered)
    check_farewells(intents, matcher)
    check_heldout_kept_apart(intents)
    check_questions(questions, gendered)

    counts = {"intents": len(intents), "answer pairs": len(answer_pairs), "questions": len(questions)}
    for what, have in counts.items():
        if have < MINIMUM[what]:
            raise SourceError(f"only {have} {what}, the shipped base promises at least {MINIMUM[what]}")
    for what, lines in (("answer", 2 * len(answer_pairs)), ("question", len(questions)),
                        ("synonym", 2 * len(synonym_pairs))):
        if lines > MAX_LINES:
            raise SourceError(f"the {what} base would have {lines} lines, the program reads at most {MAX_LINES}")
    return intents, answer_pairs, questions, synonym_pairs, matcher


def outputs(intents, answer_pairs, questions, synonym_pairs):
    dev = [f"{i.name}\t{text}" for i in intents for _, text in i.paraphrases]
    follow = [f"{q}\t{'|'.join(replies)}" for q, replies, _ in questions]
    return {
        OUT / "standart.tka": encode([line for pair in answer_pairs for line in pair], "standart.tka"),
        OUT / "standart.tkq": encode([q for q, _, _ in questions], "standart.tkq"),
        OUT / "standart.tks": encode([f" {w} " for pair in synonym_pairs for w in pair], "standart.tks"),
        PHRASES / "dev.txt": ("\n".join(dev) + "\n").encode("utf-8"),
        PHRASES / "followups.txt": ("\n".join(follow) + "\n").encode("utf-8"),
    }


def foreign_candidates(intents, matcher):
    """For every development phrase: its intent, the phrase, every candidate as the program can draw it, and the
    distinct candidates that are no answer of its own intent, which tests/data/phrases/dev_review.txt judges."""
    for intent in intents:
        own = {a for _, a, _ in intent.answers}
        for _, phrase in intent.paraphrases:
            drawn = matcher.candidates(phrase)
            yield intent.name, phrase, drawn, list(dict.fromkeys(a for a in drawn if a not in own))


def check_dev_review(intents, matcher):
    """The data test counts a development phrase's answers of other intents as fitting only when the review says so;
    an answer missing from the review would pass unseen, so the review must list every one of them."""
    path = PHRASES / "dev_review.txt"
    listed, phrase = {}, None
    if path.exists():
        for line in path.read_text(encoding="utf-8").splitlines():
            if line.startswith("> "):
                phrase = line[2:]
                listed.setdefault(phrase, set())
            elif line[:2] in ("+ ", "- ", "? ") and phrase is not None:
                listed[phrase].add(line[2:])
    wanted = {f"{name}: {p}": set(f) for name, p, _, f in foreign_candidates(intents, matcher) if f}
    if {k: v for k, v in listed.items() if v} != wanted:
        raise SourceError("tests/data/phrases/dev_review.txt is out of step with the bases; run data/src/review.py "
                          "dev and judge what is pending")


def figures(questions, matcher):
    heldout = read_phrases("heldout.txt")
    matched = sum(1 for p in heldout if matcher.candidates(p))
    replies = [r for _, rs, _ in questions for r in rs]
    followed = sum(1 for r in replies if matcher.candidates(r))
    return (f"held-out matched {matched}/{len(heldout)} ({100 * matched / len(heldout):.1f}%), "
            f"typical replies to the questions followed up {followed}/{len(replies)} "
            f"({100 * followed / len(replies):.1f}%)")


def main(argv):
    check_only = "--check" in argv
    intents, answer_pairs, questions, synonym_pairs, matcher = build()
    stale = []
    for target, data in outputs(intents, answer_pairs, questions, synonym_pairs).items():
        current = target.read_bytes() if target.exists() else None
        if current == data:
            continue
        if check_only:
            stale.append(str(target.relative_to(ROOT)))
        else:
            target.write_bytes(data)
    if stale:
        raise SourceError("out of date, run data/src/build_bases.py: " + ", ".join(stale))
    if check_only:
        check_dev_review(intents, matcher)
    paraphrases = sum(len(i.paraphrases) for i in intents)
    print(f"{len(intents)} intents ({paraphrases} paraphrases), {len(answer_pairs)} answer pairs "
          f"({len({a for _, a in answer_pairs})} distinct answers, {len({k for k, _ in answer_pairs})} key lines), "
          f"{len(questions)} questions, {len(synonym_pairs)} synonym pairs")
    print(figures(questions, matcher))


if __name__ == "__main__":
    try:
        main(sys.argv[1:])
    except SourceError as e:
        sys.exit(f"build_bases: {e}")
