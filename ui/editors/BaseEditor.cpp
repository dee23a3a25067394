#include "ui/editors/BaseEditor.h"

#include "ui/editors/BaseWindows.h"
#include "ui/platform/Dialogs.h"
#include "ui/platform/Twips.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

#include <algorithm>
#include <cmath>

using namespace BaseWindows;

namespace {

// The height in twips of the find row below the lists: the field and, beside it, how many rows it found.
constexpr int kFindRowHeight = 480;

} // namespace

BaseEditor::BaseEditor(Variables& v, Dialogs& dialogs, const char* name, const QString& title, int widthTwips,
                       int heightTwips, QWidget* parent)
    : QDialog(parent), m_v(v), m_dialogs(dialogs) {
    setObjectName(QLatin1String(name));
    setFont(tahoma(8.25));
    setUpWindow(*this, title, widthTwips, heightTwips);
    auto* find = new QAction(this);
    find->setObjectName(QStringLiteral("actFind"));
    find->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    addAction(find);
    connect(find, &QAction::triggered, this, &BaseEditor::openFind);
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
    m_views.append(view);
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
    if (!m_filtered) {
        for (BaseListModel* model : std::as_const(m_models))
            model->refresh();
        return;
    }
    m_rows = m_base.filter(m_v, m_txtFind->text());
    for (BaseListModel* model : std::as_const(m_models))
        model->showRows(m_rows);
    m_lblFound->setText(BaseEdit::foundText(m_rows.size(), m_models.constFirst()->baseRows()));
    // A screen reader says how many were found along with the field.
    m_txtFind->setAccessibleDescription(m_lblFound->text());
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
    selectShown(shownRowOf(m_models.constFirst()->baseRows() - 1));
}

void BaseEditor::cmdDel_Click() {
    const int shown = selectedRow(m_first);
    if (shown < 0)
        return;
    const int next = m_base.deleteRow(m_v, baseRowOf(shown));
    RefreshLists();
    // Filtered, the row that took the deleted one's place is the next one found, or the one before it at the end.
    selectShown(m_filtered ? std::min(shown, m_first->model()->rowCount() - 1) : next);
}

void BaseEditor::cmdClear_Click() {
    m_base.clear(m_v);
    RefreshLists();
}

int BaseEditor::baseRowOf(int shownRow) const {
    if (!m_filtered || shownRow < 0)
        return shownRow;
    return shownRow < m_rows.size() ? m_rows.at(shownRow) : -1;
}

int BaseEditor::shownRowOf(int baseRow) const {
    if (!m_filtered || baseRow < 0)
        return baseRow;
    const auto it = std::lower_bound(m_rows.cbegin(), m_rows.cend(), baseRow);
    return it != m_rows.cend() && *it == baseRow ? int(it - m_rows.cbegin()) : -1;
}

void BaseEditor::selectShown(int shownRow) {
    selectRow(m_first, shownRow);
}

int BaseEditor::selectedBaseRow() const {
    return baseRowOf(selectedRow(m_first));
}

void BaseEditor::selectBaseRow(int row) {
    selectShown(shownRowOf(row));
}

void BaseEditor::shiftBelow(int y, int dy, const QWidget* keep) {
    if (dy == 0)
        return;
    const QList<QWidget*> controls = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* control : controls)
        if (control != keep && control->y() >= y)
            control->move(control->x(), control->y() + dy);
    setFixedSize(width(), height() + dy);
}

bool BaseEditor::findIsOpen() const {
    return m_txtFind && !m_txtFind->isHidden();
}

void BaseEditor::buildFind() {
    m_lblFind = label(this, "lblFind", QStringLiteral("Найти:"));
    m_txtFind = textBox(this, "txtFind", QStringLiteral("Поле поиска по спискам"));
    nameAfter(m_txtFind, m_lblFind);
    m_lblFound = label(this, "lblFound", {});
    m_txtFind->installEventFilter(this);
    connect(m_txtFind, &QLineEdit::textChanged, this, &BaseEditor::txtFind_Change);
    for (QWidget* w :
         {static_cast<QWidget*>(m_lblFind), static_cast<QWidget*>(m_txtFind), static_cast<QWidget*>(m_lblFound)})
        w->hide();
}

void BaseEditor::openFind() {
    if (!m_txtFind)
        buildFind();
    if (!findIsOpen()) {
        const int top = int(std::lround(Twips::fromPixels(height(), Twips::dpiY(this))));
        shiftBelow(height(), Twips::toPixels(kFindRowHeight, Twips::dpiY(this)));
        placeLabel(m_lblFind, 120, top + 90, 555, 195);
        place(m_txtFind, 780, top, 1800, 375);
        placeLabel(m_lblFound, 2670, top + 90, 2025, 195);
        m_lblFind->show();
        m_txtFind->show();
        m_lblFound->show();
        const int selected = selectedBaseRow();
        m_filtered = true;
        RefreshLists();
        selectBaseRow(selected);
    }
    m_txtFind->setFocus();
    m_txtFind->selectAll();
}

void BaseEditor::closeFind() {
    if (!findIsOpen())
        return;
    const int selected = selectedBaseRow();
    const bool hadFocus = m_txtFind->hasFocus();
    m_lblFind->hide();
    m_txtFind->hide();
    m_lblFound->hide();
    shiftBelow(height(), -Twips::toPixels(kFindRowHeight, Twips::dpiY(this)));
    m_filtered = false;
    m_rows.clear();
    for (BaseListModel* model : std::as_const(m_models))
        model->showAllRows();
    selectBaseRow(selected);
    centreSelection();
    if (hadFocus)
        m_first->setFocus();
}

void BaseEditor::centreSelection() {
    for (QListView* view : std::as_const(m_views))
        if (selectedRow(view) >= 0)
            view->scrollTo(view->currentIndex(), QAbstractItemView::PositionAtCenter);
}

void BaseEditor::txtFind_Change() {
    const int selected = selectedBaseRow();
    RefreshLists();
    selectBaseRow(selected);
}

void BaseEditor::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && findIsOpen()) {
        closeFind();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

// Enter in the find field goes to the rows found rather than pressing "Добавить".
bool BaseEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_txtFind && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (selectedRow(m_first) < 0)
                selectShown(m_first->model()->rowCount() > 0 ? 0 : -1);
            m_first->setFocus();
            return true;
        }
        // The arrows walk the rows found while the typing goes on.
        if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
            QCoreApplication::sendEvent(m_first, event);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// A row selected before the window was shown goes to the middle of its list, now that the lists have their size.
void BaseEditor::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    centreSelection();
}
