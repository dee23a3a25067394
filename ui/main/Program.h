#pragma once

#include "core/ProgramFolder.h"
#include "core/SingleInstance.h"

#include <QObject>
#include <QString>

#include <memory>

struct Variables;
class QIcon;
class QSettings;
class Clock;
class Dialogs;
class Dialogue;
class RandomSource;
class frmMain;
class frmSplash;

// What the program is made of; main() supplies the real pieces and tests their own.
struct ProgramContext {
    Variables& variables;
    RandomSource& random;
    const Clock& clock;
    Dialogs& dialogs;
    QSettings& settings;
    // The program's folder: the options, the journal, the help and the bases named without a folder lie here.
    QString folder = defaultFolder();
    // Where the shipped bases and help come from on first start.
    QString seedDir = QStringLiteral(":/data");

    static QString defaultFolder();
};

// Brings the program up in the order a person sees it: one copy only, the program's folder, the splash, the main
// window with its bases and first dialogue.
class Program : public QObject {
    Q_OBJECT
public:
    enum class Start { Running, AlreadyRunning, Failed };

    explicit Program(const ProgramContext& context, QObject* parent = nullptr);
    ~Program() override;

    Start start();
    frmMain* mainWindow() const { return m_main.get(); }
    Dialogue* dialogue() const { return m_dialogue.get(); }
    frmSplash* splash() const { return m_splash.get(); }

    static QString alreadyRunningMessage();
    // The window icon from the PNG sizes an executable embeds under ":/icons".
    static QIcon icon();

private:
    void closeSplash();

    ProgramContext m_context;
    ProgramFolder m_folder;
    std::unique_ptr<SingleInstance> m_instance;
    std::unique_ptr<Dialogue> m_dialogue;
    std::unique_ptr<frmSplash> m_splash;
    std::unique_ptr<frmMain> m_main;
};
