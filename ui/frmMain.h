#pragma once

#include "core/Startup.h"

#include <QMainWindow>

#include <functional>

class QAction;
class QLineEdit;
class QMenu;
class QPushButton;
class QSettings;
class Clock;
class Dialogs;
class Dialogue;
class TextPane;

// The program's window: the dialogue pane, the phrase box below it and the menus that reach everything else.
// It holds no state of its own: the dialogue and the options live in `Dialogue` and `Variables`.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    frmMain(Variables& v, Dialogue& dialogue, Dialogs& dialogs, QSettings& settings, const Clock& clock,
            QWidget* parent = nullptr);
    ~frmMain() override;

    // Everything between the splash and the first sight of the window: placement, options, journal, bases and
    // the first dialogue. A failed result means the program cannot work and must end.
    StartupOutcome Form_Load();

    // Runs a turn on the phrase box, whether or not the dialogue still runs (the on-screen keyboard relies on it).
    void Enter();
    void DialogNew();
    void DialogStop();
    void DialogOpen();
    void DialogSave();
    void DialogSaveAs();
    void DialogExport();
    void DialogPrint();

    void applyPlacement(const Placement& placement);
    Placement currentPlacement() const;
    void applyPaneLook(const PaneLook& look);

    // The dialogue save that "Сохранить" performs; shut-down calls it when the person wants the dialogue kept.
    std::function<void()> saveDialogue = [] {};

    static QString helpFileName();
    static QString journalFailedMessage();
    static QString baseCaption();

signals:
    void activated();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void layoutControls();
    void setRunningControls(bool running);
    void showPaneText();
    void appendPaneText();
    void moveCaretToEnd();
    bool confirmClose();
    static QList<QRect> availableScreens();
    QAction* addItem(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut = {});
    QMenu* addMenu(QMenu* parent, const char* name, const QString& caption);
    QAction* menuItem(const char* name) const;

    // Each group of menu commands is wired in a file of its own (frmMainDocuments.cpp, frmMainBases.cpp,
    // frmMainAppearance.cpp), so that the window's core stays small.
    void connectDocumentMenus();
    void connectBaseMenus();
    void connectAppearanceMenus();

    Variables& m_v;
    Dialogue& m_dialogue;
    Dialogs& m_dialogs;
    QSettings& m_settings;
    const Clock& m_clock;

    QWidget* m_client = nullptr;
    TextPane* m_rtfDialog = nullptr;
    QLineEdit* m_txtPhrase = nullptr;
    QPushButton* m_cmdApply = nullptr;
    QAction* m_mnuStop = nullptr;
    QAction* m_mnuSave = nullptr;
    QAction* m_mnuSaveAs = nullptr;
    QAction* m_mnuHuman = nullptr;
    QAction* m_mnuProgramm = nullptr;
    QAction* m_mnuSeparator2 = nullptr;
    QAction* m_mnuRunSplit = nullptr;
    bool m_fitWhenShown = false;
    // Set by a dialogue save that failed (not by a cancelled chooser): leaving now would lose the dialogue.
    bool m_dialogueSaveFailed = false;
};
