#pragma once

#include <QPointer>
#include <QWidget>

class QLabel;
class QLineEdit;
class QToolButton;
class TextPane;

// Find in a long text, the journal's or the dialogue pane's: the field «Найти:», the next match (Enter, F3) or the
// previous one (Shift+F3) selected in the pane and brought into view, and a note when the search went round the
// end or found nothing. Ctrl+F opens it and Esc closes it, giving the focus back to where it was; the window it
// sits in lays it out and is told when it opens or closes. The pane's text is searched where it lies, not copied.
class FindBar : public QWidget {
    Q_OBJECT
public:
    // The keys work anywhere in `parent`'s window.
    FindBar(TextPane* pane, QWidget* parent);

    void open();
    void dismiss();
    void findNext();
    void findPrevious();

    QLineEdit* field() const { return m_txtFind; }
    // The height the bar needs at this width: a long note takes a second line in a narrow window.
    int heightFor(int width) const;
    // What the bar says about the last search: empty for a plain match.
    QString note() const;

signals:
    // Opened, closed, or the note changed its length: the window lays the bar out again.
    void layoutChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void find(bool forward);
    void setNote(const QString& note);

    TextPane* m_pane;
    QLabel* m_lblFind = nullptr;
    QLineEdit* m_txtFind = nullptr;
    QToolButton* m_cmdPrevious = nullptr;
    QToolButton* m_cmdNext = nullptr;
    QLabel* m_lblNote = nullptr;
    QToolButton* m_cmdCloseFind = nullptr;
    QPointer<QWidget> m_returnFocus;
    // The text of the last search: a new one starts at the selection's start, so that a longer text typed over a
    // match still finds it there.
    QString m_searched;
};
