// Draws the program's windows, with a short conversation in the main window, into OUTPUT_DIR/<window>-<TAG>.png.
// It works in a throwaway folder, so the person's own bases, options and window placement stay untouched.

#include "Clock.h"
#include "Program.h"
#include "QtDialogs.h"
#include "RandomSource.h"
#include "Variables.h"
#include "frmAbout.h"
#include "frmMain.h"
#include "frmSplash.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

bool save(QWidget& window, const QDir& out, const QString& tag) {
    window.show();
    window.raise();
    QApplication::processEvents();
    const QString path = out.filePath(window.objectName() + QLatin1Char('-') + tag + QStringLiteral(".png"));
    if (window.grab().save(path))
        return true;
    QTextStream(stderr) << "cannot write " << QDir::toNativeSeparators(path) << '\n';
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("talkomat"));
    QApplication::setWindowIcon(Program::icon());
    const QStringList args = QApplication::arguments();
    if (args.size() != 3) {
        QTextStream(stderr) << "usage: talkomat_screenshots OUTPUT_DIR TAG\n";
        return 2;
    }
    // Absolute, because the program moves into its own folder when it starts.
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
    auto* phrase = main.findChild<QLineEdit*>(QStringLiteral("txtPhrase"));
    for (const char* text : {"Привет!", "Как дела?", "Что ты умеешь?"}) {
        phrase->setText(QString::fromUtf8(text));
        main.Enter();
    }
    ok = save(main, out, tag) && ok;

    frmAbout about(&main);
    ok = save(about, out, tag) && ok;
    return ok ? 0 : 1;
}
