#pragma once

#include "engine/BaseEdit.h"
#include "ui/editors/BaseListModel.h"

#include <QDialog>

#include <functional>

struct Variables;
class Dialogs;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;

// What the three base editors share: the fixed window, the three buttons "Добавить", "Удалить" and "Очистить"
// with their wiring, the lists read straight from the base, the messages for an addition that was refused, and the
// find field (Ctrl+F) that filters the lists. Each editor adds its own fields and lists and says how its base is
// changed and searched.
class BaseEditor : public QDialog {
    Q_OBJECT
public:
    // Shows the base as it is now, filtered while the find field is open.
    void RefreshLists();

    // Ctrl+F: the find field below the lists, the window growing by its row; the focus goes into it.
    void openFind();
    // Esc: the field hidden, the window back to its size and every row shown, the same pair still selected.
    void closeFind();
    // Selects a row of the base (0-based, as the unfiltered lists count) in every list; it is brought into view
    // when the window is shown. -1 selects nothing.
    void selectBaseRow(int row);

protected:
    struct Base {
        std::function<int(Variables&, int)> deleteRow;
        std::function<void(Variables&)> clear;
        // The base rows that hold the typed text, ascending.
        std::function<QList<int>(const Variables&, const QString&)> filter;
    };

    BaseEditor(Variables& v, Dialogs& dialogs, const char* name, const QString& title, int widthTwips, int heightTwips,
               QWidget* parent);

    // A text field, named for the person by the label beside it.
    QLineEdit* field(const char* name, QLabel* label, const QString& toolTip, int top);
    // A list of the base, named by its label; the first one made is the one "Удалить" deletes from.
    QListView* list(const char* name, QLabel* label, const QString& toolTip, BaseListModel::Kind kind, int top,
                    int height);
    // The buttons on one row at `top`, with the tooltips of this base; "Добавить" is the default button.
    void buttons(int top, const QString& addTip, const QString& delTip, const QString& clearTip, const Base& base);
    // After an addition: false, and the person told why, when nothing was stored.
    bool stored(BaseEdit::AddResult result);
    // Selects the last row of the base, where an addition has just gone (nothing when the filter hides it).
    void selectLast();
    // Moves every control whose top is at or below `y` (pixels) by `dy`, and the window's bottom edge with them;
    // `keep` stays where it is.
    void shiftBelow(int y, int dy, const QWidget* keep = nullptr);

    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    virtual void cmdAdd_Click() = 0;

    Variables& m_v;
    Dialogs& m_dialogs;
    QPushButton* m_cmdAdd = nullptr;
    QPushButton* m_cmdDel = nullptr;
    QPushButton* m_cmdClear = nullptr;

private:
    void cmdDel_Click();
    void cmdClear_Click();
    bool findIsOpen() const;
    // The base row selected in the lists, whatever is shown; -1 for none.
    int selectedBaseRow() const;
    void buildFind();
    void txtFind_Change();
    int baseRowOf(int shownRow) const;
    int shownRowOf(int baseRow) const;
    void selectShown(int shownRow);
    // Brings the selected row of every list to the middle of its list.
    void centreSelection();

    Base m_base;
    QList<BaseListModel*> m_models;
    QList<QListView*> m_views;
    QLineEdit* m_firstField = nullptr;
    QListView* m_first = nullptr;
    QLabel* m_lblFind = nullptr;
    QLineEdit* m_txtFind = nullptr;
    QLabel* m_lblFound = nullptr;
    // While the find field is open: the base rows shown, shown row n being base row m_rows[n].
    bool m_filtered = false;
    QList<int> m_rows;
};
