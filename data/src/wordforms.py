#!/usr/bin/env python3
"""Word forms from a Russian dictionary, Latin spellings and common misspellings for the synonym base.

    python3 data/src/wordforms.py            # refreshes data/src/wordforms.txt and translit.txt from the key lines
    python3 data/src/wordforms.py --budget   # prints how the synonym base's lines are spent

The refresh needs Debian's hunspell-ru (tools/setup.sh installs it): it reads the dictionary's own files, so every
form and the word it belongs to come from the dictionary, and checks the chosen forms with the hunspell program.
The build (build_bases.py, and its --check) reads only the files written here and needs no dictionary.

wordforms.txt  written by the refresh, never by hand: one line for every key word that is not a function word,
                   KEY: form form ...      a person may type each form for KEY; each gets the pair form -> KEY
                   KEY: - why              KEY gets no forms (it has none, or they would join other meanings)
               and one line for every form left out because it belongs to another word as well:
                   - FORM KEY why
               A form reaches every key word of its own word in the same role: a noun in any case and number; an
               adjective in the nominative of any gender and number; a verb in the same tense and person, the past
               in either gender (устала -> УСТАЛ; любим -> ЛЮБЛЮ; любите -> ЛЮБИШЬ; расскажите -> РАССКАЖИ). So
               "люблю" never reaches a question to the program, and "меня достали" (they did) never "ты меня
               достал": the plural of the past and of the short adjective, the neuter past ("не вышло") and the
               infinitive each stay in a role of their own. An adjective that a key line says of the person or
               the program ("я смешной", "ты не злой") or that a key line holds alone ("ленивая") takes only the
               other gender (смешная): its neuter, plural and accusative describe things ("я видела смешное
               видео", "ленивое воскресенье"); such a word in the neuter or plural ("хорошее" as a reply,
               "приятное") gets no forms: "хорошую книгу" and "приятный собеседник" name other things. A form that
               is a key word itself is left to the key lines and synonyms.txt.
wordforms_review.txt  written by hand, kept by every refresh:
                   = KEY lemma             KEY is read as a form of that dictionary word (when it reads two ways)
                   = KEY -                 KEY gets no forms
                   + FORM KEY why          a form of two words that may join KEY all the same
                   - FORM KEY why          a form that must not join KEY
translit.txt   written by the refresh: the Latin spellings people type for the 500 commonest words of the development
               phrases and of the typical replies to the program's questions, and for the words of greetings and
               goodbyes, "WORD: latin latin".
misspellings.txt  written by hand: "WORD: misspelling ..." (WORD may be two words: a fused "какдела" reaches both).
typos.txt      written by the refresh: the slips of the keys for the 90 commonest Russian words of the development
               phrases and replies and for the words of greetings and thanks, "WORD: typo typo": a letter typed
               twice ("приветт", "ктоо") and, in words of five letters or more, two neighbouring letters swapped
               ("привте"). A slip that is a Russian word itself (hunspell accepts it), a key word or a spelling
               taken by a commoner word is left out.

A Latin spelling or a misspelling reaches whatever its word reaches: the word itself when a key line uses it, and
the words its synonym pairs lead to. A pair the review in meanings.txt rejected never comes back.
"""

import re
import sys
from pathlib import Path

SRC = Path(__file__).resolve().parent
FORMS_FILE = SRC / "wordforms.txt"
REVIEW_FILE = SRC / "wordforms_review.txt"
TRANSLIT_FILE = SRC / "translit.txt"
MISSPELLINGS_FILE = SRC / "misspellings.txt"
TYPOS_FILE = SRC / "typos.txt"

# Pronouns, particles, prepositions and conjunctions: their forms tell who and how, and are no topic of their own.
FUNCTION_WORDS = set("""
я меня мне мной мною ты тебя тебе тобой тобою он его него ему нему им ним нем нём она ее её нее неё ей ней ею нею
оно мы нас нам нами вы вас вам вами они их них ими ними себя себе собой собою
мой моя мое моё мои моего моей моему моим моем моём моих моими мою твой твоя твое твоё твои твоего твоей твоему
твоим твоем твоём твоих твоими твою свой своя свое своё свои своего своей своему своим своем своём своих своими
свою наш наша наше наши нашего нашей нашему нашим нашем наших нашими нашу ваш ваша ваше ваши вашего вашей вашему
вашим вашем ваших вашими вашу
этот эта это эти этого этой этому этим этом этих этими эту тот та то те того той тому тем том тех теми ту
весь вся все всё всего всей всему всем всём всех всеми всю сам сама само сами самого самой самому самим самом
самих самими саму самое
кто кого кому кем ком что чего чему чем чём какой какая какое какие какого какую каких каким каком какой какому
какими который которая которое которые которого которой которому которым котором которых которыми которую чей
чья чье чьё чьи чьего чьей чьему чьим чьих такой такая такое такие такого такую таких таким таком такому такими
никто никого никому никем ничто ничего ничему ничем некто нечто некого нечего ктото чтото какойто какаято
какието когото чемто чегото ктонибудь чтонибудь какойнибудь гденибудь кудато гдето когдато почемуто кактото
сколько столько несколько
всякий всякая всякое всякие всякого всякой всякому всяким всяком всяких всякими всякую каждый каждая каждое каждые
каждого каждой каждому каждым каждом каждых каждыми каждую
не ни же ли ль бы б вот вон ну уж ведь даже только лишь разве неужели пусть пускай ка мол дескать вроде именно
почти то тоже также еще ещё уже вообще
в во на с со к ко о об обо по за из изо до от ото для про у при без безо под подо над перед передо через сквозь
между среди около возле вокруг после кроме вместо ради благодаря изза изпод насчет насчёт
и а но или либо зато однако если чтобы будто словно как когда пока хотя хоть раз потому поэтому ибо чем нежели
где куда откуда туда сюда тут там здесь так почему зачем отчего
""".upper().split())

