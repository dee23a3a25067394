#include "core/Bases.h"
#include "core/Options.h"
#include "core/TextFile.h"
#include "core/Variables.h"
#include "engine/EngineIndex.h"
#include "engine/Macros.h"
#include "engine/Phrase.h"
#include "engine/Turn.h"

#ifdef TALKOMAT_MENU_TREE
#include "ui/main/MenuTree.h"
#endif

#include "support/FakeClock.h"
#include "support/FakeRandom.h"
#include "support/TestFiles.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <QtTest/QTest>

#include <algorithm>

// The bases the program ships with are its first conversation. These tests read them with the program's own
// loaders and look phrases up with the engine's own index, so a careless edit of the sources in data/src shows up
// here: a line the program would not have written itself, an everyday phrase that suddenly gets a rebuke, an
// answer nobody reviewed, or a sentence that is no farewell ending the dialogue. The phrase sets live in
// tests/data/phrases; the held-out set and its review measure phrases nobody chose key lines for.
namespace {

QString shipped(const QString& name) {
    return QStringLiteral(SHIPPED_DATA_DIR "/") + name;
}
QString phraseFile(const QString& name) {
    return QStringLiteral(PHRASE_DATA_DIR "/") + name;
}

// The lines of a UTF-8 phrase file, without comments and empty lines.
QStringList phraseLines(const QString& name) {
    QStringList lines;
    const QString text = QString::fromUtf8(readAll(phraseFile(name)));
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
            lines.append(line);
    }
    return lines;
}

QString percent(qsizetype part, qsizetype whole) {
    return QString::number(100.0 * double(part) / double(whole), 'f', 1);
}
QString percent(double share) {
    return QString::number(100.0 * share, 'f', 1);
}

// A review file: under each "> phrase" the answers judged to fit it ("+") and those judged not to fit or not judged
// yet ("-", "?"), and a note ("! ...") that says why a phrase cannot be answered well.
struct Review {
    QHash<QString, QSet<QString>> fitting;
    QHash<QString, QSet<QString>> judged;
    QHash<QString, QString> notes;
    QStringList phrases;
};
Review readReview(const QString& name) {
    Review r;
    QString current;
    for (const QString& line : phraseLines(name)) {
        const QString rest = line.mid(2);
        if (line.startsWith(QLatin1String("> "))) {
            current = rest;
            r.phrases.append(current);
        } else if (line.startsWith(QLatin1String("! "))) {
            r.notes[current] = rest;
        } else if (line.size() > 2 && line.at(1) == QLatin1Char(' ')) {
            r.judged[current].insert(rest);
            if (line.startsWith(QLatin1Char('+')))
                r.fitting[current].insert(rest);
        }
    }
    return r;
}

// The share of draws that give an answer the review lets fit; `fits` says so for one answer.
template <typename Fits> double drawnFit(const QStringList& drawn, Fits fits) {
    if (drawn.isEmpty())
        return 0.0;
    return double(std::count_if(drawn.cbegin(), drawn.cend(), fits)) / double(drawn.size());
}

// clang-format off
// The key lines whose answers greet; a phrase that greets nobody must never draw one of them.
const QStringList kGreetingKeys = {
    QStringLiteral("ПРИВЕТ "), QStringLiteral("ДОБРЫЙ ДЕНЬ "), QStringLiteral("ДОБРОЕ УТРО "),
    QStringLiteral("ДОБРЫЙ ВЕЧЕР "), QStringLiteral("ЗДРАВСТВУЙТЕ "),
};
// clang-format on

QSet<QString> toSet(const QStringList& list) {
    return {list.cbegin(), list.cend()};
}

// What the shipped bases promise; the data test fails below these.
constexpr double kHeldOutMatched = 0.95;
// The old held-out set was judged again by the standard of issue 20 (a demanding native speaker reads every
// candidate; broad key lines now keep their safe answers beside the specific ones instead of being outweighed
// to nothing). The issue's targets are measured on the new held-out set, judged blind; this bar only keeps the
// old set from getting worse.
constexpr double kHeldOutFitting = 0.65;
constexpr double kFollowedUp = 0.90;

} // namespace

