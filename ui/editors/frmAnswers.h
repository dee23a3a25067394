#pragma once

#include "ui/editors/BaseEditor.h"

// The answer base as two lists in step, key lines and their answers: add a pair, delete one, empty the base.
// While key words are typed, a note under their field says how many pairs already have them.
class frmAnswers : public BaseEditor {
    Q_OBJECT
public:
    frmAnswers(Variables& v, Dialogs& dialogs, QWidget* parent = nullptr);

private:
    void cmdAdd_Click() override;
    void txtKeyWords_Change();

    QLineEdit* m_txtKeyWords = nullptr;
    QLineEdit* m_txtAnswer = nullptr;
    QLabel* m_lblHint = nullptr;
    // The pixels the note takes between the key-words field and the controls below it.
    int m_hintBand = 0;
};
