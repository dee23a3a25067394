#pragma once

#include <QAbstractScrollArea>
#include <QList>
#include <QString>

class QTextLayout;

// A read-only view of a long text, one line per text line. The journal grows for years: a text document would
// build a block per line before the first paint (seconds for tens of megabytes), while this view keeps only the
// text and where each line starts, and lays out just the lines on screen. Text can be selected with the mouse or
// Ctrl+A and copied.
class JournalView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit JournalView(QWidget* parent = nullptr);

    // Windows-1251 bytes as the journal holds them; CR LF, a lone CR and a lone LF each end a line, and the
    // journal's CR CR LF is one empty line.
    static QString textFromFile(const QByteArray& bytes);

    // Lines are separated by '\n'.
    void setPlainText(const QString& text);
    const QString& text() const { return m_text; }
    qsizetype lineCount() const { return m_lineStarts.size(); }
    QString line(qsizetype index) const;

    bool hasSelection() const { return m_anchor != m_caret; }
    QString selectedText() const;
    // Character positions in text(); the order does not matter.
    void setSelection(qsizetype anchor, qsizetype caret);
    void selectAll();
    void clearSelection();
    void copy() const;
    int firstVisibleLine() const;
    void scrollToEnd();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    qsizetype lineStart(qsizetype index) const { return m_lineStarts.at(index); }
    qsizetype lineEnd(qsizetype index) const;
    qsizetype positionAt(const QPoint& viewportPoint) const;
    int lineHeight() const;
    int visibleLines() const;
    void updateScrollBars();
    void measureWidest();
    void layoutLine(QTextLayout& layout, qsizetype index) const;

    QString m_text;
    QList<qsizetype> m_lineStarts;
    qsizetype m_anchor = 0;
    qsizetype m_caret = 0;
    int m_contentWidth = 0;
    bool m_selecting = false;
};
