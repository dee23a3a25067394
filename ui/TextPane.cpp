#include "ui/TextPane.h"

#include "ui/TextPaneAccessible.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QTextLayout>

#include <algorithm>

namespace {

constexpr int kMargin = 3;
constexpr qsizetype kBlock = 256;

TextPane::AccessibleEventSink g_sink = nullptr;

QString withLfLineEnds(QStringView raw) {
    QString out;
    out.reserve(raw.size());
    qsizetype from = 0;
    for (qsizetype at = raw.indexOf(u"\r\n"); at >= 0; at = raw.indexOf(u"\r\n", at + 2)) {
        out.append(raw.mid(from, at - from));
        out.append(QLatin1Char('\n'));
        from = at + 2;
    }
    out.append(raw.mid(from));
    return out;
}

} // namespace

TextPane::TextPane(QWidget* parent) : QAbstractScrollArea(parent) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(&TextPaneAccessible::create);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    verticalScrollBar()->setSingleStep(1);
    reindex();
}

TextPane::~TextPane() = default;

TextPane::AccessibleEventSink TextPane::installAccessibleEventSink(AccessibleEventSink sink) {
    return std::exchange(g_sink, sink);
}

void TextPane::setPlainText(const QString& text) {
    m_own = text;
    m_text = &m_own;
    m_anchor = m_caret = 0;
    reindex();
    verticalScrollBar()->setValue(0);
    viewport()->update();
}

void TextPane::showText(const QString& text) {
    if (&text != &m_own)
        m_own.clear();
    m_text = &text;
    m_anchor = m_caret = 0;
    reindex();
    verticalScrollBar()->setValue(0);
    viewport()->update();
}

void TextPane::textAppended() {
    const qsizetype before = m_indexed;
    if (m_text->size() < before) {
        // Not an append after all: the text was replaced behind the view's back.
        showText(*m_text);
        return;
    }
    QScrollBar* bar = verticalScrollBar();
    const bool atEnd = bar->maximum() > 0 && bar->value() == bar->maximum();
    indexFrom(before);
    // A CR that ended the text has become part of a line end.
    m_anchor = normalized(m_anchor);
    m_caret = normalized(m_caret);
    updateScrollRange();
    if (atEnd)
        scrollToEnd();
    viewport()->update();
    if (announcing()) {
        const qsizetype from = toAccessible(before);
        QAccessibleTextInsertEvent event(this, int(from), accessibleText(from, accessibleLength()));
        announce(event);
    }
}

QString TextPane::toPlainText() const {
    return withLfLineEnds(*m_text);
}

void TextPane::reindex() {
    m_lineStarts = QList<qsizetype>{0};
    m_crBlocks = QList<qsizetype>{0};
    m_crLineEnds = 0;
    m_indexed = 0;
    indexFrom(0);
    updateScrollRange();
}

void TextPane::appendLineStart(qsizetype start) {
    if (m_lineStarts.size() % kBlock == 0)
        m_crBlocks.append(m_crLineEnds);
    m_lineStarts.append(start);
}

void TextPane::indexFrom(qsizetype from) {
    const QStringView text(*m_text);
    qsizetype start = m_lineStarts.constLast();
    qsizetype pos = from;
    for (;;) {
        const qsizetype lf = text.indexOf(QLatin1Char('\n'), pos);
        const qsizetype end = lf < 0 ? text.size() : lf;
        // A line too long to lay out at every paint is shown in pieces; a piece never splits a surrogate pair.
        while (end - start > maxLineLength()) {
            qsizetype cut = start + maxLineLength();
            if (text.at(cut - 1).isHighSurrogate())
                --cut;
            start = cut;
            appendLineStart(start);
        }
        if (lf < 0)
            break;
        if (lf > start && text.at(lf - 1) == QLatin1Char('\r'))
            ++m_crLineEnds;
        start = lf + 1;
        appendLineStart(start);
        pos = lf + 1;
    }
    m_indexed = text.size();
}

qsizetype TextPane::lineStart(qsizetype index) const {
    return m_lineStarts.at(qBound(qsizetype(0), index, lineCount() - 1));
}

bool TextPane::endsWithLf(qsizetype index) const {
    return index + 1 < lineCount() && m_text->at(m_lineStarts.at(index + 1) - 1) == QLatin1Char('\n');
}

