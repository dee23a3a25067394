#pragma once

#include "core/Merge.h"
#include "core/Placement.h"
#include "core/ProgramFolder.h"
#include "core/Startup.h"

#include <QMainWindow>

#include <memory>

class QAction;
class QLineEdit;
class QMenu;
class QPushButton;
class QSettings;
class BusyCursor;
class Clock;
class Dialogs;
class Dialogue;
class FindBar;
class QMenu;
class TextPane;

// The program's window: the dialogue pane, the phrase box below it and the menus that reach everything else.
// The dialogue and the options live in `Dialogue` and `Variables`; the window keeps only which merge sources its
// menu shows as chosen, whether its placement is still to be fitted once it is shown, and its load's busy pointer.
class frmMain : public QMainWindow, private StartupWindow {
    Q_OBJECT
public:
    frmMain(Variables& v, Dialogue& dialogue, Dialogs& dialogs, QSettings& settings, const Clock& clock,
            const ProgramFolder& folder, QWidget* parent = nullptr);
    ~frmMain() override;

    // Everything between the splash and the first sight of the window: placement, options, journal, bases and
    // the first dialogue. A failed result means the program cannot work and must end.
    StartupOutcome Form_Load();

    // Runs a turn on the phrase box, whether or not the dialogue still runs (the on-screen keyboard relies on it).
    void Enter();
    void DialogNew();
    void DialogStop();
    void DialogOpen();
    // What became of the dialogue: shut-down goes on after a save or a cancelled chooser, not after a failure.
    enum class SaveOutcome { Saved, Cancelled, Failed };
    SaveOutcome DialogSave();
    SaveOutcome DialogSaveAs();
    void DialogExport();
    void DialogPrint();

    void applyPlacement(const Placement& placement) override;
    Placement currentPlacement() const;
    void applyPaneLook(const PaneLook& look) override;

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
    void setLoading(bool loading) override;
    void hideMergeItems() override;
    Result<> checkJournal() override;
    void startDialogue() override;

    SaveOutcome saveDialogueTo(const QString& path);
    void buildControls();
    // Builds the menus from menuTree().
    void buildMenus();
    // A menu item by its name in the menu tree.
    QAction* item(const char* name) const;
    void layoutControls();
    void setRunningControls(bool running);
    void showPaneText();
    void appendPaneText();
    void moveCaretToEnd();
    bool confirmClose();
    static QList<QRect> availableScreens();

    // Each group of menu commands is wired in a file of its own (frmMainDocuments.cpp, frmMainBases.cpp,
    // frmMainAppearance.cpp), so that the window's core stays small.
    void connectDocumentMenus();
    void connectBaseMenus();
    void connectAppearanceMenus();
    // The base editors; `row` (a row of the base, 0-based) is selected in its lists and brought into view.
    enum class BaseKind { Answers, Questions, Synonyms };
    void openEditor(BaseKind kind, int row = -1);
    // F2 and the pane's context menu item "why this answer", and Ctrl+F in the pane (frmMainWhy.cpp).
    void connectWhyAndFind();
    void addWhyItem(QMenu* menu, qsizetype position);
    // "Почему такой ответ": the window for the program line holding `position` of the pane's text.
    void explain(qsizetype position);
    // F2: the program line under the pane's caret, else the pane's last one.
    void explainFromKeyboard();
    void mnuList_Click();
    void mnuChoose_Click();
    void mnuCreate_Click();
    void chooseMergeSource(bool first);
    void mnuRunSplit_Click();
    void showMergeSelection();
    void mnuColor_Click();
    void mnuFont_Click();
    void nmuHumanName_Click();
    void mnuKeys_Click();
    QString optionsFile() const;
    // A failed save of the options leaves the new value in memory and tells the person.
    void reportOptionsSave(const Result<>& saved);

    Variables& m_v;
    Dialogue& m_dialogue;
    Dialogs& m_dialogs;
    QSettings& m_settings;
    const Clock& m_clock;
    const ProgramFolder m_folder;

    QWidget* m_client = nullptr;
    TextPane* m_rtfDialog = nullptr;
    QLineEdit* m_txtPhrase = nullptr;
    QPushButton* m_cmdApply = nullptr;
    FindBar* m_find = nullptr;
    // The menu items the window changes after building them; the others are found by name where they are wired.
    QAction* m_mnuSave = nullptr;
    QAction* m_mnuSaveAs = nullptr;
    QAction* m_mnuStop = nullptr;
    QAction* m_mnuHuman = nullptr;
    QAction* m_mnuProgramm = nullptr;
    QAction* m_mnuFirstBase = nullptr;
    QAction* m_mnuSecondBase = nullptr;
    QAction* m_mnuSeparator2 = nullptr;
    QAction* m_mnuRunSplit = nullptr;
    // F2, anywhere in the window; it is not a menu item.
    QAction* m_actWhy = nullptr;
    // Which merge sources the menu shows as chosen; the captions follow it.
    Merge::MergeSelection m_merge;
    bool m_fitWhenShown = false;
    std::unique_ptr<BusyCursor> m_loading;
};
