#include "ui/frmSinonims.h"

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

frmSinonims::frmSinonims(Variables& v, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_v(v), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("frmSinonims"));
    setFont(tahoma(8.25));
    setUpWindow(*this, QStringLiteral("Синонимы"), 4815, 4005);

    m_pairs = new BaseListModel(m_v, BaseListModel::Kind::SynonymPairs, this);

    QLabel* lblWord = label(this, "lblWord", QStringLiteral("Слово:"));
    m_txtWord = textBox(this, "txtWord", QStringLiteral("Поле ввода слова"));
    QLabel* lblSinonim = label(this, "lblSinonim", QStringLiteral("Синоним:"));
    m_txtSinonim = textBox(this, "txtSinonim", QStringLiteral("Поле ввода синонима"));
    m_cmdAdd = button(this, "cmdAdd", QStringLiteral("Добавить"),
                      QStringLiteral("Кнопка добаления синонима в базу знаний синонимов"));
    m_cmdDel = button(this, "cmdDel", QStringLiteral("Удалить"),
                      QStringLiteral("Кнопка удаления синонима из базы знаний синонимов"));
    m_cmdClear = button(this, "cmdClear", QStringLiteral("Очистить"), QStringLiteral("Кнопка очистки базы синонимов"));
    QLabel* lbSinlList = label(this, "lbSinlList", QStringLiteral("Слова с их синонимами:"));
    m_lstSinList = listBox(this, "lstSinList", QStringLiteral("Список синонимов"), m_pairs);

    placeLabel(lblWord, 120, 120, 525, 195);
    place(m_txtWord, 120, 360, 4575, 375);
    placeLabel(lblSinonim, 120, 840, 705, 195);
    place(m_txtSinonim, 120, 1080, 4575, 375);
    place(m_cmdAdd, 120, 1560, 1455, 375);
    place(m_cmdDel, 1680, 1560, 1455, 375);
    place(m_cmdClear, 3240, 1560, 1455, 375);
    placeLabel(lbSinlList, 120, 2040, 1800, 195);
    place(m_lstSinList, 120, 2280, 4575, 1620);

    setTabOrder(m_txtWord, m_txtSinonim);
    setTabOrder(m_txtSinonim, m_cmdAdd);
    setTabOrder(m_cmdAdd, m_cmdDel);
    setTabOrder(m_cmdDel, m_cmdClear);
    setTabOrder(m_cmdClear, m_lstSinList);
    m_cmdAdd->setDefault(true);
    m_txtWord->setFocus();

    connect(m_cmdAdd, &QPushButton::clicked, this, &frmSinonims::cmdAdd_Click);
    connect(m_cmdDel, &QPushButton::clicked, this, &frmSinonims::cmdDel_Click);
    connect(m_cmdClear, &QPushButton::clicked, this, &frmSinonims::cmdClear_Click);

    RefreshLists();
}

void frmSinonims::RefreshLists() {
    m_pairs->refresh();
}

void frmSinonims::cmdAdd_Click() {
    QString word = m_txtWord->text();
    QString synonym = m_txtSinonim->text();
    switch (BaseEdit::AddSynonym(m_v, word, synonym)) {
    case BaseEdit::AddResult::Added:
        break;
    case BaseEdit::AddResult::PhraseRefused:
        m_dialogs.notice(this, BaseEdit::phraseRefusedMessage());
        return;
    case BaseEdit::AddResult::BaseFull:
        m_dialogs.notice(this, BaseEdit::baseFullMessage());
        return;
    case BaseEdit::AddResult::Ignored:
        return;
    }
    m_txtWord->clear();
    m_txtSinonim->clear();
    m_txtWord->setFocus();
    RefreshLists();
    selectRow(m_lstSinList, m_pairs->rowCount() - 1);
}

void frmSinonims::cmdDel_Click() {
    const int row = selectedRow(m_lstSinList);
    if (row < 0)
        return;
    const int next = BaseEdit::DeleteSynonym(m_v, row);
    RefreshLists();
    selectRow(m_lstSinList, next);
}

void frmSinonims::cmdClear_Click() {
    BaseEdit::ClearSynonyms(m_v);
    RefreshLists();
}