bool TextPane::endsWithCrLf(qsizetype index) const {
    if (!endsWithLf(index))
        return false;
    const qsizetype lf = m_lineStarts.at(index + 1) - 1;
    return lf > m_lineStarts.at(index) && m_text->at(lf - 1) == QLatin1Char('\r');
}

qsizetype TextPane::lineEnd(qsizetype index) const {
    index = qBound(qsizetype(0), index, lineCount() - 1);
    if (index + 1 >= lineCount())
        return m_text->size();
    const qsizetype next = m_lineStarts.at(index + 1);
    if (!endsWithLf(index))
        return next;
    return endsWithCrLf(index) ? next - 2 : next - 1;
}

QString TextPane::line(qsizetype index) const {
    if (index < 0 || index >= lineCount())
        return {};
    return m_text->mid(lineStart(index), lineEnd(index) - lineStart(index));
}

qsizetype TextPane::lineAt(qsizetype position) const {
    const auto it = std::upper_bound(m_lineStarts.cbegin(), m_lineStarts.cend(), position);
    return qMax(qsizetype(0), qsizetype(it - m_lineStarts.cbegin()) - 1);
}

qsizetype TextPane::normalized(qsizetype position) const {
    position = qBound(qsizetype(0), position, m_text->size());
    return qMin(position, lineEnd(lineAt(position)));
}

qsizetype TextPane::crLineEndsBefore(qsizetype index) const {
    const qsizetype block = index / kBlock;
    qsizetype count = m_crBlocks.at(block);
    for (qsizetype i = block * kBlock; i < index; ++i)
        if (endsWithCrLf(i))
            ++count;
    return count;
}

qsizetype TextPane::toAccessible(qsizetype position) const {
    position = normalized(position);
    return position - crLineEndsBefore(lineAt(position));
}

qsizetype TextPane::fromAccessible(qsizetype offset) const {
    offset = qBound(qsizetype(0), offset, accessibleLength());
    // The last block whose first line starts at or before the offset, then the line within it.
    qsizetype low = 0;
    qsizetype high = m_crBlocks.size() - 1;
    while (low < high) {
        const qsizetype mid = (low + high + 1) / 2;
        if (m_lineStarts.at(mid * kBlock) - m_crBlocks.at(mid) <= offset)
            low = mid;
        else
            high = mid - 1;
    }
    qsizetype index = low * kBlock;
    qsizetype start = m_lineStarts.at(index) - m_crBlocks.at(low);
    const qsizetype last = qMin(lineCount(), index + kBlock) - 1;
    while (index < last) {
        const qsizetype next =
            start + (m_lineStarts.at(index + 1) - m_lineStarts.at(index)) - (endsWithCrLf(index) ? 1 : 0);
        if (next > offset)
            break;
        start = next;
        ++index;
    }
    return qMin(m_lineStarts.at(index) + (offset - start), lineEnd(index));
}

QString TextPane::accessibleText(qsizetype from, qsizetype to) const {
    const qsizetype rawFrom = fromAccessible(from);
    const qsizetype rawTo = fromAccessible(qMax(from, to));
    return withLfLineEnds(QStringView(*m_text).mid(rawFrom, rawTo - rawFrom));
}

QString TextPane::selectedText() const {
    return withLfLineEnds(QStringView(*m_text).mid(selectionStart(), selectionEnd() - selectionStart()));
}

void TextPane::setSelection(qsizetype anchor, qsizetype caret) {
    const qsizetype oldFrom = selectionStart();
    const qsizetype oldTo = selectionEnd();
    m_anchor = normalized(anchor);
    m_caret = normalized(caret);
    viewport()->update();
    if (announcing() && (oldFrom != selectionStart() || oldTo != selectionEnd())) {
        QAccessibleTextSelectionEvent event(this, int(toAccessible(selectionStart())),
                                            int(toAccessible(selectionEnd())));
        event.setCursorPosition(int(toAccessible(m_caret)));
        announce(event);
    }
}

void TextPane::selectAll() {
    setSelection(0, m_text->size());
}

void TextPane::clearSelection() {
    setSelection(m_caret, m_caret);
}

void TextPane::copy() const {
    if (hasSelection())
        QApplication::clipboard()->setText(selectedText());
}

void TextPane::setCaretPosition(qsizetype position) {
    moveCaret(position, false);
}

