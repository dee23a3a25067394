#pragma once

#include <QApplication>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>

// Every window of the program gone: a test that leaves one behind disturbs the next.
inline QStringList visibleTopLevels() {
    QApplication::processEvents();
    QStringList left;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            left.append(w->objectName() + QLatin1Char(' ') + QString::fromLatin1(w->metaObject()->className()));
    return left;
}

// For a test class's cleanup(): no window of the program and no busy cursor left behind.
#define VERIFY_NOTHING_LEFT_OPEN()                                                                                     \
    do {                                                                                                               \
        const QStringList left = visibleTopLevels();                                                                   \
        QVERIFY2(left.isEmpty(), qPrintable(left.join(QStringLiteral(", "))));                                         \
        QVERIFY(!QApplication::overrideCursor());                                                                      \
    } while (false)

// Runs `inspect` on the modal window that the next call opens, once the window's own event loop runs.
inline void whenShown(std::function<void(QWidget*)> inspect) {
    QTimer::singleShot(0, qApp, [inspect] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        inspect(modal);
    });
}
