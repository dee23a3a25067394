#pragma once

#include <QWidget>

class QFrame;
class QLabel;

// Stays on screen, with "Загрузка баз знаний...", while the main window loads the bases.
class frmSplash : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash(QWidget* parent = nullptr);

    // Fills in the version and paints the window at once: the event loop does not run until loading ends.
    void showNow();
    static QString versionText();

private:
    QFrame* m_frMain;
    QLabel* m_lblTitle;
    QLabel* m_lblVer;
    QLabel* m_lblInfo;
};
