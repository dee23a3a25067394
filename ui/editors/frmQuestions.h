#pragma once

#include "ui/editors/BaseEditor.h"

// The questions the program may ask: add one, delete one, empty the base.
class frmQuestions : public BaseEditor {
    Q_OBJECT
public:
    frmQuestions(Variables& v, Dialogs& dialogs, QWidget* parent = nullptr);

private:
    void cmdAdd_Click() override;

    QLineEdit* m_txtQuest = nullptr;
};
