#include "ui/JournalView.h"

#include "dialogue/Journal.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QTextLayout>

namespace {

constexpr int kMargin = 3;

} // namespace

JournalView::JournalView(QWidget* parent) : QAbstractScrollArea(parent) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    setPlainText(QString());
}

QString JournalView::textFromFile(const QByteArray& bytes) {
    return Journal::textFromFile(bytes);
}

void JournalView::setPlainText(const QString& text) {
    m_text = text;
    m_lineStarts.clear();
    m_lineStarts.append(0);
    const QStringView view(m_text);
    for (qsizetype at = view.indexOf(QLatin1Char('\n')); at >= 0; at = view.indexOf(QLatin1Char('\n'), at + 1))
        m_lineStarts.append(at + 1);
    m_anchor = m_caret = 0;
    measureWidest();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    updateScrollBars();
    viewport()->update();
}

qsizetype JournalView::lineEnd(qsizetype index) const {
    return index + 1 < m_lineStarts.size() ? m_lineStarts.at(index + 1) - 1 : m_text.size();
}

QString JournalView::line(qsizetype index) const {
    if (index < 0 || index >= m_lineStarts.size())
        return {};
    return m_text.mid(lineStart(index), lineEnd(index) - lineStart(index));
}

QString JournalView::selectedText() const {
    const qsizetype from = qMin(m_anchor, m_caret);
    const qsizetype to = qMax(m_anchor, m_caret);
    return m_text.mid(from, to - from);
}

void JournalView::setSelection(qsizetype anchor, qsizetype caret) {
    m_anchor = qBound(qsizetype(0), anchor, m_text.size());
    m_caret = qBound(qsizetype(0), caret, m_text.size());
    viewport()->update();
}

void JournalView::selectAll() {
    setSelection(0, m_text.size());
}

void JournalView::clearSelection() {
    setSelection(m_caret, m_caret);
}

void JournalView::copy() const {
    if (hasSelection())
        QApplication::clipboard()->setText(selectedText());
}

int JournalView::firstVisibleLine() const {
    return verticalScrollBar()->value();
}

void JournalView::scrollToEnd() {
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

int JournalView::lineHeight() const {
    return qMax(1, fontMetrics().lineSpacing());
}

int JournalView::visibleLines() const {
    return qMax(1, (viewport()->height() - kMargin) / lineHeight());
}

void JournalView::measureWidest() {
    qsizetype widest = 0;
    qsizetype longest = 0;
    for (qsizetype i = 0; i < m_lineStarts.size(); ++i) {
        const qsizetype length = lineEnd(i) - lineStart(i);
        if (length > longest) {
            longest = length;
            widest = i;
        }
    }
    // The line with the most characters stands for the widest; a wider one found while painting widens the range.
    QTextLayout layout;
    layoutLine(layout, widest);
    m_contentWidth = int(layout.lineAt(0).naturalTextWidth()) + 2 * kMargin;
}

void JournalView::updateScrollBars() {
    const int lines = visibleLines();
    verticalScrollBar()->setRange(0, int(qMax(qsizetype(0), m_lineStarts.size() - lines)));
    verticalScrollBar()->setPageStep(lines);
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setRange(0, qMax(0, m_contentWidth - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(qMax(1, fontMetrics().averageCharWidth() * 2));
}

void JournalView::layoutLine(QTextLayout& layout, qsizetype index) const {
    layout.setText(line(index));
    layout.setFont(font());
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    layout.beginLayout();
    QTextLine textLine = layout.createLine();
    if (textLine.isValid())
        textLine.setPosition(QPointF(0, 0));
    layout.endLayout();
}

void JournalView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Text));
    const int height = lineHeight();
    const int first = firstVisibleLine();
    const int last = int(qMin(m_lineStarts.size() - 1, qsizetype(first) + visibleLines() + 1));
    const qsizetype selFrom = qMin(m_anchor, m_caret);
    const qsizetype selTo = qMax(m_anchor, m_caret);
    const double x = kMargin - horizontalScrollBar()->value();
    int widest = m_contentWidth;
    for (int i = first; i <= last; ++i) {
        QTextLayout layout;
        layoutLine(layout, i);
        QList<QTextLayout::FormatRange> selections;
        const qsizetype start = lineStart(i);
        const qsizetype end = lineEnd(i);
        if (selFrom < selTo && selFrom <= end && selTo > start) {
            QTextLayout::FormatRange range;
            range.start = int(qMax(selFrom, start) - start);
            range.length = int(qMin(selTo, end) - start) - range.start;
            range.format.setBackground(palette().brush(QPalette::Highlight));
            range.format.setForeground(palette().brush(QPalette::HighlightedText));
            selections.append(range);
        }
        const double y = kMargin / 2.0 + double(i - first) * height;
        layout.draw(&painter, QPointF(x, y), selections);
        // A selection running on past this line end shows as a blank's width of highlight.
        if (selFrom <= end && selTo > end && end < m_text.size()) {
            const double w = layout.lineAt(0).naturalTextWidth();
            painter.fillRect(QRectF(x + w, y, fontMetrics().averageCharWidth(), height),
                             palette().brush(QPalette::Highlight));
        }
        widest = qMax(widest, int(layout.lineAt(0).naturalTextWidth()) + 2 * kMargin);
    }
    if (widest > m_contentWidth) {
        m_contentWidth = widest;
        horizontalScrollBar()->setRange(0, qMax(0, m_contentWidth - viewport()->width()));
    }
}

