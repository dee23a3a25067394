#pragma once

#include <QList>
#include <QRect>

class QWidget;

// Sizes and places are given in twips, 1/1440 inch, and become pixels at the screen's logical resolution.
namespace Twips {
int toPixels(double twips, double dpi);
double fromPixels(int pixels, double dpi);
// The logical resolution of the screen the widget is on (or of the primary screen), horizontally and vertically.
double dpiX(const QWidget* widget);
double dpiY(const QWidget* widget);
} // namespace Twips

// Moves and, when needed, shrinks a window's frame so that it lies on the screen it overlaps most (or the first
// one), title bar included.
QRect fitOntoScreens(const QRect& frame, const QList<QRect>& availableScreens);
