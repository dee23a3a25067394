// What the pane offers screen readers: positions as they count them, the events it announces, and the
// accessible interface itself.
#include "ui/textview/TextPaneAccessible.h"

#include "ui/textview/TextPane.h"

#include <QAccessible>
#include <QTextBoundaryFinder>

namespace {

TextPane::AccessibleEventSink g_sink = nullptr;

} // namespace

TextPane::AccessibleEventSink TextPane::installAccessibleEventSink(AccessibleEventSink sink) {
    return std::exchange(g_sink, sink);
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

bool TextPane::announcing() const {
    return g_sink || QAccessible::isActive();
}

void TextPane::announce(QAccessibleEvent& event) const {
    if (g_sink)
        g_sink(&event);
    QAccessible::updateAccessibility(&event);
}

TextPaneAccessible::TextPaneAccessible(TextPane* pane) : QAccessibleWidget(pane, QAccessible::EditableText) {}

QAccessibleInterface* TextPaneAccessible::create(const QString& key, QObject* object) {
    if (key != QLatin1String(TextPane::staticMetaObject.className()))
        return nullptr;
    auto* pane = qobject_cast<TextPane*>(object);
    return pane ? new TextPaneAccessible(pane) : nullptr;
}

TextPane* TextPaneAccessible::pane() const {
    return static_cast<TextPane*>(widget());
}

QAccessible::State TextPaneAccessible::state() const {
    QAccessible::State s = QAccessibleWidget::state();
    s.readOnly = true;
    s.editable = false;
    s.multiLine = true;
    s.selectableText = true;
    return s;
}

QString TextPaneAccessible::text(QAccessible::Text t) const {
    switch (t) {
    case QAccessible::Name:
        return widget()->accessibleName();
    case QAccessible::Description:
        return widget()->accessibleDescription().isEmpty() ? widget()->toolTip() : widget()->accessibleDescription();
    case QAccessible::Value:
        // The whole text may be hundreds of megabytes; the text interface hands it out in pieces.
        return {};
    default:
        return QAccessibleWidget::text(t);
    }
}

void* TextPaneAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

void TextPaneAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || !pane()->hasSelection())
        return;
    *startOffset = int(pane()->toAccessible(pane()->selectionStart()));
    *endOffset = int(pane()->toAccessible(pane()->selectionEnd()));
}

int TextPaneAccessible::selectionCount() const {
    return pane()->hasSelection() ? 1 : 0;
}

void TextPaneAccessible::addSelection(int startOffset, int endOffset) {
    setSelection(0, startOffset, endOffset);
}

void TextPaneAccessible::removeSelection(int selectionIndex) {
    if (selectionIndex == 0)
        pane()->clearSelection();
}

void TextPaneAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
    if (selectionIndex == 0)
        pane()->setSelection(pane()->fromAccessible(startOffset), pane()->fromAccessible(endOffset));
}

int TextPaneAccessible::cursorPosition() const {
    return int(pane()->toAccessible(pane()->caretPosition()));
}

void TextPaneAccessible::setCursorPosition(int position) {
    pane()->setCaretPosition(pane()->fromAccessible(position));
}

QString TextPaneAccessible::text(int startOffset, int endOffset) const {
    const int count = characterCount();
    startOffset = qBound(0, startOffset, count);
    endOffset = qBound(startOffset, endOffset, count);
    if (endOffset - startOffset > maxTextPerRequest()) {
        endOffset = startOffset + maxTextPerRequest();
        // The part ends before a surrogate pair rather than in it.
        const qsizetype raw = pane()->fromAccessible(endOffset);
        if (raw > 0 && pane()->text().at(raw - 1).isHighSurrogate())
            --endOffset;
    }
    return pane()->accessibleText(startOffset, endOffset);
}

int TextPaneAccessible::characterCount() const {
    return int(pane()->accessibleLength());
}

bool TextPaneAccessible::isLineEnd(int offset) const {
    if (offset < 0 || offset >= characterCount())
        return false;
    const qsizetype raw = pane()->fromAccessible(offset);
    return raw == pane()->lineEnd(pane()->lineAt(raw));
}

