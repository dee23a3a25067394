#pragma once

#include "core/Result.h"

#include <QDialog>

class QPushButton;
class Clock;
class Dialogs;
class FindBar;
class TextPane;

// The journal viewer: shows the whole journal, prints it and empties it. Built anew for every opening.
class frmList : public QDialog {
    Q_OBJECT
public:
    frmList(Dialogs& dialogs, const Clock& clock, const QString& journalPath, QWidget* parent = nullptr);

    // The dialogue pane's look, so that the journal reads like the dialogue.
    void copyLook(const QColor& back, const QColor& text, const QFont& font);
    // The journal may be emptied only while no dialogue runs.
    void setClearAllowed(bool allowed);
    // Loads the journal; a failure names the file and the reason.
    Result<> Form_Load();

    TextPane* view() const { return m_rtfList; }
    FindBar* findBar() const { return m_find; }

    void cmdClear_Click();
    void cmdPrint_Click();

    static QString caption();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    void layoutControls();
    void updateMinimumSize();

    Dialogs& m_dialogs;
    const Clock& m_clock;
    QString m_journalPath;
    TextPane* m_rtfList = nullptr;
    QPushButton* m_cmdPrint = nullptr;
    QPushButton* m_cmdClear = nullptr;
    QPushButton* m_cmdOK = nullptr;
    FindBar* m_find = nullptr;
};
