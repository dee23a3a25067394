// The pane's text, the index of where its lines start, and the caret and selection on it.
#include "ui/textview/TextPane.h"

#include "ui/textview/TextPaneAccessible.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QScrollBar>

#include <algorithm>

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

QString TextPane::withLfLineEnds(QStringView raw) {
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