# The forms a person types: the instrumental in -ою/-ею and other bookish variants are left to the key lines.
BOOKISH_ENDINGS = ("ОЮ", "ЕЮ", "ОЮСЯ", "ЕЮСЯ")

# Verbs whose forms the dictionary lists as words of their own, without the verb they belong to.
IRREGULAR = {
    "идти": {"P1": "иду идём", "P2": "идёшь идёте", "P3": "идёт идут", "PAST": "шёл шла шло шли", "IMP": "иди идите"},
    "пойти": {"PAST": "пошёл пошла пошло пошли"},
    "прийти": {"P1": "приду придём", "P2": "придёшь придёте", "P3": "придёт придут",
               "PAST": "пришёл пришла пришло пришли", "IMP": "приди придите"},
    "уйти": {"PAST": "ушёл ушла ушло ушли"},
    "найти": {"PAST": "нашёл нашла нашло нашли"},
    "зайти": {"PAST": "зашёл зашла зашло зашли"},
    "выйти": {"PAST": "вышел вышла вышло вышли"},
    "пройти": {"PAST": "прошёл прошла прошло прошли"},
    "хотеть": {"P1": "хочу хотим", "P2": "хочешь хотите", "P3": "хочет хотят"},
    "петь": {"P1": "пою поём", "P2": "поёшь поёте", "P3": "поёт поют", "IMP": "пой пойте"},
    "спеть": {"P1": "спою споём", "P2": "споёшь споёте", "P3": "споёт споют", "IMP": "спой спойте"},
    "лечь": {"PAST": "лёг легла легло легли"},
}

PLURAL_ENDINGS = ("Ы", "И", "А", "Я", "АМ", "ЯМ", "АМИ", "ЯМИ", "АХ", "ЯХ", "ОВ", "ЕВ", "ЕЙ")

# Nouns whose other forms the dictionary lists as words of their own.
IRREGULAR_NOUNS = {
    "друг": "друга другу другом друге друзья друзей друзьям друзьями друзьях",
    "время": "времени временем времена времён временам временами",
    "имя": "имени именем имена имён именам именами",
    "дочь": "дочери дочерью дочерей дочерям дочерьми",
    "мать": "матери матерью матерей матерям",
    "ветер": "ветра ветру ветром ветре ветры ветров",
    "сын": "сына сыну сыном сыне сыновья сыновей сыновьям сыновьями",
    "брат": "брата брату братом брате братья братьев братьям братьями",
    "люди": "людей людям людьми людях",
    "дети": "детей детям детьми детях",
}

VERB_FLAGS = set("LBTPQRDMUVWY")
VERB_ENDINGS = ("ТЬ", "ТИ", "ЧЬ", "ТЬСЯ", "ТИСЬ", "ЧЬСЯ")
ADJECTIVE_ENDINGS = ("ЫЙ", "ИЙ", "ОЙ")
# The roles a form can take. Forms of one word reach a key word only in the same role.
ROLES = {"NOUN": "noun", "LONG": "adjective", "OBLIQUE": "adjective in an oblique case", "SHORT": "short adjective",
         "SHORTPL": "short adjective plural", "INF": "infinitive", "PAST": "past", "PASTPL": "past plural",
         "PASTN": "neuter past", "P1": "1st person", "P1PL": "1st person plural",
         "P2": "2nd person", "P3": "3rd person", "IMP": "imperative"}


def plain(word):
    return word.upper().replace("Ё", "Е")


class Word:
    """One dictionary word: its lemma, part of speech and every form with its role."""

    def __init__(self, lemma, pos, proper=False):
        self.lemma, self.pos, self.proper = lemma, pos, proper
        self.forms = {}  # plain form -> {role}
        self.spelled = {}  # plain form -> the dictionary's spelling, with Ё

    def add(self, form, role):
        key = plain(form)
        self.forms.setdefault(key, set()).add(role)
        if "Ё" in form.upper() or key not in self.spelled:
            self.spelled[key] = form.upper()

    @property
    def name(self):
        return self.lemma.lower()


