#include "ui/textview/FindBar.h"

#include "core/TextSearch.h"
#include "ui/platform/Fonts.h"
#include "ui/textview/TextPane.h"

#include <QAction>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace {

QToolButton* toolButton(QWidget* parent, const char* name, const QString& accessibleName, const QString& toolTip) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(accessibleName);
    button->setToolTip(toolTip);
    button->setAutoRaise(true);
    return button;
}

} // namespace

FindBar::FindBar(TextPane* pane, QWidget* parent) : QWidget(parent), m_pane(pane) {
    setObjectName(QStringLiteral("frFind"));
    setFont(tahoma());
    m_lblFind = new QLabel(QStringLiteral("Найти:"), this);
    m_lblFind->setObjectName(QStringLiteral("lblFind"));
    m_txtFind = new QLineEdit(this);
    m_txtFind->setObjectName(QStringLiteral("txtFind"));
    m_txtFind->setToolTip(QStringLiteral("Поле ввода искомого текста"));
    m_txtFind->setAccessibleName(QStringLiteral("Найти"));
    m_txtFind->setMinimumWidth(m_txtFind->fontMetrics().averageCharWidth() * 20);
    m_lblFind->setBuddy(m_txtFind);
    m_cmdPrevious = toolButton(this, "cmdPrevious", QStringLiteral("Найти предыдущее"),
                               QStringLiteral("Предыдущее совпадение (Shift+F3)"));
    m_cmdPrevious->setArrowType(Qt::UpArrow);
    m_cmdNext = toolButton(this, "cmdNext", QStringLiteral("Найти следующее"),
                           QStringLiteral("Следующее совпадение (Enter, F3)"));
    m_cmdNext->setArrowType(Qt::DownArrow);
    m_lblNote = new QLabel(this);
    m_lblNote->setObjectName(QStringLiteral("lblNote"));
    m_lblNote->setWordWrap(true);
    m_cmdCloseFind =
        toolButton(this, "cmdCloseFind", QStringLiteral("Закрыть поиск"), QStringLiteral("Закрыть поиск (Esc)"));
    m_cmdCloseFind->setText(QStringLiteral("✕"));

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(4, 2, 2, 2);
    row->addWidget(m_lblFind);
    row->addWidget(m_txtFind, 2);
    row->addWidget(m_cmdPrevious);
    row->addWidget(m_cmdNext);
    row->addWidget(m_lblNote, 3);
    row->addWidget(m_cmdCloseFind);

    connect(m_cmdPrevious, &QToolButton::clicked, this, &FindBar::findPrevious);
    connect(m_cmdNext, &QToolButton::clicked, this, &FindBar::findNext);
    connect(m_cmdCloseFind, &QToolButton::clicked, this, &FindBar::dismiss);
    connect(m_txtFind, &QLineEdit::textChanged, this, [this] { setNote({}); });
    m_txtFind->installEventFilter(this);

    // The window's keys: shortcuts of a hidden widget would not fire.
    const auto key = [this, parent](const QKeySequence& keys, void (FindBar::*slot)()) {
        auto* action = new QAction(this);
        action->setShortcut(keys);
        parent->addAction(action);
        connect(action, &QAction::triggered, this, slot);
    };
    key(QKeySequence(Qt::CTRL | Qt::Key_F), &FindBar::open);
    key(QKeySequence(Qt::Key_F3), &FindBar::findNext);
    key(QKeySequence(Qt::SHIFT | Qt::Key_F3), &FindBar::findPrevious);
    hide();
}

int FindBar::heightFor(int width) const {
    return qMax(sizeHint().height(), layout()->heightForWidth(width));
}

void FindBar::open() {
    if (isHidden()) {
        QWidget* focus = window()->focusWidget();
        m_returnFocus = focus && !isAncestorOf(focus) ? focus : nullptr;
        show();
        emit layoutChanged();
    }
    m_txtFind->setFocus();
    m_txtFind->selectAll();
}

void FindBar::dismiss() {
    if (isHidden())
        return;
    const bool hadFocus = isAncestorOf(window()->focusWidget());
    hide();
    m_lblNote->clear();
    emit layoutChanged();
    if (hadFocus)
        (m_returnFocus ? m_returnFocus.data() : static_cast<QWidget*>(m_pane))->setFocus();
}

void FindBar::findNext() {
    find(true);
}

void FindBar::findPrevious() {
    find(false);
}

void FindBar::setNote(const QString& note) {
    if (note == m_lblNote->text())
        return;
    m_lblNote->setText(note);
    // A screen reader says it with the field.
    m_txtFind->setAccessibleDescription(note);
    emit layoutChanged();
}

QString FindBar::note() const {
    return m_lblNote->text();
}

void FindBar::find(bool forward) {
    if (isHidden())
        open();
    const QString needle = m_txtFind->text();
    if (needle.isEmpty())
        return;
    const auto direction = forward ? TextSearch::Direction::Forward : TextSearch::Direction::Backward;
    const qsizetype from = forward && needle == m_searched ? m_pane->selectionEnd() : m_pane->selectionStart();
    m_searched = needle;
    const TextSearch::Match match = TextSearch::find(m_pane->text(), needle, from, direction);
    setNote(TextSearch::outcomeText(match.outcome, direction));
    if (match.outcome == TextSearch::Outcome::NotFound)
        return;
    m_pane->setSelection(match.position, match.position + match.length);
    m_pane->ensureVisible(match.position);
}

// Enter finds the next match (with Shift the previous one) and Esc closes the bar, instead of pressing the
// window's default button or closing the window.
bool FindBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_txtFind && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            find(!key->modifiers().testFlag(Qt::ShiftModifier));
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            dismiss();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
