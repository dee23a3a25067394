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
// with their wiring, the lists read straight from the base, and the messages for an addition that was refused.
// Each editor adds its own fields and lists and says how its base is changed.
class BaseEditor : public QDialog {
    Q_OBJECT
public:
    // Shows the base as it is now.
    void RefreshLists();

protected:
    struct Base {
        std::function<int(Variables&, int)> deleteRow;
        std::function<void(Variables&)> clear;
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
    // Selects the last row of the first list, where an addition has just gone.
    void selectLast();

    virtual void cmdAdd_Click() = 0;

    Variables& m_v;
    Dialogs& m_dialogs;
    QPushButton* m_cmdAdd = nullptr;
    QPushButton* m_cmdDel = nullptr;
    QPushButton* m_cmdClear = nullptr;

private:
    void cmdDel_Click();
    void cmdClear_Click();

    Base m_base;
    QList<BaseListModel*> m_models;
    QLineEdit* m_firstField = nullptr;
    QListView* m_first = nullptr;
};