def verb_role(lemma, form, flag):
    if form == lemma:
        return "INF"
    if flag == "L":
        # The neuter is mostly impersonal ("не вышло", "надоело"), a sense the other persons do not have.
        # The plural has another subject: "меня достали" is no "ты меня достал".
        if form.endswith(("ЛО", "ЛОСЬ")):
            return "PASTN"
        return "PASTPL" if form.endswith(("ЛИ", "ЛИСЬ")) else "PAST"
    if flag in "BT":
        return "IMP"
    if flag in "PQR":
        return None  # gerunds: a person hardly types them
    base = form[:-2] if lemma.endswith(("СЯ", "СЬ")) and form.endswith(("СЯ", "СЬ")) else form
    if base.endswith(("ШЬ", "ТЕ")):
        return "P2"
    if base.endswith("Т"):
        return "P3"
    # "созвонимся", "сыграем" propose doing it together; "созвонюсь", "сыграю" do not.
    if base.endswith("М"):
        return "P1PL"
    if base.endswith(("У", "Ю")):
        return "P1"
    return None


def adjective_role(lemma, form, flag):
    # The nominative in its genders and numbers (and the accusative "японскую"); the other cases put the adjective
    # to another use: "я маленький" is about the person, "маленького роста" about the height.
    if flag in ("", "A") or flag not in "SXZE":
        if form == lemma or form.endswith(("АЯ", "ЯЯ", "ОЕ", "ЕЕ", "ЫЕ", "ИЕ", "УЮ", "ЮЮ")):
            return "LONG"
        return "OBLIQUE" if form.endswith(("ОЙ", "ЕЙ", "ОГО", "ЕГО", "ОМУ", "ЕМУ", "ЫМ", "ИМ", "ОМ", "ЕМ", "ЫХ",
                                           "ИХ", "ЫМИ", "ИМИ", "ОЮ", "ЕЮ")) else None
    if flag in "SX":
        if form.endswith(("О", "Е")):
            return None
        # Like the past, the plural has another subject: "зачем нужны синонимы" is no "я нужен".
        return "SHORTPL" if form.endswith(("Ы", "И")) else "SHORT"
    return None  # Z: the adverb in -о, E: the comparative; words of their own for a person


