#pragma once

#include <QDialog>

struct Variables;
class BaseListModel;
class Dialogs;
class QLineEdit;
class QListView;
class QPushButton;

// The answer base as two lists in step, key lines and their answers: add a pair, delete one, empty the base.
class frmAnswers : public QDialog {
    Q_OBJECT
public:
    frmAnswers(Variables& v, Dialogs& dialogs, QWidget* parent = nullptr);

    void RefreshLists();

private:
    void cmdAdd_Click();
    void cmdDel_Click();
    void cmdClear_Click();
    void mirrorSelection(QListView* from, QListView* to);

    Variables& m_v;
    Dialogs& m_dialogs;
    BaseListModel* m_keyLines = nullptr;
    BaseListModel* m_answerLines = nullptr;
    QLineEdit* m_txtKeyWords = nullptr;
    QLineEdit* m_txtAnswer = nullptr;
    QPushButton* m_cmdAdd = nullptr;
    QPushButton* m_cmdDel = nullptr;
    QPushButton* m_cmdClear = nullptr;
    QListView* m_lstKeyWords = nullptr;
    QListView* m_lstAnswers = nullptr;
};