class tst_DefaultBases : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void filesAreWindows1251LinesEndedByCrLf_data();
    void filesAreWindows1251LinesEndedByCrLf();
    void countsAreWithinLimits();
    void keyLinesAreKeyText();
    void answersAreInDisplayForm();
    void noAnswerPassesForAFallback();
    void questionsAreInDisplayForm();
    void synonymLinesAreSingleUpperCaseWords();

    void everyDevelopmentPhraseIsAnswered();
    void heldOutPhrasesAreAnsweredAndFit();
    void issueExamplesAreAnsweredAndFit_data();
    void issueExamplesAreAnsweredAndFit();
    void noSentenceOfTheNonFarewellCorpusEndsTheDialogue();
    void typicalRepliesToTheProgramsQuestionsAreFollowedUp();
    void greetingIsAnsweredByAGreeting_data();
    void greetingIsAnsweredByAGreeting();
    void unrelatedPhraseIsNotGreeted_data();
    void unrelatedPhraseIsNotGreeted();
    void farewellCanEndTheDialogueCleanly_data();
    void farewellCanEndTheDialogueCleanly();
    void timeAndDateAreFilledIn_data();
    void timeAndDateAreFilledIn();

    void helpOpensAtTopicOneAndEveryLinkLands();
    void helpCoversEveryMenuCommand_data();
    void helpCoversEveryMenuCommand();

private:
    struct Reply {
        QString text;
        bool stopped = false;
        bool learning = false;
    };
    // Every answer the bases hold for the phrase, as the conversation turn finds them: the candidates the reply is
    // drawn from, duplicates removed. Empty when the phrase would get a fallback.
    QStringList candidates(const QString& phrase);
    // The same, each answer as often as the reply can be drawn from it.
    QStringList drawable(const QString& phrase);
    // One conversation turn on a fresh copy of the loaded state, the reply drawn at `pick`. The question step is
    // kept out (no question count) so that the reply is the answer alone.
    Reply turn(const QString& phrase, double pick);
    // Every reply the phrase can get: 32 evenly spread draws reach every candidate of a list of up to 32.
    QList<Reply> allReplies(const QString& phrase);
    bool isFallback(const Reply& r) const;

    Variables m_loaded;
    EngineIndex m_index;
    FakeClock m_clock;
};

void tst_DefaultBases::initTestCase() {
    Options::applyDefaults(m_loaded);
    m_loaded.Mode = Modes::conversation();
    m_loaded.AnswerBaseFile = shipped(QStringLiteral("standart.tka"));
    m_loaded.QuestionBaseFile = shipped(QStringLiteral("standart.tkq"));
    m_loaded.SynonymBaseFile = shipped(QStringLiteral("standart.tks"));
    const Result answers = LoadAnswers(m_loaded);
    QVERIFY2(answers.ok(), qPrintable(answers.error()));
    const Result questions = LoadQuestions(m_loaded);
    QVERIFY2(questions.ok(), qPrintable(questions.error()));
    const Result synonyms = LoadSinonims(m_loaded);
    QVERIFY2(synonyms.ok(), qPrintable(synonyms.error()));
    m_index.sync(m_loaded);
}

QStringList tst_DefaultBases::drawable(const QString& phrase) {
    const QString key = MakeKeyText(phrase, m_loaded.Alphabet);
    if (key == QLatin1String(" "))
        return {};
    m_index.sync(m_loaded);
    return m_index.answersFor(SplitKeyWords(key), m_loaded);
}

QStringList tst_DefaultBases::candidates(const QString& phrase) {
    QStringList found = drawable(phrase);
    found.removeDuplicates();
    return found;
}

void tst_DefaultBases::filesAreWindows1251LinesEndedByCrLf_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("answers") << QStringLiteral("standart.tka");
    QTest::newRow("questions") << QStringLiteral("standart.tkq");
    QTest::newRow("synonyms") << QStringLiteral("standart.tks");
}

