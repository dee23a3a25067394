// How the pane lays out the lines in view: rows, the scroll range, and the text under a point.
#include "ui/textview/TextPane.h"

#include <QScrollBar>
#include <QTextLayout>
#include <QtMath>

int TextPane::rowHeight() const {
    return qMax(1, fontMetrics().lineSpacing());
}

int TextPane::visibleRows() const {
    return qMax(1, (viewport()->height() - kMargin) / rowHeight());
}

qreal TextPane::wrapWidth() const {
    return qMax(qreal(fontMetrics().averageCharWidth()), qreal(viewport()->width() - 2 * kMargin));
}

void TextPane::layoutLine(QTextLayout& layout, qsizetype index) const {
    layout.setText(line(index));
    layout.setFont(font());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    const qreal width = wrapWidth();
    const int height = rowHeight();
    layout.beginLayout();
    for (int row = 0;; ++row) {
        QTextLine textLine = layout.createLine();
        if (!textLine.isValid())
            break;
        textLine.setLineWidth(width);
        textLine.setPosition(QPointF(0, qreal(row) * height));
    }
    layout.endLayout();
}

int TextPane::rowsOf(qsizetype index) const {
    QTextLayout layout;
    layoutLine(layout, index);
    return qMax(1, layout.lineCount());
}

TextPane::Top TextPane::endTop() const {
    const int needed = visibleRows();
    int rows = 0;
    for (qsizetype i = lineCount() - 1; i >= 0; --i) {
        rows += rowsOf(i);
        if (rows >= needed)
            return {i, rows - needed};
    }
    return {};
}

TextPane::Top TextPane::top() const {
    const QScrollBar* bar = verticalScrollBar();
    if (bar->value() >= bar->maximum())
        return m_end;
    return {bar->value(), 0};
}

int TextPane::firstVisibleLine() const {
    return int(top().line);
}

void TextPane::updateScrollRange() {
    m_end = endTop();
    QScrollBar* bar = verticalScrollBar();
    bar->setRange(0, int(m_end.line));
    bar->setPageStep(visibleRows());
}

void TextPane::scrollToEnd() {
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    viewport()->update();
}

void TextPane::ensureVisible(qsizetype position) {
    const qsizetype index = lineAt(position);
    QTextLayout layout;
    layoutLine(layout, index);
    const QTextLine found = layout.lineForTextPosition(int(position - lineStart(index)));
    const int row = found.isValid() ? found.lineNumber() : 0;
    const Top now = top();
    if (index < now.line || (index == now.line && row < now.skippedRows)) {
        verticalScrollBar()->setValue(int(index));
        return;
    }
    const int visible = visibleRows();
    int rows = -now.skippedRows;
    for (qsizetype i = now.line; i < index && rows < visible; ++i)
        rows += rowsOf(i);
    if (rows + row + 1 <= visible)
        return;
    // Bring the row to the bottom edge: back from it as far as the viewport holds.
    int above = row + 1;
    qsizetype first = index;
    while (first > 0) {
        const int r = rowsOf(first - 1);
        if (above + r > visible)
            break;
        above += r;
        --first;
    }
    if (first >= m_end.line)
        scrollToEnd();
    else
        verticalScrollBar()->setValue(int(first));
}

std::pair<qsizetype, qsizetype> TextPane::rowAt(qsizetype position) const {
    position = normalized(position);
    const qsizetype index = lineAt(position);
    const qsizetype start = lineStart(index);
    QTextLayout layout;
    layoutLine(layout, index);
    QTextLine row = layout.lineForTextPosition(int(position - start));
    if (!row.isValid())
        row = layout.lineAt(layout.lineCount() - 1);
    if (!row.isValid())
        return {start, start};
    return {start + row.textStart(), qMin(lineEnd(index), start + row.textStart() + row.textLength())};
}

