#include "ui/editors/frmAnswers.h"

#include "ui/editors/BaseWindows.h"

#include <QLabel>
#include <QLineEdit>
#include <QListView>

using namespace BaseWindows;

namespace {

// A list that cannot take the row (an unpaired last key line has no answer row) keeps its selection.
void mirror(QListView* from, QListView* to) {
    const int row = selectedRow(from);
    if (selectedRow(to) != row)
        selectRow(to, row);
}

} // namespace

// The same title as the question editor's: the window has always been called so.
frmAnswers::frmAnswers(Variables& v, Dialogs& dialogs, QWidget* parent)
    : BaseEditor(v, dialogs, "frmAnswers", QStringLiteral("Вопросы"), 4830, 5925, parent) {
    QLabel* lblKeyWords =
        caption(this, "lblKeyWords", QStringLiteral("Ключевые слова(разделяются пробелом):"), 120, 3255);
    m_txtKeyWords = field("txtKeyWords", lblKeyWords, QStringLiteral("Поле ввода ключевых слов"), 360);
    QLabel* lblAnswer = caption(this, "lblAnswer", QStringLiteral("Ответ:"), 840, 540);
    m_txtAnswer = field("txtAnswer", lblAnswer, QStringLiteral("Поле ввода ответа"), 1080);
    buttons(1560, QStringLiteral("Кнопка добавления ответа в базу знаний ответов"),
            QStringLiteral("Кнопка удаления ответа из базы знаний ответов"),
            QStringLiteral("Кнопка очистки базы знаний ответов"),
            {BaseEdit::DeleteAnswer, BaseEdit::ClearAnswers, BaseEdit::FilterAnswers});
    QLabel* lblKeyWordsList = caption(this, "lblKeyWordsList", QStringLiteral("Ключевые слова:"), 2040, 1350);
    QListView* lstKeyWords = list("lstKeyWords", lblKeyWordsList, QStringLiteral("Список ключевых слов"),
                                  BaseListModel::Kind::KeyLines, 2280, 1620);
    QLabel* lblAnswersList = caption(this, "lblAnswersList", QStringLiteral("Соответствующий им ответ:"), 3960, 2220);
    QListView* lstAnswers = list("lstAnswers", lblAnswersList, QStringLiteral("Список ответов"),
                                 BaseListModel::Kind::AnswerLines, 4200, 1620);

    connect(lstKeyWords->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [lstKeyWords, lstAnswers] { mirror(lstKeyWords, lstAnswers); });
    connect(lstAnswers->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [lstKeyWords, lstAnswers] { mirror(lstAnswers, lstKeyWords); });

    m_lblHint = label(this, "lblHint", {});
    m_lblHint->setWordWrap(true);
    place(m_lblHint, 120, 360 + 375, 4575, 195);
    m_lblHint->hide();
    connect(m_txtKeyWords, &QLineEdit::textChanged, this, &frmAnswers::txtKeyWords_Change);
    RefreshLists();
}

// The note makes room for itself: the controls below move down while it shows and back when it goes, so that the
// window opens as it always has.
void frmAnswers::txtKeyWords_Change() {
    const QString hint = BaseEdit::KeyWordsHintFor(m_v, m_txtKeyWords->text()).text;
    m_lblHint->setText(hint);
    m_lblHint->setVisible(!hint.isEmpty());
    m_txtKeyWords->setAccessibleDescription(hint.isEmpty() ? m_txtKeyWords->toolTip()
                                                           : m_txtKeyWords->toolTip() + QLatin1Char('\n') + hint);
    const int gap = 2;
    const int band = hint.isEmpty() ? 0 : m_lblHint->heightForWidth(m_lblHint->width()) + 2 * gap;
    m_lblHint->setGeometry(m_lblHint->x(), m_txtKeyWords->geometry().bottom() + 1 + gap, m_lblHint->width(),
                           qMax(0, band - 2 * gap));
    shiftBelow(m_txtKeyWords->geometry().bottom() + 1, band - m_hintBand, m_lblHint);
    m_hintBand = band;
}

void frmAnswers::cmdAdd_Click() {
    if (!stored(BaseEdit::AddAnswer(m_v, m_txtKeyWords->text(), m_txtAnswer->text())))
        return;
    m_txtKeyWords->clear();
    m_txtAnswer->clear();
    m_txtKeyWords->setFocus();
    selectLast();
}
