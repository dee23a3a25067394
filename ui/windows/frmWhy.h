#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

// "Почему такой ответ": why the program said one of its lines, in plain words, with the way to the pair (or the
// question) behind it. «Изменить...» accepts the window, and its opener then shows that entry in its editor.
class frmWhy : public QDialog {
    Q_OBJECT
public:
    enum class Editor { None, Answers, Questions };

    frmWhy(const QString& explanation, Editor editor, QWidget* parent = nullptr);

    static QString caption();

private:
    QPlainTextEdit* m_txtWhy = nullptr;
    QPushButton* m_cmdEdit = nullptr;
    QPushButton* m_cmdClose = nullptr;
};