class Dictionary:
    def __init__(self, aff, dic):
        rules = {}
        for line in Path(aff).read_text(encoding="utf-8").splitlines():
            p = line.split()
            if len(p) >= 5 and p[0] == "SFX":
                rules.setdefault(p[1], []).append(("" if p[2] == "0" else p[2], "" if p[3] == "0" else p[3],
                                                   re.compile("(" + p[4] + ")$")))
        self.words = {}  # (plain lemma, pos) -> Word
        absorbed = {plain(f) for table in IRREGULAR.values() for forms in table.values() for f in forms.split()}
        absorbed |= {plain(f) for lemma, forms in IRREGULAR_NOUNS.items() for f in [lemma] + forms.split()}
        absorbed |= {plain(lemma) for lemma in IRREGULAR}
        for line in Path(dic).read_text(encoding="utf-8").splitlines()[1:]:
            lemma, _, flags = line.strip().partition("/")
            upper = lemma.upper()
            if plain(upper) in absorbed:
                continue
            if upper.endswith(VERB_ENDINGS) and set(flags) & VERB_FLAGS:
                # A verb that is a noun as well (знать, стать, печь) is two words, each with its own forms.
                parts = [("verb", "".join(f for f in flags if f in VERB_FLAGS))]
                if set(flags) - VERB_FLAGS:
                    parts.append(("noun", "".join(f for f in flags if f not in VERB_FLAGS)))
            elif upper.endswith(ADJECTIVE_ENDINGS) and "A" in flags:
                parts = [("adjective", flags)]
            elif "L" in flags:
                # A past tense listed by its masculine (затих, завис), a noun as well when it has other flags (стих).
                parts = [("past", "L")] + ([("noun", flags.replace("L", ""))] if flags != "L" else [])
            else:
                parts = [("noun" if flags else "word", flags)]
            for pos, its_flags in parts:
                word = self.words.setdefault((plain(upper), pos), Word(upper, pos, lemma[:1].isupper()))
                word.add(upper, {"verb": "INF", "past": "PAST", "adjective": "LONG", "noun": "NOUN", "word": "WORD"}[pos])
                for flag in its_flags:
                    for strip, add, condition in rules.get(flag, ()):
                        if condition.search(lemma) and lemma.endswith(strip):
                            form = (lemma[:len(lemma) - len(strip)] + add).upper()
                            if pos in ("verb", "past"):
                                role = verb_role(upper, form, flag)
                            elif pos == "adjective":
                                role = adjective_role(upper, form, flag)
                            else:
                                role = "NOUN"
                            word.add(form, role)
        for lemma, table in IRREGULAR.items():
            word = self.words.setdefault((plain(lemma), "verb"), Word(lemma.upper(), "verb"))
            word.add(lemma.upper(), "INF")
            for role, forms in table.items():
                for f in forms.split():
                    if role == "PAST" and f.endswith(("ло", "ли")):
                        role_of_form = "PASTN" if f.endswith("ло") else "PASTPL"
                    elif role == "P1" and f.endswith("м"):
                        role_of_form = "P1PL"
                    else:
                        role_of_form = role
                    word.add(f.upper(), role_of_form)
        for lemma, forms in IRREGULAR_NOUNS.items():
            word = self.words.setdefault((plain(lemma), "noun"), Word(lemma.upper(), "noun"))
            for f in [lemma] + forms.split():
                word.add(f.upper(), "NOUN")
        self.join_plurals()
        self.index = {}  # plain form -> [Word]
        for word in self.words.values():
            for form in word.forms:
                self.index.setdefault(form, []).append(word)

    def join_plurals(self):
        """The dictionary gives some nouns their plural as a word of its own (вёсны beside весна, деньги beside
        деньга); such a plural is the noun's own."""
        by_form = {}
        for word in self.words.values():
            if word.pos == "noun":
                for form in word.forms:
                    by_form.setdefault(form, []).append(word)
        for key, word in list(self.words.items()):
            lemma = plain(word.lemma)
            if word.pos != "noun" or not lemma.endswith(("Ы", "И", "А", "Я")):
                continue
            if not all(f.endswith(PLURAL_ENDINGS) for f in word.forms):
                continue
            singular = [o for o in by_form.get(lemma, []) if o is not word and not o.lemma.endswith(("Ы", "И"))]
            if len(singular) == 1:
                for form, roles in word.forms.items():
                    for role in roles:
                        singular[0].add(word.spelled[form], role)
                del self.words[key]

    def words_of(self, form):
        """The words a form belongs to, a word that is only part of another's forms (деньги of деньга, a plural
        listed on its own) counted as that other word."""
        found = self.index.get(form, [])
        kept = []
        for w in found:
            wider = [o for o in found if o is not w and len(w.forms) > 1 and set(w.forms) < set(o.forms)
                     and o.pos == w.pos]
            if not wider:
                kept.append(w)
        return kept


# ---------------------------------------------------------------------------------------------- the sources

class SourceProblem(Exception):
    pass


def read_lines(path):
    if not path.exists():
        return []
    return [(n, line) for n, line in enumerate(path.read_text(encoding="utf-8").splitlines(), start=1)
            if line.strip() and not line.startswith("#")]


def read_review():
    lemmas, accepted, rejected = {}, {}, {}
    for number, line in read_lines(REVIEW_FILE):
        sign, *rest = line.split(maxsplit=3)
        where = f"{REVIEW_FILE.name}:{number}"
        if sign == "=" and len(rest) >= 2:
            lemmas[rest[0].upper()] = (rest[1], " ".join(rest[2:]))
        elif sign in "+-" and len(rest) == 3:
            (accepted if sign == "+" else rejected)[rest[0].upper(), rest[1].upper()] = rest[2]
        else:
            raise SourceProblem(f"{where}: expected '= KEY lemma', '= KEY - why', '+ FORM KEY why' or "
                                f"'- FORM KEY why'")
    return lemmas, accepted, rejected


def read_table(path):
    """'WORD: form form' lines: the words, each with its forms and the line it stands on."""
    table = {}
    for number, line in read_lines(path):
        head, colon, tail = line.partition(":")
        if not colon or not head.strip():
            raise SourceProblem(f"{path.name}:{number}: expected 'WORD: form form ...'")
        table.setdefault(head.strip().upper(), ([], number))[0].extend(tail.upper().split())
    return table


def read_forms():
    """wordforms.txt: the forms of every key word and the forms left out."""
    forms, left_out = {}, []
    for number, line in read_lines(FORMS_FILE):
        if line.startswith("- "):
            left_out.append(line[2:])
            continue
        if line.startswith("@ "):
            continue
        head, colon, tail = line.partition(":")
        words = tail.split()
        if not colon:
            raise SourceProblem(f"{FORMS_FILE.name}:{number}: expected 'KEY: form ...' or 'KEY: - why'")
        forms[head.strip()] = ([] if words[:1] == ["-"] else [w.upper() for w in words], number)
    return forms, left_out


# ---------------------------------------------------------------------------------------------- the build

MAX_PAIRS = 16383
SPENT = {}  # category -> pairs, of the last build


