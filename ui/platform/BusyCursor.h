#pragma once

#include <QApplication>
#include <QPointer>
#include <QWidget>

// Disables the window and shows the busy pointer for the life of the object, however the work ends.
class BusyCursor {
public:
    explicit BusyCursor(QWidget* window) : m_window(window), m_focus(QApplication::focusWidget()) {
        if (m_window)
            m_window->setEnabled(false);
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~BusyCursor() {
        QApplication::restoreOverrideCursor();
        if (m_window)
            m_window->setEnabled(true);
        // Disabling the window took the focus away; the person goes on typing where they were.
        if (m_focus && m_focus->isEnabled())
            m_focus->setFocus();
    }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    QPointer<QWidget> m_window;
    QPointer<QWidget> m_focus;
};

// The work's result, computed under the busy pointer.
template <typename Work> auto whileBusy(QWidget* window, Work&& work) {
    BusyCursor busy(window);
    return work();
}
