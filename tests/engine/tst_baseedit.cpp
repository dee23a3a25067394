#include "core/Options.h"
#include "core/Variables.h"
#include "engine/BaseEdit.h"

#include <QtTest/QTest>

using namespace BaseEdit;

namespace {
Variables makeState() {
    Variables v;
    v.Alphabet = Options::defaultAlphabet();
    return v;
}
void setBase(QStringList& base, qint16& count, const QStringList& lines) {
    base = lines;
    count = qint16(lines.size());
}
} // namespace

class tst_BaseEdit : public QObject {
    Q_OBJECT
private slots:
    void listText_data();
    void listText();
    void addAnswer_data();
    void addAnswer();
    void addQuestion_data();
    void addQuestion();
    void addSynonym_data();
    void addSynonym();
    void deleteAnswer_data();
    void deleteAnswer();
    void deleteQuestionKeepsOtherEmptyLines();
    void deleteSynonymKeepsTheOtherDirection();
    void clearAlwaysRaisesTheFlag_data();
    void clearAlwaysRaisesTheFlag();
    void fullBasesRefuseAdditions();
    void unpairedSynonymRow();
    void filterKeepsRealRows_data();
    void filterKeepsRealRows();
    void keyWordsHint_data();
    void keyWordsHint();
};

void tst_BaseEdit::listText_data() {
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("shown");
    QTest::newRow("48 whole") << 48 << 48;
    QTest::newRow("49 cut") << 49 << 51;
    QTest::newRow("empty") << 0 << 0;
}

void tst_BaseEdit::listText() {
    QFETCH(int, length);
    QFETCH(int, shown);
    const QString line(length, QChar(u'ж'));
    const QString text = BaseEdit::listText(line);
    QCOMPARE(text.size(), shown);
    if (length > 48)
        QCOMPARE(text, line.left(48) + QStringLiteral("..."));
}

void tst_BaseEdit::addAnswer_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("alphabet");
    QTest::addColumn<QStringList>("stored");
    const QString abc = Options::defaultAlphabet();
    QTest::newRow("normalised") << QStringLiteral("  привет,   как дела ") << QStringLiteral("хорошо") << abc
                                << QStringList{QStringLiteral("ПРИВЕТ КАК ДЕЛА "), QStringLiteral("Хорошо.")};
    QTest::newRow("exclamation kept") << QStringLiteral("а") << QStringLiteral("Отлично!") << abc
                                      << QStringList{QStringLiteral("А "), QStringLiteral("Отлично!")};
    QTest::newRow("no alphabet keys") << QStringLiteral("???") << QStringLiteral("ok") << abc
                                      << QStringList{QStringLiteral(" "), QStringLiteral("Ok.")};
    QTest::newRow("empty alphabet") << QStringLiteral("кот") << QStringLiteral("мяу") << QString()
                                    << QStringList{QStringLiteral(" "), QStringLiteral("Мяу")};
    QTest::newRow("empty keys ignored") << QString() << QStringLiteral("мяу") << abc << QStringList();
    QTest::newRow("empty answer ignored") << QStringLiteral("кот") << QString() << abc << QStringList();
    QTest::newRow("blank answer ignored") << QStringLiteral("кот") << QStringLiteral("   ") << abc << QStringList();
}

void tst_BaseEdit::addAnswer() {
    QFETCH(QString, keys);
    QFETCH(QString, answer);
    QFETCH(QString, alphabet);
    QFETCH(QStringList, stored);
    Variables v = makeState();
    v.Alphabet = alphabet;
    setBase(v.AnswerBase, v.AnswerCount, {QStringLiteral("X "), QStringLiteral("Y.")});
    QCOMPARE(AddAnswer(v, keys, answer), stored.isEmpty() ? AddResult::Ignored : AddResult::Added);
    QCOMPARE(v.AnswerBase.mid(2), stored);
    QCOMPARE(int(v.AnswerCount), 2 + stored.size());
    QCOMPARE(v.AnswerBaseChanged, !stored.isEmpty());
}

void tst_BaseEdit::addQuestion_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("question") << QStringLiteral(" как дела? ") << QStringLiteral("Как дела?");
    QTest::newRow("full stop") << QStringLiteral("расскажи о себе") << QStringLiteral("Расскажи о себе.");
    QTest::newRow("blank ignored") << QStringLiteral("  ") << QString();
}

