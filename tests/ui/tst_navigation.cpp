// Every window can be worked from the keyboard: Tab walks the controls in their order, Escape closes a modal
// window without doing anything, and Enter presses the window's default button.

#include "ProgramRig.h"
#include "ui/windows/frmKeyboard.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QSignalSpy>

#include <algorithm>

namespace {

// A button inside a button box has no name of its own; it goes by the box's.
QString nameOf(const QWidget* w) {
    if (!w)
        return QStringLiteral("(nothing)");
    if (!w->objectName().isEmpty() || !w->parentWidget())
        return w->objectName();
    return w->parentWidget()->objectName();
}

QPushButton* buttonNamed(QWidget& window, const QString& name) {
    if (auto* box = window.findChild<QDialogButtonBox*>(name))
        return box->button(QDialogButtonBox::Ok);
    return window.findChild<QPushButton*>(name);
}

// What a modal window did under the keyboard, gathered inside the scripted dialog and compared afterwards, so that
// a failed comparison never leaves the window open.
struct Walk {
    bool shown = false;
    QString firstFocus;
    QStringList forward;
    QStringList backward;
    QStringList escapeLeftOpen;
    QStringList enterMissed;
};

bool showActive(QDialog& dialog) {
    dialog.show();
    dialog.activateWindow();
    return QTest::qWaitForWindowActive(&dialog);
}

Walk walk(QDialog& dialog, const QStringList& order, const QString& defaultButton, const QStringList& enterFrom) {
    Walk w;
    w.shown = showActive(dialog);
    w.firstFocus = nameOf(QApplication::focusWidget());
    // Once round and one step further, so that the wrap from the last control to the first is seen as well.
    for (qsizetype i = 0; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        w.forward.append(nameOf(QApplication::focusWidget()));
    }
    for (qsizetype i = 0; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        w.backward.append(nameOf(QApplication::focusWidget()));
    }

    for (const QString& name : order) {
        auto* control = dialog.findChild<QWidget*>(name);
        if (!control)
            control = buttonNamed(dialog, name);
        if (!showActive(dialog) || !control || !control->isEnabled()) {
            w.escapeLeftOpen.append(name);
            continue;
        }
        control->setFocus();
        dialog.setResult(-1);
        QTest::keyClick(control, Qt::Key_Escape);
        if (dialog.isVisible() || dialog.result() != QDialog::Rejected)
            w.escapeLeftOpen.append(name);
        dialog.hide();
    }

    if (QPushButton* button = defaultButton.isEmpty() ? nullptr : buttonNamed(dialog, defaultButton)) {
        for (const QString& name : enterFrom) {
            w.shown = showActive(dialog) && w.shown;
            QSignalSpy clicked(button, &QPushButton::clicked);
            auto* control = dialog.findChild<QWidget*>(name);
            if (!control)
                control = buttonNamed(dialog, name);
            if (!control) {
                w.enterMissed.append(name);
                continue;
            }
            control->setFocus();
            QTest::keyClick(control, Qt::Key_Return);
            if (clicked.count() != 1)
                w.enterMissed.append(name);
            dialog.hide();
        }
    }
    dialog.hide();
    return w;
}

// The order seen when Tab is pressed once per control starting from the first, and Shift+Tab as often back.
QStringList rotated(const QStringList& order, qsizetype start) {
    QStringList r;
    for (qsizetype i = 0; i < order.size(); ++i)
        r.append(order.at((start + i) % order.size()));
    return r;
}

QStringList reversed(QStringList list) {
    std::reverse(list.begin(), list.end());
    return list;
}

} // namespace