void JournalView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void JournalView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        measureWidest();
        updateScrollBars();
        viewport()->update();
    }
}

qsizetype JournalView::positionAt(const QPoint& p) const {
    const qsizetype row = firstVisibleLine() + qsizetype(qFloor((p.y() - kMargin / 2.0) / lineHeight()));
    if (row < 0)
        return 0;
    if (row >= m_lineStarts.size())
        return m_text.size();
    QTextLayout layout;
    layoutLine(layout, row);
    const int column = layout.lineAt(0).xToCursor(p.x() - kMargin + horizontalScrollBar()->value());
    return lineStart(row) + qBound(0, column, int(lineEnd(row) - lineStart(row)));
}

void JournalView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
    } else if (event->matches(QKeySequence::Copy)) {
        copy();
    } else if (event->matches(QKeySequence::MoveToStartOfDocument) || event->key() == Qt::Key_Home) {
        verticalScrollBar()->setValue(0);
        horizontalScrollBar()->setValue(0);
    } else if (event->matches(QKeySequence::MoveToEndOfDocument) || event->key() == Qt::Key_End) {
        scrollToEnd();
    } else {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

void JournalView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    const qsizetype at = positionAt(event->position().toPoint());
    if (event->modifiers() & Qt::ShiftModifier)
        setSelection(m_anchor, at);
    else
        setSelection(at, at);
    m_selecting = true;
}

void JournalView::mouseMoveEvent(QMouseEvent* event) {
    if (!m_selecting)
        return;
    const QPoint p = event->position().toPoint();
    if (p.y() < 0)
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    else if (p.y() > viewport()->height())
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    setSelection(m_anchor, positionAt(p));
}

void JournalView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && m_selecting) {
        m_selecting = false;
        if (hasSelection() && QApplication::clipboard()->supportsSelection())
            QApplication::clipboard()->setText(selectedText(), QClipboard::Selection);
    }
}

void JournalView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const qsizetype at = positionAt(event->position().toPoint());
    qsizetype from = at;
    qsizetype to = at;
    while (from > 0 && m_text.at(from - 1).isLetterOrNumber())
        --from;
    while (to < m_text.size() && m_text.at(to).isLetterOrNumber())
        ++to;
    setSelection(from, to);
}

void JournalView::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* copyAction = menu.addAction(QStringLiteral("Копировать"), this, &JournalView::copy);
    copyAction->setEnabled(hasSelection());
    menu.addAction(QStringLiteral("Выделить все"), this, &JournalView::selectAll);
    menu.exec(event->globalPos());
}
