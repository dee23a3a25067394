// The main window's "why this answer" (F2, and the pane's context menu) and find in the pane (Ctrl+F).
#include "ui/main/frmMain.h"

#include "dialogue/Dialogue.h"
#include "dialogue/TurnExplanation.h"
#include "ui/platform/Dialogs.h"
#include "ui/textview/FindBar.h"
#include "ui/textview/TextPane.h"
#include "ui/windows/frmWhy.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>

namespace {

QString whyCaption() {
    return QStringLiteral("Почему такой ответ?...");
}

} // namespace

void frmMain::connectWhyAndFind() {
    // Not in the menu bar, whose items are fixed: F2 works anywhere in the window, the phrase box included.
    m_actWhy = new QAction(whyCaption(), this);
    m_actWhy->setObjectName(QStringLiteral("actWhy"));
    m_actWhy->setShortcut(QKeySequence(Qt::Key_F2));
    addAction(m_actWhy);
    connect(m_actWhy, &QAction::triggered, this, &frmMain::explainFromKeyboard);
    connect(m_rtfDialog, &TextPane::contextMenuOpening, this, &frmMain::addWhyItem);

    m_find = new FindBar(m_rtfDialog, m_client);
    m_find->field()->installEventFilter(this);
    connect(m_find, &FindBar::layoutChanged, this, &frmMain::layoutControls);
}

// The item explains the line it was opened on; F2 is only shown beside it, the window's own action takes the key.
void frmMain::addWhyItem(QMenu* menu, qsizetype position) {
    menu->addSeparator();
    QAction* why =
        menu->addAction(whyCaption() + QLatin1Char('\t') + m_actWhy->shortcut().toString(QKeySequence::NativeText),
                        this, [this, position] { explain(position); });
    why->setObjectName(QStringLiteral("mnuWhy"));
    why->setEnabled(m_dialogue.explainAt(position).availability == TurnExplanation::Availability::Recorded);
}

void frmMain::explainFromKeyboard() {
    const QString& pane = m_dialogue.paneText();
    qsizetype at = programLineStart(pane, m_rtfDialog->caretPosition());
    if (at < 0)
        at = lastProgramLineStart(pane);
    explain(at);
}

void frmMain::explain(qsizetype position) {
    const TurnExplanation e = m_dialogue.explainAt(position);
    using Editor = TurnExplanation::Editor;
    const frmWhy::Editor editor = e.editor == Editor::Answers     ? frmWhy::Editor::Answers
                                  : e.editor == Editor::Questions ? frmWhy::Editor::Questions
                                                                  : frmWhy::Editor::None;
    frmWhy why(ExplanationText(e), editor, this);
    if (m_dialogs.execModal(why) != QDialog::Accepted || editor == frmWhy::Editor::None)
        return;
    openEditor(editor == frmWhy::Editor::Questions ? BaseKind::Questions : BaseKind::Answers, e.editorRow);
}
