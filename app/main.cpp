#include "core/Placement.h"
#include "core/Variables.h"
#include "core/Version.h"
#include "engine/Clock.h"
#include "engine/RandomSource.h"
#include "ui/main/Program.h"
#include "ui/platform/Language.h"
#include "ui/platform/QtDialogs.h"

#include <QApplication>
#include <QIcon>
#include <QSettings>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    installRussian(app);
    QApplication::setApplicationName(QStringLiteral("talkomat"));
    QApplication::setApplicationVersion(Version::number());
    // Lets a Wayland desktop match the windows to the menu entry; X11 desktops use StartupWMClass instead.
    QGuiApplication::setDesktopFileName(QStringLiteral(TALKOMAT_APP_ID));
    QApplication::setWindowIcon(Program::icon());

    Variables variables;
    SystemRandom random;
    SystemClock clock;
    QtDialogs dialogs;
    QSettings settings(Settings::organizationName(), Settings::applicationName());

    Program program({variables, random, clock, dialogs, settings});
    switch (program.start()) {
    case Program::Start::Running:
        return app.exec();
    case Program::Start::AlreadyRunning:
        return 0;
    case Program::Start::Failed:
        break;
    }
    return 1;
}
