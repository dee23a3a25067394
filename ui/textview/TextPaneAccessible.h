#pragma once

#include <QAccessibleWidget>

#include <utility>

class TextPane;

// What a screen reader gets from a text pane: a read-only multi-line text it can read by character, word and
// line, with the caret and the selection. Offsets count every line end as one character. The pane announces
// what a turn adds, so that the reply is heard without moving.
class TextPaneAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit TextPaneAccessible(TextPane* pane);

    // The most characters one request for text gets: a longer range gets its first part. The whole of a long
    // dialogue would hold up the program for a second at every reader's request, and an answer over 128 MiB makes
    // D-Bus drop the program from the accessibility bus altogether.
    static constexpr int maxTextPerRequest() { return 1 << 20; }

    // The factory installed with QAccessible::installFactory.
    static QAccessibleInterface* create(const QString& key, QObject* object);

    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                             int* endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                            int* endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                         int* endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

private:
    TextPane* pane() const;
    // The unit of the given kind holding `offset`, as [from, to).
    std::pair<int, int> unitAt(int offset, QAccessible::TextBoundaryType type) const;
    bool isLineEnd(int offset) const;
};
