// The three base editors and the statistics window, each opened on a state of its own.
#include "core/Options.h"
#include "core/Variables.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"
#include "support/WindowChecks.h"
#include "ui/editors/BaseListModel.h"
#include "ui/editors/frmAnswers.h"
#include "ui/editors/frmQuestions.h"
#include "ui/editors/frmSinonims.h"
#include "ui/editors/frmStatistics.h"
#include "ui/platform/Twips.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QtTest/QTest>

#include <memory>

namespace {

Variables state(const QStringList& answers = {}, const QStringList& questions = {}, const QStringList& synonyms = {}) {
    Variables v;
    v.Alphabet = Options::defaultAlphabet();
    v.AnswerBase = answers;
    v.AnswerCount = qint16(answers.size());
    v.QuestionBase = questions;
    v.QuestionCount = qint16(questions.size());
    v.SynonymBase = synonyms;
    v.SynonymCount = qint16(synonyms.size());
    return v;
}

QStringList threePairs() {
    return {u8("ПРИВЕТ "), u8("Здравствуй!"), u8("КАК ДЕЛА "), u8("Хорошо."), u8("ПОКА "), u8("До встречи.")};
}

template <typename T> T* child(QWidget* window, const QString& name) {
    T* found = window->findChild<T*>(name);
    if (!found)
        qWarning("no control %s", qPrintable(name));
    return found;
}

QStringList rows(QListView* view) {
    QStringList out;
    for (int r = 0; r < view->model()->rowCount(); ++r)
        out.append(view->model()->index(r, 0).data().toString());
    return out;
}

int selected(QListView* view) {
    const QModelIndexList picked = view->selectionModel()->selectedRows();
    return picked.isEmpty() ? -1 : picked.constFirst().row();
}

void pick(QListView* view, int row) {
    view->selectionModel()->setCurrentIndex(view->model()->index(row, 0), QItemSelectionModel::ClearAndSelect);
}

// Creates the window named `form` on the state.
std::unique_ptr<QDialog> open(const QString& form, Variables& v, Dialogs& dialogs) {
    if (form == QLatin1String("frmAnswers"))
        return std::make_unique<frmAnswers>(v, dialogs);
    if (form == QLatin1String("frmQuestions"))
        return std::make_unique<frmQuestions>(v, dialogs);
    if (form == QLatin1String("frmSinonims"))
        return std::make_unique<frmSinonims>(v, dialogs);
    return std::make_unique<frmStatistics>(v);
}

} // namespace