void TextPane::moveCaret(qsizetype position, bool keepAnchor) {
    const qsizetype oldCaret = m_caret;
    setSelection(keepAnchor ? m_anchor : position, position);
    ensureVisible(m_caret);
    restartBlink();
    if (announcing() && oldCaret != m_caret) {
        QAccessibleTextCursorEvent event(this, int(toAccessible(m_caret)));
        announce(event);
    }
}

void TextPane::moveCaretToEnd() {
    setSelection(m_text->size(), m_text->size());
    scrollToEnd();
    restartBlink();
    if (announcing()) {
        QAccessibleTextCursorEvent event(this, int(accessibleLength()));
        announce(event);
    }
}

bool TextPane::announcing() const {
    return g_sink || QAccessible::isActive();
}

void TextPane::announce(QAccessibleEvent& event) const {
    if (g_sink)
        g_sink(&event);
    QAccessible::updateAccessibility(&event);
}

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

qsizetype TextPane::wordStart(qsizetype position) const {
    while (position > 0 && m_text->at(position - 1).isLetterOrNumber())
        --position;
    return position;
}

qsizetype TextPane::wordEnd(qsizetype position) const {
    while (position < m_text->size() && m_text->at(position).isLetterOrNumber())
        ++position;
    return position;
}

void TextPane::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Text));
    const int height = rowHeight();
    const qsizetype selFrom = selectionStart();
    const qsizetype selTo = selectionEnd();
    const bool caret = hasFocus() && m_caretShown;
    forVisibleLines([&](qsizetype i, const QTextLayout& layout, qreal y) {
        const qsizetype start = lineStart(i);
        const qsizetype end = lineEnd(i);
        QList<QTextLayout::FormatRange> selections;
        if (selFrom < selTo && selFrom <= end && selTo > start) {
            QTextLayout::FormatRange range;
            range.start = int(qMax(selFrom, start) - start);
            range.length = int(qMin(selTo, end) - start) - range.start;
            range.format.setBackground(palette().brush(QPalette::Highlight));
            range.format.setForeground(palette().brush(QPalette::HighlightedText));
            selections.append(range);
        }
        const QPointF origin(kMargin, y);
        layout.draw(&painter, origin, selections);
        // A selection running on past this line end shows as a blank's width of highlight.
        if (selFrom <= end && selTo > end && endsWithLf(i)) {
            const QTextLine last = layout.lineAt(layout.lineCount() - 1);
            painter.fillRect(
                QRectF(origin.x() + last.naturalTextWidth(), y + last.y(), fontMetrics().averageCharWidth(), height),
                palette().brush(QPalette::Highlight));
        }
        if (caret && holds(i, m_caret))
            layout.drawCursor(&painter, origin, int(m_caret - start), 1);
        return true;
    });
}

void TextPane::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRangeKeepingEnd();
}

// A pane scrolled to its end stays so when its rows change, as a chat does.
void TextPane::updateScrollRangeKeepingEnd() {
    const QScrollBar* bar = verticalScrollBar();
    const bool atEnd = bar->maximum() > 0 && bar->value() == bar->maximum();
    updateScrollRange();
    if (atEnd)
        scrollToEnd();
}

void TextPane::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        updateScrollRangeKeepingEnd();
        viewport()->update();
    }
}

void TextPane::scrollContentsBy(int, int) {
    viewport()->update();
}

void TextPane::restartBlink() {
    m_caretShown = true;
    const int flash = QApplication::cursorFlashTime();
    if (hasFocus() && flash > 0)
        m_blink.start(flash / 2, this);
    else
        m_blink.stop();
    viewport()->update();
}

void TextPane::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    restartBlink();
}

void TextPane::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    m_blink.stop();
    viewport()->update();
}

void TextPane::timerEvent(QTimerEvent* event) {
    if (event->timerId() != m_blink.timerId()) {
        QAbstractScrollArea::timerEvent(event);
        return;
    }
    m_caretShown = !m_caretShown;
    viewport()->update();
}

