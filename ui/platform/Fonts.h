#pragma once

#include <QFont>

// The font of the auxiliary windows, the phrase box and the buttons of the journal viewer: Tahoma, 8.25 pt unless
// said otherwise. Where Tahoma is missing the font database substitutes a sans-serif face of the same size.
QFont tahoma(double pointSize = 8.25);