void tst_DefaultBases::filesAreWindows1251LinesEndedByCrLf() {
    QFETCH(QString, name);
    const QByteArray bytes = readAll(shipped(name));
    QVERIFY(!bytes.isEmpty());
    QVERIFY(bytes.endsWith("\r\n"));
    // The first byte that breaks the format, found before any message is built: the bases are half a megabyte.
    qsizetype bad = -1;
    for (qsizetype i = 0; i < bytes.size() && bad < 0; ++i) {
        const bool loneCr = bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n');
        const bool loneLf = bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r');
        // 0x98 is the one byte Windows-1251 leaves undefined; UTF-8 text would be full of it and its neighbours.
        if (loneCr || loneLf || static_cast<unsigned char>(bytes[i]) == 0x98)
            bad = i;
    }
    QVERIFY2(bad < 0, qPrintable(QStringLiteral("lone CR, lone LF or byte 0x98 at %1").arg(bad)));
    // Written back unchanged, the lines give the very same bytes: nothing in the file is lost on a save.
    QCOMPARE(TextFile::joinLines(TextFile::splitLines(bytes)), bytes);
}

void tst_DefaultBases::countsAreWithinLimits() {
    QCOMPARE(m_loaded.AnswerCount % 2, 0);
    QCOMPARE(m_loaded.SynonymCount % 2, 0);
    QVERIFY2(m_loaded.AnswerCount >= 2 * 3000, qPrintable(QString::number(m_loaded.AnswerCount)));
    QVERIFY2(m_loaded.QuestionCount >= 400, qPrintable(QString::number(m_loaded.QuestionCount)));
    QVERIFY2(m_loaded.SynonymCount >= 2 * 1000, qPrintable(QString::number(m_loaded.SynonymCount)));
    // Learning appends to the bases; the shipped answer base spends most of its room on duplicate pairs that
    // weight specific key lines (issue 20) and leaves at least 1,000 lines, 500 lessons, for learning.
    QVERIFY2(m_loaded.AnswerCount <= Variables::MaxLines - 1000, qPrintable(QString::number(m_loaded.AnswerCount)));
    QVERIFY(m_loaded.SynonymCount < Variables::MaxLines / 3 * 2);
    qInfo("%d answer pairs, %d questions, %d synonym pairs", m_loaded.AnswerCount / 2, m_loaded.QuestionCount,
          m_loaded.SynonymCount / 2);
}

void tst_DefaultBases::keyLinesAreKeyText() {
    for (qsizetype k = 0; k < m_loaded.AnswerBase.size(); k += 2) {
        const QString& key = m_loaded.AnswerBase.at(k);
        QVERIFY2(MakeKeyText(key, m_loaded.Alphabet) == key,
                 qPrintable(QStringLiteral("line %1: '%2'").arg(k + 1).arg(key)));
        QVERIFY2(!SplitKeyWords(key).isEmpty(), qPrintable(QStringLiteral("line %1 has no key word").arg(k + 1)));
    }
}

void tst_DefaultBases::answersAreInDisplayForm() {
    static const QStringList macros = {QStringLiteral("#NAME"), QStringLiteral("#TIME"), QStringLiteral("#DATE"),
                                       QStringLiteral("#STOP")};
    for (qsizetype k = 1; k < m_loaded.AnswerBase.size(); k += 2) {
        const QString& answer = m_loaded.AnswerBase.at(k);
        const QString where = QStringLiteral("line %1: '%2'").arg(k + 1).arg(answer);
        QVERIFY2(MakeDisplayForm(answer, m_loaded.Alphabet) == answer, qPrintable(where));
        // A '#' that starts no macro would be shown to the person as typed.
        for (qsizetype at = answer.indexOf(QLatin1Char('#')); at >= 0; at = answer.indexOf(QLatin1Char('#'), at + 1))
            QVERIFY2(macros.contains(answer.mid(at, 5)), qPrintable(where));
    }
}

void tst_DefaultBases::noAnswerPassesForAFallback() {
    const QSet<QString> fallbacks = toSet(fallbackReplies());
    for (qsizetype k = 1; k < m_loaded.AnswerBase.size(); k += 2)
        QVERIFY2(!fallbacks.contains(m_loaded.AnswerBase.at(k)), qPrintable(m_loaded.AnswerBase.at(k)));
}

