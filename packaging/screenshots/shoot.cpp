// Draws every window of the program, with a short conversation in the main window and some text and a selected row
// in the editors, into OUTPUT_DIR/<window>-<TAG>.png, and the windows that can find with their find row open into
// <window>-find-<TAG>.png. It works in a throwaway folder, so the person's own bases, options and window placement
// stay untouched.

#include "core/Variables.h"
#include "engine/Clock.h"
#include "engine/RandomSource.h"
#include "ui/editors/BaseEditor.h"
#include "ui/editors/BaseWindows.h"
#include "ui/main/Program.h"
#include "ui/main/frmMain.h"
#include "ui/platform/Language.h"
#include "ui/platform/QtDialogs.h"
#include "ui/textview/FindBar.h"
#include "ui/windows/frmSplash.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QIcon>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <functional>

namespace {

// The file is named after the window, or `name` when one window is drawn twice.
bool save(QWidget& window, const QDir& out, const QString& tag, const QString& name = {}) {
    window.show();
    window.raise();
    // A text field lays out its text in steps, after its first showing; its scroll bars follow once that is done.
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
    const QString path =
        out.filePath((name.isEmpty() ? window.objectName() : name) + QLatin1Char('-') + tag + QStringLiteral(".png"));
    // The files are kept in the repository: the strongest compression.
    if (window.grab().save(path, "PNG", 0))
        return true;
    QTextStream(stderr) << "cannot write " << QDir::toNativeSeparators(path) << '\n';
    return false;
}

// Runs `open`, which shows a modal window; once that window is up it is given its content, drawn and dismissed, so
// that nothing waits for a person.
bool saveModal(const std::function<void()>& open, const std::function<void(QWidget&)>& fill, const QDir& out,
               const QString& tag, const QString& name = {}) {
    bool ok = false;
    bool seen = false;
    QTimer::singleShot(0, qApp, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        seen = true;
        if (fill)
            fill(*modal);
        ok = save(*modal, out, tag, name);
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    });
    open();
    if (!seen)
        QTextStream(stderr) << "no modal window came up\n";
    return ok && seen;
}

template <typename T> T* child(QWidget& window, const char* name) {
    return window.findChild<T*>(QLatin1String(name));
}

void type(QWidget& window, const char* box, const char* utf8) {
    if (auto* edit = child<QLineEdit>(window, box))
        edit->setText(QString::fromUtf8(utf8));
}

void select(QWidget& window, const char* list, int row) {
    if (auto* view = child<QAbstractItemView>(window, list))
        BaseWindows::selectRow(view, row);
}