void tst_BaseEdit::addQuestion() {
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    Variables v = makeState();
    setBase(v.QuestionBase, v.QuestionCount, {stored});
    const AddResult r = AddQuestion(v, typed);
    QCOMPARE(r, stored.isEmpty() ? AddResult::Ignored : AddResult::Added);
    if (!stored.isEmpty()) // a duplicate is stored again
        QCOMPARE(v.QuestionBase, (QStringList{stored, stored}));
}

void tst_BaseEdit::addSynonym_data() {
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("synonym");
    QTest::addColumn<int>("result");
    QTest::addColumn<QStringList>("stored");
    QTest::newRow("both directions") << QStringLiteral("кот") << QStringLiteral("кошка") << int(AddResult::Added)
                                     << QStringList{QStringLiteral(" КОТ "), QStringLiteral(" КОШКА "),
                                                    QStringLiteral(" КОШКА "), QStringLiteral(" КОТ ")};
    QTest::newRow("trimmed first") << QStringLiteral("  кот  ") << QStringLiteral("кошка!") << int(AddResult::Added)
                                   << QStringList{QStringLiteral(" КОТ "), QStringLiteral(" КОШКА "),
                                                  QStringLiteral(" КОШКА "), QStringLiteral(" КОТ ")};
    QTest::newRow("word phrase refused") << QStringLiteral("добрый день") << QStringLiteral("привет")
                                         << int(AddResult::PhraseRefused) << QStringList();
    QTest::newRow("synonym phrase refused")
        << QStringLiteral("привет") << QStringLiteral("добрый  день") << int(AddResult::PhraseRefused) << QStringList();
    QTest::newRow("nothing in the alphabet")
        << QStringLiteral("!!!") << QStringLiteral("да") << int(AddResult::Added)
        << QStringList{QStringLiteral("  "), QStringLiteral(" ДА "), QStringLiteral(" ДА "), QStringLiteral("  ")};
    QTest::newRow("empty ignored") << QString() << QStringLiteral("да") << int(AddResult::Ignored) << QStringList();
}

void tst_BaseEdit::addSynonym() {
    QFETCH(QString, word);
    QFETCH(QString, synonym);
    QFETCH(int, result);
    QFETCH(QStringList, stored);
    Variables v = makeState();
    const QString typedWord = word;
    QCOMPARE(int(AddSynonym(v, word, synonym)), result);
    QCOMPARE(v.SynonymBase, stored);
    QCOMPARE(int(v.SynonymCount), stored.size());
    QCOMPARE(v.SynonymBaseChanged, result == int(AddResult::Added));
    if (result != int(AddResult::Added))
        QCOMPARE(word, typedWord);
    else
        QCOMPARE(synonymRowText(v, 1), stored.at(2) + QLatin1Char('-') + stored.at(3));
}

void tst_BaseEdit::deleteAnswer_data() {
    QTest::addColumn<QStringList>("base");
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<int>("selected");
    const QStringList three{QStringLiteral("A "), QStringLiteral("a."), QStringLiteral("B "),
                            QStringLiteral("b."), QStringLiteral("C "), QStringLiteral("c.")};
    QTest::newRow("first of three") << three << 0 << three.mid(2) << 0;
    QTest::newRow("last of three") << three << 2 << three.mid(0, 4) << 1;
    QTest::newRow("the only one") << three.mid(0, 2) << 0 << QStringList() << -1;
    QTest::newRow("no selection") << three << -1 << three << -1;
    QTest::newRow("empty lines elsewhere stay")
        << QStringList{QStringLiteral("A "), QString(), QStringLiteral("B "), QStringLiteral("b.")} << 1
        << QStringList{QStringLiteral("A "), QString()} << 0;
    QTest::newRow("unpaired last key line")
        << QStringList{QStringLiteral("A "), QStringLiteral("a."), QStringLiteral("B ")} << 1
        << QStringList{QStringLiteral("A "), QStringLiteral("a.")} << 0;
}

void tst_BaseEdit::deleteAnswer() {
    QFETCH(QStringList, base);
    QFETCH(int, row);
    QFETCH(QStringList, after);
    QFETCH(int, selected);
    Variables v = makeState();
    setBase(v.AnswerBase, v.AnswerCount, base);
    QCOMPARE(DeleteAnswer(v, row), selected);
    QCOMPARE(v.AnswerBase, after);
    QCOMPARE(int(v.AnswerCount), after.size());
    QCOMPARE(v.AnswerBaseChanged, row >= 0);
}