void tst_DefaultBases::questionsAreInDisplayForm() {
    QSet<QString> seen;
    for (const QString& question : std::as_const(m_loaded.QuestionBase)) {
        QVERIFY2(MakeDisplayForm(question, m_loaded.Alphabet) == question, qPrintable(question));
        QVERIFY2(!seen.contains(question), qPrintable(QStringLiteral("asked twice: ") + question));
        seen.insert(question);
    }
}

void tst_DefaultBases::synonymLinesAreSingleUpperCaseWords() {
    for (qsizetype k = 0; k < m_loaded.SynonymBase.size(); ++k) {
        const QString& line = m_loaded.SynonymBase.at(k);
        const QString where = QStringLiteral("line %1: '%2'").arg(k + 1).arg(line);
        QVERIFY2(line.size() >= 3 && line.startsWith(QLatin1Char(' ')) && line.endsWith(QLatin1Char(' ')),
                 qPrintable(where));
        const QString word = line.mid(1, line.size() - 2);
        QVERIFY2(!word.contains(QLatin1Char(' ')), qPrintable(where));
        QVERIFY2(MakeKeyText(word, m_loaded.Alphabet) == word + QLatin1Char(' '), qPrintable(where));
    }
    // The loader upper-cases the synonym base, so the file itself must already be upper case to be saved back
    // byte for byte.
    const QStringList onDisk = TextFile::splitLines(readAll(shipped(QStringLiteral("standart.tks"))));
    QCOMPARE(onDisk, m_loaded.SynonymBase);
}

void tst_DefaultBases::everyDevelopmentPhraseIsAnswered() {
    // Each line is "intent<TAB>phrase"; the build script checks that the intent's own key lines match it, here the
    // loaded files must agree. The answers of other intents that the phrase also draws are judged in the review
    // ("> intent: phrase"); the build check keeps it complete, so an answer it does not list is one of the intent's.
    const QStringList lines = phraseLines(QStringLiteral("dev.txt"));
    QVERIFY(lines.size() >= 4000);
    const Review review = readReview(QStringLiteral("dev_review.txt"));
    QStringList misses;
    qsizetype allFit = 0;
    double drawn = 0.0;
    for (const QString& line : lines) {
        const QString phrase = line.section(QLatin1Char('\t'), 1);
        const QString header = line.section(QLatin1Char('\t'), 0, 0) + QStringLiteral(": ") + phrase;
        const QStringList found = drawable(phrase);
        if (found.isEmpty())
            misses.append(line);
        const QSet<QString>& other = review.judged.value(header);
        const QSet<QString>& good = review.fitting.value(header);
        const auto fits = [&](const QString& a) { return !other.contains(a) || good.contains(a); };
        allFit += !found.isEmpty() && std::all_of(found.cbegin(), found.cend(), fits);
        drawn += drawnFit(found, fits);
    }
    const qsizetype n = lines.size();
    qInfo("development set: %lld of %lld phrases matched, %lld with every candidate fitting (%s%%), a fitting answer "
          "drawn %s%% of the time",
          qlonglong(n - misses.size()), qlonglong(n), qlonglong(allFit), qPrintable(percent(allFit, n)),
          qPrintable(percent(drawn / double(n))));
    QVERIFY2(misses.isEmpty(), qPrintable(misses.join(QLatin1Char('\n'))));
}

void tst_DefaultBases::heldOutPhrasesAreAnsweredAndFit() {
    const QStringList phrases = phraseLines(QStringLiteral("heldout.txt"));
    QVERIFY(phrases.size() >= 300);
    // The review: under each "> phrase" the answers judged to fit it ("+"); anything else counts as not fitting. The
    // phrases are not printed: nobody should choose key lines or answers by them.
    const Review review = readReview(QStringLiteral("review.txt"));
    qsizetype matched = 0;
    qsizetype allFit = 0;
    double drawn = 0.0;
    for (const QString& phrase : phrases) {
        const QStringList found = drawable(phrase);
        const QSet<QString>& good = review.fitting.value(phrase);
        const auto fits = [&good](const QString& a) { return good.contains(a); };
        matched += !found.isEmpty();
        allFit += !found.isEmpty() && std::all_of(found.cbegin(), found.cend(), fits);
        drawn += drawnFit(found, fits);
    }
    const qsizetype n = phrases.size();
    qInfo("held-out set: %lld of %lld phrases matched (%s%%), %lld with every candidate reviewed as fitting (%s%%), a "
          "fitting answer drawn %s%% of the time",
          qlonglong(matched), qlonglong(n), qPrintable(percent(matched, n)), qlonglong(allFit),
          qPrintable(percent(allFit, n)), qPrintable(percent(drawn / double(n))));
    QVERIFY(double(matched) >= kHeldOutMatched * double(n));
    QVERIFY2(double(allFit) >= kHeldOutFitting * double(n), "review the candidates with data/src/review.py");
}

