#include "core/Bases.h"
#include "core/Options.h"
#include "core/TextFile.h"
#include "core/Variables.h"
#include "engine/Macros.h"
#include "engine/Phrase.h"
#include "engine/Turn.h"

#include "support/FakeClock.h"
#include "support/FakeRandom.h"
#include "support/TestFiles.h"

#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <QtTest/QTest>

// The bases the program ships with are its first conversation. These tests read them with the program's own
// loaders and talk to them through the real turn, so a careless edit of the sources in data/src shows up here:
// a line the program would not have written itself, or an everyday phrase that suddenly gets a rebuke.
namespace {

QString shipped(const QString& name) {
    return QStringLiteral(SHIPPED_DATA_DIR "/") + name;
}

// clang-format off
// The engine's fallback replies. A reply from one of these lists means the bases had nothing to say.
const QStringList kSilence = {
    QStringLiteral("Пожалуйста, не молчи!"), QStringLiteral("Скажи что нибудь!"), QStringLiteral("Давай поговорим."),
};
const QStringList kRebuke = {
    QStringLiteral("Не моли чепуху!"), QStringLiteral("Хватит врать!"), QStringLiteral("Что за бред ты несёшь?!"),
    QStringLiteral("Что?!"), QStringLiteral("Не понял!"),
};
const QStringList kLearningQuestion = {
    QStringLiteral("А как бы ты на это ответил?"), QStringLiteral("Что бы ты сказал на это?"),
    QStringLiteral("Что бы ты ответил на это?"),
    QStringLiteral("Ты умнее меня, и я надеюсь скажешь, как я буду должен отвечать на это в будущем?"),
};

// The key lines whose answers greet; a phrase that greets nobody must never draw one of them.
const QStringList kGreetingKeys = {
    QStringLiteral("ПРИВЕТ "), QStringLiteral("ДОБРЫЙ ДЕНЬ "), QStringLiteral("ДОБРОЕ УТРО "),
    QStringLiteral("ДОБРЫЙ ВЕЧЕР "),
};

// Everyday small talk in the forms people type it. At least nine in ten must find an answer.
const QStringList kSmallTalk = {
    QStringLiteral("привет"), QStringLiteral("Привет!"), QStringLiteral("приветик"), QStringLiteral("здравствуйте"),
    QStringLiteral("Здравствуй"), QStringLiteral("hi"), QStringLiteral("hello"), QStringLiteral("Добрый день"),
    QStringLiteral("доброе утро"), QStringLiteral("Добрый вечер!"), QStringLiteral("как дела?"),
    QStringLiteral("Как у тебя дела?"), QStringLiteral("как делишки"), QStringLiteral("как поживаешь?"),
    QStringLiteral("что нового?"), QStringLiteral("как жизнь?"), QStringLiteral("как настроение?"),
    QStringLiteral("хорошо"), QStringLiteral("нормально"), QStringLiteral("отлично!"), QStringLiteral("плохо"),
    QStringLiteral("так себе"), QStringLiteral("как тебя зовут?"), QStringLiteral("Как вас зовут?"),
    QStringLiteral("как твоё имя"), QStringLiteral("ты кто?"), QStringLiteral("кто ты такой?"),
    QStringLiteral("меня зовут Вася"), QStringLiteral("Маша"), QStringLiteral("что ты умеешь?"),
    QStringLiteral("что ты можешь?"), QStringLiteral("как тебя научить?"), QStringLiteral("как тебя учить"),
    QStringLiteral("ты робот?"), QStringLiteral("ты человек?"), QStringLiteral("ты живой?"),
    QStringLiteral("ты программа?"), QStringLiteral("ты умный"), QStringLiteral("ты дурак"),
    QStringLiteral("ты тупой"), QStringLiteral("сам дурак"), QStringLiteral("ты молодец"),
    QStringLiteral("ты классный"), QStringLiteral("кто тебя создал?"), QStringLiteral("кто твой автор"),
    QStringLiteral("сколько тебе лет?"), QStringLiteral("где ты живёшь?"), QStringLiteral("откуда ты?"),
    QStringLiteral("я живу в Москве"), QStringLiteral("что делаешь?"), QStringLiteral("чем занимаешься?"),
    QStringLiteral("ты спишь?"), QStringLiteral("хочу спать"), QStringLiteral("ты меня понимаешь?"),
    QStringLiteral("давай поговорим"), QStringLiteral("о чём поговорим?"), QStringLiteral("мне скучно"),
    QStringLiteral("расскажи анекдот"), QStringLiteral("расскажи шутку"), QStringLiteral("пошути"),
    QStringLiteral("расскажи ещё"), QStringLiteral("ха-ха"), QStringLiteral("ахаха"),
    QStringLiteral("расскажи о себе"), QStringLiteral("расскажи что-нибудь"), QStringLiteral("спой песню"),
    QStringLiteral("прочитай стих"), QStringLiteral("давай поиграем"), QStringLiteral("загадай загадку"),
    QStringLiteral("который час?"), QStringLiteral("сколько времени?"), QStringLiteral("сколько сейчас время"),
    QStringLiteral("какое сегодня число?"), QStringLiteral("какой сегодня день?"), QStringLiteral("пока"),
    QStringLiteral("до свидания"), QStringLiteral("досвидания"), QStringLiteral("прощай"),
    QStringLiteral("до встречи"), QStringLiteral("увидимся"), QStringLiteral("мне пора"),
    QStringLiteral("спокойной ночи"), QStringLiteral("bye"), QStringLiteral("goodbye"), QStringLiteral("спасибо"),
    QStringLiteral("спасибо большое"), QStringLiteral("спс"), QStringLiteral("thanks"), QStringLiteral("извини"),
    QStringLiteral("прости"), QStringLiteral("sorry"), QStringLiteral("да"), QStringLiteral("ага"),
    QStringLiteral("конечно"), QStringLiteral("нет"), QStringLiteral("неа"), QStringLiteral("может быть"),
    QStringLiteral("наверное"), QStringLiteral("не знаю"), QStringLiteral("понятия не имею"), QStringLiteral("ok"),
    QStringLiteral("ок"), QStringLiteral("окей"), QStringLiteral("ладно"), QStringLiteral("понятно"),
    QStringLiteral("ясно"), QStringLiteral("правда?"), QStringLiteral("ты врёшь"), QStringLiteral("я не вру"),
    QStringLiteral("помоги"), QStringLiteral("помощь"), QStringLiteral("help"),
    QStringLiteral("как сохранить диалог?"), QStringLiteral("как поменять цвет?"),
    QStringLiteral("как поменять имя"), QStringLiteral("где журнал"), QStringLiteral("что такое синоним"),
    QStringLiteral("что такое база знаний"), QStringLiteral("мне грустно"), QStringLiteral("мне весело"),
    QStringLiteral("я устал"), QStringLiteral("я устала"), QStringLiteral("я злюсь"), QStringLiteral("мне одиноко"),
    QStringLiteral("мне страшно"), QStringLiteral("я заболел"), QStringLiteral("я влюбился"),
    QStringLiteral("я тебя люблю"), QStringLiteral("ты меня любишь?"), QStringLiteral("ты мне нравишься"),
    QStringLiteral("у меня плохое настроение"), QStringLiteral("какая погода?"), QStringLiteral("идёт дождь"),
    QStringLiteral("на улице снег"), QStringLiteral("сегодня жарко"), QStringLiteral("мне холодно"),
    QStringLiteral("люблю лето"), QStringLiteral("зима"), QStringLiteral("у меня есть кошка"),
    QStringLiteral("я люблю собак"), QStringLiteral("у меня кот"), QStringLiteral("ты любишь животных?"),
    QStringLiteral("я люблю музыку"), QStringLiteral("ты любишь музыку?"), QStringLiteral("я слушаю рок"),
    QStringLiteral("играю на гитаре"), QStringLiteral("люблю кино"), QStringLiteral("смотрел новый фильм"),
    QStringLiteral("я люблю читать книги"), QStringLiteral("какая твоя любимая книга"),
    QStringLiteral("я занимаюсь спортом"), QStringLiteral("люблю футбол"), QStringLiteral("хочу есть"),
    QStringLiteral("я голодный"), QStringLiteral("что ты ешь?"), QStringLiteral("люблю пиццу"),
    QStringLiteral("пью чай"), QStringLiteral("люблю кофе"), QStringLiteral("люблю шоколад"),
    QStringLiteral("я работаю программистом"), QStringLiteral("я на работе"),
    QStringLiteral("я учусь в университете"), QStringLiteral("я школьник"), QStringLiteral("у меня экзамен"),
    QStringLiteral("у меня нет денег"), QStringLiteral("моя мама"), QStringLiteral("мой папа"),
    QStringLiteral("у меня есть брат"), QStringLiteral("у меня сестра"), QStringLiteral("мои друзья"),
    QStringLiteral("давай дружить"), QStringLiteral("ты мой друг?"), QStringLiteral("у меня есть хобби"),
    QStringLiteral("что ты делаешь в свободное время?"), QStringLiteral("я люблю рисовать"),
    QStringLiteral("я люблю танцевать"), QStringLiteral("я играю в компьютерные игры"),
    QStringLiteral("люблю шахматы"), QStringLiteral("хочу на море"), QStringLiteral("люблю путешествовать"),
    QStringLiteral("я был в отпуске"), QStringLiteral("я живу в деревне"), QStringLiteral("у меня день рождения"),
    QStringLiteral("с новым годом"), QStringLiteral("поздравляю"), QStringLiteral("скоро выходные"),
    QStringLiteral("ура, пятница"), QStringLiteral("какие планы?"), QStringLiteral("что такое любовь"),
    QStringLiteral("в чём смысл жизни"), QStringLiteral("сколько будет два плюс два"),
    QStringLiteral("у меня есть секрет"), QStringLiteral("ты знаешь английский?"), QStringLiteral("how are you"),
    QStringLiteral("what is your name"), QStringLiteral("расскажи про космос"),
    QStringLiteral("что думаешь о политике"), QStringLiteral("у меня новый телефон"),
    QStringLiteral("купил машину"), QStringLiteral("сижу в интернете"), QStringLiteral("мой компьютер сломался"),
    QStringLiteral("заткнись"), QStringLiteral("отстань"), QStringLiteral("я тебя ненавижу"),
    QStringLiteral("какой твой любимый цвет"), QStringLiteral("я люблю гулять"), QStringLiteral("я сова"),
    QStringLiteral("я оптимист"), QStringLiteral("люблю горы"), QStringLiteral("ходил в лес за грибами"),
    QStringLiteral("люблю математику"), QStringLiteral("мечтаю о собаке"), QStringLiteral("в мае"),
    QStringLiteral("комедии"), QStringLiteral("разную"), QStringLiteral("нигде"), QStringLiteral("люблю"),
    QStringLiteral("не люблю"), QStringLiteral("мне нравится"), QStringLiteral("мне 25 лет"),
    QStringLiteral("talkomat"), QStringLiteral("ты веришь в чудеса"), QStringLiteral("ого"),
    QStringLiteral("ух ты"), QStringLiteral("я тоже"), QStringLiteral("и тебе"), QStringLiteral("давай"),
    QStringLiteral("ничего"), QStringLiteral("как ты думаешь?"), QStringLiteral("день был трудный"),
    QStringLiteral("ты слушаешь меня?"), QStringLiteral("как ты?"),
};
// clang-format on

QSet<QString> toSet(const QStringList& list) {
    return {list.cbegin(), list.cend()};
}

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