class tst_Navigation : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { VERIFY_NOTHING_LEFT_OPEN(); }

    void modalWindows_data() {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("order");
        QTest::addColumn<QString>("firstFocus");
        QTest::addColumn<QString>("defaultButton");
        QTest::addColumn<QStringList>("enterFrom");

        const QStringList answers = {u8("txtKeyWords"), u8("txtAnswer"),   u8("cmdAdd"),    u8("cmdDel"),
                                     u8("cmdClear"),    u8("lstKeyWords"), u8("lstAnswers")};
        QTest::newRow("answer editor") << u8("mnuAnswers") << u8("frmAnswers") << answers << u8("txtKeyWords")
                                       << u8("cmdAdd") << QStringList{u8("txtKeyWords"), u8("txtAnswer")};
        const QStringList questions = {u8("txtQuest"), u8("cmdAdd"), u8("cmdDel"), u8("cmdClear"), u8("lstQuestList")};
        QTest::newRow("question editor") << u8("mnuQuestions") << u8("frmQuestions") << questions << u8("txtQuest")
                                         << u8("cmdAdd") << QStringList{u8("txtQuest")};
        const QStringList synonyms = {u8("txtWord"), u8("txtSinonim"), u8("cmdAdd"),
                                      u8("cmdDel"),  u8("cmdClear"),   u8("lstSinList")};
        QTest::newRow("synonym editor") << u8("mnuSinonim") << u8("frmSinonims") << synonyms << u8("txtWord")
                                        << u8("cmdAdd") << QStringList{u8("txtWord"), u8("txtSinonim")};
        // The journal opens on its close button, the one Enter presses.
        QTest::newRow("journal") << u8("mnuList") << u8("frmList")
                                 << QStringList{u8("cmdOK"), u8("cmdClear"), u8("cmdPrint"), u8("rtfList")}
                                 << u8("cmdOK") << u8("cmdOK") << QStringList{u8("cmdOK"), u8("rtfList")};
        QTest::newRow("statistics") << u8("mnuStatistics") << u8("frmStatistics") << QStringList{u8("Command1")}
                                    << u8("Command1") << u8("Command1") << QStringList{u8("Command1")};
        QTest::newRow("about") << u8("mnuAbout") << u8("frmAbout") << QStringList{u8("cmdOK")} << u8("cmdOK")
                               << u8("cmdOK") << QStringList{u8("cmdOK")};
        // The explanation of the last answer (F2): read first, then its buttons; Enter closes it.
        QTest::newRow("why this answer") << u8("actWhy") << u8("frmWhy")
                                         << QStringList{u8("txtWhy"), u8("cmdEdit"), u8("cmdClose")} << u8("txtWhy")
                                         << u8("cmdClose") << QStringList{u8("txtWhy"), u8("cmdClose")};
    }
    void modalWindows() {
        QFETCH(QString, menu);
        QFETCH(QString, window);
        QFETCH(QStringList, order);
        QFETCH(QString, firstFocus);
        QFETCH(QString, defaultButton);
        QFETCH(QStringList, enterFrom);

        ProgramRig rig;
        QCOMPARE(rig.start(), Program::Start::Running);
        rig.say(u8("привет"));
        // With no dialogue running every button of the journal is enabled and takes its turn.
        rig.action("mnuStop")->trigger();
        Walk seen;
        bool inspected = false;
        rig.dialogs.expectModal(window, [&](QDialog& dialog) {
            inspected = true;
            seen = walk(dialog, order, defaultButton, enterFrom);
        });
        rig.action(menu.toLatin1().constData())->trigger();
        QVERIFY(rig.dialogs.verify());
        QVERIFY(inspected);
        QVERIFY(seen.shown);

        QCOMPARE(seen.firstFocus, firstFocus);
        const qsizetype start = order.indexOf(firstFocus);
        QCOMPARE(seen.forward, rotated(order, start + 1));
        QCOMPARE(seen.backward, reversed(rotated(order, start)));
        QCOMPARE(seen.escapeLeftOpen, QStringList());
        QCOMPARE(seen.enterMissed, QStringList());
        QVERIFY(rig.quit());
    }

    void mainWindowTabsBetweenPhraseAndPane() {
        ProgramRig rig;
        QCOMPARE(rig.start(), Program::Start::Running);
        frmMain* main = rig.main();
        main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main));
        QCOMPARE(nameOf(QApplication::focusWidget()), u8("txtPhrase"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(nameOf(QApplication::focusWidget()), u8("rtfDialog"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(nameOf(QApplication::focusWidget()), u8("txtPhrase"));

        // Enter in the phrase box presses the hidden default button "Принять".
        rig.txtPhrase()->setText(u8("привет"));
        QTest::keyClick(rig.txtPhrase(), Qt::Key_Return);
        QVERIFY(rig.pane().contains(u8("Здравствуй!")));
        QVERIFY(rig.quit());
    }

    void keyboardTabsThroughItsKeys() {
        ProgramRig rig;
        QCOMPARE(rig.start(), Program::Start::Running);
        rig.action("mnuKeys")->trigger();
        auto* keyboard = rig.main()->findChild<frmKeyboard*>();
        QVERIFY(keyboard);
        QVERIFY(QTest::qWaitForWindowActive(keyboard));

        QStringList expected;
        for (int i = 0; i <= 102; ++i)
            expected.append(frmKeyboard::keyName(i));
        for (int i : {frmKeyboard::BackspaceKey, frmKeyboard::CaseKey, frmKeyboard::EnterKey})
            expected.append(frmKeyboard::keyName(i));

        keyboard->cmdKey(0)->setFocus();
        QStringList seen{nameOf(QApplication::focusWidget())};
        for (qsizetype i = 1; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            seen.append(nameOf(QApplication::focusWidget()));
        }
        QCOMPARE(seen, expected);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(nameOf(QApplication::focusWidget()), expected.constFirst());
        keyboard->close();
        QVERIFY(rig.quit());
    }
};

QTEST_MAIN(tst_Navigation)
#include "tst_navigation.moc"
