#include "ui/editors/BaseEditor.h"

#include "ui/editors/BaseWindows.h"
#include "ui/platform/Dialogs.h"

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

using namespace BaseWindows;

BaseEditor::BaseEditor(Variables& v, Dialogs& dialogs, const char* name, const QString& title, int widthTwips,
                       int heightTwips, QWidget* parent)
    : QDialog(parent), m_v(v), m_dialogs(dialogs) {
    setObjectName(QLatin1String(name));
    setFont(tahoma(8.25));
    setUpWindow(*this, title, widthTwips, heightTwips);
}

QLineEdit* BaseEditor::field(const char* name, QLabel* label, const QString& toolTip, int top) {
    QLineEdit* box = textBox(this, name, toolTip);
    nameAfter(box, label);
    place(box, 120, top, 4575, 375);
    if (!m_firstField) {
        m_firstField = box;
        box->setFocus();
    }
    return box;
}

QListView* BaseEditor::list(const char* name, QLabel* label, const QString& toolTip, BaseListModel::Kind kind, int top,
                            int height) {
    auto* model = new BaseListModel(m_v, kind, this);
    m_models.append(model);
    QListView* view = listBox(this, name, toolTip, model);
    nameAfter(view, label);
    place(view, 120, top, 4575, height);
    if (!m_first)
        m_first = view;
    return view;
}

void BaseEditor::buttons(int top, const QString& addTip, const QString& delTip, const QString& clearTip,
                         const Base& base) {
    m_base = base;
    m_cmdAdd = button(this, "cmdAdd", QStringLiteral("Добавить"), addTip);
    m_cmdDel = button(this, "cmdDel", QStringLiteral("Удалить"), delTip);
    m_cmdClear = button(this, "cmdClear", QStringLiteral("Очистить"), clearTip);
    place(m_cmdAdd, 120, top, 1455, 375);
    place(m_cmdDel, 1680, top, 1455, 375);
    place(m_cmdClear, 3240, top, 1455, 375);
    m_cmdAdd->setDefault(true);
    connect(m_cmdAdd, &QPushButton::clicked, this, &BaseEditor::cmdAdd_Click);
    connect(m_cmdDel, &QPushButton::clicked, this, &BaseEditor::cmdDel_Click);
    connect(m_cmdClear, &QPushButton::clicked, this, &BaseEditor::cmdClear_Click);
}

void BaseEditor::RefreshLists() {
    for (BaseListModel* model : std::as_const(m_models))
        model->refresh();
}

bool BaseEditor::stored(BaseEdit::AddResult result) {
    switch (result) {
    case BaseEdit::AddResult::Added:
        return true;
    case BaseEdit::AddResult::PhraseRefused:
        m_dialogs.notice(this, BaseEdit::phraseRefusedMessage());
        return false;
    case BaseEdit::AddResult::BaseFull:
        m_dialogs.notice(this, BaseEdit::baseFullMessage());
        return false;
    case BaseEdit::AddResult::Ignored:
        break;
    }
    return false;
}

void BaseEditor::selectLast() {
    RefreshLists();
    selectRow(m_first, m_first->model()->rowCount() - 1);
}

void BaseEditor::cmdDel_Click() {
    const int row = selectedRow(m_first);
    if (row < 0)
        return;
    const int next = m_base.deleteRow(m_v, row);
    RefreshLists();
    selectRow(m_first, next);
}

void BaseEditor::cmdClear_Click() {
    m_base.clear(m_v);
    RefreshLists();
}