QRect TextPane::characterRect(qsizetype position) const {
    position = normalized(position);
    QRect rect;
    forVisibleLines([&](qsizetype i, const QTextLayout& layout, qreal y) {
        if (!holds(i, position))
            return true;
        const int column = int(position - lineStart(i));
        const QTextLine row = layout.lineForTextPosition(column);
        if (row.isValid()) {
            const qreal x = row.cursorToX(column);
            const qreal next = column < row.textStart() + row.textLength() ? row.cursorToX(column + 1) : x;
            const qreal width = next > x ? next - x : fontMetrics().averageCharWidth();
            rect = QRectF(kMargin + x, y + row.y(), width, rowHeight()).toAlignedRect();
        }
        return false;
    });
    return rect;
}

void TextPane::forVisibleLines(const std::function<bool(qsizetype, const QTextLayout&, qreal)>& visit) const {
    const int height = rowHeight();
    const Top now = top();
    qreal y = kMargin / 2.0 - qreal(now.skippedRows) * height;
    for (qsizetype i = now.line; i < lineCount() && y < viewport()->height(); ++i) {
        QTextLayout layout;
        layoutLine(layout, i);
        if (!visit(i, layout, y))
            return;
        y += qreal(qMax(1, layout.lineCount())) * height;
    }
}

bool TextPane::holds(qsizetype index, qsizetype position) const {
    // The end of a piece of a long line is the start of the next piece: a position there belongs to the next.
    const qsizetype end = lineEnd(index);
    return position >= lineStart(index) &&
           (position < end || (position == end && (endsWithLf(index) || index + 1 == lineCount())));
}

qsizetype TextPane::positionAtPoint(const QPoint& p) const {
    if (!viewport()->rect().contains(p))
        return -1;
    const int height = rowHeight();
    qsizetype position = m_text->size();
    forVisibleLines([&](qsizetype i, const QTextLayout& layout, qreal y) {
        const int rows = qMax(1, layout.lineCount());
        const qreal bottom = y + qreal(rows) * height;
        if (p.y() >= bottom && i + 1 < lineCount())
            return true;
        const qsizetype start = lineStart(i);
        if (p.y() >= bottom) {
            position = lineEnd(i);
            return false;
        }
        const QTextLine textLine = layout.lineAt(qBound(0, int(qFloor((p.y() - y) / height)), rows - 1));
        const int column = textLine.isValid() ? textLine.xToCursor(p.x() - kMargin) : 0;
        position = start + qBound(qsizetype(0), qsizetype(column), lineEnd(i) - start);
        return false;
    });
    return position;
}

qsizetype TextPane::rowMove(qsizetype position, int rows) const {
    qsizetype index = lineAt(position);
    QTextLayout layout;
    layoutLine(layout, index);
    const int column = int(position - lineStart(index));
    QTextLine current = layout.lineForTextPosition(column);
    if (!current.isValid())
        current = layout.lineAt(layout.lineCount() - 1);
    const qreal x = current.isValid() ? current.cursorToX(column) : 0;
    int row = (current.isValid() ? current.lineNumber() : 0) + rows;
    while (row < 0) {
        if (index == 0)
            return 0;
        --index;
        layoutLine(layout, index);
        row += qMax(1, layout.lineCount());
    }
    while (row >= qMax(1, layout.lineCount())) {
        if (index + 1 >= lineCount())
            return m_text->size();
        row -= qMax(1, layout.lineCount());
        ++index;
        layoutLine(layout, index);
    }
    const QTextLine target = layout.lineAt(row);
    const qsizetype start = lineStart(index);
    if (!target.isValid())
        return start;
    qsizetype at = start + target.xToCursor(x);
    // The end of a wrapped row is the start of the next one; the caret stays on the row it went to.
    if (row + 1 < layout.lineCount() && at >= start + target.textStart() + target.textLength())
        at = start + target.textStart() + target.textLength() - 1;
    return qMin(at, lineEnd(index));
}

// A pane scrolled to its end stays so when its rows change, as a chat does.
void TextPane::updateScrollRangeKeepingEnd() {
    const QScrollBar* bar = verticalScrollBar();
    const bool atEnd = bar->maximum() > 0 && bar->value() == bar->maximum();
    updateScrollRange();
    if (atEnd)
        scrollToEnd();
}