    void everydayPhraseGetsAnAnswer_data();
    void everydayPhraseGetsAnAnswer();
    void smallTalkHitRate();
    void greetingIsAnsweredByAGreeting_data();
    void greetingIsAnsweredByAGreeting();
    void unrelatedPhraseIsNotGreeted_data();
    void unrelatedPhraseIsNotGreeted();
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
    // One conversation turn on a fresh copy of the loaded state, the reply drawn at `pick`. The question step is
    // kept out (no question count) so that the reply is the answer alone.
    Reply turn(const QString& phrase, double pick) const;
    // Every reply the phrase can get: 32 evenly spread draws reach every candidate of a list of up to 32, more than
    // any of the phrases asked here has.
    QList<Reply> allReplies(const QString& phrase) const;
    bool isFallback(const Reply& r) const;
    QSet<QString> greetings() const;

    Variables m_loaded;
    FakeClock m_clock;
};

void tst_DefaultBases::initTestCase() {
    m_loaded.Mode = Modes::conversation();
    m_loaded.HumanName = QStringLiteral("Человек");
    m_loaded.Alphabet = Options::defaultAlphabet();
    m_loaded.ShortPhraseLimit = OptionValue::fromInt(7);
    m_loaded.AnswerBaseFile = shipped(QStringLiteral("standart.tka"));
    m_loaded.QuestionBaseFile = shipped(QStringLiteral("standart.tkq"));
    m_loaded.SynonymBaseFile = shipped(QStringLiteral("standart.tks"));
    const Result answers = LoadAnswers(m_loaded);
    QVERIFY2(answers.ok, qPrintable(answers.error));
    const Result questions = LoadQuestions(m_loaded);
    QVERIFY2(questions.ok, qPrintable(questions.error));
    const Result synonyms = LoadSinonims(m_loaded);
    QVERIFY2(synonyms.ok, qPrintable(synonyms.error));
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
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r')
            QVERIFY2(i + 1 < bytes.size() && bytes[i + 1] == '\n', qPrintable(QStringLiteral("lone CR at %1").arg(i)));
        if (bytes[i] == '\n')
            QVERIFY2(i > 0 && bytes[i - 1] == '\r', qPrintable(QStringLiteral("lone LF at %1").arg(i)));
        // 0x98 is the one byte Windows-1251 leaves undefined; UTF-8 text would be full of it and its neighbours.
        QVERIFY2(static_cast<unsigned char>(bytes[i]) != 0x98, qPrintable(QStringLiteral("byte 0x98 at %1").arg(i)));
    }
    // Written back unchanged, the lines give the very same bytes: nothing in the file is lost on a save.
    QCOMPARE(TextFile::joinLines(TextFile::splitLines(bytes)), bytes);
}

