#include "ui/frmAnswers.h"

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

frmAnswers::frmAnswers(Variables& v, Dialogs& dialogs, QWidget* parent) : QDialog(parent), m_v(v), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("frmAnswers"));
    setFont(tahoma(8.25));
    // The same title as the question editor's: the window has always been called so.
    setUpWindow(*this, QStringLiteral("Вопросы"), 4830, 5925);

    m_keyLines = new BaseListModel(m_v, BaseListModel::Kind::KeyLines, this);
    m_answerLines = new BaseListModel(m_v, BaseListModel::Kind::AnswerLines, this);

    QLabel* lblKeyWords = label(this, "lblKeyWords", QStringLiteral("Ключевые слова(разделяются пробелом):"));
    m_txtKeyWords = textBox(this, "txtKeyWords", QStringLiteral("Поле ввода ключевых слов"));
    QLabel* lblAnswer = label(this, "lblAnswer", QStringLiteral("Ответ:"));
    m_txtAnswer = textBox(this, "txtAnswer", QStringLiteral("Поле ввода ответа"));
    m_cmdAdd = button(this, "cmdAdd", QStringLiteral("Добавить"),
                      QStringLiteral("Кнопка добавления ответа в базу знаний ответов"));
    m_cmdDel = button(this, "cmdDel", QStringLiteral("Удалить"),
                      QStringLiteral("Кнопка удаления ответа из базы знаний ответов"));
    m_cmdClear =
        button(this, "cmdClear", QStringLiteral("Очистить"), QStringLiteral("Кнопка очистки базы знаний ответов"));
    QLabel* lblKeyWordsList = label(this, "lblKeyWordsList", QStringLiteral("Ключевые слова:"));
    m_lstKeyWords = listBox(this, "lstKeyWords", QStringLiteral("Список ключевых слов"), m_keyLines);
    QLabel* lblAnswersList = label(this, "lblAnswersList", QStringLiteral("Соответствующий им ответ:"));
    m_lstAnswers = listBox(this, "lstAnswers", QStringLiteral("Список ответов"), m_answerLines);

    placeLabel(lblKeyWords, 120, 120, 3255, 195);
    place(m_txtKeyWords, 120, 360, 4575, 375);
    placeLabel(lblAnswer, 120, 840, 540, 195);
    place(m_txtAnswer, 120, 1080, 4575, 375);
    place(m_cmdAdd, 120, 1560, 1455, 375);
    place(m_cmdDel, 1680, 1560, 1455, 375);
    place(m_cmdClear, 3240, 1560, 1455, 375);
    placeLabel(lblKeyWordsList, 120, 2040, 1350, 195);
    place(m_lstKeyWords, 120, 2280, 4575, 1620);
    placeLabel(lblAnswersList, 120, 3960, 2220, 195);
    place(m_lstAnswers, 120, 4200, 4575, 1620);

    setTabOrder(m_txtKeyWords, m_txtAnswer);
    setTabOrder(m_txtAnswer, m_cmdAdd);
    setTabOrder(m_cmdAdd, m_cmdDel);
    setTabOrder(m_cmdDel, m_cmdClear);
    setTabOrder(m_cmdClear, m_lstKeyWords);
    setTabOrder(m_lstKeyWords, m_lstAnswers);
    m_cmdAdd->setDefault(true);
    m_txtKeyWords->setFocus();

    connect(m_cmdAdd, &QPushButton::clicked, this, &frmAnswers::cmdAdd_Click);
    connect(m_cmdDel, &QPushButton::clicked, this, &frmAnswers::cmdDel_Click);
    connect(m_cmdClear, &QPushButton::clicked, this, &frmAnswers::cmdClear_Click);
    connect(m_lstKeyWords->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { mirrorSelection(m_lstKeyWords, m_lstAnswers); });
    connect(m_lstAnswers->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { mirrorSelection(m_lstAnswers, m_lstKeyWords); });

    RefreshLists();
}

void frmAnswers::RefreshLists() {
    m_keyLines->refresh();
    m_answerLines->refresh();
}

void frmAnswers::mirrorSelection(QListView* from, QListView* to) {
    // A list that cannot take the row (an unpaired last key line has no answer row) keeps its selection.
    const int row = selectedRow(from);
    if (selectedRow(to) != row)
        selectRow(to, row);
}

void frmAnswers::cmdAdd_Click() {
    switch (BaseEdit::AddAnswer(m_v, m_txtKeyWords->text(), m_txtAnswer->text())) {
    case BaseEdit::AddResult::Added:
        break;
    case BaseEdit::AddResult::BaseFull:
        m_dialogs.notice(this, BaseEdit::baseFullMessage());
        return;
    case BaseEdit::AddResult::Ignored:
    case BaseEdit::AddResult::PhraseRefused:
        return;
    }
    m_txtKeyWords->clear();
    m_txtAnswer->clear();
    m_txtKeyWords->setFocus();
    RefreshLists();
    selectRow(m_lstKeyWords, m_keyLines->rowCount() - 1);
}

void frmAnswers::cmdDel_Click() {
    const int row = selectedRow(m_lstKeyWords);
    if (row < 0)
        return;
    const int next = BaseEdit::DeleteAnswer(m_v, row);
    RefreshLists();
    selectRow(m_lstKeyWords, next);
}

void frmAnswers::cmdClear_Click() {
    BaseEdit::ClearAnswers(m_v);
    RefreshLists();
}
