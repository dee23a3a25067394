// What a screen reader finds in every window: each control that takes the focus has a name it can say.

#include "ProgramRig.h"
#include "ui/editors/BaseEditor.h"
#include "ui/platform/QtDialogs.h"
#include "ui/textview/FindBar.h"
#include "ui/windows/HelpViewer.h"
#include "ui/windows/frmKeyboard.h"
#include "ui/windows/frmSplash.h"

#include <QAccessible>
#include <QDialog>
#include <QListView>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>

namespace {

// Every focusable control below `root`, found through the accessibility interfaces as assistive tools find them,
// that has no name, as "objectName (role)". With `hiddenToo`, also those a window shows later (the print dialog's
// options); a combo box's drop-down list is read as part of its box.
QStringList unnamed(QAccessibleInterface* root, bool hiddenToo = false) {
    QStringList found;
    QList<QAccessibleInterface*> pending{root};
    while (!pending.isEmpty()) {
        QAccessibleInterface* node = pending.takeFirst();
        if (!node || !node->isValid())
            continue;
        const QAccessible::State state = node->state();
        const QObject* object = node->object();
        const bool shown = !state.invisible || (hiddenToo && !(object && object->inherits("QComboBoxListView")));
        if (state.focusable && shown && node->text(QAccessible::Name).trimmed().isEmpty()) {
            found.append((object ? object->objectName() : QStringLiteral("?")) + QStringLiteral(" (") +
                         QString::number(node->role(), 16) + QLatin1Char(')'));
        }
        for (int i = 0; i < node->childCount(); ++i)
            pending.append(node->child(i));
    }
    return found;
}

QStringList unnamedIn(QWidget* window, bool hiddenToo = false) {
    return unnamed(QAccessible::queryAccessibleInterface(window), hiddenToo);
}

// With the window's find field open first, when asked.
QStringList unnamedWithFind(QWidget* window, bool find) {
    if (find) {
        if (auto* editor = qobject_cast<BaseEditor*>(window))
            editor->openFind();
        else if (auto* bar = window->findChild<FindBar*>())
            bar->open();
    }
    return unnamedIn(window);
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
            found = unnamedWithFind(rig.main(), find);
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
                found = unnamedWithFind(&dialog, find);
                dialog.hide();
            });
            rig.action(menu.toLatin1().constData())->trigger();
            QVERIFY(rig.dialogs.verify());
        }
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QStringLiteral(", "))));
        QVERIFY(rig.quit());
    }

    // Qt's own windows, opened through the program's adapter as the person meets them.
    void qtWindowsNameEveryControl_data() {
        QTest::addColumn<QString>("window");
        for (const char* window : {"open", "save", "colour", "font", "printer"})
            QTest::newRow(window) << QString::fromLatin1(window);
    }
    void qtWindowsNameEveryControl() {
        QFETCH(QString, window);
        QtDialogs dialogs;
        QStringList found;
        whenShown([&found](QWidget* modal) {
            found = unnamedIn(modal, true);
            // The font chooser's names go to the right lists.
            for (const auto& [name, item] :
                 {std::pair(u8("Шрифт"), u8("DejaVu Sans")), std::pair(u8("Размер"), u8("12"))})
                for (const QListView* list : modal->findChildren<QListView*>(Qt::FindDirectChildrenOnly))
                    if (list->accessibleName() == name &&
                        list->model()
                            ->match(list->model()->index(0, 0), Qt::DisplayRole, item, 1, Qt::MatchExactly)
                            .isEmpty())
                        found << name + QStringLiteral(" without ") + item;
            // The printer's properties are a window of their own.
            if (auto* properties = modal->findChild<QPushButton*>(QStringLiteral("properties"))) {
                whenShown([&found](QWidget* window) {
                    found << unnamedIn(window, true);
                    window->close();
                });
                properties->click();
            }
            modal->close();
        });
        const QTemporaryDir dir;
        if (window == QLatin1String("open")) {
            dialogs.openFile(nullptr, u8("Выбор"), u8("Базы (*.tka)|*.tka"), dir.path());
        } else if (window == QLatin1String("save")) {
            dialogs.saveFile(nullptr, u8("Создание"), u8("Базы (*.tka)|*.tka"), dir.path(), u8("b.tka"));
        } else if (window == QLatin1String("colour")) {
            dialogs.color(nullptr, Qt::white);
        } else if (window == QLatin1String("font")) {
            dialogs.font(nullptr, QFont(QStringLiteral("DejaVu Sans")));
        } else {
            QPrinter printer;
            dialogs.printer(nullptr, printer);
        }
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QStringLiteral(", "))));
    }
};

QTEST_MAIN(tst_Accessibility)
#include "tst_accessibility.moc"
