#include "ui/frmQuestions.h"

#include "core/Variables.h"
#include "engine/BaseEdit.h"
#include "ui/BaseListModel.h"
#include "ui/BaseWindows.h"
#include "ui/Dialogs.h"

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

using namespace BaseWindows;

frmQuestions::frmQuestions(Variables& v, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_v(v), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("frmQuestions"));
    setFont(tahoma(8.25));
    setUpWindow(*this, QStringLiteral("Вопросы"), 4830, 4065);

    m_questions = new BaseListModel(m_v, BaseListModel::Kind::Questions, this);

    QLabel* lblQuest = label(this, "lblQuest", QStringLiteral("Вопрос:"));
    m_txtQuest = textBox(this, "txtQuest", QStringLiteral("Поле ввода вопроса"));
    m_cmdAdd = button(this, "cmdAdd", QStringLiteral("Добавить"),
                      QStringLiteral("Кнопка добавления вопроса в базу знаний вопросов"));
    m_cmdDel = button(this, "cmdDel", QStringLiteral("Удалить"),
                      QStringLiteral("Кнопка удаления вопроса из базы знаний вопросов"));
    m_cmdClear =
        button(this, "cmdClear", QStringLiteral("Очистить"), QStringLiteral("Кнопка очистки базы знаний вопросов"));
    QLabel* lbQuestlList = label(this, "lbQuestlList", QStringLiteral("Известные программе вопросы:"));
    m_lstQuestList = listBox(this, "lstQuestList", QStringLiteral("Список вопросов"), m_questions);

    placeLabel(lblQuest, 120, 120, 585, 195);
    place(m_txtQuest, 120, 360, 4575, 375);
    place(m_cmdAdd, 120, 840, 1455, 375);
    place(m_cmdDel, 1680, 840, 1455, 375);
    place(m_cmdClear, 3240, 840, 1455, 375);
    placeLabel(lbQuestlList, 120, 1320, 2415, 195);
    place(m_lstQuestList, 120, 1560, 4575, 2400);

    setTabOrder(m_txtQuest, m_cmdAdd);
    setTabOrder(m_cmdAdd, m_cmdDel);
    setTabOrder(m_cmdDel, m_cmdClear);
    setTabOrder(m_cmdClear, m_lstQuestList);
    m_cmdAdd->setDefault(true);
    m_txtQuest->setFocus();

    connect(m_cmdAdd, &QPushButton::clicked, this, &frmQuestions::cmdAdd_Click);
    connect(m_cmdDel, &QPushButton::clicked, this, &frmQuestions::cmdDel_Click);
    connect(m_cmdClear, &QPushButton::clicked, this, &frmQuestions::cmdClear_Click);

    RefreshLists();
}

void frmQuestions::RefreshLists() {
    m_questions->refresh();
}

void frmQuestions::cmdAdd_Click() {
    switch (BaseEdit::AddQuestion(m_v, m_txtQuest->text())) {
    case BaseEdit::AddResult::Added:
        break;
    case BaseEdit::AddResult::BaseFull:
        m_dialogs.notice(this, BaseEdit::baseFullMessage());
        return;
    case BaseEdit::AddResult::Ignored:
    case BaseEdit::AddResult::PhraseRefused:
        return;
    }
    m_txtQuest->clear();
    RefreshLists();
    selectRow(m_lstQuestList, m_questions->rowCount() - 1);
}

void frmQuestions::cmdDel_Click() {
    const int row = selectedRow(m_lstQuestList);
    if (row < 0)
        return;
    const int next = BaseEdit::DeleteQuestion(m_v, row);
    RefreshLists();
    selectRow(m_lstQuestList, next);
}

void frmQuestions::cmdClear_Click() {
    BaseEdit::ClearQuestions(m_v);
    RefreshLists();
}
