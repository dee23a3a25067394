// The main window's menu commands for dialogue files, export, printing and the journal.
#include "ui/frmMain.h"

#include "dialogue/Dialogue.h"
#include "dialogue/DialogueFile.h"
#include "dialogue/Export.h"
#include "ui/BusyCursor.h"
#include "ui/Dialogs.h"
#include "ui/PrintPane.h"
#include "ui/TextPane.h"
#include "ui/frmList.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>

namespace {

QString errorTitle() {
    return QStringLiteral("Ошибка");
}

} // namespace

void frmMain::connectDocumentMenus() {
    connect(menuItem("mnuOpen"), &QAction::triggered, this, &frmMain::DialogOpen);
    connect(menuItem("mnuSave"), &QAction::triggered, this, &frmMain::DialogSave);
    connect(menuItem("mnuSaveAs"), &QAction::triggered, this, &frmMain::DialogSaveAs);
    connect(menuItem("mnuSaveFile"), &QAction::triggered, this, &frmMain::DialogExport);
    connect(menuItem("mnuPrint"), &QAction::triggered, this, &frmMain::DialogPrint);
    connect(menuItem("mnuList"), &QAction::triggered, this, [this] {
        frmList list(m_dialogs, m_clock, m_dialogue.journalPath(), this);
        const QPalette pane = m_rtfDialog->palette();
        list.copyLook(pane.color(QPalette::Base), pane.color(QPalette::Text), m_rtfDialog->font());
        list.setClearAllowed(!m_mnuStop->isEnabled());
        Result loaded;
        {
            BusyCursor busy(this);
            loaded = list.Form_Load();
        }
        if (!loaded) {
            m_dialogs.message(this, QStringLiteral("Журнал не может быть показан.\r\n") + loaded.error, errorTitle(),
                              Dialogs::Icon::Critical);
            return;
        }
        m_dialogs.execModal(list);
    });
    saveDialogue = [this] { DialogSave(); };
}

void frmMain::DialogSave() {
    if (m_v.DialogFilePath.isEmpty()) {
        DialogSaveAs();
        return;
    }
    Result saved;
    {
        BusyCursor busy(this);
        saved = m_dialogue.saveTo(m_v.DialogFilePath);
    }
    m_dialogueSaveFailed = !saved;
    if (!saved)
        m_dialogs.message(this, QStringLiteral("Диалог не сохранен.\r\n") + saved.error, errorTitle(),
                          Dialogs::Icon::Critical);
}

void frmMain::DialogSaveAs() {
    const std::optional<QString> path =
        m_dialogs.saveFile(this, QStringLiteral("Сохранить диалог как..."), DialogueFile::filter(), QDir::currentPath(),
                           m_v.DialogFileTitle);
    if (!path)
        return;
    Result saved;
    {
        BusyCursor busy(this);
        saved = m_dialogue.saveTo(*path);
    }
    m_dialogueSaveFailed = !saved;
    if (!saved)
        m_dialogs.message(this, QStringLiteral("Диалог не сохранен.\r\n") + saved.error, errorTitle(),
                          Dialogs::Icon::Critical);
}

void frmMain::DialogOpen() {
    const std::optional<QString> path = m_dialogs.openFile(this, QStringLiteral("Открытие сохраненного диалога"),
                                                           DialogueFile::filter(), QDir::currentPath());
    if (!path)
        return;
    Result opened;
    {
        BusyCursor busy(this);
        opened = m_dialogue.openFrom(*path);
    }
    if (!opened)
        m_dialogs.message(this,
                          QStringLiteral("Диалог не открыт; текущий диалог остался без изменений.\r\n") + opened.error,
                          errorTitle(), Dialogs::Icon::Critical);
    m_txtPhrase->setFocus();
}

void frmMain::DialogExport() {
    const std::optional<QString> path = m_dialogs.saveFile(this, QStringLiteral("Сохранение диалога"), Export::filter(),
                                                           QDir::currentPath(), QString());
    if (!path)
        return;
    Result written;
    {
        BusyCursor busy(this);
        written = m_dialogue.exportTo(*path, m_rtfDialog->font());
    }
    if (!written)
        m_dialogs.message(this, QStringLiteral("Диалог не записан.\r\n") + written.error, errorTitle(),
                          Dialogs::Icon::Critical);
}

void frmMain::DialogPrint() {
    // The whole text goes as the dialogue holds it, CR LF line ends and all: a copy of it is never made.
    PrintPane(this, m_dialogs, m_rtfDialog->hasSelection() ? m_rtfDialog->selectedText() : m_rtfDialog->text(),
              m_rtfDialog->font());
}
