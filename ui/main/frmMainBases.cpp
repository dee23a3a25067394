// The main window's menu commands for the base editors, statistics, choosing and creating bases, the merge.
#include "ui/main/frmMain.h"

#include "core/BaseFiles.h"
#include "core/Merge.h"
#include "ui/editors/frmAnswers.h"
#include "ui/editors/frmQuestions.h"
#include "ui/editors/frmSinonims.h"
#include "ui/editors/frmStatistics.h"
#include "ui/platform/BusyCursor.h"
#include "ui/platform/Dialogs.h"

#include <QAction>

#include <memory>

void frmMain::connectBaseMenus() {
    connect(item("mnuAnswers"), &QAction::triggered, this, [this] { openEditor(BaseKind::Answers); });
    connect(item("mnuQuestions"), &QAction::triggered, this, [this] { openEditor(BaseKind::Questions); });
    connect(item("mnuSinonim"), &QAction::triggered, this, [this] { openEditor(BaseKind::Synonyms); });
    connect(item("mnuStatistics"), &QAction::triggered, this, [this] {
        frmStatistics statistics(m_v, this);
        m_dialogs.execModal(statistics);
    });
    connect(item("mnuChoose"), &QAction::triggered, this, &frmMain::mnuChoose_Click);
    connect(item("mnuCreate"), &QAction::triggered, this, &frmMain::mnuCreate_Click);
    connect(m_mnuFirstBase, &QAction::triggered, this, [this] { chooseMergeSource(true); });
    connect(m_mnuSecondBase, &QAction::triggered, this, [this] { chooseMergeSource(false); });
    connect(m_mnuRunSplit, &QAction::triggered, this, &frmMain::mnuRunSplit_Click);
}

void frmMain::openEditor(BaseKind kind, int row) {
    std::unique_ptr<BaseEditor> editor;
    switch (kind) {
    case BaseKind::Answers:
        editor = std::make_unique<frmAnswers>(m_v, m_dialogs, this);
        break;
    case BaseKind::Questions:
        editor = std::make_unique<frmQuestions>(m_v, m_dialogs, this);
        break;
    case BaseKind::Synonyms:
        editor = std::make_unique<frmSinonims>(m_v, m_dialogs, this);
        break;
    }
    editor->selectBaseRow(row);
    m_dialogs.execModal(*editor);
}

void frmMain::mnuChoose_Click() {
    const std::optional<QString> path =
        m_dialogs.openFile(this, QStringLiteral("Выбор базы знаний"), baseFilter(), m_folder.path());
    if (!path)
        return;
    const Result<> chosen = whileBusy(this, [&] { return ChooseBase(m_v, *path, m_folder); });
    if (!chosen)
        m_dialogs.failure(this, chosen.error());
}

void frmMain::mnuCreate_Click() {
    const std::optional<QString> path =
        m_dialogs.saveFile(this, QStringLiteral("Создание базы знаний"), baseFilter(), m_folder.path(), {});
    if (!path)
        return;
    const Result<> created = whileBusy(this, [&] { return CreateBase(*path); });
    if (!created)
        m_dialogs.failure(this, created.error());
}

void frmMain::chooseMergeSource(bool first) {
    const std::optional<QString> path = m_dialogs.openFile(
        this, first ? QStringLiteral("Выбор 1-й базы знаний") : QStringLiteral("Выбор 2-й базы знаний"),
        Merge::sourceFilter(), m_folder.path());
    if (!path)
        return;
    if (first)
        m_merge.chooseFirst(*path);
    else
        m_merge.chooseSecond(*path);
    showMergeSelection();
}

void frmMain::showMergeSelection() {
    // A menu takes "&" as the mark of a shortcut letter; a path may hold one as it is.
    const auto shown = [](QString caption) { return caption.replace(QLatin1Char('&'), QStringLiteral("&&")); };
    m_mnuFirstBase->setText(shown(m_merge.firstCaption()));
    m_mnuSecondBase->setText(shown(m_merge.secondCaption()));
    m_mnuRunSplit->setVisible(m_merge.ready());
    m_mnuSeparator2->setVisible(m_merge.ready());
}

void frmMain::mnuRunSplit_Click() {
    const std::optional<QString> target =
        m_dialogs.saveFile(this, QStringLiteral("Выбор базы знаний для слияния"),
                           Merge::targetFilter(m_v.MergeFirstBaseFile), m_folder.path(), {});
    if (!target)
        return;
    const Result<> merged =
        whileBusy(this, [&] { return Merge::MergeBases(m_v.MergeFirstBaseFile, m_v.MergeSecondBaseFile, *target); });
    if (merged)
        m_dialogs.notice(this, Merge::doneMessage());
    else
        m_dialogs.failure(this, Merge::failedMessage() + QStringLiteral("\r\n") + merged.error());
}