void tst_DefaultBases::issueExamplesAreAnsweredAndFit_data() {
    QTest::addColumn<QString>("phrase");
    for (const QString& phrase : readReview(QStringLiteral("issue_examples.txt")).phrases)
        QTest::newRow(qPrintable(phrase)) << phrase;
}

void tst_DefaultBases::issueExamplesAreAnsweredAndFit() {
    // The examples of phrases that got answers of another meaning, a rebuke or an accidental end of the dialogue,
    // and the short replies people type in a chat: each is answered, every answer it can draw was reviewed as
    // fitting, and none ends the dialogue. A note in the file names the ones the matcher cannot answer well.
    QFETCH(QString, phrase);
    const Review review = readReview(QStringLiteral("issue_examples.txt"));
    const QStringList found = candidates(phrase);
    QStringList unfit;
    for (const QString& answer : found) {
        QVERIFY2(!answer.contains(QLatin1String("#STOP"), Qt::CaseInsensitive), qPrintable(answer));
        if (!review.fitting.value(phrase).contains(answer))
            unfit.append(answer);
    }
    if (review.notes.contains(phrase))
        QEXPECT_FAIL("", qPrintable(review.notes.value(phrase)), Continue);
    QVERIFY2(!found.isEmpty() && unfit.isEmpty(),
             qPrintable(found.isEmpty() ? QStringLiteral("no answer") : unfit.join(QStringLiteral(" | "))));
}

void tst_DefaultBases::noSentenceOfTheNonFarewellCorpusEndsTheDialogue() {
    const QStringList sentences = phraseLines(QStringLiteral("nonfarewell.txt"));
    QVERIFY(sentences.size() >= 200);
    QStringList hijacks;
    for (const QString& sentence : sentences) {
        for (const QString& answer : candidates(sentence)) {
            if (answer.contains(QLatin1String("#STOP"), Qt::CaseInsensitive))
                hijacks.append(sentence + QStringLiteral(" -> ") + answer);
        }
    }
    qInfo("non-farewell corpus: %lld sentences, %lld answers among their candidates would end the dialogue",
          qlonglong(sentences.size()), qlonglong(hijacks.size()));
    QVERIFY2(hijacks.isEmpty(), qPrintable(hijacks.join(QLatin1Char('\n'))));
}

void tst_DefaultBases::typicalRepliesToTheProgramsQuestionsAreFollowedUp() {
    // Each line is "question<TAB>reply|reply|...": the short replies people most often give to that question. The
    // program does not know which question it asked, so a reply is followed up when the bases answer it at all.
    QHash<QString, QStringList> replies;
    for (const QString& line : phraseLines(QStringLiteral("followups.txt")))
        replies.insert(line.section(QLatin1Char('\t'), 0, 0),
                       line.section(QLatin1Char('\t'), 1).split(QLatin1Char('|')));
    qsizetype asked = 0;
    qsizetype followed = 0;
    for (const QString& question : std::as_const(m_loaded.QuestionBase)) {
        QVERIFY2(replies.contains(question), qPrintable(QStringLiteral("no typical replies for: ") + question));
        const QStringList& typical = replies.value(question);
        QVERIFY2(typical.size() >= 3 && typical.size() <= 5, qPrintable(question));
        for (const QString& reply : typical) {
            ++asked;
            if (!candidates(reply).isEmpty())
                ++followed;
        }
    }
    qInfo("questions: %lld typical replies to %d questions, %lld followed up (%s%%)", qlonglong(asked),
          m_loaded.QuestionCount, qlonglong(followed), qPrintable(percent(followed, asked)));
    QVERIFY(double(followed) >= kFollowedUp * double(asked));
}