def reach_of(words, key_words, targets):
    """Every word a phrase word reaches in one step of widening: itself where a key line uses it, and what its
    synonym pairs lead to."""
    found = {w for w in words if w in key_words}
    for w in words:
        found.update(targets.get(w, ()))
    return found


def generated_pairs(answer_pairs, synonym_pairs, rejected, error=SourceProblem):
    """The pairs of wordforms.txt, translit.txt and misspellings.txt for the synonym base, after the pairs given.
    A form also gets the pairs of the key word it reaches, as widening is one step deep."""
    try:
        return build_pairs(answer_pairs, synonym_pairs, rejected)
    except SourceProblem as e:
        raise error(str(e)) from None


def build_pairs(answer_pairs, synonym_pairs, rejected):
    key_words = {w for key, _ in answer_pairs for w in key.split()}
    content = key_words - FUNCTION_WORDS
    forms, _ = read_forms()
    rerun = "; run python3 data/src/wordforms.py"
    missing = sorted(content - set(forms))
    if missing:
        raise SourceProblem(f"{FORMS_FILE.name} has no line for the key words {', '.join(missing)}{rerun}")
    stale = sorted(set(forms) - content)
    if stale:
        raise SourceProblem(f"{FORMS_FILE.name} gives forms of words no key line uses: {', '.join(stale)}{rerun}")
    targets = {}
    for form, target in synonym_pairs:
        targets.setdefault(form, []).append(target)
    have = set(synonym_pairs)
    pairs = []
    SPENT.clear()
    SPENT["hand-written"] = len(synonym_pairs)

    def add(form, target, category, where):
        if (form, target) in have or form == target:
            return
        if (form, target) in rejected:
            raise SourceProblem(f"{where}: {form} -> {target} was rejected in meanings.txt: {rejected[form, target]}")
        have.add((form, target))
        pairs.append((form, target))
        targets.setdefault(form, []).append(target)
        SPENT[category] = SPENT.get(category, 0) + 1

    hand_targets = {f: list(t) for f, t in targets.items()}
    for key in sorted(forms, key=lambda k: forms[k][1]):
        listed, number = forms[key]
        where = f"{FORMS_FILE.name}:{number}"
        category = section_of(number)
        for form in listed:
            if plain(form) in key_words:
                raise SourceProblem(f"{where}: {form} is a key word now; its forms are left to the key lines{rerun}")
            for spelling in dict.fromkeys((plain(form), form)):
                what = category if spelling == plain(form) else "ё-spellings"
                for target in [key] + hand_targets.get(key, []):
                    add(spelling, target, what, where)
    for path, category in ((TRANSLIT_FILE, "transliteration"), (MISSPELLINGS_FILE, "misspellings"),
                           (TYPOS_FILE, "slips of the keys")):
        for head, (spellings, number) in read_table(path).items():
            reached = sorted(reach_of([plain(w) for w in head.split()], key_words, targets))
            for spelling in spellings:
                if spelling in key_words or any(c not in SPELLING_CHARS for c in spelling):
                    continue
                for target in reached:
                    add(spelling, target, category, f"{path.name}:{number}")
    return pairs


SPELLING_CHARS = set("ABCDEFGHIJKLMNOPQRSTUVWXYZАБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ1234567890")
_SECTIONS = []


def section_of(number):
    """The category of the section of wordforms.txt that a line stands in ("@ noun forms" opens one)."""
    if not _SECTIONS:
        for n, line in read_lines(FORMS_FILE):
            if line.startswith("@ "):
                _SECTIONS.append((n, line[2:].strip()))
    found = "other forms"
    for n, name in _SECTIONS:
        if n < number:
            found = name
    return found


def budget():
    total = sum(SPENT.values())
    parts = ", ".join(f"{n} {what}" for what, n in SPENT.items())
    return f"synonym base: {total} of {MAX_PAIRS} pairs ({2 * total} of {2 * MAX_PAIRS + 1} lines): {parts}"


# ---------------------------------------------------------------------------------------------- the refresh

AFF, DIC = Path("/usr/share/hunspell/ru_RU.aff"), Path("/usr/share/hunspell/ru_RU.dic")
SECTIONS = ("noun forms", "adjective forms", "verb forms", "no forms")
POS_SECTION = {"noun": "noun forms", "adjective": "adjective forms", "verb": "verb forms", "past": "verb forms"}


def described_persons(key_lines):
    """The key words that describe the person or the program: the one content word of a key line such as "я
    смешной" or "ты не злой". Such a word takes only the other gender's form (смешная); its neuter, plural and
    accusative describe things ("я видела смешное видео", "ты знаешь смешную историю?")."""
    found = set()
    for key in key_lines:
        words = set(key.split())
        content = words - FUNCTION_WORDS
        # A state said alone ("ленивая", "сонный") is about the person too: "ленивое воскресенье" is not.
        if len(content) == 1 and (words & {"Я", "ТЫ", "ВЫ", "МЫ"} or len(words) == 1):
            found |= content
    return found


