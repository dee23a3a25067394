#pragma once

#include <functional>

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QList>
#include <QString>

#include <utility>

class QAccessibleEvent;
class QMenu;
class QTextLayout;

// A read-only view of a long text: the dialogue pane and the journal viewer. A text document would build a block
// per line before the first paint (minutes and gigabytes for a dialogue file of a hundred megabytes); this view
// keeps only where each line starts and lays out just the lines on screen, wrapped at the viewport's width. The
// scroll bar counts text lines, so nothing ever needs the height of the whole text.
//
// A line ends at LF; a CR right before it belongs to the line end. Positions in this interface are positions in
// text(); a position inside a line end stands for the end of that line. Screen readers see the text with every
// line end as one LF, as the text widgets of the platform show it.
class TextPane : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TextPane(QWidget* parent = nullptr);
    ~TextPane() override;

    // The view keeps its own (implicitly shared) copy: the journal viewer, whose text nobody else holds.
    void setPlainText(const QString& text);
    // The view refers to a text that lives elsewhere: the dialogue's pane text, which grows by a turn at a time.
    // A copy held here would make every append to it copy the whole text. The text must outlive the view or the
    // next showText(); after a change other than an append call showText() again.
    void showText(const QString& text);
    // The referred text grew at its end: only the new part is indexed and announced to screen readers.
    void textAppended();

    const QString& text() const { return *m_text; }
    // The text with LF line ends, as a text widget returns it.
    QString toPlainText() const;
    // Lines longer than maxLineLength() are shown in pieces of that length, each counted as a line here.
    qsizetype lineCount() const { return m_lineStarts.size(); }
    QString line(qsizetype index) const;
    qsizetype lineStart(qsizetype index) const;
    // Where the line's text ends, before its line end.
    qsizetype lineEnd(qsizetype index) const;
    qsizetype lineAt(qsizetype position) const;
    static constexpr qsizetype maxLineLength() { return 4096; }

    qsizetype caretPosition() const { return m_caret; }
    // Moves the caret, drops the selection and brings the caret into view.
    void setCaretPosition(qsizetype position);
    // The caret after the last character, with the end of the text in view: where the newest lines are.
    void moveCaretToEnd();

    bool hasSelection() const { return m_anchor != m_caret; }
    qsizetype selectionStart() const { return qMin(m_anchor, m_caret); }
    qsizetype selectionEnd() const { return qMax(m_anchor, m_caret); }
    // With LF line ends, as it goes to the clipboard and the printer.
    QString selectedText() const;
    // The caret goes to `caret`; the order does not matter.
    void setSelection(qsizetype anchor, qsizetype caret);
    void selectAll();
    void clearSelection();
    void copy() const;

    int firstVisibleLine() const;
    void scrollToEnd();
    // Scrolls so that the line holding `position` is in view.
    void ensureVisible(qsizetype position);

    // Positions as screen readers count them: every line end is one character.
    qsizetype accessibleLength() const { return m_text->size() - m_crLineEnds; }
    qsizetype toAccessible(qsizetype position) const;
    qsizetype fromAccessible(qsizetype offset) const;
    QString accessibleText(qsizetype from, qsizetype to) const;
    // Viewport coordinates of the character at `position` when its line is on screen; an empty rectangle otherwise.
    QRect characterRect(qsizetype position) const;
    // The position under a viewport point, or -1 when the point lies outside the text.
    qsizetype positionAtPoint(const QPoint& viewportPoint) const;
    // The visual row (a wrapped piece of a line) holding `position`, as [from, to).
    std::pair<qsizetype, qsizetype> rowAt(qsizetype position) const;

    // The accessibility events of every pane go through here to the platform. Its bridge takes them only while an
    // assistive tool listens; a sink installed here sees them also without one (tests). Returns the previous sink.
    using AccessibleEventSink = void (*)(QAccessibleEvent* event);
    static AccessibleEventSink installAccessibleEventSink(AccessibleEventSink sink);

signals:
    // The context menu is about to open for `position` of text(): where it was clicked, or the caret when the
    // menu key opened it (-1 for a click beside the text). The window adds its own commands to `menu` here.
    void contextMenuOpening(QMenu* menu, qsizetype position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    static constexpr int kMargin = 3;
    // Lines per block of m_crBlocks.
    static constexpr qsizetype kBlock = 256;
    static QString withLfLineEnds(QStringView raw);

    struct Top {
        qsizetype line = 0;
        int skippedRows = 0;
    };

    void reindex();
    void indexFrom(qsizetype from);
    void appendLineStart(qsizetype start);
    bool endsWithLf(qsizetype index) const;
    // Whether a position lies on the line (its line end included when the line ends the text or with LF).
    bool holds(qsizetype index, qsizetype position) const;
    // Lays out the lines in view from the top down, handing each to `visit` with the top of its first row, until
    // the view is full or `visit` says to stop.
    void forVisibleLines(const std::function<bool(qsizetype, const QTextLayout&, qreal)>& visit) const;
    bool endsWithCrLf(qsizetype index) const;
    qsizetype crLineEndsBefore(qsizetype index) const;
    qsizetype normalized(qsizetype position) const;

    int rowHeight() const;
    int visibleRows() const;
    qreal wrapWidth() const;
    void layoutLine(QTextLayout& layout, qsizetype index) const;
    int rowsOf(qsizetype index) const;
    Top top() const;
    Top endTop() const;
    void updateScrollRange();
    void updateScrollRangeKeepingEnd();
    void moveCaret(qsizetype position, bool keepAnchor);
    qsizetype rowMove(qsizetype position, int rows) const;
    qsizetype wordStart(qsizetype position) const;
    qsizetype wordEnd(qsizetype position) const;
    void restartBlink();
    void announce(QAccessibleEvent& event) const;
    bool announcing() const;

    QString m_own;
    const QString* m_text = &m_own;
    // Where each line starts; lines[0] is 0. Never empty.
    QList<qsizetype> m_lineStarts;
    // For every kBlock-th line, how many of the lines before it end with CR LF: screen reader positions are found
    // from this without a count over the whole text.
    QList<qsizetype> m_crBlocks;
    qsizetype m_crLineEnds = 0;
    qsizetype m_indexed = 0;
    qsizetype m_anchor = 0;
    qsizetype m_caret = 0;
    // Where the top is when the view shows the end: the last lines, laid out backwards only as far as the
    // viewport needs. The scroll bar's maximum stands for it.
    Top m_end;
    bool m_selecting = false;
    bool m_caretShown = true;
    QBasicTimer m_blink;
};
