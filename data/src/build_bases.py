#!/usr/bin/env python3
"""Builds the shipped knowledge bases from their readable UTF-8 sources and checks them.

    python3 data/src/build_bases.py           # writes data/standart.tka, .tkq, .tks and the generated phrase lists
    python3 data/src/build_bases.py --check   # fails when a rule below is broken or a written file is out of date

Sources, all UTF-8; a line starting with '#' is a comment, empty lines are ignored:

intents/*.txt  The answer base, written by intents. An intent is one thing a person means:
                   @ id [flag ...]             opens an intent; the flags are listed below
                   ~ phrase                    one way people type it: these make up the development set
                   = key words | key words *3  key lines; every answer of the intent goes with every key line,
                                               and "*N" after a key line writes each of its pairs N times (the
                                               weight; data/src/weigh.py computes the weights the rules ask for)
                   * answer                    an answer reviewed as safe in every use (see below)
                   anything else               an answer; a leading "~" (after the "* " if any) marks an answer
                                               whose gendered verb forms were reviewed and speak of someone else
                                               (a joke's hero), not of the person, and is not shown
               Flags: "ritual" intents (greetings, thanks, wishes) may answer with the person's own words and a
               wish: "С Новым годом!" back is what people say. "goodbye" intents say goodbye without ending the
               dialogue, "farewell" intents may end it with #STOP; both have only whole goodbye formulas as key
               lines. "state" intents hold a state of the person (УСТАЛ, БОЛЕЮ, ГРУСТНО) whose negation has an
               intent of its own. "atprogram" intents answer a complaint or an insult aimed at the program.
               Key words are written in any case, with Ё where it belongs (the key line gets Е and the Ё
               spelling becomes a synonym).
               A safe answer ("* ") reads right after a question, a statement, good news and bad news holding the
               key line, the key line negated included: an invitation to tell more or a neutral acknowledgement,
               never advice, a wish, a claim about the person or about the past or the future. Every answer of an
               intent with a broad key line (one content word at most, or a hedged goodbye) must be marked so.
function_words.txt  The reviewed function words (pronouns, particles, prepositions, conjunctions, adverbs of
               time and degree), then "formulas:" with the key lines made only of them that are genuine formulas
               ("да", "не очень", "пока нет"), each with the reason after two blanks.
goodbyes.txt   "sure:" the goodbye formulas that are a goodbye in every phrase holding them, "hedged:" those
               that are not always one ("пока"), each with the reason after two blanks.
questions.txt  "Question? | reply | reply | reply": each question of the question base with the three to
               five short replies people most often give to it. A question follows any reply (a soft opening
               such as "А …") and opens a dialogue; no tenth of them may start with the same two words.
synonyms.txt   "WORD: form form form" makes one pair form -> WORD for each form; a form written with Ё also
               gets its spelling with Е.
meanings.txt   The reviewed list of synonym pairs whose two words are not forms of one word: "+ FORM WORD"
               means the same in every phrase, "- FORM WORD why" was rejected and must never come back.
gendered.txt   Verb and short adjective forms that tell a man from a woman. Said to the person ("ты") they
               address only one of them, so no answer or question may use them about the person.

The rules of fit. The matcher draws one pair from all the pairs whose key words the phrase holds, so a specific
key line never removes the answers of a broad one; it only outnumbers them. --check fails, listing every problem
with its source line, key line and answer, when:
- a key line is made only of function words and is no reviewed formula (or goodbye formula);
- an answer of an intent with a broad key line is not marked safe, or a safe one gives advice, a wish or a
  promise outside a question (ritual intents excepted);
- a goodbye or farewell intent has a key line that is no whole formula of goodbyes.txt, a hedged formula may
  end the dialogue, a goodbye reply neither asks nor carries #STOP, or another intent's answer says goodbye;
- an atprogram intent has a key line without ТЫ/ТЕБЯ/ТЕБЕ (or a "-шь" verb, or the program's name), or another
  intent's answer apologises as if the program were blamed;
- a specific key line (two words or more with a content word, a formula of two words or more, or a "вы" key)
  carries fewer pairs than all the broader key lines of other intents it meets together: those whose words its
  own words reach after widening them by the synonyms, and that do not reach it back. Duplicates count;
- a state key line has no negated key line in another intent, or a state answer does not ask;
- an intent whose key line speaks to the program (ТЫ, ТЕБЯ, ТВОЙ, …) answers without the first person;
- an intent whose key line is in the past wishes luck;
- a key line shows "вы" (ВЫ, ВАС, ВАМ, ВАШ, ЗДРАВСТВУЙТЕ, a verb in "-те") and an answer says "ты";
- a broad key line caught by one development phrase in 300 or more has fewer than eight answers;
- in a development message of 12 words or more that asks the program something, the question's intent is drawn
  in less than half the draws, or fewer than 40 such messages are written;
- more than a quarter of the replies to the development phrases (probability-weighted over their candidates)
  can get a random question appended, that is, do not end in "?" or "?!" and carry no #STOP.
The summary line gives the figures: broad key lines, safe answers, duplicate pairs spent on weighting, the
random-question share and the long messages' share.

Written besides the bases, for the data test: tests/data/phrases/dev.txt (intent id, TAB, paraphrase) and
tests/data/phrases/followups.txt (question, TAB, its typical replies separated by "|").

Read to measure, never to choose key lines: tests/data/phrases/heldout.txt (phrases written before the bases
were tuned) and nonfarewell.txt (sentences with farewell-like words that are no farewell). The script refuses a
#STOP answer under a key line that matches any of the latter, and a key line copied from the former. The new
held-out set, tests/data/phrases/unseen/, is never shown: the script refuses a paraphrase or a key line of three
words or more equal to a phrase of unseen/everyday.txt, and a #STOP reachable from a sentence of
unseen/nongoodbye.txt, and its messages name only the source line.

Reviewed by hand with data/src/review.py, which also lists what the short key lines catch (--crossings):
tests/data/phrases/dev_review.txt judges every answer of another intent that a development phrase can draw; with
--check the script fails while that review misses one. issue_examples.txt, review.txt (the held-out set) and
followups_review.txt (the replies to a sample of the program's questions) are kept the same way.

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

# The flags an intent's "@" line may carry.
FLAGS = {"ritual", "farewell", "goodbye", "state", "atprogram"}

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
    """The key text of one part of a "=" line and how many times each of its pairs is written ("*3" at its end)."""
    words = words.strip()
    weight = 1
    if "*" in words:
        words, _, count = words.rpartition("*")
        if not count.strip().isdigit() or int(count) < 2:
            fail(path, number, f"a weight is written '*N' with N of 2 or more after the key words: {words}*{count}")
        weight = int(count)
        words = words.strip()
    typed = " ".join(words.split()).upper()
    if not typed:
        fail(path, number, "empty key line")
    bad = sorted({c for c in typed if c not in ALPHABET})
    if bad:
        fail(path, number, f"key line {typed!r} holds characters outside the alphabet: {''.join(bad)!r}")
    # People mostly type Е for Ё: the key line holds Е and the synonym base carries the Ё spelling onto it.
    for w in typed.split():
        if "Ё" in w:
            ё_forms.add((w, w.replace("Ё", "Е")))
    return typed.replace("Ё", "Е") + " ", weight


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
        self.keys = []  # (number, key text, weight)
        self.answers = []  # (number, text, gender reviewed, safe)


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
                if flags - FLAGS:
                    fail(path, number, f"unknown flags {sorted(flags - FLAGS)}")
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
                current.keys += [(number, *make_key(path, number, part, ё_forms)) for part in line[1:].split("|")]
            else:
                safe = line.startswith("* ")
                text = line[2:] if safe else line
                reviewed = text.startswith("~")
                text = text[1:] if reviewed else text
                check_display_form(path, number, text, "answer")
                check_macros(path, number, text)
                current.answers.append((number, text, reviewed, safe))
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
        if len({k for _, k, _ in intent.keys}) != len(intent.keys):
            fail(*where, f"intent {intent.name} gives a key line twice")
    return intents


def answer_pairs_of(intents):
    pairs = []
    seen = {}
    for intent in intents:
        for _, key, weight in intent.keys:
            for number, answer, _, _ in intent.answers:
                if (key, answer) in seen:
                    fail(intent.path, number, f"pair given twice ({seen[key, answer]} and {intent.name}): "
                                              f"{key!r} / {answer!r}")
                seen[key, answer] = intent.name
                pairs += [(key, answer)] * weight
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
    texts = [a for i in intents for _, a, _, _ in i.answers] + [p for i in intents for _, p in i.paraphrases]
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
    problems = []

    def report(path, number, message):
        try:
            fail(path, number, message)
        except SourceError as e:
            problems.append(str(e))

    for intent in intents:
        own = {k for _, k, _ in intent.keys}
        for number, text in intent.paraphrases:
            if key_text(text) == " ":
                report(intent.path, number, f"paraphrase {text!r} has no word the program could match")
            hit = {key for _, key, _ in matcher.matches(text)}
            if not hit & own:
                report(intent.path, number, f"paraphrase {text!r} is matched by no key line of {intent.name}")
        for number, answer, reviewed, _ in intent.answers:
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
    return problems


def unseen(name):
    """The sentences of a held-out file that nobody may read: only the phrase column, never shown."""
    path = PHRASES / "unseen" / name
    if not path.exists():
        return []
    lines = [line for line in path.read_text(encoding="utf-8").splitlines() if line.strip() and not line.startswith("#")]
    return [line.rsplit("\t", 1)[-1] for line in lines]


def check_farewells(intents, matcher):
    problems = []
    where = {}
    for intent in intents:
        for number, key, _ in intent.keys:
            where.setdefault(key, f"{intent.path.name}:{number}")
    for sentence in read_phrases("nonfarewell.txt"):
        caught = sorted({key for _, key, answer in matcher.matches(sentence) if "#STOP" in answer.upper()})
        if caught:
            problems.append(f"{where[caught[0]]}: {sentence!r} is no farewell, yet the key line {caught[0]!r} would "
                            f"end the dialogue")
    # The held-out non-goodbyes are never shown: the message names the key line only.
    for sentence in unseen("nongoodbye.txt"):
        caught = sorted({key for _, key, answer in matcher.matches(sentence) if "#STOP" in answer.upper()})
        if caught:
            problems.append(f"{where[caught[0]]}: the key line {caught[0]!r} would end the dialogue on a held-out "
                            f"sentence that is no goodbye; make it a whole goodbye formula")
    return problems


def check_heldout_kept_apart(intents):
    heldout = {key_text(p) for p in read_phrases("heldout.txt")}
    kept = {key_text(p) for p in unseen("everyday.txt")}
    problems = []
    for intent in intents:
        for number, text in intent.paraphrases:
            if key_text(text) in heldout:
                problems.append(f"{intent.path.name}:{number}: paraphrase {text!r} is a held-out phrase; write another one")
            if key_text(text) in kept:
                # Only the source line is named: the held-out phrases are never shown.
                problems.append(f"{intent.path.name}:{number}: this paraphrase is also a held-out phrase; write "
                                f"another one")
        for number, key, _ in intent.keys:
            if len(key.split()) >= 3 and key in heldout:
                problems.append(f"{intent.path.name}:{number}: key line {key!r} is copied from the held-out phrases")
            if len(key.split()) >= 3 and key in kept:
                problems.append(f"{intent.path.name}:{number}: a key line of this line is also a held-out phrase; "
                                f"write another one")
    return problems


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


# ---------------------------------------------------------------------------------------------- rules of fit
#
# The matcher draws one pair from all the pairs whose key words the phrase holds, so a specific key line never
# removes the answers of a broad one; it only outnumbers them. The rules below follow from that.

def read_listed(name, sections):
    """Lines of a reviewed list: plain word lines before the first section, then "section:" headers whose lines
    are "key words  why" (two blanks or more before the reason)."""
    words, listed, section = set(), {s: {} for s in sections}, None
    for path, number, line in read_source(SRC / name):
        head = line.strip()
        if head.endswith(":") and head[:-1] in sections:
            section = head[:-1]
            continue
        if section is None:
            words |= {w.upper().replace("Ё", "Е") for w in line.split()}
            continue
        text, *why = re.split(r"\s{2,}", head, maxsplit=1)
        if not why:
            fail(path, number, f"say why {text!r} is listed, after two blanks")
        key = key_text(text).replace("Ё", "Е")
        if key in listed[section]:
            fail(path, number, f"{text!r} listed twice")
        listed[section][key] = (path, number)
    return words, listed


def read_function_words():
    words, listed = read_listed("function_words.txt", ("formulas",))
    return words, listed["formulas"]


def read_goodbyes():
    _, listed = read_listed("goodbyes.txt", ("sure", "hedged"))
    return listed["sure"], listed["hedged"]


# Pronouns that address the person as "ты"; a key line with one of them speaks to the program.
TY = {"ТЫ", "ТЕБЯ", "ТЕБЕ", "ТОБОЙ", "ТВОЙ", "ТВОЯ", "ТВОЕ", "ТВОИ", "ТВОЕГО", "ТВОЕЙ", "ТВОИХ", "ТВОЕМУ",
      "ТВОИМ", "ТВОЕМ"}
VY = {"ВЫ", "ВАС", "ВАМ", "ВАМИ", "ВАШ", "ВАША", "ВАШЕ", "ВАШИ", "ВАШЕГО", "ВАШЕЙ", "ВАШИХ", "ВАШЕМУ", "ВАШИМ",
      "ВАШЕМ", "ЗДРАВСТВУЙТЕ"}
# Words that end like a verb said to "вы" but are nouns in the prepositional case.
NOT_VY_VERB = {"ИНТЕРНЕТЕ", "ОТВЕТЕ", "СВЕТЕ", "БИЛЕТЕ", "ПРЕДМЕТЕ", "БЮДЖЕТЕ", "ПАКЕТЕ", "УНИВЕРСИТЕТЕ",
               "СЕКРЕТЕ", "АППЕТИТЕ", "ЗЕНИТЕ", "КРЕДИТЕ", "МАГНИТЕ", "ПОРТРЕТЕ", "КОМИТЕТЕ", "ДИЕТЕ", "ПЛАНЕТЕ",
               "РАКЕТЕ", "ГАЗЕТЕ", "КОНФЕТЕ", "АНКЕТЕ", "МОНЕТЕ", "КОТЛЕТЕ", "КАРЕТЕ", "КОМЕТЕ", "ТУАЛЕТЕ", "БАЛЕТЕ",
               "КАБИНЕТЕ", "СОВЕТЕ", "ЗАПРЕТЕ", "КВАРТЕТЕ", "ПАКЕТЕ", "БУКЕТЕ", "ОБЪЕКТЕ", "ПРОЕКТЕ", "АСПЕКТЕ",
               "ФАКУЛЬТЕТЕ", "ИНСТИТУТЕ", "МИНУТЕ", "ЗАКАТЕ", "РАССВЕТЕ", "ПОЛЕТЕ", "ВЗЛЕТЕ", "САМОЛЕТЕ",
               "ВЕРТОЛЕТЕ", "ПАРАШЮТЕ", "ПЛИТЕ", "ЗАЩИТЕ", "ЭЛИТЕ", "ОРБИТЕ"}
# Key lines whose "ты" addresses nobody.
NOT_ADDRESS = {"УХ ТЫ "}
FIRST_PERSON = {"Я", "МЕНЯ", "МНЕ", "МНОЙ", "МОЙ", "МОЯ", "МОЕ", "МОИ", "МОЕГО", "МОЕЙ", "МОИХ", "МОЕМУ", "МОИМ",
                "МОЕМ", "МОИМИ", "МЫ", "НАС", "НАМ", "НАМИ"}
# Words that give advice, wish something, praise or judge the person, or promise how things will turn out. An
# answer that must read right after any phrase holding its key line may use them only inside a question.
UNSAFE = {"ДЕРЖИСЬ", "ДЕРЖИТЕСЬ", "ОТДОХНИ", "ОТДОХНИТЕ", "ОТДЫХАЙ", "ОТДЫХАЙТЕ", "ВЫСПИСЬ", "ВЫСПИТЕСЬ",
          "ПОПРОБУЙ", "ПОПРОБУЙТЕ", "СОВЕТУЮ", "ПОСОВЕТУЮ", "СТОИТ", "ПУСТЬ", "ЖЕЛАЮ", "УДАЧИ", "УДАЧНОГО",
          "ПОЗДРАВЛЯЮ", "ВЫЗДОРАВЛИВАЙ", "ВЫЗДОРАВЛИВАЙТЕ", "ПОПРАВЛЯЙСЯ", "СКОРЕЙШЕГО", "НАЛАДИТСЯ", "ПОЛУЧИТСЯ",
          "ПРОЙДЕТ", "ОБЯЗАТЕЛЬНО", "БЕРЕГИ", "БЕРЕГИТЕ", "ГРУСТИ", "ПЕРЕЖИВАЙ", "РАССТРАИВАЙСЯ", "МОЛОДЕЦ",
          "СПРАВИШЬСЯ", "ЗАСЛУЖИВАЕШЬ", "БУДЕТ", "НАЙДЕТСЯ", "ПОВЕЗЕТ", "ПРИЯТНОГО", "ХОРОШЕГО", "СЧАСТЛИВОГО",
          "ВЫПЕЙ", "ПОЕШЬ", "ИДИ", "ЛОЖИСЬ", "СДЕЛАЙ", "НАДЕНЬ", "ЗАЙМИСЬ", "ВЫКЛЮЧИ", "ПОГУЛЯЙ", "ЗАБУДЬ"}
WISHES = {"УДАЧИ", "УДАЧНОГО", "ПУХА", "ЖЕЛАЮ"}
# A reply that says goodbye; only goodbye intents give one.
SAYS_GOODBYE = re.compile(r"(?:^|[.!?…»] )(?:Пока(?:-пока)?[!.,]|До свидания|До встречи|До завтра|До скорого|"
                          r"Увидимся|Спокойной ночи|Сладких снов|Добрых снов|Спи сладко|Всего хорошего|"
                          r"Всего доброго|Счастливо|Прощай)")
# A broad key line caught by one development phrase in this many or more comes back often in a conversation: it
# needs this many answers.
FREQUENT_SHARE, FREQUENT_ANSWERS = 300, 8
RANDOM_QUESTION_SHARE = 0.25
LONG_MESSAGE_WORDS = 12


def asks(answer):
    """Whether the question step leaves the answer alone: it ends in a question or ends the dialogue."""
    return answer.endswith("?") or answer.endswith("?!") or "#STOP" in answer.upper()


def plain_sentences(answer):
    """The words of each sentence of the answer that is no question."""
    # Quotations (a joke's line, a song) are not the program's own advice.
    said = re.sub(r"«[^»]*»", "", answer.replace("#STOP", ""))
    for sentence in re.findall(r"[^.!?…]+[.!?…]*", said):
        if "?" not in sentence:
            yield [w.replace("Ё", "Е") for w in words_of(key_text(sentence))]


def vy_key(key):
    return any(w in VY or (len(w) >= 5 and w.endswith(("ЕТЕ", "ИТЕ", "ЙТЕ", "ЬТЕ")) and w not in NOT_VY_VERB)
               for w in key.split())


def ty_words(answer):
    words = [w.replace("Ё", "Е") for w in words_of(key_text(answer.replace("#NAME", "")))]
    return sorted({w for w in words if w in TY or (len(w) > 3 and w.endswith(("ШЬ", "ШЬСЯ")))})


class Context:
    """What the rules need to know about the sources, computed once."""

    def __init__(self, intents, answer_pairs, matcher):
        self.function, self.formulas = read_function_words()
        self.sure, self.hedged = read_goodbyes()
        self.intents, self.matcher = intents, matcher
        self.count = {}
        for key, _ in answer_pairs:
            self.count[key] = self.count.get(key, 0) + 1
        self.owners = {}
        self.where = {}
        for intent in intents:
            for number, key, _ in intent.keys:
                self.owners.setdefault(key, set()).add(intent.name)
                self.where.setdefault(key, (intent.path, number))

    def content(self, key):
        return [w for w in key.split() if w not in self.function]

    def broad(self, key):
        return len(self.content(key)) <= 1 or key in self.hedged

    def specific(self, key):
        """A key line of two words or more with a content word, a reviewed formula of two words or more ("пока
        нет" refines "пока" and "нет"), or a key line that says "вы"."""
        several = len(key.split()) >= 2
        return (several and (bool(self.content(key)) or key in self.formulas)) or vy_key(key)

    def broader(self, key):
        """The key lines of other intents that the key's own words reach but that do not reach it back."""
        own = set(key.split())
        found = []
        for _, other, _ in self.matcher.matches(key):
            if other == key or other in found or self.owners[other] & self.owners[key]:
                continue
            if own <= self.matcher.widen(other.split()):
                continue
            found.append(other)
        return found


def rule_function_words(ctx, report):
    used = set()
    for intent in ctx.intents:
        for number, key, _ in intent.keys:
            if ctx.content(key):
                continue
            if key in ctx.formulas:
                used.add(key)
                continue
            if key in ctx.sure or key in ctx.hedged:
                continue
            report(intent.path, number, f"key line {key.strip()!r} is made only of function words and is no "
                                        f"reviewed formula: it would answer a phrase whatever its topic")
    for key, (path, number) in ctx.formulas.items():
        if key not in used:
            report(path, number, f"the formula {key.strip()!r} is no key line any more; drop it from the list")


def rule_safe(ctx, report):
    for intent in ctx.intents:
        broad = [k for _, k, _ in intent.keys if ctx.broad(k)]
        for number, answer, _, safe in intent.answers:
            if broad and not safe:
                report(intent.path, number, f"the key line {broad[0].strip()!r} is broad, so its answer must read "
                                            f"right after any phrase holding it; review {answer!r} and mark it '* '")
            # A ritual intent returns a wish with a wish: "С Новым годом!" to "с наступающим".
            if safe and "ritual" not in intent.flags:
                for words in plain_sentences(answer):
                    bad = sorted(set(words) & UNSAFE)
                    if bad:
                        report(intent.path, number, f"the answer {answer!r} is marked safe but "
                                                    f"{', '.join(bad)} gives advice, a wish or a promise")
                        break


def rule_goodbyes(ctx, report):
    formulas = set(ctx.sure) | set(ctx.hedged)
    for intent in ctx.intents:
        goodbye = "goodbye" in intent.flags or "farewell" in intent.flags
        hedged = [k for _, k, _ in intent.keys if k in ctx.hedged]
        for number, key, _ in intent.keys:
            if goodbye and key not in formulas:
                report(intent.path, number, f"{intent.name} says goodbye, but {key.strip()!r} is no whole goodbye "
                                            f"formula of goodbyes.txt")
            if "farewell" in intent.flags and key in ctx.hedged:
                report(intent.path, number, f"{key.strip()!r} is not always a goodbye, so {intent.name} may not "
                                            f"end the dialogue on it")
        for number, answer, _, _ in intent.answers:
            if goodbye and not asks(answer):
                report(intent.path, number, f"a goodbye reply ends in a question or carries #STOP, so that no "
                                            f"random question follows it: {answer!r}")
            if hedged and "#STOP" in answer:
                report(intent.path, number, f"{hedged[0].strip()!r} is not always a goodbye: no #STOP in {answer!r}")
            if not goodbye and SAYS_GOODBYE.search(answer):
                report(intent.path, number, f"{answer!r} says goodbye, but {intent.name} is no goodbye intent")
    for key, (path, number) in list(ctx.sure.items()) + list(ctx.hedged.items()):
        if key not in ctx.owners:
            report(path, number, f"the formula {key.strip()!r} is no key line any more; drop it from the list")


def addresses_program(key):
    """Whether a key line shows that the phrase speaks to the program: ты in any case, its name, or a verb said to
    "ты" ("повторяешься", "тупишь")."""
    return any(w in TY or w == "TALKOMAT" or (len(w) > 4 and w.endswith(("ШЬ", "ШЬСЯ"))) for w in key.split())


def rule_at_program(ctx, report):
    for intent in ctx.intents:
        for number, key, _ in intent.keys:
            if "atprogram" in intent.flags and not addresses_program(key):
                report(intent.path, number, f"{intent.name} answers a complaint or insult aimed at the program, but "
                                            f"{key.strip()!r} does not say it is aimed at the program (ТЫ, ТЕБЯ, "
                                            f"ТЕБЕ)")
        if "atprogram" not in intent.flags:
            for number, answer, _, _ in intent.answers:
                if re.match(r"(Прости|Извини)\b", answer):
                    report(intent.path, number, f"{answer!r} apologises as if the phrase blamed the program; flag "
                                                f"{intent.name} atprogram and name the program in its key lines")


def rule_weighting(ctx, report):
    for key in sorted(ctx.count):
        if not ctx.specific(key):
            continue
        broader = ctx.broader(key)
        against = sum(ctx.count[b] for b in broader)
        if ctx.count[key] >= against:
            continue
        path, number = ctx.where[key]
        answers = sum(len(i.answers) for i in ctx.intents if i.name in ctx.owners[key])
        listed = ", ".join(f"{b.strip()} {ctx.count[b]}" for b in broader)
        report(path, number, f"key line {key.strip()!r} carries {ctx.count[key]} pairs, the broader key lines it "
                             f"meets carry {against} ({listed}); weight it *{-(-against // answers)}")


def rule_states(ctx, report):
    sets = {}
    for intent in ctx.intents:
        for _, key, _ in intent.keys:
            sets.setdefault(frozenset(key.split()), set()).add(intent.name)
    for intent in (i for i in ctx.intents if "state" in i.flags):
        for number, key, _ in intent.keys:
            words = set(key.split())
            if "НЕ" in words:
                report(intent.path, number, f"{key.strip()!r} is negated; a state intent holds the positive key "
                                            f"lines and another intent their negations")
                continue
            if not sets.get(frozenset(words | {"НЕ"}), set()) - {intent.name}:
                report(intent.path, number, f"the state key line {key.strip()!r} has no negated key line "
                                            f"'НЕ {key.strip()}' with answers of its own")
        for number, answer, _, _ in intent.answers:
            if not asks(answer) or any(set(w) & UNSAFE for w in plain_sentences(answer)):
                report(intent.path, number, f"the state may be negated in the phrase; ask about it instead of "
                                            f"prescribing, ending in a question: {answer!r}")


def rule_first_person(ctx, report):
    for intent in ctx.intents:
        addressed = [k for _, k, _ in intent.keys if set(k.split()) & TY and k not in NOT_ADDRESS]
        if not addressed:
            continue
        for number, answer, _, _ in intent.answers:
            words = {w.replace("Ё", "Е") for w in words_of(key_text(answer))}
            if not words & FIRST_PERSON:
                report(intent.path, number, f"{addressed[0].strip()!r} speaks to the program, which answers in the "
                                            f"first person: {answer!r}")


def rule_past_wishes(ctx, report):
    for intent in ctx.intents:
        past = [k for _, k, _ in intent.keys if "НЕ" not in k.split() and any(looks_past(w) for w in k.split())]
        if not past:
            continue
        for number, answer, _, _ in intent.answers:
            if set(words_of(key_text(answer))) & WISHES:
                report(intent.path, number, f"{past[0].strip()!r} puts it in the past; no wish of luck: {answer!r}")


def rule_vy(ctx, report):
    for intent in ctx.intents:
        vy = [k for _, k, _ in intent.keys if vy_key(k)]
        if not vy:
            continue
        for number, answer, _, _ in intent.answers:
            bad = ty_words(answer)
            if bad:
                report(intent.path, number, f"{vy[0].strip()!r} says «вы», so the answer does too; "
                                            f"{', '.join(bad)} in {answer!r}")


def rule_frequent(ctx, report, phrases):
    caught = {}
    for phrase in phrases:
        for key in {k for _, k, _ in ctx.matcher.matches(phrase)}:
            caught[key] = caught.get(key, 0) + 1
    for intent in ctx.intents:
        for number, key, _ in intent.keys:
            if ctx.broad(key) and caught.get(key, 0) * FREQUENT_SHARE >= len(phrases) and \
                    len(intent.answers) < FREQUENT_ANSWERS:
                report(intent.path, number, f"{key.strip()!r} catches {caught[key]} development phrases; give it "
                                            f"at least {FREQUENT_ANSWERS} answers so that one does not come back soon "
                                            f"(it has {len(intent.answers)})")


def asks_program(intent):
    return not intent.flags & {"ritual", "goodbye", "farewell", "atprogram"} and \
        any(addresses_program(k) or vy_key(k) for _, k, _ in intent.keys)


def long_messages(ctx):
    """The long development phrases that ask the program something, with the share of draws that answer it."""
    for intent in ctx.intents:
        if not asks_program(intent):
            continue
        own = {k for _, k, _ in intent.keys}
        for number, phrase in intent.paraphrases:
            if len(words_of(key_text(phrase))) < LONG_MESSAGE_WORDS:
                continue
            keys = [k for _, k, _ in ctx.matcher.matches(phrase)]
            yield intent, number, phrase, sum(k in own for k in keys) / len(keys) if keys else 0.0


def rule_long_messages(ctx, report):
    found = 0
    for intent, number, phrase, share in long_messages(ctx):
        found += 1
        if share < 0.5:
            report(intent.path, number, f"in the long message {phrase!r} the question to the program is answered "
                                        f"in {100 * share:.0f}% of draws; weight {intent.name}'s key lines")
    if found < 40:
        report(SRC / "intents", 0, f"only {found} long development messages ({LONG_MESSAGE_WORDS} words or more) "
                                   f"ask the program something among other sentences; write at least 40")


def random_question_share(matcher, phrases):
    """The chance, averaged over the phrases, that the drawn reply can get a random question appended."""
    total = 0.0
    for phrase in phrases:
        drawn = matcher.candidates(phrase)
        total += sum(not asks(a) for a in drawn) / len(drawn) if drawn else 0.0
    return total / len(phrases)


def rule_random_questions(ctx, report, phrases):
    share = random_question_share(ctx.matcher, phrases)
    if share > RANDOM_QUESTION_SHARE:
        report(SRC / "intents", 0, f"{100 * share:.1f}% of the replies to the development phrases can get a random "
                                   f"question appended; end more answers in a question of their own (at most "
                                   f"{100 * RANDOM_QUESTION_SHARE:.0f}%)")


RULES = (rule_function_words, rule_safe, rule_goodbyes, rule_at_program, rule_weighting, rule_states,
         rule_first_person, rule_past_wishes, rule_vy)


def check_rules(intents, answer_pairs, matcher):
    ctx = Context(intents, answer_pairs, matcher)
    phrases = [p for i in intents for _, p in i.paraphrases]
    problems = []

    def report(path, number, message):
        problems.append(f"{path.name}:{number}: {message}")

    for rule in RULES:
        rule(ctx, report)
    rule_frequent(ctx, report, phrases)
    rule_long_messages(ctx, report)
    rule_random_questions(ctx, report, phrases)
    return ctx, problems


def encode(lines, name):
    text = "".join(line + "\r\n" for line in lines)
    try:
        return text.encode("cp1251")
    except UnicodeEncodeError as e:
        raise SourceError(f"{name}: {text[e.start:e.end]!r} has no place in Windows-1251 "
                          f"(near {text[max(0, e.start - 30):e.end + 10]!r})")


def build(strict=True):
    """Reads and checks the sources. With strict=False the rules' problems are printed instead of raised, so that
    the review tools still run while the sources are being fixed."""
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
    # Every problem at once: a source of hundreds of intents is fixed faster from a full list.
    problems = check_intents(intents, matcher, gendered)
    problems += check_farewells(intents, matcher)
    problems += check_heldout_kept_apart(intents)
    _, found = check_rules(intents, answer_pairs, matcher)
    problems += found
    if problems and not strict:
        print(f"build_bases: {len(problems)} problems (not shown)", file=sys.stderr)
    elif problems:
        raise SourceError(f"{len(problems)} problems:\n" + "\n".join(problems))
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
        own = {a for _, a, _, _ in intent.answers}
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


def rule_figures(intents, answer_pairs, matcher):
    ctx = Context(intents, answer_pairs, matcher)
    phrases = [p for i in intents for _, p in i.paraphrases]
    broad = {k for k in ctx.count if ctx.broad(k)}
    safe = sum(1 for i in intents for a in i.answers if a[3])
    long = [share for _, _, _, share in long_messages(ctx)]
    weighted = len(answer_pairs) - len(set(answer_pairs))
    return (f"{len(broad)} broad key lines, {safe} answers marked safe; {weighted} pairs are duplicates that weight "
            f"specific key lines; a random question can follow {100 * random_question_share(matcher, phrases):.1f}% "
            f"of the replies to the development phrases; in {len(long)} long messages a question to the program is "
            f"answered in {100 * sum(long) / max(1, len(long)):.1f}% of draws (at least "
            f"{100 * min(long, default=0):.0f}% in each)")


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
    print(rule_figures(intents, answer_pairs, matcher))


if __name__ == "__main__":
    try:
        main(sys.argv[1:])
    except SourceError as e:
        sys.exit(f"build_bases: {e}")