NEUTER_PLURAL = ("ОЕ", "ЕЕ", "ЫЕ", "ИЕ", "УЮ", "ЮЮ")


def decide(key, dictionary, review, protected, key_words, rejected, onward, persons=frozenset()):
    """The forms of one key word: (section, forms with their Ё spelling, why none, forms left out with why)."""
    lemmas, accepted, refused = review
    if key in lemmas:
        lemma, why = lemmas[key]
        if lemma == "-":
            return "no forms", [], why or "reviewed", []
        lemma, _, pos = lemma.partition(":")
        words = [w for w in dictionary.index.get(key, []) if plain(w.lemma) == plain(lemma) and pos in ("", w.pos)]
        if not words:
            # A form the dictionary lists as a word of its own ("дел" beside "дело").
            words = [w for (name, pos), w in dictionary.words.items()
                     if name == plain(lemma) and pos in ("noun", "adjective")]
            for w in words:
                w.add(key, "NOUN" if w.pos == "noun" else "LONG")
        if not words:
            raise SourceProblem(f"{REVIEW_FILE.name}: {key} is no form of {lemma} in the dictionary")
    elif key in protected:
        return "no forms", [], "a word of a greeting, wish or farewell formula, whose other forms make no formula", []
    elif not re.fullmatch("[А-ЯЁ]+", key):
        return "no forms", [], "not a Russian word", []
    else:
        words = dictionary.words_of(key)
        if not words:
            return "no forms", [], "not in the dictionary", []
        if len(words) > 1:
            names = " or ".join(sorted(f"{w.name}" for w in words))
            return "no forms", [], f"reads as {names}; choose one in {REVIEW_FILE.name}", []
    word = words[0]
    if word.pos == "adjective" and key in persons and key.endswith(NEUTER_PLURAL):
        # "хорошее" and "приятное" alone are a reply or a thing; "хорошую книгу", "приятный собеседник" are not.
        return "no forms", [], "an adjective that stands alone or describes someone, in the neuter or plural", []
    roles = word.forms[key] & set(ROLES)
    if word.pos == "mixed":
        return "no forms", [], f"{word.name} is a noun and a verb in one dictionary word", []
    if not roles:
        return "no forms", [], "a word without other forms" if word.pos == "word" else \
            f"an adverb or comparative of {word.name}", []
    chosen, left_out = [], []
    for form, its_roles in sorted(word.forms.items()):
        if form == key or not its_roles & roles or form in key_words or form in FUNCTION_WORDS:
            continue
        if form.endswith(BOOKISH_ENDINGS):
            continue
        if word.pos == "adjective" and key in persons and form.endswith(NEUTER_PLURAL):
            left_out.append((form, "the key line describes a person; this form describes things"))
            continue
        if (form, key) in refused:
            left_out.append((form, refused[form, key]))
            continue
        barred = [t for t in [key] + onward.get(key, []) if (plain(form), t) in rejected or (form, t) in rejected]
        if barred:
            left_out.append((form, f"{form} -> {barred[0]} was rejected in meanings.txt"))
            continue
        others = [w for w in dictionary.words_of(form) if w is not word]
        if others and (form, key) not in accepted:
            left_out.append((form, "also a form of " + ", ".join(sorted(w.name for w in others))))
            continue
        spelling = word.spelled[form]
        chosen.append(spelling.capitalize() if word.proper else spelling.lower())
    section = POS_SECTION[word.pos]
    if not chosen:
        return "no forms", [], f"no other form of {word.name} in this role", left_out
    return section, chosen, "", left_out


def formula_words(intents):
    """The key words that keep greetings, wishes and farewells formulas: "с новой силой в этом году" is no "С Новым
    годом", and "ночь была спокойная" no good night. Every word of a key line that may end the dialogue; of the
    other formulas, the words no other key line uses, or all of the formula's words where it has none such."""
    stopping = [k for i in intents if any("#STOP" in a for _, a, _, _ in i.answers) for _, k, _ in i.keys]
    formulas = [k for i in intents if "ritual" in i.flags for _, k, _ in i.keys]
    ordinary = {w for i in intents if "ritual" not in i.flags for _, k, _ in i.keys for w in k.split()} - \
        {w for k in stopping for w in k.split()}
    protected = {w for k in stopping for w in k.split()}
    for key in formulas:
        own = set(key.split()) - ordinary
        protected |= own or set(key.split())
    return protected


def accepted_by_hunspell(words):
    """The words the hunspell program itself accepts: the dictionary's affix rules read as hunspell reads them."""
    import shutil
    import subprocess
    if not shutil.which("hunspell"):
        raise SourceProblem("the refresh needs the hunspell program: apt-get install hunspell hunspell-ru")
    run = subprocess.run(["hunspell", "-d", "ru_RU", "-G"], input="\n".join(words) + "\n",
                         capture_output=True, text=True, check=True)
    return {w.upper() for w in run.stdout.split()}


