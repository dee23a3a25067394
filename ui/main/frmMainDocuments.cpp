// The main window's menu commands for dialogue files, export, printing and the journal.
#include "ui/main/frmMain.h"

#include "dialogue/Dialogue.h"
#include "dialogue/DialogueFile.h"
#include "dialogue/Export.h"
#include "ui/platform/BusyCursor.h"
#include "ui/platform/Dialogs.h"
#include "ui/textview/PrintPane.h"
#include "ui/textview/TextPane.h"
#include "ui/windows/frmList.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>

void frmMain::connectDocumentMenus() {
    connect(item("mnuOpen"), &QAction::triggered, this, &frmMain::DialogOpen);
    connect(m_mnuSave, &QAction::triggered, this, &frmMain::DialogSave);
    connect(m_mnuSaveAs, &QAction::triggered, this, &frmMain::DialogSaveAs);
    connect(item("mnuSaveFile"), &QAction::triggered, this, &frmMain::DialogExport);
    connect(item("mnuPrint"), &QAction::triggered, this, &frmMain::DialogPrint);
    connect(item("mnuList"), &QAction::triggered, this, &frmMain::mnuList_Click);
}

void frmMain::mnuList_Click() {
    frmList list(m_dialogs, m_clock, m_dialogue.journalPath(), this);
    const QPalette pane = m_rtfDialog->palette();
    list.copyLook(pane.color(QPalette::Base), pane.color(QPalette::Text), m_rtfDialog->font());
    list.setClearAllowed(!m_mnuStop->isEnabled());
    const Result<> loaded = whileBusy(this, [&] { return list.Form_Load(); });
    if (!loaded) {
        m_dialogs.failure(this, QStringLiteral("Журнал не может быть показан.\r\n") + loaded.error());
        return;
    }
    m_dialogs.execModal(list);
}

frmMain::SaveOutcome frmMain::DialogSave() {
    if (m_v.DialogFilePath.isEmpty())
        return DialogSaveAs();
    return saveDialogueTo(m_v.DialogFilePath);
}

frmMain::SaveOutcome frmMain::DialogSaveAs() {
    const std::optional<QString> path = m_dialogs.saveFile(
        this, QStringLiteral("Сохранить диалог как..."), DialogueFile::filter(), m_folder.path(), m_v.DialogFileTitle);
    if (!path)
        return SaveOutcome::Cancelled;
    return saveDialogueTo(*path);
}

frmMain::SaveOutcome frmMain::saveDialogueTo(const QString& path) {
    const Result<> saved = whileBusy(this, [&] { return m_dialogue.saveTo(path); });
    if (saved)
        return SaveOutcome::Saved;
    m_dialogs.failure(this, QStringLiteral("Диалог не сохранен.\r\n") + saved.error());
    return SaveOutcome::Failed;
}

void frmMain::DialogOpen() {
    const std::optional<QString> path = m_dialogs.openFile(this, QStringLiteral("Открытие сохраненного диалога"),
                                                           DialogueFile::filter(), m_folder.path());
    if (!path)
        return;
    const Result<> opened = whileBusy(this, [&] { return m_dialogue.openFrom(*path); });
    if (!opened)
        m_dialogs.failure(this, QStringLiteral("Диалог не открыт; текущий диалог остался без изменений.\r\n") +
                                    opened.error());
    m_txtPhrase->setFocus();
}

void frmMain::DialogExport() {
    const std::optional<QString> path =
        m_dialogs.saveFile(this, QStringLiteral("Сохранение диалога"), Export::filter(), m_folder.path(), QString());
    if (!path)
        return;
    const Result<> written = whileBusy(this, [&] { return m_dialogue.exportTo(*path, m_rtfDialog->font()); });
    if (!written)
        m_dialogs.failure(this, QStringLiteral("Диалог не записан.\r\n") + written.error());
}

void frmMain::DialogPrint() {
    // The whole text goes as the dialogue holds it, CR LF line ends and all: a copy of it is never made.
    PrintPane(this, m_dialogs, m_rtfDialog->hasSelection() ? m_rtfDialog->selectedText() : m_rtfDialog->text(),
              m_rtfDialog->font());
}
