#include "support/TestFiles.h"
#include "support/WindowChecks.h"
#include "ui/platform/Language.h"
#include "ui/platform/QtDialogs.h"
#include "ui/windows/HelpViewer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPrinter>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTreeView>
#include <QtTest/QTest>

// The windows that Qt draws for the program, opened through the program's own adapter as a person meets them.
namespace {

// Everything a window says in words: captions and tooltips of its buttons, its labels and column headers. File
// names, patterns and font names are what the person chose, not the window's words, and are not collected.
QStringList wordsOf(const QWidget* window) {
    QStringList words{window->windowTitle()};
    for (const QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
        if (b->isVisibleTo(window))
            words << b->text() << b->toolTip();
    }
    for (const QLabel* l : window->findChildren<QLabel*>()) {
        if (l->isVisibleTo(window) && !l->text().contains(QLatin1Char('.')))
            words << l->text();
    }
    for (const QTreeView* view : window->findChildren<QTreeView*>()) {
        for (int i = 0; i < view->model()->columnCount(); ++i)
            words << view->model()->headerData(i, Qt::Horizontal).toString();
    }
    return words;
}

// A word in English is one of Latin letters. The shortcut behind a tab ("Ctrl+C"), a file name and the names that
// Russian takes as they are (OK, HTML, PDF) are none.
QStringList english(const QStringList& texts) {
    static const QRegularExpression latin(QStringLiteral("^[A-Za-z]{2,}[:]?$"));
    static const QStringList borrowed{QStringLiteral("OK"), QStringLiteral("HTML:"), QStringLiteral("PDF")};
    QStringList found;
    for (const QString& text : texts) {
        const QString words = text.section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'));
        for (const QString& word : words.split(QRegularExpression(QStringLiteral("[\\s()/,]+")), Qt::SkipEmptyParts)) {
            if (latin.match(word).hasMatch() && !borrowed.contains(word))
                found << word;
        }
    }
    return found;
}

} // namespace

class tst_QtWindows : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        installRussian(*qApp);
        if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_ru.qm")))
            QSKIP("Qt's Russian translations (qt6-translations-l10n) are not installed");
    }
    void cleanup() { QVERIFY2(visibleTopLevels().isEmpty(), qPrintable(visibleTopLevels().join(u','))); }

    void speaksRussian_data();
    void speaksRussian();
    void fontChooserOffersNoEffects_data();
    void fontChooserOffersNoEffects();
    void helpOpensOverTheMainWindow();
};

void tst_QtWindows::speaksRussian_data() {
    QTest::addColumn<QString>("window");
    QTest::newRow("open chooser") << QStringLiteral("open");
    QTest::newRow("save chooser") << QStringLiteral("save");
    QTest::newRow("overwrite question") << QStringLiteral("overwrite");
    QTest::newRow("colour chooser") << QStringLiteral("colour");
    QTest::newRow("font chooser") << QStringLiteral("font");
    QTest::newRow("printer chooser") << QStringLiteral("printer");
    QTest::newRow("text field's menu") << QStringLiteral("menu");
}

