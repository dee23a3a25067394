#include "ui/editors/frmSinonims.h"

#include "ui/editors/BaseWindows.h"

#include <QLabel>
#include <QLineEdit>

using namespace BaseWindows;

frmSinonims::frmSinonims(Variables& v, Dialogs& dialogs, QWidget* parent)
    : BaseEditor(v, dialogs, "frmSinonims", QStringLiteral("Синонимы"), 4815, 4005, parent) {
    QLabel* lblWord = caption(this, "lblWord", QStringLiteral("Слово:"), 120, 525);
    m_txtWord = field("txtWord", lblWord, QStringLiteral("Поле ввода слова"), 360);
    QLabel* lblSinonim = caption(this, "lblSinonim", QStringLiteral("Синоним:"), 840, 705);
    m_txtSinonim = field("txtSinonim", lblSinonim, QStringLiteral("Поле ввода синонима"), 1080);
    buttons(1560, QStringLiteral("Кнопка добаления синонима в базу знаний синонимов"),
            QStringLiteral("Кнопка удаления синонима из базы знаний синонимов"),
            QStringLiteral("Кнопка очистки базы синонимов"),
            {BaseEdit::DeleteSynonym, BaseEdit::ClearSynonyms, BaseEdit::FilterSynonyms});
    QLabel* lbSinlList = caption(this, "lbSinlList", QStringLiteral("Слова с их синонимами:"), 2040, 1800);
    list("lstSinList", lbSinlList, QStringLiteral("Список синонимов"), BaseListModel::Kind::SynonymPairs, 2280, 1620);
    RefreshLists();
}

void frmSinonims::cmdAdd_Click() {
    QString word = m_txtWord->text();
    QString synonym = m_txtSinonim->text();
    if (!stored(BaseEdit::AddSynonym(m_v, word, synonym)))
        return;
    m_txtWord->clear();
    m_txtSinonim->clear();
    m_txtWord->setFocus();
    selectLast();
}
