// What a screen reader finds in every window: each control that takes the focus has a name it can say.

#include "ProgramRig.h"
#include "ui/editors/BaseEditor.h"
#include "ui/textview/FindBar.h"
#include "ui/windows/HelpViewer.h"
#include "ui/windows/frmKeyboard.h"
#include "ui/windows/frmSplash.h"

#include <QAccessible>
#include <QDialog>

namespace {

// Every focusable control below `root`, found through the accessibility interfaces as assistive tools find them,
// that has no name, as "objectName (role)".
QStringList unnamed(QAccessibleInterface* root) {
    QStringList found;
    QList<QAccessibleInterface*> pending{root};
    while (!pending.isEmpty()) {
        QAccessibleInterface* node = pending.takeFirst();
        if (!node || !node->isValid())
            continue;
        const QAccessible::State state = node->state();
        if (state.focusable && !state.invisible && node->text(QAccessible::Name).trimmed().isEmpty()) {
            const QObject* object = node->object();
            found.append((object ? object->objectName() : QStringLiteral("?")) + QStringLiteral(" (") +
                         QString::number(node->role(), 16) + QLatin1Char(')'));
        }
        for (int i = 0; i < node->childCount(); ++i)
            pending.append(node->child(i));
    }
    return found;
}

QStringList unnamedIn(QWidget* window, bool find = false) {
    if (find) {
        if (auto* editor = qobject_cast<BaseEditor*>(window))
            editor->openFind();
        else if (auto* bar = window->findChild<FindBar*>())
            bar->open();
    }
    return unnamed(QAccessible::queryAccessibleInterface(window));
}

} // namespace

class tst_Accessibility : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QVERIFY2(visibleTopLevels().isEmpty(), qPrintable(visibleTopLevels().join(u','))); }

    void everyFocusableControlHasAName_data() {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("window");
        QTest::newRow("main window") << QString() << u8("frmMain");
        QTest::newRow("journal") << u8("mnuList") << u8("frmList");
        QTest::newRow("answer editor") << u8("mnuAnswers") << u8("frmAnswers");
        QTest::newRow("question editor") << u8("mnuQuestions") << u8("frmQuestions");
        QTest::newRow("synonym editor") << u8("mnuSinonim") << u8("frmSinonims");
        QTest::newRow("statistics") << u8("mnuStatistics") << u8("frmStatistics");
        QTest::newRow("about") << u8("mnuAbout") << u8("frmAbout");
        QTest::newRow("keyboard") << u8("mnuKeys") << u8("frmKeyboard");
        QTest::newRow("help") << QString() << u8("frmHelp");
        QTest::newRow("splash") << QString() << u8("frmSplash");
        QTest::newRow("why this answer") << u8("actWhy") << u8("frmWhy");
        // A row named "..., find" opens the window's find field first.
        QTest::newRow("main window, find") << QString() << u8("frmMain");
        QTest::newRow("journal, find") << u8("mnuList") << u8("frmList");
        QTest::newRow("answer editor, find") << u8("mnuAnswers") << u8("frmAnswers");
    }
    void everyFocusableControlHasAName() {
        QFETCH(QString, menu);
        QFETCH(QString, window);
        const bool find = QByteArray(QTest::currentDataTag()).endsWith(", find");
        ProgramRig rig;
        QCOMPARE(rig.start(), Program::Start::Running);
        // An answer, so that the window "why" has its every button enabled.
        rig.say(u8("привет"));
        QStringList found;
        if (window == QLatin1String("frmMain")) {
            found = unnamedIn(rig.main(), find);
        } else if (window == QLatin1String("frmHelp")) {
            HelpViewer help;
            help.show();
            found = unnamedIn(&help);
        } else if (window == QLatin1String("frmSplash")) {
            frmSplash splash;
            splash.show();
            found = unnamedIn(&splash);
        } else if (window == QLatin1String("frmKeyboard")) {
            rig.action("mnuKeys")->trigger();
            auto* keyboard = rig.main()->findChild<frmKeyboard*>();
            QVERIFY(keyboard);
            found = unnamedIn(keyboard);
            keyboard->close();
        } else {
            rig.dialogs.expectModal(window, [&found, find](QDialog& dialog) {
                dialog.show();
                found = unnamedIn(&dialog, find);
                dialog.hide();
            });
            rig.action(menu.toLatin1().constData())->trigger();
            QVERIFY(rig.dialogs.verify());
        }
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QStringLiteral(", "))));
        QVERIFY(rig.quit());
    }
};

QTEST_MAIN(tst_Accessibility)
#include "tst_accessibility.moc"