void tst_BaseEdit::deleteQuestionKeepsOtherEmptyLines() {
    Variables v = makeState();
    setBase(v.QuestionBase, v.QuestionCount, {QStringLiteral("A?"), QString(), QStringLiteral("B?")});
    QCOMPARE(DeleteQuestion(v, 2), 1);
    QCOMPARE(v.QuestionBase, (QStringList{QStringLiteral("A?"), QString()}));
    QVERIFY(v.QuestionBaseChanged);
}

void tst_BaseEdit::deleteSynonymKeepsTheOtherDirection() {
    Variables v = makeState();
    QString w = QStringLiteral("кот");
    QString s = QStringLiteral("кошка");
    AddSynonym(v, w, s);
    QCOMPARE(synonymRowText(v, 0), QStringLiteral(" КОТ - КОШКА "));
    QCOMPARE(DeleteSynonym(v, 0), 0);
    QCOMPARE(v.SynonymBase, (QStringList{QStringLiteral(" КОШКА "), QStringLiteral(" КОТ ")}));
}

void tst_BaseEdit::clearAlwaysRaisesTheFlag_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty bases") << QStringList();
    QTest::newRow("bases with lines") << QStringList{QStringLiteral(" ПРИВЕТ "), QStringLiteral("Здравствуй!")};
}

void tst_BaseEdit::clearAlwaysRaisesTheFlag() {
    QFETCH(QStringList, lines);
    Variables v = makeState();
    setBase(v.AnswerBase, v.AnswerCount, lines);
    setBase(v.QuestionBase, v.QuestionCount, lines);
    setBase(v.SynonymBase, v.SynonymCount, lines);
    ClearAnswers(v);
    ClearQuestions(v);
    ClearSynonyms(v);
    QVERIFY(v.AnswerBaseChanged && v.QuestionBaseChanged && v.SynonymBaseChanged);
    QCOMPARE(v.AnswerCount + v.QuestionCount + v.SynonymCount, 0);
    QVERIFY(v.AnswerBase.isEmpty() && v.QuestionBase.isEmpty() && v.SynonymBase.isEmpty());
}

void tst_BaseEdit::fullBasesRefuseAdditions() {
    Variables v = makeState();
    setBase(v.AnswerBase, v.AnswerCount, QStringList(Variables::MaxLines - 1, QStringLiteral("x")));
    setBase(v.QuestionBase, v.QuestionCount, QStringList(Variables::MaxLines, QStringLiteral("x")));
    setBase(v.SynonymBase, v.SynonymCount, QStringList(Variables::MaxLines - 3, QStringLiteral("x")));
    QString w = QStringLiteral("кот");
    QString s = QStringLiteral("кошка");
    QCOMPARE(AddAnswer(v, QStringLiteral("a"), QStringLiteral("b")), AddResult::BaseFull);
    QCOMPARE(AddQuestion(v, QStringLiteral("a")), AddResult::BaseFull);
    QCOMPARE(AddSynonym(v, w, s), AddResult::BaseFull);
    QCOMPARE(v.AnswerCount, qint16(Variables::MaxLines - 1));
    QCOMPARE(v.QuestionCount, Variables::MaxLines);
    QCOMPARE(v.SynonymCount, qint16(Variables::MaxLines - 3));
    QVERIFY(!v.AnswerBaseChanged && !v.QuestionBaseChanged && !v.SynonymBaseChanged);
}

void tst_BaseEdit::unpairedSynonymRow() {
    Variables v = makeState();
    setBase(v.SynonymBase, v.SynonymCount, {QStringLiteral(" А "), QStringLiteral(" Б "), QStringLiteral(" в ")});
    QCOMPARE(pairRows(v.SynonymCount), 2);
    QCOMPARE(synonymRowText(v, 1), QStringLiteral(" В -"));
    QCOMPARE(DeleteSynonym(v, 1), 0);
    QCOMPARE(v.SynonymCount, qint16(2));
}