void TextPane::keyPressEvent(QKeyEvent* event) {
    const auto is = [event](QKeySequence::StandardKey move, QKeySequence::StandardKey select) {
        return event->matches(move) || event->matches(select);
    };
    const bool extend = event->modifiers().testFlag(Qt::ShiftModifier);
    const qsizetype at = m_caret;
    const qsizetype index = lineAt(at);
    if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
    } else if (event->matches(QKeySequence::Copy)) {
        copy();
    } else if (is(QKeySequence::MoveToStartOfDocument, QKeySequence::SelectStartOfDocument)) {
        moveCaret(0, extend);
    } else if (is(QKeySequence::MoveToEndOfDocument, QKeySequence::SelectEndOfDocument)) {
        moveCaret(m_text->size(), extend);
    } else if (is(QKeySequence::MoveToStartOfLine, QKeySequence::SelectStartOfLine)) {
        moveCaret(rowAt(at).first, extend);
    } else if (is(QKeySequence::MoveToEndOfLine, QKeySequence::SelectEndOfLine)) {
        const auto [from, to] = rowAt(at);
        // A wrapped row ends before the blank where it was broken; only a line's last row ends at its end.
        moveCaret(to < lineEnd(index) && to > from ? to - 1 : to, extend);
    } else if (is(QKeySequence::MoveToNextChar, QKeySequence::SelectNextChar)) {
        if (at == lineEnd(index) && endsWithLf(index))
            moveCaret(lineStart(index + 1), extend);
        else
            moveCaret(at + (at + 1 < m_text->size() && m_text->at(at).isHighSurrogate() ? 2 : 1), extend);
    } else if (is(QKeySequence::MoveToPreviousChar, QKeySequence::SelectPreviousChar)) {
        if (at == lineStart(index) && index > 0 && endsWithLf(index - 1))
            moveCaret(lineEnd(index - 1), extend);
        else
            moveCaret(at - (at > 1 && m_text->at(at - 1).isLowSurrogate() ? 2 : 1), extend);
    } else if (is(QKeySequence::MoveToNextWord, QKeySequence::SelectNextWord)) {
        qsizetype to = at;
        while (to < m_text->size() && !m_text->at(to).isLetterOrNumber())
            ++to;
        moveCaret(wordEnd(to), extend);
    } else if (is(QKeySequence::MoveToPreviousWord, QKeySequence::SelectPreviousWord)) {
        qsizetype to = at;
        while (to > 0 && !m_text->at(to - 1).isLetterOrNumber())
            --to;
        moveCaret(wordStart(to), extend);
    } else if (is(QKeySequence::MoveToNextLine, QKeySequence::SelectNextLine)) {
        moveCaret(rowMove(at, 1), extend);
    } else if (is(QKeySequence::MoveToPreviousLine, QKeySequence::SelectPreviousLine)) {
        moveCaret(rowMove(at, -1), extend);
    } else if (is(QKeySequence::MoveToNextPage, QKeySequence::SelectNextPage)) {
        moveCaret(rowMove(at, visibleRows()), extend);
    } else if (is(QKeySequence::MoveToPreviousPage, QKeySequence::SelectPreviousPage)) {
        moveCaret(rowMove(at, -visibleRows()), extend);
    } else {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TextPane::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    const qsizetype at = positionAtPoint(event->position().toPoint());
    if (at < 0)
        return;
    if (event->modifiers() & Qt::ShiftModifier)
        setSelection(m_anchor, at);
    else
        setSelection(at, at);
    restartBlink();
    m_selecting = true;
}

void TextPane::mouseMoveEvent(QMouseEvent* event) {
    if (!m_selecting)
        return;
    QPoint p = event->position().toPoint();
    if (p.y() < 0)
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    else if (p.y() >= viewport()->height())
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    p.setX(qBound(0, p.x(), viewport()->width() - 1));
    p.setY(qBound(0, p.y(), viewport()->height() - 1));
    const qsizetype at = positionAtPoint(p);
    if (at >= 0)
        setSelection(m_anchor, at);
}

void TextPane::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && m_selecting) {
        m_selecting = false;
        if (hasSelection() && QApplication::clipboard()->supportsSelection())
            QApplication::clipboard()->setText(selectedText(), QClipboard::Selection);
    }
}

void TextPane::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const qsizetype at = positionAtPoint(event->position().toPoint());
    if (at >= 0)
        setSelection(wordStart(at), wordEnd(at));
}

void TextPane::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* copyAction = menu.addAction(QStringLiteral("Копировать"), this, &TextPane::copy);
    copyAction->setEnabled(hasSelection());
    menu.addAction(QStringLiteral("Выделить все"), this, &TextPane::selectAll);
    menu.exec(event->globalPos());
}
