#pragma once

#include <QWidget>

#include <functional>

class QLineEdit;
class QPushButton;

// The on-screen keyboard: 106 keys that type into the phrase box of the main window. Key i is the button named
// "cmdKey_<i>" (0 to 102 type a character, 103 is ENTER, 104 the case key, 105 the backspace). A tool window that
// does not block the main window, always opens in lower case, and closes itself as soon as another window of the
// program becomes active.
class frmKeyboard : public QWidget {
    Q_OBJECT
public:
    static constexpr int KeyCount = 106;
    static constexpr int EnterKey = 103;
    static constexpr int CaseKey = 104;
    static constexpr int BackspaceKey = 105;

    frmKeyboard(QLineEdit* phrase, std::function<void()> enter, QWidget* parent = nullptr);

    QPushButton* cmdKey(int index) const;
    void cmdKey_Click(int index);

    static QString caption();
    static QString toUpperCaption();
    static QString toLowerCaption();
    static QString keyName(int index);

protected:
    void changeEvent(QEvent* event) override;

private:
    QLineEdit* m_phrase;
    std::function<void()> m_enter;
    QList<QPushButton*> m_keys;
};
