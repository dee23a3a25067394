#pragma once

#include <QApplication>
#include <QStringList>
#include <QWidget>

// Every window of the program gone: a test that leaves one behind disturbs the next.
inline QStringList visibleTopLevels() {
    QApplication::processEvents();
    QStringList left;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            left.append(w->objectName() + QLatin1Char(' ') + QString::fromLatin1(w->metaObject()->className()));
    return left;
}