void tst_BaseEdit::filterKeepsRealRows_data() {
    QTest::addColumn<int>("base"); // 0 answers, 1 questions, 2 synonyms
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("rows");
    const QStringList answers{QStringLiteral("ПРИВЕТ "),  QStringLiteral("Здравствуй."), QStringLiteral("ЕЛКА "),
                              QStringLiteral("Зелёная."), QStringLiteral("ЁЖ "),         QStringLiteral("Колючий."),
                              QStringLiteral("ЁЛКА ")};
    QTest::newRow("key line or answer, ё as е") << 0 << answers << QStringLiteral("ЗЕЛЕН") << QList<int>{1};
    QTest::newRow("unpaired last key line") << 0 << answers << QStringLiteral("елка") << QList<int>{1, 3};
    QTest::newRow("blanks as typed") << 0 << answers << QStringLiteral("привет ") << QList<int>{0};
    QTest::newRow("never across the two lines") << 0 << answers << QStringLiteral("привет з") << QList<int>{};
    QTest::newRow("empty keeps all") << 0 << answers << QString() << QList<int>{0, 1, 2, 3};
    QTest::newRow("questions") << 1 << QStringList{QStringLiteral("Как дела?"), QStringLiteral("Ты любишь ёлки?")}
                               << QStringLiteral("ЕЛКИ") << QList<int>{1};
    QTest::newRow("either word of a synonym pair")
        << 2 << QStringList{QStringLiteral(" КОТ "),  QStringLiteral(" КОШКА "), QStringLiteral(" ЁЖ "),
                            QStringLiteral(" ЕЖИК "), QStringLiteral(" КОШКА "), QStringLiteral(" КОТ ")}
        << QStringLiteral("кошк") << QList<int>{0, 2};
}

void tst_BaseEdit::filterKeepsRealRows() {
    QFETCH(int, base);
    QFETCH(QStringList, lines);
    QFETCH(QString, text);
    QFETCH(QList<int>, rows);
    Variables v = makeState();
    QStringList* list[] = {&v.AnswerBase, &v.QuestionBase, &v.SynonymBase};
    qint16* count[] = {&v.AnswerCount, &v.QuestionCount, &v.SynonymCount};
    setBase(*list[base], *count[base], lines);
    const auto filter = [&] {
        return base == 0 ? FilterAnswers(v, text) : base == 1 ? FilterQuestions(v, text) : FilterSynonyms(v, text);
    };
    QCOMPARE(filter(), rows);
    if (rows.isEmpty())
        return;
    // Deleting the last row shown deletes that real row, and only that one.
    const int perRow = base == 1 ? 1 : 2;
    QStringList expected = lines;
    expected.remove(rows.last() * perRow, std::min<qsizetype>(perRow, lines.size() - rows.last() * perRow));
    base == 0   ? DeleteAnswer(v, rows.last())
    : base == 1 ? DeleteQuestion(v, rows.last())
                : DeleteSynonym(v, rows.last());
    QCOMPARE(*list[base], expected);
    QCOMPARE(filter().size(), rows.size() - 1);
}

void tst_BaseEdit::keyWordsHint_data() {
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("text");
    const QStringList base{QStringLiteral("ПРИВЕТ "),      QStringLiteral("a"),
                           QStringLiteral("ПРИВЕТ "),      QStringLiteral("b"),
                           QStringLiteral("ПРИВЕТ ДРУГ "), QStringLiteral("c")};
    QTest::newRow("two pairs, one word")
        << base << QStringLiteral(" привет! ")
        << QStringLiteral("Такие ключевые слова уже есть у 2 пар — новый ответ будет выбираться в 1 случае из 3\n"
                          "Ключевое слово одно — ответ подойдёт к любой фразе со словом «ПРИВЕТ»");
    QTest::newRow("the words in another order") << base << QStringLiteral("друг привет") << QString();
    QTest::newRow("twenty-one pairs")
        << QStringList(42, QStringLiteral("КОТ ")) << QStringLiteral("Кот")
        << QStringLiteral("Такие ключевые слова уже есть у 21 пары — новый ответ будет выбираться в 1 случае из 22\n"
                          "Ключевое слово одно — ответ подойдёт к любой фразе со словом «КОТ»");
    QTest::newRow("nothing of the alphabet") << base << QStringLiteral("???") << QString();
}

void tst_BaseEdit::keyWordsHint() {
    QFETCH(QStringList, answers);
    QFETCH(QString, typed);
    QFETCH(QString, text);
    Variables v = makeState();
    setBase(v.AnswerBase, v.AnswerCount, answers);
    QCOMPARE(KeyWordsHintFor(v, typed).text, text);
}

QTEST_GUILESS_MAIN(tst_BaseEdit)
#include "tst_baseedit.moc"
