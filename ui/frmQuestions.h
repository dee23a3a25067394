#pragma once

#include <QDialog>

struct Variables;
class BaseListModel;
class Dialogs;
class QLineEdit;
class QListView;
class QPushButton;

// The questions the program may ask: add one, delete one, empty the base.
class frmQuestions : public QDialog {
    Q_OBJECT
public:
    frmQuestions(Variables& v, Dialogs& dialogs, QWidget* parent = nullptr);

    void RefreshLists();

private:
    void cmdAdd_Click();
    void cmdDel_Click();
    void cmdClear_Click();

    Variables& m_v;
    Dialogs& m_dialogs;
    BaseListModel* m_questions = nullptr;
    QLineEdit* m_txtQuest = nullptr;
    QPushButton* m_cmdAdd = nullptr;
    QPushButton* m_cmdDel = nullptr;
    QPushButton* m_cmdClear = nullptr;
    QListView* m_lstQuestList = nullptr;
};
