#include "ui/main/Program.h"

#include "core/FileError.h"
#include "dialogue/Dialogue.h"
#include "dialogue/Journal.h"
#include "ui/main/frmMain.h"
#include "ui/platform/Dialogs.h"
#include "ui/windows/frmSplash.h"

#include <QDir>
#include <QIcon>
#include <QSettings>
#include <QStandardPaths>

#include <cerrno>

QString ProgramContext::defaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString Program::alreadyRunningMessage() {
    return QStringLiteral("Программа уже запущена!");
}

QIcon Program::icon() {
    QIcon icon;
    const QDir sizes(QStringLiteral(":/icons"));
    for (const QString& name : sizes.entryList(QDir::Files))
        icon.addFile(sizes.filePath(name));
    return icon;
}

Program::Program(const ProgramContext& context, QObject* parent) : QObject(parent), m_context(context) {}

Program::~Program() {
    // The window refers to the dialogue; it goes first.
    m_main.reset();
    m_splash.reset();
    m_dialogue.reset();
}

Program::Start Program::start() {
    Dialogs& dialogs = m_context.dialogs;
    const QString folder = m_context.folder;

    errno = 0;
    if (!QDir().mkpath(folder)) {
        const int error = errno;
        dialogs.notice(nullptr,
                       FileError::failure("Не удалось создать папку программы \"%1\": %2", folder, error).message,
                       Dialogs::Icon::Critical);
        return Start::Failed;
    }
    m_instance = std::make_unique<SingleInstance>(folder);
    if (!m_instance->tryLock()) {
        m_instance.reset();
        dialogs.notice(nullptr, alreadyRunningMessage(), Dialogs::Icon::Exclamation);
        return Start::AlreadyRunning;
    }
    if (Result<> r = prepareProgramFolder(folder, m_context.seedDir); !r) {
        dialogs.notice(nullptr, r.error(), Dialogs::Icon::Critical);
        return Start::Failed;
    }
    m_splash = std::make_unique<frmSplash>();
    m_splash->showNow();

    // The options, the bases and the journal are named without a folder and resolve here for the whole run,
    // whatever folders a file chooser visits.
    m_folder = ProgramFolder(folder);
    m_dialogue = std::make_unique<Dialogue>(m_context.variables, m_context.random, m_context.clock);
    m_dialogue->setJournalPath(m_folder.resolve(Journal::journalFileName()));
    m_main = std::make_unique<frmMain>(m_context.variables, *m_dialogue, dialogs, m_context.settings, m_context.clock,
                                       m_folder);
    connect(m_main.get(), &frmMain::activated, this, &Program::closeSplash);

    const StartupOutcome outcome = m_main->Form_Load();
    if (!outcome.result) {
        closeSplash();
        dialogs.notice(nullptr, QStringLiteral("Программа не может начать работу.\r\n") + outcome.result.error(),
                       Dialogs::Icon::Critical);
        m_main.reset();
        return Start::Failed;
    }
    m_main->show();
    m_main->activateWindow();
    // Without a window manager the activation may never come; the splash must not outlive the start either way.
    closeSplash();
    if (outcome.backupFailure)
        dialogs.notice(m_main.get(),
                       *outcome.backupFailure +
                           QStringLiteral("\r\nПрограмма работает с настройками по умолчанию; файл настроек оставлен "
                                          "как был."),
                       Dialogs::Icon::Exclamation);
    return Start::Running;
}

void Program::closeSplash() {
    if (m_splash)
        m_splash->close();
}