class tst_BaseEditors : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { VERIFY_NOTHING_LEFT_OPEN(); }

    void windows_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QSize>("clientTwips");
        QTest::addColumn<QStringList>("tabOrder");
        QTest::newRow("answers") << QStringLiteral("frmAnswers") << u8("Вопросы") << QSize(4830, 5925)
                                 << QStringList{QStringLiteral("txtKeyWords"), QStringLiteral("txtAnswer"),
                                                QStringLiteral("cmdAdd"),      QStringLiteral("cmdDel"),
                                                QStringLiteral("cmdClear"),    QStringLiteral("lstKeyWords"),
                                                QStringLiteral("lstAnswers")};
        QTest::newRow("questions") << QStringLiteral("frmQuestions") << u8("Вопросы") << QSize(4830, 4065)
                                   << QStringList{QStringLiteral("txtQuest"), QStringLiteral("cmdAdd"),
                                                  QStringLiteral("cmdDel"), QStringLiteral("cmdClear"),
                                                  QStringLiteral("lstQuestList")};
        QTest::newRow("synonyms") << QStringLiteral("frmSinonims") << u8("Синонимы") << QSize(4815, 4005)
                                  << QStringList{QStringLiteral("txtWord"),  QStringLiteral("txtSinonim"),
                                                 QStringLiteral("cmdAdd"),   QStringLiteral("cmdDel"),
                                                 QStringLiteral("cmdClear"), QStringLiteral("lstSinList")};
        QTest::newRow("statistics") << QStringLiteral("frmStatistics") << u8("Статистика") << QSize(3975, 1995)
                                    << QStringList{QStringLiteral("Command1")};
    }
    void windows() {
        QFETCH(QString, form);
        QFETCH(QString, title);
        QFETCH(QSize, clientTwips);
        QFETCH(QStringList, tabOrder);
        Variables v = state(threePairs(), {u8("Как дела?")}, {u8(" КОТ "), u8(" КОШКА ")});
        ScriptedDialogs dialogs;
        std::unique_ptr<QDialog> window = open(form, v, dialogs);

        QCOMPARE(window->objectName(), form);
        QCOMPARE(window->windowTitle(), title);
        const QSize client(Twips::toPixels(clientTwips.width(), Twips::dpiX(window.get())),
                           Twips::toPixels(clientTwips.height(), Twips::dpiY(window.get())));
        QCOMPARE(window->size(), client);
        QCOMPARE(window->minimumSize(), client);
        QCOMPARE(window->maximumSize(), client);
        const Qt::WindowFlags flags = window->windowFlags();
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QCOMPARE(window->font().family(), QStringLiteral("Tahoma"));

        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        const QRect screen = window->screen()->availableGeometry();
        QVERIFY(qAbs(window->geometry().center().x() - screen.center().x()) <= 2);
        QVERIFY(qAbs(window->geometry().center().y() - screen.center().y()) <= 2);

        // Tab walks the controls in the given order and comes back round.
        QWidget* first = child<QWidget>(window.get(), tabOrder.constFirst());
        QVERIFY(first);
        QStringList walked{first->objectName()};
        for (QWidget* w = first->nextInFocusChain(); w != first; w = w->nextInFocusChain())
            if (w->focusPolicy() & Qt::TabFocus && w->isVisibleTo(window.get()))
                walked.append(w->objectName());
        QCOMPARE(walked, tabOrder);
        if (form != QLatin1String("frmStatistics")) {
            QCOMPARE(window->focusWidget(), first);
            QVERIFY(child<QPushButton>(window.get(), QStringLiteral("cmdAdd"))->isDefault());
        }
        window->close();
    }

    void controls_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<QRect>("twips");
        const auto row = [](const char* form, const char* name, const char* caption, const char* tip, QRect place) {
            QTest::addRow("%s %s", form, name)
                << QString::fromLatin1(form) << QString::fromLatin1(name) << u8(caption) << u8(tip) << place;
        };
        row("frmAnswers", "lblKeyWords", "Ключевые слова(разделяются пробелом):", "", {120, 120, 3255, 195});
        row("frmAnswers", "txtKeyWords", "", "Поле ввода ключевых слов", {120, 360, 4575, 375});
        row("frmAnswers", "lblAnswer", "Ответ:", "", {120, 840, 540, 195});
        row("frmAnswers", "txtAnswer", "", "Поле ввода ответа", {120, 1080, 4575, 375});
        row("frmAnswers", "cmdAdd", "Добавить", "Кнопка добавления ответа в базу знаний ответов",
            {120, 1560, 1455, 375});
        row("frmAnswers", "cmdDel", "Удалить", "Кнопка удаления ответа из базы знаний ответов",
            {1680, 1560, 1455, 375});
        row("frmAnswers", "cmdClear", "Очистить", "Кнопка очистки базы знаний ответов", {3240, 1560, 1455, 375});
        row("frmAnswers", "lblKeyWordsList", "Ключевые слова:", "", {120, 2040, 1350, 195});
        row("frmAnswers", "lstKeyWords", "", "Список ключевых слов", {120, 2280, 4575, 1620});
        row("frmAnswers", "lblAnswersList", "Соответствующий им ответ:", "", {120, 3960, 2220, 195});
        row("frmAnswers", "lstAnswers", "", "Список ответов", {120, 4200, 4575, 1620});

        row("frmQuestions", "lblQuest", "Вопрос:", "", {120, 120, 585, 195});
        row("frmQuestions", "txtQuest", "", "Поле ввода вопроса", {120, 360, 4575, 375});
        row("frmQuestions", "cmdAdd", "Добавить", "Кнопка добавления вопроса в базу знаний вопросов",
            {120, 840, 1455, 375});
        row("frmQuestions", "cmdDel", "Удалить", "Кнопка удаления вопроса из базы знаний вопросов",
            {1680, 840, 1455, 375});
        row("frmQuestions", "cmdClear", "Очистить", "Кнопка очистки базы знаний вопросов", {3240, 840, 1455, 375});
        row("frmQuestions", "lbQuestlList", "Известные программе вопросы:", "", {120, 1320, 2415, 195});
        row("frmQuestions", "lstQuestList", "", "Список вопросов", {120, 1560, 4575, 2400});

        row("frmSinonims", "lblWord", "Слово:", "", {120, 120, 525, 195});
        row("frmSinonims", "txtWord", "", "Поле ввода слова", {120, 360, 4575, 375});
        row("frmSinonims", "lblSinonim", "Синоним:", "", {120, 840, 705, 195});
        row("frmSinonims", "txtSinonim", "", "Поле ввода синонима", {120, 1080, 4575, 375});
        row("frmSinonims", "cmdAdd", "Добавить", "Кнопка добаления синонима в базу знаний синонимов",
            {120, 1560, 1455, 375});
        row("frmSinonims", "cmdDel", "Удалить", "Кнопка удаления синонима из базы знаний синонимов",
            {1680, 1560, 1455, 375});
        row("frmSinonims", "cmdClear", "Очистить", "Кнопка очистки базы синонимов", {3240, 1560, 1455, 375});
        row("frmSinonims", "lbSinlList", "Слова с их синонимами:", "", {120, 2040, 1800, 195});
        row("frmSinonims", "lstSinList", "", "Список синонимов", {120, 2280, 4575, 1620});

        row("frmStatistics", "lblMain", "Talkomat знает:", "", {120, 120, 2205, 240});
        row("frmStatistics", "frMain", "", "", {120, 360, 3735, 1095});
        row("frmStatistics", "lblAnswersNum", "Ответов на реплики человека - ", "", {120, 240, 2775, 210});
        row("frmStatistics", "lblQuestionsNum", "Вопросов - ", "", {120, 480, 990, 210});
        row("frmStatistics", "lblSinonimsNum", "Синонимичных пар - ", "", {120, 720, 1815, 210});
        row("frmStatistics", "Command1", "OK", "", {1560, 1560, 975, 375});
    }
    void controls() {
        QFETCH(QString, form);
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, toolTip);
        QFETCH(QRect, twips);
        Variables v = state();
        ScriptedDialogs dialogs;
        std::unique_ptr<QDialog> window = open(form, v, dialogs);
        auto* control = child<QWidget>(window.get(), name);
        QVERIFY(control);

        if (auto* label = qobject_cast<QLabel*>(control))
            QCOMPARE(label->text(), caption);
        else if (auto* button = qobject_cast<QPushButton*>(control))
            QCOMPARE(button->text(), caption);
        QCOMPARE(control->toolTip(), toolTip);

        const double dx = Twips::dpiX(window.get());
        const double dy = Twips::dpiY(window.get());
        const QRect expected(Twips::toPixels(twips.x(), dx), Twips::toPixels(twips.y(), dy),
                             Twips::toPixels(twips.width(), dx), Twips::toPixels(twips.height(), dy));
        if (qobject_cast<QLabel*>(control)) {
            // A label keeps its place and may grow to a wider substitute font, never shrink.
            QCOMPARE(control->pos(), expected.topLeft());
            QVERIFY(control->width() >= expected.width());
            QVERIFY(control->height() >= expected.height());
            QVERIFY(control->width() >= control->sizeHint().width());
        } else {
            QCOMPARE(control->geometry(), expected);
        }
        if (form != QLatin1String("frmStatistics")) {
            QCOMPARE(control->font().family(), QStringLiteral("Tahoma"));
            QCOMPARE(control->font().pointSizeF(), 8.25);
        }
    }

    // --- answers

    void addAnswer_data() {
        QTest::addColumn<QString>("keyWords");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("added");
        QTest::newRow("normalised") << u8("  привет,   как дела ") << u8("хорошо")
                                    << QStringList{u8("ПРИВЕТ КАК ДЕЛА "), u8("Хорошо.")};
        QTest::newRow("exclamation kept") << u8("дела") << u8("Отлично!") << QStringList{u8("ДЕЛА "), u8("Отлично!")};
        QTest::newRow("latin answer") << u8("ok") << u8("ok") << QStringList{u8("OK "), u8("Ok.")};
        QTest::newRow("question mark kept") << u8("как") << u8("как дела?") << QStringList{u8("КАК "), u8("Как дела?")};
        QTest::newRow("no alphabet characters") << u8("???") << u8("Да") << QStringList{u8(" "), u8("Да.")};
        QTest::newRow("empty key words") << QString() << u8("Да") << QStringList();
        QTest::newRow("empty answer") << u8("да") << QString() << QStringList();
        QTest::newRow("answer of spaces") << u8("да") << u8("   ") << QStringList();
    }
    void addAnswer() {
        QFETCH(QString, keyWords);
        QFETCH(QString, answer);
        QFETCH(QStringList, added);
        Variables v = state(threePairs());
        ScriptedDialogs dialogs;
        frmAnswers window(v, dialogs);
        auto* txtKeyWords = child<QLineEdit>(&window, QStringLiteral("txtKeyWords"));
        auto* txtAnswer = child<QLineEdit>(&window, QStringLiteral("txtAnswer"));
        auto* lstKeyWords = child<QListView>(&window, QStringLiteral("lstKeyWords"));
        auto* lstAnswers = child<QListView>(&window, QStringLiteral("lstAnswers"));
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        txtKeyWords->setText(keyWords);
        txtAnswer->setText(answer);
        // Enter in the answer field presses the default button.
        txtAnswer->setFocus();
        QTest::keyClick(txtAnswer, Qt::Key_Return);

        QCOMPARE(v.AnswerBase, threePairs() + added);
        QCOMPARE(v.AnswerCount, qint16(v.AnswerBase.size()));
        QCOMPARE(v.AnswerBaseChanged, !added.isEmpty());
        QCOMPARE(rows(lstKeyWords).size(), v.AnswerBase.size() / 2);
        if (added.isEmpty()) {
            QCOMPARE(txtKeyWords->text(), keyWords);
            QCOMPARE(txtAnswer->text(), answer);
            QCOMPARE(selected(lstKeyWords), -1);
        } else {
            QCOMPARE(txtKeyWords->text(), QString());
            QCOMPARE(txtAnswer->text(), QString());
            QCOMPARE(window.focusWidget(), txtKeyWords);
            QCOMPARE(rows(lstKeyWords).constLast(), added.at(0));
            QCOMPARE(rows(lstAnswers).constLast(), added.at(1));
            QCOMPARE(selected(lstKeyWords), 3);
            QCOMPARE(selected(lstAnswers), 3);
        }
        QVERIFY(dialogs.verify());
        window.close();
    }

    void addingTheSamePairTwiceStoresItTwice() {
        Variables v = state();
        ScriptedDialogs dialogs;
        frmAnswers window(v, dialogs);
        for (int i = 0; i < 2; ++i) {
            child<QLineEdit>(&window, QStringLiteral("txtKeyWords"))->setText(u8("кот"));
            child<QLineEdit>(&window, QStringLiteral("txtAnswer"))->setText(u8("Мяу!"));
            child<QPushButton>(&window, QStringLiteral("cmdAdd"))->click();
        }
        QCOMPARE(v.AnswerBase, QStringList({u8("КОТ "), u8("Мяу!"), u8("КОТ "), u8("Мяу!")}));
    }

    void emptyAlphabet() {
        Variables v = state();
        v.Alphabet.clear();
        ScriptedDialogs dialogs;
        frmAnswers window(v, dialogs);
        child<QLineEdit>(&window, QStringLiteral("txtKeyWords"))->setText(u8("привет"));
        child<QLineEdit>(&window, QStringLiteral("txtAnswer"))->setText(u8("здравствуй"));
        child<QPushButton>(&window, QStringLiteral("cmdAdd"))->click();
        QCOMPARE(v.AnswerBase, QStringList({u8(" "), u8("Здравствуй")}));
    }

    // Ctrl+F filters the lists; selecting, deleting and adding act on the real base, and Esc shows every row again
    // with the same pair selected. `pick` is a shown row, deleted unless `add` holds key words and an answer to add.
    void findFiltersTheRealRows_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QStringList>("base");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("pick");
        QTest::addColumn<QStringList>("add");
        QTest::addColumn<QString>("found");
        QTest::addColumn<QStringList>("left");
        QTest::addColumn<int>("afterEsc");
        const QStringList twice = threePairs().mid(0, 4) + threePairs().mid(0, 2) + threePairs().mid(4);
        const QStringList weather{u8("погода"), u8("солнечно")};
        const QStringList added = twice + QStringList{u8("ПОГОДА "), u8("Солнечно.")};
        QTest::newRow("answers: the second of two equal pairs deleted")
            << u8("frmAnswers") << twice << u8("привет") << 1 << QStringList() << u8("Найдено: 1 из 3")
            << (twice.mid(0, 4) + twice.mid(6)) << 0;
        QTest::newRow("answers: added and found")
            << u8("frmAnswers") << twice << u8("погод") << -1 << weather << u8("Найдено: 1 из 5") << added << 4;
        QTest::newRow("answers: added, not found")
            << u8("frmAnswers") << twice << u8("пока") << 0 << weather << u8("Найдено: 1 из 5") << added << -1;
        const QStringList questions{u8("Как дела?"), u8("Ещё вопрос?"), u8("Что ещё?")};
        QTest::newRow("questions: ё as е")
            << u8("frmQuestions") << questions << u8("еще") << 0 << QStringList() << u8("Найдено: 1 из 2")
            << QStringList{questions.at(0), questions.at(2)} << 1;
        const QStringList synonyms{u8(" КОТ "), u8(" КОШКА "), u8(" КОШКА "), u8(" КОТ "), u8(" ПЕС "), u8(" СОБАКА ")};
        QTest::newRow("synonyms: one direction deleted")
            << u8("frmSinonims") << synonyms << u8("кош") << 1 << QStringList() << u8("Найдено: 1 из 2")
            << (synonyms.mid(0, 2) + synonyms.mid(4)) << 0;
    }
    void findFiltersTheRealRows() {
        QFETCH(QString, form);
        QFETCH(QStringList, base);
        QFETCH(int, pick);
        QFETCH(QStringList, add);
        QFETCH(QStringList, left);
        QFETCH(int, afterEsc);
        const bool questions = form == QLatin1String("frmQuestions");
        const bool synonyms = form == QLatin1String("frmSinonims");
        Variables v = questions ? state({}, base) : synonyms ? state({}, {}, base) : state(base);
        ScriptedDialogs dialogs;
        std::unique_ptr<QDialog> window = open(form, v, dialogs);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        const QSize size = window->size();
        QTest::keyClick(window.get(), Qt::Key_F, Qt::ControlModifier);
        auto* field = child<QLineEdit>(window.get(), QStringLiteral("txtFind"));
        QVERIFY(field && field->hasFocus());
        QVERIFY(window->height() > size.height());
        QFETCH(QString, text);
        field->setText(text);
        const QList<QListView*> lists = window->findChildren<QListView*>();
        if (pick >= 0)
            ::pick(lists.constFirst(), pick);
        if (pick >= 0 && add.isEmpty())
            child<QPushButton>(window.get(), QStringLiteral("cmdDel"))->click();
        if (!add.isEmpty()) {
            child<QLineEdit>(window.get(), QStringLiteral("txtKeyWords"))->setText(add.at(0));
            child<QLineEdit>(window.get(), QStringLiteral("txtAnswer"))->setText(add.at(1));
            child<QPushButton>(window.get(), QStringLiteral("cmdAdd"))->click();
        }
        QTEST(child<QLabel>(window.get(), QStringLiteral("lblFound"))->text(), "found");
        QCOMPARE(questions ? v.QuestionBase : synonyms ? v.SynonymBase : v.AnswerBase, left);

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(window->isVisible() && field->isHidden());
        QCOMPARE(window->size(), size);
        for (QListView* list : lists) {
            QCOMPARE(list->model()->rowCount(), left.size() / (questions ? 1 : 2));
            QCOMPARE(selected(list), afterEsc);
        }
        window->close();
    }

    // The note under the key words moves the controls below it while it shows, and never blocks adding.
    void keyWordsHint() {
        Variables v = state(threePairs().mid(0, 2) + threePairs());
        ScriptedDialogs dialogs;
        frmAnswers window(v, dialogs);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QSize size = window.size();
        auto* hint = child<QLabel>(&window, QStringLiteral("lblHint"));
        auto* list = child<QListView>(&window, QStringLiteral("lstAnswers"));
        const QRect listPlace = list->geometry();

        child<QLineEdit>(&window, QStringLiteral("txtKeyWords"))->setText(u8("привет"));
        QVERIFY(hint->isVisible());
        QCOMPARE(hint->text(), BaseEdit::KeyWordsHintFor(v, u8("привет")).text);
        QCOMPARE(list->geometry(), listPlace.translated(0, window.height() - size.height()));
        QVERIFY(hint->geometry().bottom() < child<QLabel>(&window, QStringLiteral("lblAnswer"))->y());

        child<QLineEdit>(&window, QStringLiteral("txtAnswer"))->setText(u8("Да"));
        child<QPushButton>(&window, QStringLiteral("cmdAdd"))->click();
        QCOMPARE(v.AnswerBase.size(), 10);
        QVERIFY(hint->isHidden());
        QCOMPARE(window.size(), size);
        QCOMPARE(list->geometry(), listPlace);
        window.close();
    }

    void deleteAnswer_data() {
        QTest::addColumn<QStringList>("base");
        QTest::addColumn<QString>("pickIn");
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("left");
        QTest::addColumn<int>("selectedAfter");
        const QStringList b = threePairs();
        QTest::newRow("first") << b << QStringLiteral("lstKeyWords") << 0 << b.mid(2) << 0;
        QTest::newRow("middle") << b << QStringLiteral("lstKeyWords") << 1 << (b.mid(0, 2) + b.mid(4)) << 1;
        QTest::newRow("last") << b << QStringLiteral("lstKeyWords") << 2 << b.mid(0, 4) << 1;
        QTest::newRow("last, chosen among the answers") << b << QStringLiteral("lstAnswers") << 2 << b.mid(0, 4) << 1;
        QTest::newRow("only") << b.mid(0, 2) << QStringLiteral("lstKeyWords") << 0 << QStringList() << -1;
        QTest::newRow("nothing selected") << b << QString() << -1 << b << -1;
        // A hand-edited base: the empty line of another pair stays, so later pairs keep their partners.
        const QStringList withEmpty{u8("А "), u8("Первый."), QString(), u8("Второй."), u8("В "), u8("Третий.")};
        QTest::newRow("empty line elsewhere kept")
            << withEmpty << QStringLiteral("lstKeyWords") << 0 << withEmpty.mid(2) << 0;
        // An unpaired last line is a row of its own and can be deleted.
        const QStringList odd{u8("А "), u8("Первый."), u8("Б ")};
        QTest::newRow("unpaired last line") << odd << QStringLiteral("lstKeyWords") << 1 << odd.mid(0, 2) << 0;
    }
    void deleteAnswer() {
        QFETCH(QStringList, base);
        QFETCH(QString, pickIn);
        QFETCH(int, row);
        QFETCH(QStringList, left);
        QFETCH(int, selectedAfter);
        Variables v = state(base);
        ScriptedDialogs dialogs;
        frmAnswers window(v, dialogs);
        auto* lstKeyWords = child<QListView>(&window, QStringLiteral("lstKeyWords"));
        auto* lstAnswers = child<QListView>(&window, QStringLiteral("lstAnswers"));
        if (!pickIn.isEmpty())
            pick(child<QListView>(&window, pickIn), row);
        QCOMPARE(selected(lstKeyWords), row);

        child<QPushButton>(&window, QStringLiteral("cmdDel"))->click();

        QCOMPARE(v.AnswerBase, left);
        QCOMPARE(v.AnswerCount, qint16(left.size()));
        QCOMPARE(v.AnswerBaseChanged, row >= 0);
        QCOMPARE(rows(lstKeyWords).size(), (left.size() + 1) / 2);
        QCOMPARE(rows(lstAnswers).size(), left.size() / 2);
        QCOMPARE(selected(lstKeyWords), selectedAfter);
        QCOMPARE(selected(lstAnswers), selectedAfter < left.size() / 2 ? selectedAfter : -1);
    }

    void clearAnswers_data() {
        QTest::addColumn<QStringList>("base");
        QTest::newRow("full") << threePairs();
        QTest::newRow("already empty") << QStringList();
    }
    void clearAnswers() {
        QFETCH(QStringList, base);
        Variables v = state(base);
        ScriptedDialogs dialogs;
        frmAnswers window(v, dialogs);
        child<QLineEdit>(&window, QStringLiteral("txtKeyWords"))->setText(u8("кот"));
        child<QLineEdit>(&window, QStringLiteral("txtAnswer"))->setText(u8("мяу"));

        child<QPushButton>(&window, QStringLiteral("cmdClear"))->click();

        QCOMPARE(v.AnswerBase, QStringList());
        QCOMPARE(v.AnswerCount, qint16(0));
        QVERIFY(v.AnswerBaseChanged);
        QCOMPARE(rows(child<QListView>(&window, QStringLiteral("lstKeyWords"))), QStringList());
        QCOMPARE(rows(child<QListView>(&window, QStringLiteral("lstAnswers"))), QStringList());
        QCOMPARE(child<QLineEdit>(&window, QStringLiteral("txtKeyWords"))->text(), u8("кот"));
        QCOMPARE(child<QLineEdit>(&window, QStringLiteral("txtAnswer"))->text(), u8("мяу"));
    }

    void mirroredSelection_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::newRow("answers to key words") << QStringLiteral("lstAnswers") << QStringLiteral("lstKeyWords");
        QTest::newRow("key words to answers") << QStringLiteral("lstKeyWords") << QStringLiteral("lstAnswers");
    }
    void mirroredSelection() {
        QFETCH(QString, from);
        QFETCH(QString, to);
        Variables v = state(threePairs() + threePairs());
        ScriptedDialogs dialogs;
        frmAnswers window(v, dialogs);
        auto* source = child<QListView>(&window, from);
        auto* mirror = child<QListView>(&window, to);
        QCOMPARE(selected(source), -1);
        QCOMPARE(selected(mirror), -1);

        pick(source, 3);
        QCOMPARE(selected(mirror), 3);

        // By keyboard as well as by the program.
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        source->setFocus();
        QTest::keyClick(source, Qt::Key_Down);
        QCOMPARE(selected(source), 4);
        QCOMPARE(selected(mirror), 4);
        QTest::keyClick(source, Qt::Key_Home);
        QCOMPARE(selected(mirror), 0);
        window.close();
    }

    // The unpaired key line has no answer row: the answer list keeps what it had.
    void mirrorIgnoresARowTheOtherListLacks() {
        Variables v = state({u8("А "), u8("Первый."), u8("Б ")});
        ScriptedDialogs dialogs;
        frmAnswers window(v, dialogs);
        auto* lstKeyWords = child<QListView>(&window, QStringLiteral("lstKeyWords"));
        auto* lstAnswers = child<QListView>(&window, QStringLiteral("lstAnswers"));
        QCOMPARE(rows(lstKeyWords), QStringList({u8("А "), u8("Б ")}));
        QCOMPARE(rows(lstAnswers), QStringList({u8("Первый.")}));
        pick(lstAnswers, 0);
        pick(lstKeyWords, 1);
        QCOMPARE(selected(lstKeyWords), 1);
        QCOMPARE(selected(lstAnswers), 0);
    }

    void listTextIsCutAt48_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("length");
        for (const char* form : {"frmAnswers key", "frmAnswers answer", "frmQuestions"})
            for (int length : {48, 49}) {
                const QString f = QString::fromLatin1(form);
                const QString list = f.endsWith(QLatin1String("key"))      ? QStringLiteral("lstKeyWords")
                                     : f.endsWith(QLatin1String("answer")) ? QStringLiteral("lstAnswers")
                                                                           : QStringLiteral("lstQuestList");
                QTest::addRow("%s %d", form, length) << f.section(QLatin1Char(' '), 0, 0) << list << length;
            }
    }
    void listTextIsCutAt48() {
        QFETCH(QString, form);
        QFETCH(QString, list);
        QFETCH(int, length);
        QString line;
        for (int i = 0; i < length; ++i)
            line += QChar(u'А' + i % 32);
        Variables v = state({line, line}, {line});
        ScriptedDialogs dialogs;
        std::unique_ptr<QDialog> window = open(form, v, dialogs);
        const QString shown = rows(child<QListView>(window.get(), list)).value(0);
        QCOMPARE(shown, length <= 48 ? line : line.left(48) + QStringLiteral("..."));
        QCOMPARE(v.AnswerBase.constFirst(), line);
    }

    void fullBaseRefusesTheAdd_data() {
        QTest::addColumn<QString>("form");
        QTest::newRow("answers") << QStringLiteral("frmAnswers");
        QTest::newRow("questions") << QStringLiteral("frmQuestions");
        QTest::newRow("synonyms") << QStringLiteral("frmSinonims");
    }
    void fullBaseRefusesTheAdd() {
        QFETCH(QString, form);
        // One line short of the limit: an answer pair needs two lines, a synonym four; a question base is full.
        QStringList answers;
        QStringList questions;
        QStringList synonyms;
        for (int i = 0; i < Variables::MaxLines - 1; ++i)
            answers.append(QString::number(i));
        questions = answers + QStringList{QStringLiteral("x")};
        synonyms = answers.mid(0, Variables::MaxLines - 3);
        Variables v = state(answers, questions, synonyms);
        ScriptedDialogs dialogs;
        std::unique_ptr<QDialog> window = open(form, v, dialogs);
        for (QLineEdit* field : window->findChildren<QLineEdit*>())
            field->setText(u8("кот"));
        dialogs.expectMessage(u8("База знаний заполнена: в ней не может быть больше 32767 строк."));

        child<QPushButton>(window.get(), QStringLiteral("cmdAdd"))->click();

        QVERIFY(dialogs.verify());
        QCOMPARE(dialogs.shown().constFirst().title, u8("Сообщение"));
        QCOMPARE(v.AnswerBase, answers);
        QCOMPARE(v.QuestionBase, questions);
        QCOMPARE(v.SynonymBase, synonyms);
        QVERIFY(!v.AnswerBaseChanged && !v.QuestionBaseChanged && !v.SynonymBaseChanged);
        for (QLineEdit* field : window->findChildren<QLineEdit*>())
            QCOMPARE(field->text(), u8("кот"));
    }

    // A full base is shown through a model: nothing is made for rows that are not painted.
    void fullBaseIsListedWhole() {
        QStringList answers;
        for (int i = 0; i < Variables::MaxLines - 1; ++i)
            answers.append(QString::number(i));
        Variables v = state(answers);
        ScriptedDialogs dialogs;
        frmAnswers window(v, dialogs);
        auto* lstAnswers = child<QListView>(&window, QStringLiteral("lstAnswers"));
        QCOMPARE(lstAnswers->model()->rowCount(), 16383);
        QCOMPARE(lstAnswers->model()->index(16382, 0).data().toString(), QStringLiteral("32765"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        child<QLineEdit>(&window, QStringLiteral("txtKeyWords"))->setText(u8("кот"));
        child<QLineEdit>(&window, QStringLiteral("txtAnswer"))->setText(u8("мяу"));
        dialogs.expectMessage(u8("База знаний заполнена: в ней не может быть больше 32767 строк."));
        child<QPushButton>(&window, QStringLiteral("cmdAdd"))->click();
        pick(lstAnswers, 16382);
        child<QPushButton>(&window, QStringLiteral("cmdDel"))->click();
        QCOMPARE(v.AnswerCount, qint16(Variables::MaxLines - 3));
        QCOMPARE(selected(lstAnswers), 16381);
        // The selected row is brought into view.
        QVERIFY(lstAnswers->viewport()->rect().intersects(lstAnswers->visualRect(lstAnswers->currentIndex())));
        window.close();
    }

    // --- questions

    void addQuestion_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("full stop added") << u8("  как тебя зовут") << u8("Как тебя зовут.");
        QTest::newRow("question mark kept") << u8("Как дела?") << u8("Как дела?");
        QTest::newRow("marks kept") << u8("сколько тебе лет?!") << u8("Сколько тебе лет?!");
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("spaces only") << u8("   ") << QString();
    }
    void addQuestion() {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        const QStringList before{u8("Как тебя зовут?")};
        Variables v = state({}, before);
        ScriptedDialogs dialogs;
        frmQuestions window(v, dialogs);
        auto* txtQuest = child<QLineEdit>(&window, QStringLiteral("txtQuest"));
        auto* lstQuestList = child<QListView>(&window, QStringLiteral("lstQuestList"));
        auto* cmdAdd = child<QPushButton>(&window, QStringLiteral("cmdAdd"));
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        txtQuest->setText(typed);
        // Pressed with the focus on the button: the focus stays where it was.
        cmdAdd->setFocus();
        QTest::keyClick(cmdAdd, Qt::Key_Space);

        if (stored.isEmpty()) {
            QCOMPARE(v.QuestionBase, before);
            QVERIFY(!v.QuestionBaseChanged);
            QCOMPARE(txtQuest->text(), typed);
        } else {
            QCOMPARE(v.QuestionBase, before + QStringList{stored});
            QCOMPARE(v.QuestionCount, qint16(2));
            QVERIFY(v.QuestionBaseChanged);
            QCOMPARE(txtQuest->text(), QString());
            QCOMPARE(rows(lstQuestList).constLast(), stored);
            QCOMPARE(selected(lstQuestList), 1);
        }
        QCOMPARE(window.focusWidget(), cmdAdd);
        window.close();
    }

    void enterAddsAQuestion() {
        Variables v = state();
        ScriptedDialogs dialogs;
        frmQuestions window(v, dialogs);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto* txtQuest = child<QLineEdit>(&window, QStringLiteral("txtQuest"));
        QTest::keyClicks(txtQuest, QStringLiteral("ok"));
        QTest::keyClick(txtQuest, Qt::Key_Return);
        QCOMPARE(v.QuestionBase, QStringList{u8("Ok.")});
        QCOMPARE(window.focusWidget(), txtQuest);
        window.close();
    }

    void deleteQuestion_data() {
        QTest::addColumn<QStringList>("base");
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("left");
        QTest::addColumn<int>("selectedAfter");
        const QStringList b{u8("Первый?"), u8("Второй?"), u8("Третий?")};
        QTest::newRow("first") << b << 0 << b.mid(1) << 0;
        QTest::newRow("middle") << b << 1 << QStringList{b.at(0), b.at(2)} << 1;
        QTest::newRow("last") << b << 2 << b.mid(0, 2) << 1;
        QTest::newRow("only") << b.mid(0, 1) << 0 << QStringList() << -1;
        QTest::newRow("nothing selected") << b << -1 << b << -1;
        const QStringList withEmpty{u8("Первый?"), QString(), u8("Второй?")};
        QTest::newRow("other empty lines kept") << withEmpty << 2 << withEmpty.mid(0, 2) << 1;
    }
    void deleteQuestion() {
        QFETCH(QStringList, base);
        QFETCH(int, row);
        QFETCH(QStringList, left);
        QFETCH(int, selectedAfter);
        Variables v = state({}, base);
        ScriptedDialogs dialogs;
        frmQuestions window(v, dialogs);
        auto* list = child<QListView>(&window, QStringLiteral("lstQuestList"));
        if (row >= 0)
            pick(list, row);
        child<QPushButton>(&window, QStringLiteral("cmdDel"))->click();
        QCOMPARE(v.QuestionBase, left);
        QCOMPARE(v.QuestionCount, qint16(left.size()));
        QCOMPARE(v.QuestionBaseChanged, row >= 0);
        QCOMPARE(rows(list).size(), left.size());
        QCOMPARE(selected(list), selectedAfter);
    }

    void clearQuestionsOnAnEmptyBase() {
        Variables v = state();
        ScriptedDialogs dialogs;
        frmQuestions window(v, dialogs);
        child<QLineEdit>(&window, QStringLiteral("txtQuest"))->setText(u8("кто"));
        child<QPushButton>(&window, QStringLiteral("cmdClear"))->click();
        QVERIFY(v.QuestionBaseChanged);
        QCOMPARE(v.QuestionCount, qint16(0));
        QCOMPARE(child<QLineEdit>(&window, QStringLiteral("txtQuest"))->text(), u8("кто"));
    }

    // --- synonyms

    void addSynonym_data() {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("synonym");
        QTest::addColumn<QStringList>("added");
        QTest::addColumn<bool>("refused");
        QTest::newRow("both directions") << u8("кот") << u8("кошка")
                                         << QStringList{u8(" КОТ "), u8(" КОШКА "), u8(" КОШКА "), u8(" КОТ ")}
                                         << false;
        QTest::newRow("spaces around trimmed")
            << u8("  кот  ") << u8("кошка") << QStringList{u8(" КОТ "), u8(" КОШКА "), u8(" КОШКА "), u8(" КОТ ")}
            << false;
        QTest::newRow("outside the alphabet filtered")
            << u8("кот!") << u8("кошка") << QStringList{u8(" КОТ "), u8(" КОШКА "), u8(" КОШКА "), u8(" КОТ ")}
            << false;
        QTest::newRow("nothing left after filtering")
            << u8("!!!") << u8("кошка") << QStringList{u8("  "), u8(" КОШКА "), u8(" КОШКА "), u8("  ")} << false;
        QTest::newRow("word of two words") << u8("добрый день") << u8("привет") << QStringList() << true;
        QTest::newRow("synonym of two words") << u8("привет") << u8("добрый  день") << QStringList() << true;
        QTest::newRow("both of two words: one message") << u8("а б") << u8("в г") << QStringList() << true;
        QTest::newRow("empty word") << QString() << u8("кошка") << QStringList() << false;
        QTest::newRow("empty synonym") << u8("кот") << QString() << QStringList() << false;
    }
    void addSynonym() {
        QFETCH(QString, word);
        QFETCH(QString, synonym);
        QFETCH(QStringList, added);
        QFETCH(bool, refused);
        const QStringList before{u8(" ЗДОРОВО "), u8(" ПРИВЕТ ")};
        Variables v = state({}, {}, before);
        ScriptedDialogs dialogs;
        frmSinonims window(v, dialogs);
        auto* txtWord = child<QLineEdit>(&window, QStringLiteral("txtWord"));
        auto* txtSinonim = child<QLineEdit>(&window, QStringLiteral("txtSinonim"));
        auto* list = child<QListView>(&window, QStringLiteral("lstSinList"));
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        txtWord->setText(word);
        txtSinonim->setText(synonym);
        txtSinonim->setFocus();
        if (refused)
            dialogs.expectMessage(u8("Нельзя записывать в синонимы словосочетание!"));

        QTest::keyClick(txtSinonim, Qt::Key_Return);

        QVERIFY(dialogs.verify());
        QCOMPARE(v.SynonymBase, before + added);
        QCOMPARE(v.SynonymCount, qint16(v.SynonymBase.size()));
        QCOMPARE(v.SynonymBaseChanged, !added.isEmpty());
        if (refused) {
            QCOMPARE(dialogs.shown().constFirst().title, u8("Сообщение"));
            QCOMPARE(dialogs.shown().constFirst().icon, Dialogs::Icon::Information);
        }
        if (added.isEmpty()) {
            QCOMPARE(txtWord->text(), word);
            QCOMPARE(txtSinonim->text(), synonym);
            QCOMPARE(rows(list), QStringList{u8(" ЗДОРОВО - ПРИВЕТ ")});
        } else {
            QCOMPARE(txtWord->text(), QString());
            QCOMPARE(txtSinonim->text(), QString());
            QCOMPARE(window.focusWidget(), txtWord);
            QCOMPARE(rows(list).mid(1), QStringList({added.at(0) + QLatin1Char('-') + added.at(1),
                                                     added.at(2) + QLatin1Char('-') + added.at(3)}));
            QCOMPARE(selected(list), 2);
        }
        window.close();
    }

    void deleteSynonym_data() {
        QTest::addColumn<QStringList>("base");
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("left");
        QTest::addColumn<int>("selectedAfter");
        const QStringList b{u8(" КОТ "), u8(" КОШКА "), u8(" КОШКА "), u8(" КОТ ")};
        QTest::newRow("one direction; the other stays") << b << 0 << b.mid(2) << 0;
        QTest::newRow("last") << b << 1 << b.mid(0, 2) << 0;
        QTest::newRow("only") << b.mid(0, 2) << 0 << QStringList() << -1;
        QTest::newRow("nothing selected") << b << -1 << b << -1;
        const QStringList odd{u8(" КОТ "), u8(" КОШКА "), u8(" ПЁС ")};
        QTest::newRow("unpaired last line") << odd << 1 << odd.mid(0, 2) << 0;
    }
    void deleteSynonym() {
        QFETCH(QStringList, base);
        QFETCH(int, row);
        QFETCH(QStringList, left);
        QFETCH(int, selectedAfter);
        Variables v = state({}, {}, base);
        ScriptedDialogs dialogs;
        frmSinonims window(v, dialogs);
        auto* list = child<QListView>(&window, QStringLiteral("lstSinList"));
        if (row >= 0)
            pick(list, row);
        child<QPushButton>(&window, QStringLiteral("cmdDel"))->click();
        QCOMPARE(v.SynonymBase, left);
        QCOMPARE(v.SynonymCount, qint16(left.size()));
        QCOMPARE(v.SynonymBaseChanged, row >= 0);
        QCOMPARE(selected(list), selectedAfter);
    }

    void synonymRows() {
        // Rows are never cut, and lines are shown upper-cased whatever case a hand-edited file has.
        const QString longWord = QStringLiteral(" ") + QString(60, QLatin1Char('a')) + QStringLiteral(" ");
        Variables v = state({}, {}, {u8(" кот "), longWord, u8(" ПЁС ")});
        ScriptedDialogs dialogs;
        frmSinonims window(v, dialogs);
        QCOMPARE(rows(child<QListView>(&window, QStringLiteral("lstSinList"))),
                 QStringList({u8(" КОТ -") + longWord.toUpper(), u8(" ПЁС -")}));
    }

    void clearSynonymsOnAnEmptyBase() {
        Variables v = state();
        ScriptedDialogs dialogs;
        frmSinonims window(v, dialogs);
        child<QLineEdit>(&window, QStringLiteral("txtWord"))->setText(u8("кот"));
        child<QPushButton>(&window, QStringLiteral("cmdClear"))->click();
        QVERIFY(v.SynonymBaseChanged);
        QCOMPARE(child<QLineEdit>(&window, QStringLiteral("txtWord"))->text(), u8("кот"));
    }

    // --- statistics

    void statistics_data() {
        QTest::addColumn<int>("answerLines");
        QTest::addColumn<int>("questionLines");
        QTest::addColumn<int>("synonymLines");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("empty") << 0 << 0 << 0
                               << QStringList{QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")};
        QTest::newRow("ten answer lines")
            << 10 << 3 << 4 << QStringList{QStringLiteral("5"), QStringLiteral("3"), QStringLiteral("2")};
        QTest::newRow("eleven answer lines")
            << 11 << 1 << 5 << QStringList{QStringLiteral("5"), QStringLiteral("1"), QStringLiteral("2")};
        QTest::newRow("full") << 32766 << 32767 << 32764
                              << QStringList{QStringLiteral("16383"), QStringLiteral("32767"), QStringLiteral("16382")};
    }
    void statistics() {
        QFETCH(int, answerLines);
        QFETCH(int, questionLines);
        QFETCH(int, synonymLines);
        QFETCH(QStringList, shown);
        const auto lines = [](int n) {
            QStringList out;
            for (int i = 0; i < n; ++i)
                out.append(QStringLiteral("x"));
            return out;
        };
        Variables v = state(lines(answerLines), lines(questionLines), lines(synonymLines));
        // Every opening shows the counts of that moment; nothing accumulates.
        for (int opening = 0; opening < 2; ++opening) {
            frmStatistics window(v);
            const QStringList values{child<QLabel>(&window, QStringLiteral("lblA"))->text(),
                                     child<QLabel>(&window, QStringLiteral("lblQ"))->text(),
                                     child<QLabel>(&window, QStringLiteral("lblS"))->text()};
            QCOMPARE(values, shown);
            for (const char* pair : {"lblAnswersNum lblA", "lblQuestionsNum lblQ", "lblSinonimsNum lblS"}) {
                const QStringList names = QString::fromLatin1(pair).split(QLatin1Char(' '));
                auto* caption = child<QLabel>(&window, names.at(0));
                auto* value = child<QLabel>(&window, names.at(1));
                QCOMPARE(value->parentWidget()->objectName(), QStringLiteral("frMain"));
                QVERIFY(value->x() > caption->geometry().right());
                QCOMPARE(value->y(), caption->y());
                QVERIFY(value->width() >= value->sizeHint().width());
                QVERIFY(value->geometry().right() < value->parentWidget()->width());
            }
            const QRect frame = child<QWidget>(&window, QStringLiteral("frMain"))->geometry();
            QVERIFY(frame.right() < window.width());
            QVERIFY(child<QWidget>(&window, QStringLiteral("Command1"))->geometry().right() < window.width());
        }
    }

    void statisticsLook() {
        Variables v = state();
        frmStatistics window(v);
        auto* lblMain = child<QLabel>(&window, QStringLiteral("lblMain"));
        QCOMPARE(lblMain->font().family(), QStringLiteral("Tahoma"));
        QCOMPARE(lblMain->font().pointSizeF(), 9.75);
        QVERIFY(lblMain->font().bold());
        QCOMPARE(lblMain->palette().color(QPalette::WindowText), QColor(192, 0, 0));
        for (const char* name : {"lblAnswersNum", "lblA", "lblQuestionsNum", "lblQ", "lblSinonimsNum", "lblS"}) {
            auto* label = child<QLabel>(&window, QLatin1String(name));
            QCOMPARE(label->font().pointSizeF(), 9.0);
            QVERIFY(!label->font().bold());
        }
        QCOMPARE(child<QGroupBox>(&window, QStringLiteral("frMain"))->title(), QString());
        auto* ok = child<QPushButton>(&window, QStringLiteral("Command1"));
        QCOMPARE(ok->font().pointSizeF(), 8.25);

        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        ok->click();
        QVERIFY(!window.isVisible());
        QCOMPARE(window.result(), int(QDialog::Accepted));
    }

    void modelFollowsTheBase() {
        Variables v = state(threePairs());
        BaseListModel keys(v, BaseListModel::Kind::KeyLines);
        QCOMPARE(keys.rowCount(), 3);
        v.AnswerBase.append(u8("НОВОЕ "));
        v.AnswerCount = 7;
        keys.refresh();
        QCOMPARE(keys.rowCount(), 4);
        QCOMPARE(keys.index(3, 0).data().toString(), u8("НОВОЕ "));
        QVERIFY(!keys.index(4, 0).data().isValid());
        QVERIFY(!keys.index(0, 0).data(Qt::EditRole).isValid());
    }
};

QTEST_MAIN(tst_BaseEditors)
#include "tst_baseeditors.moc"