def common_words(intents, questions, key_words, targets, count):
    """The commonest words of the development phrases and of the typical replies that lead to a key word."""
    from collections import Counter
    from build_bases import key_text, words_of
    texts = [p for i in intents for _, p in i.paraphrases] + [r for _, replies, _ in questions for r in replies]
    seen = Counter(plain(w) for t in texts for w in words_of(key_text(t)) if re.fullmatch("[А-ЯЁ]+", w))
    ranked = sorted(seen, key=lambda w: (-seen[w], w))
    return [w for w in ranked if reach_of([w], key_words, targets)][:count]


# The ways people spell Russian in Latin letters; each word gets its spelling in each of them.
LATIN = "абвгдезиклмнопрстуфъь"
LATIN_PLAIN = dict(zip(LATIN, "abvgdeziklmnoprstuf") , ъ="", ь="")
SCHEMES = [
    dict(ж="zh", х="h", ц="c", ч="ch", ш="sh", щ="sch", й="y", ы="y", э="e", ю="yu", я="ya", ё="e"),
    dict(ж="zh", х="kh", ц="ts", ч="ch", ш="sh", щ="shch", й="y", ы="y", э="e", ю="yu", я="ya", ё="yo"),
    dict(ж="j", х="h", ц="c", ч="ch", ш="sh", щ="sh", й="j", ы="i", э="e", ю="ju", я="ja", ё="jo"),
    dict(ж="zh", х="x", ц="c", ч="ch", ш="sh", щ="sh", й="i", ы="i", э="e", ю="iu", я="ia", ё="e"),
]
# Latin spellings that are English words people type as English.
ENGLISH = set("""
to no on my so do go it is at an as or if up us we by of in he me be am oh ha the and you are how who not but for
can all one two day say see set sea net tot bee tea ten pet lot let bit kit more god drug bud hay bi rad
""".upper().split())
TRANSLIT_COUNT = 500
TYPO_COUNT = 90


def slips(word):
    """A letter typed twice, and two neighbouring letters swapped in a longer word."""
    word = word.lower()
    found = [word[:i + 1] + word[i] + word[i + 1:] for i in range(len(word))]
    if len(word) >= 5:
        found += [word[:i] + word[i + 1] + word[i] + word[i + 2:] for i in range(len(word) - 1) if word[i] != word[i + 1]]
    return [w for w in dict.fromkeys(found) if w != word]


def latin_spellings(word):
    word = word.lower()
    found = []
    for scheme in SCHEMES:
        latin = "".join(scheme.get(c, LATIN_PLAIN.get(c, "?")) for c in word).upper()
        if "?" not in latin and latin not in found:
            found.append(latin)
    return [w for w in found if len(w) > 1 and w not in ENGLISH]


def write(path, header, lines):
    path.write_text(header + "\n" + "\n".join(lines) + "\n", encoding="utf-8")


