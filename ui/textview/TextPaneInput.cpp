// How the pane paints and answers the keyboard, the mouse and the context menu.
#include "ui/textview/TextPane.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QTextLayout>

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
    // A click comes in the viewport's coordinates; the menu key opens the menu at the caret.
    const bool byMouse = event->reason() == QContextMenuEvent::Mouse;
    QPoint at = event->globalPos();
    if (!byMouse) {
        const QRect caret = characterRect(m_caret);
        if (!caret.isEmpty())
            at = viewport()->mapToGlobal(caret.bottomLeft());
    }
    emit contextMenuOpening(&menu, byMouse ? positionAtPoint(event->pos()) : m_caret);
    menu.exec(at);
}