tst_DefaultBases::Reply tst_DefaultBases::turn(const QString& phrase, double pick) {
    Variables v = m_loaded;
    v.QuestionCount = 0;
    // The second draw is taken only by a fallback, which draws its retort before the reply is drawn.
    FakeRandom random{pick, pick};
    const TurnResult result = ProcessPhrase(v, phrase, random, m_clock, m_index);
    Reply r;
    r.text = result.ProgramLine.mid(programTag().size());
    r.stopped = result.Stopped;
    r.learning = v.Mode == Modes::learning();
    if (random.ranDry())
        qWarning("the turn on '%s' drew more often than expected", qPrintable(phrase));
    return r;
}

QList<tst_DefaultBases::Reply> tst_DefaultBases::allReplies(const QString& phrase) {
    QList<Reply> replies;
    QSet<QString> seen;
    for (int j = 0; j < 32; ++j) {
        const Reply r = turn(phrase, (j + 0.5) / 32);
        if (!seen.contains(r.text)) {
            seen.insert(r.text);
            replies.append(r);
        }
    }
    return replies;
}

bool tst_DefaultBases::isFallback(const Reply& r) const {
    return r.learning || fallbackReplies().contains(r.text);
}

void tst_DefaultBases::greetingIsAnsweredByAGreeting_data() {
    QTest::addColumn<QString>("phrase");
    for (const char* phrase :
         {"Привет!", "здравствуйте", "здрасьте", "хай", "добрый день", "доброе утро", "добрый вечер"})
        QTest::newRow(phrase) << QString::fromUtf8(phrase);
}

void tst_DefaultBases::greetingIsAnsweredByAGreeting() {
    QFETCH(QString, phrase);
    QSet<QString> greeting;
    for (qsizetype k = 0; k + 1 < m_loaded.AnswerBase.size(); k += 2) {
        if (kGreetingKeys.contains(m_loaded.AnswerBase.at(k)))
            greeting.insert(m_loaded.AnswerBase.at(k + 1));
    }
    const QStringList found = candidates(phrase);
    QVERIFY(!found.isEmpty());
    for (const QString& answer : found)
        QVERIFY2(greeting.contains(answer), qPrintable(QStringLiteral("'%1' got '%2'").arg(phrase, answer)));
}

void tst_DefaultBases::unrelatedPhraseIsNotGreeted_data() {
    QTest::addColumn<QString>("phrase");
    // Phrases that share a word, a word form or a topic with a greeting without being one.
    for (const char* phrase :
         {"ты добрый", "сегодня хороший день", "какой сегодня день?", "утро было холодным", "вечер прошёл скучно",
          "добрые люди", "как дела?", "спасибо", "пока", "до свидания", "здорово!", "я здоров", "спокойной ночи",
          "с днём рождения", "я работаю каждый день", "спать днём вредно"})
        QTest::newRow(phrase) << QString::fromUtf8(phrase);
}

void tst_DefaultBases::unrelatedPhraseIsNotGreeted() {
    QFETCH(QString, phrase);
    for (qsizetype k = 0; k + 1 < m_loaded.AnswerBase.size(); k += 2) {
        if (!kGreetingKeys.contains(m_loaded.AnswerBase.at(k)))
            continue;
        QVERIFY2(!candidates(phrase).contains(m_loaded.AnswerBase.at(k + 1)),
                 qPrintable(QStringLiteral("'%1' got '%2'").arg(phrase, m_loaded.AnswerBase.at(k + 1))));
    }
}