def refresh():
    import build_bases as bb
    ё_forms = set()
    intents = bb.read_intents(ё_forms)
    answer_pairs = bb.answer_pairs_of(intents)
    questions = bb.read_questions()
    hand, _ = bb.read_synonyms(ё_forms)
    hand += bb.ё_spellings(intents, questions, answer_pairs, hand)
    _, rejected = bb.read_meanings()
    key_words = {w for key, _ in answer_pairs for w in key.split()}
    protected = formula_words(intents)
    persons = described_persons(key for key, _ in answer_pairs)
    dictionary = Dictionary(AFF, DIC)
    review = read_review()
    onward = {}
    for form, target in hand:
        onward.setdefault(form, []).append(target)
    decided = {}
    for key in sorted(key_words - FUNCTION_WORDS):
        decided[key] = decide(key, dictionary, review, protected, key_words, rejected, onward, persons)
    spelled = {f for section, forms, _, _ in decided.values() for f in forms}
    accepted = accepted_by_hunspell(sorted(spelled))
    refused = sorted(f for f in spelled if f.upper() not in accepted)
    lines = {s: [] for s in SECTIONS}
    left = []
    for key, (section, forms, why, left_out) in decided.items():
        forms = [f for f in forms if f.upper() in accepted]
        if section != "no forms" and not forms:
            section, why = "no forms", "the spell checker accepts none of its other forms"
        lines[section].append(f"{key}: {' '.join(forms)}" if forms else f"{key}: - {why}")
        left += [f"- {form} {key} {reason}" for form, reason in left_out]
    body = []
    for section in SECTIONS:
        body += ["", f"@ {section}"] + lines[section]
    body += ["", "# Forms left out: each belongs to another word as well, or was rejected. Accept one with a line",
             f"# '+ FORM KEY why' in {REVIEW_FILE.name}."] + left
    write(FORMS_FILE, FORMS_HEADER, body)
    _SECTIONS.clear()

    targets = {}
    for form, target in hand + build_pairs(answer_pairs, hand, rejected):
        targets.setdefault(form, []).append(target)
    taken = {f for f, _ in hand}
    translit = []
    # Greetings, thanks and goodbyes are what people type first, and each is rare among the development phrases.
    rituals = sorted({w for i in intents if "ritual" in i.flags or "farewell" in i.flags
                      or any("#STOP" in a for _, a, _, _ in i.answers) for _, k, _ in i.keys for w in k.split()
                      if re.fullmatch("[А-Я]+", w)})
    reaching = sorted({f.lower() for f, ts in targets.items() if set(ts) & set(rituals) and re.fullmatch("[А-Я]+", f)})
    rituals += sorted(accepted_by_hunspell(reaching))
    words = common_words(intents, questions, key_words, targets, TRANSLIT_COUNT)
    for word in words + [w for w in dict.fromkeys(rituals) if w not in words]:
        spellings = [s for s in latin_spellings(word) if s not in taken and s not in key_words]
        taken.update(spellings)
        if spellings:
            translit.append(f"{word}: {' '.join(s.lower() for s in spellings)}")
    write(TRANSLIT_FILE, TRANSLIT_HEADER, translit)
    _SECTIONS.clear()
    # Greetings and thanks come first in a conversation, however rare they are among the development phrases.
    typed_words = list(dict.fromkeys([w for w in words if re.fullmatch("[А-Я]+", w) and len(w) >= 3][:TYPO_COUNT]
                                     + ["ПРИВЕТ", "ЗДРАВСТВУЙ", "ЗДРАВСТВУЙТЕ", "СПАСИБО", "ПОЖАЛУЙСТА"]))
    candidates = {w: [t for t in slips(w) if t.upper() not in taken and t.upper() not in key_words]
                  for w in typed_words}
    real = accepted_by_hunspell(sorted({t for ts in candidates.values() for t in ts}))
    typos = []
    for word, found in candidates.items():
        found = [t for t in found if t.upper() not in real and t.upper() not in taken]
        taken.update(t.upper() for t in found)
        if found:
            typos.append(f"{word}: {' '.join(found)}")
    write(TYPOS_FILE, TYPOS_HEADER, typos)
    build_pairs(answer_pairs, hand, rejected)
    typed = [w.lower() for spellings, _ in read_table(MISSPELLINGS_FILE).values() for w in spellings]
    real = sorted(accepted_by_hunspell(typed))
    if real:
        print(f"{MISSPELLINGS_FILE.name}: these are Russian words, not misspellings: {', '.join(real)}")
    print(f"{sum(len(f) for _, f, _, _ in decided.values())} forms of {len(decided)} key words "
          f"({len(lines['no forms'])} without forms), {len(left)} left out, {len(refused)} refused by hunspell; "
          f"Latin spellings of {len(translit)} words")
    print(budget())


TYPOS_HEADER = """\
# Written by data/src/wordforms.py: slips of the keys for the 90 commonest Russian words of the development phrases
# and of the typical replies to the program's questions, and for привет, здравствуй(те), спасибо, пожалуйста: a
# letter typed twice ("приветт") and, in words of five letters or more, two neighbouring letters swapped ("привте").
# A slip that hunspell-ru takes for a real word, a key word or a spelling a commoner word took first is left out.
# A slip reaches whatever its word reaches."""

FORMS_HEADER = """\
# Written by data/src/wordforms.py from the hunspell-ru dictionary; do not edit, run it again after the key lines
# change. "KEY: form form" gives each form the pair form -> KEY (and the Е spelling of a form with Ё); "KEY: - why"
# says why KEY gets no forms. Review a form or choose a key word's dictionary word in wordforms_review.txt."""

TRANSLIT_HEADER = """\
# Written by data/src/wordforms.py: the Latin spellings people type for the 500 commonest words of the development
# phrases and of the typical replies to the program's questions, then for the words of greetings, thanks and
# goodbyes and the real words that reach them (здравствуй, спокойной), in the usual ways (h or kh for х, zh or j for ж,
# y, j or i for й and ы, ya, ja or ia for я). A spelling reaches whatever its word reaches. English words (to, no,
# on, my, ...) and single letters are left out, and so is a spelling that a commoner word took first."""


def main(argv):
    if "--budget" in argv:
        # The build reads this file as the module "wordforms", not as the script run here.
        import build_bases
        import wordforms
        build_bases.build()
        print(wordforms.budget())
        return
    refresh()


if __name__ == "__main__":
    try:
        main(sys.argv[1:])
    except SourceProblem as e:
        sys.exit(f"wordforms: {e}")
