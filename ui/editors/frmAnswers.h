#pragma once

#include "ui/editors/BaseEditor.h"

// The answer base as two lists in step, key lines and their answers: add a pair, delete one, empty the base.
class frmAnswers : public BaseEditor {
    Q_OBJECT
public:
    frmAnswers(Variables& v, Dialogs& dialogs, QWidget* parent = nullptr);

private:
    void cmdAdd_Click() override;

    QLineEdit* m_txtKeyWords = nullptr;
    QLineEdit* m_txtAnswer = nullptr;
};
