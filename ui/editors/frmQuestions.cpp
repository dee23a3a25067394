#include "ui/editors/frmQuestions.h"

#include "ui/editors/BaseWindows.h"

#include <QLabel>
#include <QLineEdit>

using namespace BaseWindows;

frmQuestions::frmQuestions(Variables& v, Dialogs& dialogs, QWidget* parent)
    : BaseEditor(v, dialogs, "frmQuestions", QStringLiteral("Вопросы"), 4830, 4065, parent) {
    QLabel* lblQuest = caption(this, "lblQuest", QStringLiteral("Вопрос:"), 120, 585);
    m_txtQuest = field("txtQuest", lblQuest, QStringLiteral("Поле ввода вопроса"), 360);
    buttons(840, QStringLiteral("Кнопка добавления вопроса в базу знаний вопросов"),
            QStringLiteral("Кнопка удаления вопроса из базы знаний вопросов"),
            QStringLiteral("Кнопка очистки базы знаний вопросов"),
            {BaseEdit::DeleteQuestion, BaseEdit::ClearQuestions, BaseEdit::FilterQuestions});
    QLabel* lbQuestlList = caption(this, "lbQuestlList", QStringLiteral("Известные программе вопросы:"), 1320, 2415);
    list("lstQuestList", lbQuestlList, QStringLiteral("Список вопросов"), BaseListModel::Kind::Questions, 1560, 2400);
    RefreshLists();
}

// The focus stays where it was: the person usually adds several questions in a row.
void frmQuestions::cmdAdd_Click() {
    if (!stored(BaseEdit::AddQuestion(m_v, m_txtQuest->text())))
        return;
    m_txtQuest->clear();
    selectLast();
}
