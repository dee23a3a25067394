#pragma once

#include <QApplication>
#include <QPointer>
#include <QWidget>

// Disables the window and shows the busy pointer for the life of the object, however the work ends.
class BusyCursor {
public:
    explicit BusyCursor(QWidget* window) : m_window(window) {
        if (m_window)
            m_window->setEnabled(false);
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~BusyCursor() {
        QApplication::restoreOverrideCursor();
        if (m_window)
            m_window->setEnabled(true);
    }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    QPointer<QWidget> m_window;
};