// The find row of a journal or a pane opened on `text`, its first match found.
void find(QWidget& window, const char* text) {
    if (auto* bar = window.findChild<FindBar*>()) {
        bar->open();
        bar->field()->setText(QString::fromUtf8(text));
        bar->findNext();
    }
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    installRussian(app);
    QApplication::setApplicationName(QStringLiteral("talkomat"));
    QApplication::setWindowIcon(Program::icon());
    const QStringList args = QApplication::arguments();
    if (args.size() != 3) {
        QTextStream(stderr) << "usage: talkomat_screenshots OUTPUT_DIR TAG\n";
        return 2;
    }
    const QDir out(QDir(args.at(1)).absolutePath());
    const QString tag = args.at(2);
    QTemporaryDir folder;
    if (!folder.isValid() || !out.exists()) {
        QTextStream(stderr) << "no scratch folder or no output folder\n";
        return 1;
    }

    bool ok = true;
    {
        frmSplash splash;
        splash.showNow();
        ok = save(splash, out, tag) && ok;
    }

    Variables variables;
    SystemRandom random;
    SystemClock clock;
    QtDialogs dialogs;
    QSettings settings(folder.filePath(QStringLiteral("placement.ini")), QSettings::IniFormat);
    Program program({variables, random, clock, dialogs, settings, folder.path()});
    if (program.start() != Program::Start::Running)
        return 1;
    frmMain& main = *program.mainWindow();
    auto* phrase = child<QLineEdit>(main, "txtPhrase");
    for (const char* text : {"Привет!", "Как дела?", "Что ты умеешь?"}) {
        phrase->setText(QString::fromUtf8(text));
        main.Enter();
    }
    ok = save(main, out, tag) && ok;
    find(main, "дела");
    ok = save(main, out, tag, QStringLiteral("frmMain-find")) && ok;
    if (auto* bar = main.findChild<FindBar*>())
        bar->dismiss();

    auto menu = [&main](const char* name) {
        return [&main, name] {
            if (QAction* action = child<QAction>(main, name))
                action->trigger();
        };
    };
    ok = saveModal(menu("mnuList"), {}, out, tag) && ok;
    ok = saveModal(
             menu("mnuList"), [](QWidget& w) { find(w, "умеешь"); }, out, tag, QStringLiteral("frmList-find")) &&
         ok;
    ok = saveModal(menu("actWhy"), {}, out, tag) && ok;
    // The find row and the note under the key words, which move the window's edge and controls.
    ok = saveModal(
             menu("mnuAnswers"),
             [](QWidget& w) {
                 type(w, "txtKeyWords", "погода");
                 if (auto* editor = qobject_cast<BaseEditor*>(&w)) {
                     editor->openFind();
                     type(w, "txtFind", "погод");
                 }
                 select(w, "lstKeyWords", 2);
             },
             out, tag, QStringLiteral("frmAnswers-find")) &&
         ok;
    ok = saveModal(
             menu("mnuAnswers"),
             [](QWidget& w) {
                 type(w, "txtKeyWords", "ПОГОДА СЕГОДНЯ");
                 type(w, "txtAnswer", "Сегодня солнечно.");
                 select(w, "lstKeyWords", 1);
             },
             out, tag) &&
         ok;
    ok = saveModal(
             menu("mnuQuestions"),
             [](QWidget& w) {
                 type(w, "txtQuest", "Какая у тебя любимая книга?");
                 select(w, "lstQuestList", 1);
             },
             out, tag) &&
         ok;
    ok = saveModal(
             menu("mnuSinonim"),
             [](QWidget& w) {
                 type(w, "txtWord", "ЗДРАВСТВУЙ");
                 type(w, "txtSinonim", "ПРИВЕТ");
                 select(w, "lstSinList", 1);
             },
             out, tag) &&
         ok;
    // Qt's own choosers as the program shows them, in Russian.
    for (const auto& [item, name] : {std::pair{"mnuOpen", "dlgOpen"}, std::pair{"mnuSaveAs", "dlgSave"},
                                     std::pair{"mnuColor", "dlgColor"}, std::pair{"mnuFont", "dlgFont"}}) {
        const QString objectName = QLatin1String(name);
        ok = saveModal(
                 menu(item), [objectName](QWidget& w) { w.setObjectName(objectName); }, out, tag) &&
             ok;
    }
    ok = saveModal(menu("mnuStatistics"), {}, out, tag) && ok;
    ok = saveModal(menu("mnuAbout"), {}, out, tag) && ok;
    ok = saveModal(
             [&] {
                 dialogs.question(&main, QStringLiteral("Сохранить базы знаний перед выходом?"),
                                  QStringLiteral("Вопрос"));
             },
             [](QWidget& w) { w.setObjectName(QStringLiteral("msgQuestion")); }, out, tag) &&
         ok;

    menu("mnuKeys")();
    if (auto* keyboard = child<QWidget>(main, "frmKeyboard")) {
        ok = save(*keyboard, out, tag) && ok;
        keyboard->close();
    } else {
        ok = false;
    }
    menu("mnuHelp")();
    if (auto* help = child<QWidget>(main, "frmHelp")) {
        ok = save(*help, out, tag) && ok;
        help->close();
    } else {
        ok = false;
    }
    return ok ? 0 : 1;
}
