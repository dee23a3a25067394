#include "ui/platform/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace Twips {

int toPixels(double twips, double dpi) {
    return int(std::lround(twips * dpi / 1440.0));
}

double fromPixels(int pixels, double dpi) {
    return pixels * 1440.0 / dpi;
}

namespace {
const QScreen* screenOf(const QWidget* widget) {
    if (widget && widget->screen())
        return widget->screen();
    return QGuiApplication::primaryScreen();
}
} // namespace

double dpiX(const QWidget* widget) {
    const QScreen* s = screenOf(widget);
    return s ? s->logicalDotsPerInchX() : 96.0;
}

double dpiY(const QWidget* widget) {
    const QScreen* s = screenOf(widget);
    return s ? s->logicalDotsPerInchY() : 96.0;
}

} // namespace Twips

QRect fitOntoScreens(const QRect& frame, const QList<QRect>& availableScreens) {
    if (availableScreens.isEmpty())
        return frame;
    QRect target = availableScreens.constFirst();
    qint64 bestArea = -1;
    for (const QRect& screen : availableScreens) {
        const QRect overlap = screen.intersected(frame);
        const qint64 area = overlap.isEmpty() ? 0 : qint64(overlap.width()) * overlap.height();
        if (area > bestArea) {
            bestArea = area;
            target = screen;
        }
    }
    if (bestArea <= 0)
        target = availableScreens.constFirst();
    QRect fitted = frame;
    fitted.setWidth(qMin(frame.width(), target.width()));
    fitted.setHeight(qMin(frame.height(), target.height()));
    fitted.moveLeft(qBound(target.left(), frame.left(), target.right() - fitted.width() + 1));
    fitted.moveTop(qBound(target.top(), frame.top(), target.bottom() - fitted.height() + 1));
    return fitted;
}