void tst_DefaultBases::farewellCanEndTheDialogueCleanly_data() {
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<bool>("mayStop");
    // Only farewells that mean goodbye in every phrase holding them may end the dialogue; the common ones also
    // stand in phrases that say something else ("пока не знаю", "до свидания осталось два часа").
    QTest::newRow("пока-пока") << QStringLiteral("пока-пока") << true;
    QTest::newRow("покеда") << QStringLiteral("покеда") << true;
    QTest::newRow("до свидания, Talkomat") << QStringLiteral("До свидания, Talkomat!") << true;
    QTest::newRow("пока") << QStringLiteral("пока") << false;
    QTest::newRow("до свидания") << QStringLiteral("до свидания") << false;
    QTest::newRow("спокойной ночи") << QStringLiteral("спокойной ночи") << false;
}

void tst_DefaultBases::farewellCanEndTheDialogueCleanly() {
    QFETCH(QString, phrase);
    QFETCH(bool, mayStop);
    int stops = 0;
    for (const Reply& r : allReplies(phrase)) {
        QVERIFY(!isFallback(r));
        if (!r.stopped)
            continue;
        ++stops;
        // The stop macro is removed from the reply; it must leave no doubled or dangling blank behind.
        QVERIFY2(!r.text.contains(QStringLiteral("  ")) && !r.text.startsWith(QLatin1Char(' ')) &&
                     !r.text.endsWith(QLatin1Char(' ')),
                 qPrintable(r.text));
    }
    QCOMPARE(stops > 0, mayStop);
}

void tst_DefaultBases::timeAndDateAreFilledIn_data() {
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<QString>("expected");
    QTest::newRow("который час") << QStringLiteral("который час?") << formatTime(m_clock.now());
    QTest::newRow("сколько времени") << QStringLiteral("сколько времени") << formatTime(m_clock.now());
    QTest::newRow("какое число") << QStringLiteral("какое сегодня число?") << formatDate(m_clock.now());
    QTest::newRow("какой день") << QStringLiteral("какой сегодня день") << formatDate(m_clock.now());
}

void tst_DefaultBases::timeAndDateAreFilledIn() {
    QFETCH(QString, phrase);
    QFETCH(QString, expected);
    for (const Reply& r : allReplies(phrase))
        QVERIFY2(r.text.contains(expected), qPrintable(QStringLiteral("'%1' got '%2'").arg(phrase, r.text)));
}

void tst_DefaultBases::helpOpensAtTopicOneAndEveryLinkLands() {
    const QByteArray bytes = readAll(shipped(QStringLiteral("help.hlp")));
    QVERIFY(!bytes.isEmpty());
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString html = utf8.decode(bytes);
    QVERIFY2(!utf8.hasError(), "help.hlp is not valid UTF-8");
    QVERIFY(html.contains(QStringLiteral("charset=\"utf-8\"")) || html.contains(QStringLiteral("charset=utf-8")));
    QVERIFY(html.contains(QStringLiteral("name=\"topic1\"")));
    static const QRegularExpression link(QStringLiteral("href=\"#([^\"]+)\""));
    int links = 0;
    for (const QRegularExpressionMatch& m : link.globalMatch(html)) {
        ++links;
        QVERIFY2(html.contains(QStringLiteral("name=\"%1\"").arg(m.captured(1))), qPrintable(m.captured(1)));
    }
    QVERIFY(links >= 10);
}

void tst_DefaultBases::helpCoversEveryMenuCommand_data() {
    QTest::addColumn<QString>("text");
#ifdef TALKOMAT_MENU_TREE
    for (const MenuEntry& entry : menuTree())
        if (entry.kind != MenuEntry::Kind::Separator)
            QTest::newRow(entry.name) << entry.caption;
#endif
    for (const char* text :
         {"Как научить программу", "Как исправить ответ", "Почему такой ответ", "Ctrl+F", "#NAME", "#TIME", "#DATE",
          "#STOP", "tk.ini", "ChatList.log", "standart.tka", "standart.tkq", "standart.tks", ".dlg", "~/.local/share/"})
        QTest::newRow(text) << QString::fromUtf8(text);
}

void tst_DefaultBases::helpCoversEveryMenuCommand() {
    QFETCH(QString, text);
    const QString html = QString::fromUtf8(readAll(shipped(QStringLiteral("help.hlp"))));
    QVERIFY2(html.contains(text), qPrintable(text));
}

QTEST_GUILESS_MAIN(tst_DefaultBases)
#include "tst_defaultbases.moc"