void tst_DefaultBases::countsAreWithinLimits() {
    QCOMPARE(m_loaded.AnswerCount % 2, 0);
    QCOMPARE(m_loaded.SynonymCount % 2, 0);
    QVERIFY2(m_loaded.AnswerCount >= 2 * 600, qPrintable(QString::number(m_loaded.AnswerCount)));
    QVERIFY2(m_loaded.QuestionCount >= 150, qPrintable(QString::number(m_loaded.QuestionCount)));
    QVERIFY2(m_loaded.SynonymCount >= 2 * 300, qPrintable(QString::number(m_loaded.SynonymCount)));
    // Learning appends to the bases; the shipped ones leave most of the room for it.
    QVERIFY(m_loaded.AnswerCount < Variables::MaxLines / 4);
    QVERIFY(m_loaded.SynonymCount < Variables::MaxLines / 4);
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
    const QSet<QString> fallbacks = toSet(kSilence + kRebuke + kLearningQuestion);
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

tst_DefaultBases::Reply tst_DefaultBases::turn(const QString& phrase, double pick) const {
    Variables v = m_loaded;
    v.QuestionCount = 0;
    // The second draw is taken only by a fallback, which draws its retort before the reply is drawn.
    FakeRandom random{pick, pick};
    const TurnResult result = ProcessPhrase(v, phrase, random, m_clock);
    Reply r;
    r.text = result.ProgramLine.mid(programTag().size());
    r.stopped = result.Stopped;
    r.learning = v.Mode == Modes::learning();
    if (random.ranDry())
        qWarning("the turn on '%s' drew more often than expected", qPrintable(phrase));
    return r;
}

QList<tst_DefaultBases::Reply> tst_DefaultBases::allReplies(const QString& phrase) const {
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
    return r.learning || kRebuke.contains(r.text) || kLearningQuestion.contains(r.text) || kSilence.contains(r.text);
}

QSet<QString> tst_DefaultBases::greetings() const {
    QSet<QString> texts;
    for (qsizetype k = 0; k + 1 < m_loaded.AnswerBase.size(); k += 2) {
        if (kGreetingKeys.contains(m_loaded.AnswerBase.at(k)))
            texts.insert(ExpandMacros(m_loaded.AnswerBase.at(k + 1), m_loaded.HumanName, m_clock).text);
    }
    return texts;
}

void tst_DefaultBases::everydayPhraseGetsAnAnswer_data() {
    QTest::addColumn<QString>("phrase");
    // clang-format off
    const QStringList phrases = {
        QStringLiteral("привет"), QStringLiteral("здравствуйте"), QStringLiteral("Здравствуй!"),
        QStringLiteral("hi"), QStringLiteral("hello"), QStringLiteral("добрый день"), QStringLiteral("доброе утро"),
        QStringLiteral("добрый вечер"), QStringLiteral("как дела?"), QStringLiteral("Как у тебя дела?"),
        QStringLiteral("как делишки"), QStringLiteral("как поживаешь?"), QStringLiteral("что нового?"),
        QStringLiteral("как настроение?"), QStringLiteral("как тебя зовут?"), QStringLiteral("Как вас зовут?"),
        QStringLiteral("как твоё имя"), QStringLiteral("ты кто?"), QStringLiteral("кто ты такой?"),
        QStringLiteral("меня зовут Маша"), QStringLiteral("что ты умеешь?"), QStringLiteral("как тебя научить?"),
        QStringLiteral("ты робот?"), QStringLiteral("ты человек?"), QStringLiteral("кто тебя создал?"),
        QStringLiteral("сколько тебе лет?"), QStringLiteral("где ты живёшь?"), QStringLiteral("что делаешь?"),
        QStringLiteral("который час?"), QStringLiteral("сколько времени?"), QStringLiteral("какое сегодня число?"),
        QStringLiteral("пока"), QStringLiteral("до свидания"), QStringLiteral("спокойной ночи"),
        QStringLiteral("bye"), QStringLiteral("спасибо"), QStringLiteral("спасибо большое"),
        QStringLiteral("извини"), QStringLiteral("sorry"), QStringLiteral("расскажи анекдот"),
        QStringLiteral("расскажи шутку"), QStringLiteral("давай поговорим"), QStringLiteral("мне скучно"),
        QStringLiteral("ok"), QStringLiteral("ок"), QStringLiteral("ладно"), QStringLiteral("да"),
        QStringLiteral("нет"), QStringLiteral("не знаю"), QStringLiteral("может быть"), QStringLiteral("хорошо"),
        QStringLiteral("плохо"), QStringLiteral("нормально"), QStringLiteral("ты дурак"),
        QStringLiteral("ты молодец"), QStringLiteral("мне грустно"), QStringLiteral("я устал"),
        QStringLiteral("какая погода?"), QStringLiteral("я люблю музыку"), QStringLiteral("люблю кино"),
        QStringLiteral("я люблю читать книги"), QStringLiteral("я занимаюсь спортом"),
        QStringLiteral("у меня есть кошка"), QStringLiteral("я работаю"), QStringLiteral("я учусь"),
        QStringLiteral("хочу есть"), QStringLiteral("люблю путешествовать"), QStringLiteral("помоги"),
    };
    // clang-format on
    for (const QString& phrase : phrases)
        QTest::newRow(qPrintable(phrase)) << phrase;
}

void tst_DefaultBases::everydayPhraseGetsAnAnswer() {
    QFETCH(QString, phrase);
    // A phrase either matches some key line, and then every reply it can get is an answer, or it matches none.
    const Reply r = turn(phrase, 0.5);
    QVERIFY2(!isFallback(r), qPrintable(QStringLiteral("'%1' got '%2'").arg(phrase, r.text)));
    QVERIFY2(!r.text.contains(QLatin1Char('#')), qPrintable(r.text));
}

void tst_DefaultBases::smallTalkHitRate() {
    QVERIFY(kSmallTalk.size() >= 150);
    QStringList misses;
    for (const QString& phrase : kSmallTalk) {
        const Reply r = turn(phrase, 0.5);
        if (isFallback(r))
            misses.append(QStringLiteral("'%1' got '%2'").arg(phrase, r.text));
    }
    const double rate = 1.0 - double(misses.size()) / double(kSmallTalk.size());
    qInfo("small talk answered: %lld of %lld (%.1f%%)", qlonglong(kSmallTalk.size() - misses.size()),
          qlonglong(kSmallTalk.size()), 100.0 * rate);
    for (const QString& miss : std::as_const(misses))
        qInfo("  missed: %s", qPrintable(miss));
    QVERIFY2(rate >= 0.9, qPrintable(misses.join(QLatin1Char('\n'))));
}

void tst_DefaultBases::greetingIsAnsweredByAGreeting_data() {
    QTest::addColumn<QString>("phrase");
    for (const char* phrase : {"привет", "Привет!", "здравствуйте", "здрасте", "приветик", "hi", "hello", "хай",
                               "добрый день", "доброе утро", "добрый вечер"})
        QTest::newRow(phrase) << QString::fromUtf8(phrase);
}

void tst_DefaultBases::greetingIsAnsweredByAGreeting() {
    QFETCH(QString, phrase);
    const QSet<QString> greeting = greetings();
    for (const Reply& r : allReplies(phrase))
        QVERIFY2(greeting.contains(r.text), qPrintable(QStringLiteral("'%1' got '%2'").arg(phrase, r.text)));
}

void tst_DefaultBases::unrelatedPhraseIsNotGreeted_data() {
    QTest::addColumn<QString>("phrase");
    // Phrases that share a word, a word form or a topic with a greeting without being one.
    for (const char* phrase : {"ты добрый",
                               "сегодня хороший день",
                               "какой сегодня день?",
                               "утро было холодным",
                               "вечер прошёл скучно",
                               "добрые люди",
                               "я люблю кошек",
                               "какая сегодня погода",
                               "расскажи про космос",
                               "у меня болит голова",
                               "как дела?",
                               "как тебя зовут?",
                               "спасибо",
                               "пока",
                               "до свидания",
                               "я купил машину",
                               "ты дурак",
                               "что ты умеешь?",
                               "мне грустно",
                               "который час?",
                               "ну и что",
                               "я пока не знаю",
                               "давай поговорим",
                               "спокойной ночи",
                               "с днём рождения",
                               "я работаю каждый день",
                               "вчера был салют"})
        QTest::newRow(phrase) << QString::fromUtf8(phrase);
}

void tst_DefaultBases::unrelatedPhraseIsNotGreeted() {
    QFETCH(QString, phrase);
    const QSet<QString> greeting = greetings();
    for (const Reply& r : allReplies(phrase))
        QVERIFY2(!greeting.contains(r.text), qPrintable(QStringLiteral("'%1' got '%2'").arg(phrase, r.text)));
}

void tst_DefaultBases::farewellCanEndTheDialogueCleanly() {
    int stops = 0;
    for (const Reply& r : allReplies(QStringLiteral("до свидания"))) {
        QVERIFY(!isFallback(r));
        if (!r.stopped)
            continue;
        ++stops;
        // The stop macro is removed from the reply; it must leave no doubled or dangling blank behind.
        QVERIFY2(!r.text.contains(QStringLiteral("  ")) && !r.text.startsWith(QLatin1Char(' ')) &&
                     !r.text.endsWith(QLatin1Char(' ')),
                 qPrintable(r.text));
    }
    QVERIFY(stops > 0);
    for (const Reply& r : allReplies(QStringLiteral("пока")))
        QVERIFY2(!r.stopped, "\"пока\" also means \"for now\", so it must not end a dialogue");
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
    for (const char* text : {"Диалог",
                             "Новый",
                             "Открыть...",
                             "Сохранить",
                             "Сохранить как...",
                             "Завершить",
                             "Записать",
                             "Журнал...",
                             "Печать...",
                             "Выход",
                             "Вид",
                             "Окно диалога",
                             "цвет...",
                             "шрифт...",
                             "Клавиатура",
                             "Опции",
                             "Начинает диалог",
                             "человек",
                             "программа",
                             "Имя человека...",
                             "Базы знаний",
                             "Создать",
                             "Выбрать...",
                             "Слить",
                             "1-я база",
                             "2-я база",
                             "слить",
                             "Редактировать",
                             "Статистика...",
                             "Справка",
                             "Помощь",
                             "О программе...",
                             "#NAME",
                             "#TIME",
                             "#DATE",
                             "#STOP",
                             "tk.ini",
                             "ChatList.log",
                             "standart.tka",
                             "standart.tkq",
                             "standart.tks",
                             ".dlg",
                             "~/.local/share/"})
        QTest::newRow(text) << QString::fromUtf8(text);
}

void tst_DefaultBases::helpCoversEveryMenuCommand() {
    QFETCH(QString, text);
    const QString html = QString::fromUtf8(readAll(shipped(QStringLiteral("help.hlp"))));
    QVERIFY2(html.contains(text), qPrintable(text));
}

QTEST_GUILESS_MAIN(tst_DefaultBases)
#include "tst_defaultbases.moc"