void tst_QtWindows::speaksRussian() {
    QFETCH(QString, window);
    QTemporaryDir dir;
    QVERIFY(writeAll(dir.filePath(QStringLiteral("a.tka")), {}));
    QtDialogs dialogs;
    QStringList words;
    const auto collect = [&words](QWidget* modal) {
        words = wordsOf(modal);
        modal->close();
    };
    if (window == QLatin1String("open")) {
        whenShown(collect);
        QVERIFY(!dialogs.openFile(nullptr, QStringLiteral("Выбор базы знаний"), QStringLiteral("Базы (*.tka)|*.tka"),
                                  dir.path()));
    } else if (window == QLatin1String("save") || window == QLatin1String("overwrite")) {
        const bool overwrite = window == QLatin1String("overwrite");
        whenShown([&, overwrite](QWidget* modal) {
            if (!overwrite)
                return collect(modal);
            // Accepting the name of a file that exists asks before replacing it.
            auto* chooser = qobject_cast<QFileDialog*>(modal);
            QVERIFY(chooser);
            whenShown([&, chooser](QWidget* question) {
                QVERIFY(qobject_cast<QMessageBox*>(question));
                words = wordsOf(question) << static_cast<QMessageBox*>(question)->text();
                static_cast<QMessageBox*>(question)->button(QMessageBox::No)->click();
                chooser->reject();
            });
            auto* name = chooser->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(name);
            name->setText(QStringLiteral("a.tka"));
            QTest::keyClick(name, Qt::Key_Return);
        });
        QVERIFY(!dialogs.saveFile(nullptr, QStringLiteral("Создание базы знаний"), QStringLiteral("Базы (*.tka)|*.tka"),
                                  dir.path(), {}));
    } else if (window == QLatin1String("colour")) {
        whenShown(collect);
        QVERIFY(!dialogs.color(nullptr, Qt::white));
    } else if (window == QLatin1String("font")) {
        whenShown(collect);
        QVERIFY(!dialogs.font(nullptr, QFont(QStringLiteral("DejaVu Sans"))));
    } else if (window == QLatin1String("printer")) {
        QPrinter printer;
        whenShown(collect);
        QVERIFY(!dialogs.printer(nullptr, printer));
    } else {
        QLineEdit edit;
        std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
        for (const QAction* action : menu->actions())
            words << action->text();
    }
    QVERIFY(!words.join(QString()).isEmpty());
    const QStringList found = english(words);
    QVERIFY2(found.isEmpty(), qPrintable(found.join(QStringLiteral(" | "))));
}

void tst_QtWindows::fontChooserOffersNoEffects_data() {
    QTest::addColumn<bool>("preset");
    QTest::newRow("underlined stays underlined") << true;
    QTest::newRow("plain stays plain") << false;
}

// The font chooser offers face, style and size; the underline comes back as it was preset, even when something
// ticks the effect the person cannot see.
void tst_QtWindows::fontChooserOffersNoEffects() {
    QFETCH(bool, preset);
    QtDialogs dialogs;
    QFont initial(QStringLiteral("DejaVu Sans"));
    initial.setPointSizeF(10);
    initial.setUnderline(preset);
    whenShown([preset](QWidget* modal) {
        auto* chooser = qobject_cast<QFontDialog*>(modal);
        QVERIFY(chooser);
        const QList<QCheckBox*> effects = chooser->findChildren<QCheckBox*>();
        QVERIFY(!effects.isEmpty());
        for (QCheckBox* box : effects) {
            QVERIFY(!box->isVisibleTo(chooser));
            box->setChecked(!preset);
        }
        chooser->accept();
    });
    const std::optional<QFont> chosen = dialogs.font(nullptr, initial);
    QVERIFY(chosen);
    QCOMPARE(chosen->underline(), preset);
    QVERIFY(!chosen->strikeOut());
}

// Where the desktop leaves placement to the program, the help opens centred over the main window, wide enough for
// its widest table, and inside the screen.
void tst_QtWindows::helpOpensOverTheMainWindow() {
    QTemporaryDir dir;
    const QString help = dir.filePath(QStringLiteral("help.hlp"));
    QVERIFY(writeAll(help, "<html><body><a name=\"topic1\"></a><h1>Помощь</h1><table><tr><td width=\"700\">"
                           "широкая таблица</td></tr></table><p>текст</p></body></html>"));
    QMainWindow main;
    main.resize(480, 360);
    main.move(main.screen()->availableGeometry().center() - QPoint(240, 180));
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QtDialogs dialogs;
    dialogs.help(&main, help, 1);
    auto* viewer = main.findChild<HelpViewer*>();
    QVERIFY(viewer);
    QVERIFY(QTest::qWaitForWindowExposed(viewer));
    const QRect screen = main.screen()->availableGeometry();
    const QRect frame = viewer->frameGeometry();
    QVERIFY2(screen.contains(frame),
             qPrintable(QString::asprintf("%d,%d %dx%d", frame.x(), frame.y(), frame.width(), frame.height())));
    QVERIFY((frame.center() - main.frameGeometry().center()).manhattanLength() <= 4);
    QTRY_COMPARE(viewer->browser()->horizontalScrollBar()->maximum(), 0);
    viewer->close();
}

QTEST_MAIN(tst_QtWindows)
#include "tst_qtwindows.moc"
