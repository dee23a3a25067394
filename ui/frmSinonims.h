#pragma once

#include <QDialog>

struct Variables;
class BaseListModel;
class Dialogs;
class QLineEdit;
class QListView;
class QPushButton;

// The synonym pairs: a word and its synonym are added in both directions; a pair is deleted one direction at a
// time.
class frmSinonims : public QDialog {
    Q_OBJECT
public:
    frmSinonims(Variables& v, Dialogs& dialogs, QWidget* parent = nullptr);

    void RefreshLists();

private:
    void cmdAdd_Click();
    void cmdDel_Click();
    void cmdClear_Click();

    Variables& m_v;
    Dialogs& m_dialogs;
    BaseListModel* m_pairs = nullptr;
    QLineEdit* m_txtWord = nullptr;
    QLineEdit* m_txtSinonim = nullptr;
    QPushButton* m_cmdAdd = nullptr;
    QPushButton* m_cmdDel = nullptr;
    QPushButton* m_cmdClear = nullptr;
    QListView* m_lstSinList = nullptr;
};