std::pair<int, int> TextPaneAccessible::unitAt(int offset, QAccessible::TextBoundaryType type) const {
    const TextPane* p = pane();
    const int count = characterCount();
    offset = qBound(0, offset, count);
    if (type == QAccessible::NoBoundary)
        return {0, count};
    const qsizetype raw = p->fromAccessible(offset);
    const qsizetype index = p->lineAt(raw);
    const qsizetype start = p->lineStart(index);
    const qsizetype end = p->lineEnd(index);
    const auto offsets = [p](qsizetype from, qsizetype to) {
        return std::pair<int, int>(int(p->toAccessible(from)), int(p->toAccessible(to)));
    };
    switch (type) {
    case QAccessible::CharBoundary:
        if (offset == count)
            return {count, count};
        if (isLineEnd(offset) || !(raw + 1 < end && p->text().at(raw).isHighSurrogate()))
            return {offset, offset + 1};
        return {offset, offset + 2};
    case QAccessible::WordBoundary: {
        if (offset == count)
            return {count, count};
        if (isLineEnd(offset))
            return {offset, offset + 1};
        const QString text = p->line(index);
        const int column = int(raw - start);
        QTextBoundaryFinder finder(QTextBoundaryFinder::Word, text);
        finder.setPosition(column);
        qsizetype from = finder.isAtBoundary() ? column : finder.toPreviousBoundary();
        finder.setPosition(column);
        qsizetype to = finder.toNextBoundary();
        if (from < 0)
            from = 0;
        if (to < 0)
            to = text.size();
        return offsets(start + from, start + to);
    }
    case QAccessible::LineBoundary: {
        const auto [from, to] = p->rowAt(raw);
        return offsets(from, to);
    }
    case QAccessible::SentenceBoundary:
    case QAccessible::ParagraphBoundary:
    case QAccessible::NoBoundary:
        break;
    }
    return offsets(start, end);
}

QString TextPaneAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                                         int* endOffset) const {
    const auto [from, to] = unitAt(offset, boundaryType);
    const QString found = text(from, to);
    *startOffset = from;
    *endOffset = from + int(found.size());
    return found;
}

QString TextPaneAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                                             int* endOffset) const {
    *startOffset = *endOffset = -1;
    if (boundaryType == QAccessible::NoBoundary)
        return {};
    const int from = unitAt(offset, boundaryType).first;
    if (from <= 0)
        return {};
    return textAtOffset(from - 1, boundaryType, startOffset, endOffset);
}

QString TextPaneAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                                            int* endOffset) const {
    *startOffset = *endOffset = -1;
    if (boundaryType == QAccessible::NoBoundary)
        return {};
    int next = unitAt(offset, boundaryType).second;
    // A line ends before its line end; the next line starts after it.
    const bool lineWise = boundaryType != QAccessible::CharBoundary && boundaryType != QAccessible::WordBoundary;
    if (lineWise && isLineEnd(next))
        ++next;
    if (next >= characterCount())
        return {};
    return textAtOffset(next, boundaryType, startOffset, endOffset);
}

QRect TextPaneAccessible::characterRect(int offset) const {
    const QRect r = pane()->characterRect(pane()->fromAccessible(offset));
    if (r.isEmpty())
        return {};
    return QRect(pane()->viewport()->mapToGlobal(r.topLeft()), r.size());
}

int TextPaneAccessible::offsetAtPoint(const QPoint& point) const {
    const qsizetype at = pane()->positionAtPoint(pane()->viewport()->mapFromGlobal(point));
    return at < 0 ? -1 : int(pane()->toAccessible(at));
}

void TextPaneAccessible::scrollToSubstring(int startIndex, int endIndex) {
    Q_UNUSED(endIndex);
    pane()->ensureVisible(pane()->fromAccessible(startIndex));
}

QString TextPaneAccessible::attributes(int offset, int* startOffset, int* endOffset) const {
    Q_UNUSED(offset);
    // One font and one colour for the whole text.
    *startOffset = 0;
    *endOffset = characterCount();
    const QFont font = pane()->font();
    const QPalette palette = pane()->palette();
    const auto rgb = [](const QColor& c) {
        return QStringLiteral("rgb(%1,%2,%3)").arg(c.red()).arg(c.green()).arg(c.blue());
    };
    return QStringLiteral("font-family:\"%1\";font-size:%2pt;font-weight:%3;font-style:%4;text-underline-style:%5;"
                          "background-color:%6;color:%7;")
        .arg(font.family())
        .arg(font.pointSizeF())
        .arg(font.bold() ? QStringLiteral("bold") : QStringLiteral("normal"))
        .arg(font.italic() ? QStringLiteral("italic") : QStringLiteral("normal"))
        .arg(font.underline() ? QStringLiteral("solid") : QStringLiteral("none"))
        .arg(rgb(palette.color(QPalette::Base)))
        .arg(rgb(palette.color(QPalette::Text)));
}
