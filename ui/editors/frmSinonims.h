#pragma once

#include "ui/editors/BaseEditor.h"

// The synonym pairs: a word and its synonym are added in both directions; a pair is deleted one direction at a
// time.
class frmSinonims : public BaseEditor {
    Q_OBJECT
public:
    frmSinonims(Variables& v, Dialogs& dialogs, QWidget* parent = nullptr);

private:
    void cmdAdd_Click() override;

    QLineEdit* m_txtWord = nullptr;
    QLineEdit* m_txtSinonim = nullptr;
};
