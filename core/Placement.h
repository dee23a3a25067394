#pragma once

#include <QString>

class QSettings;

// The main window's placement in twips, as the settings store keeps it.
struct Placement {
    double Left = 0;
    double Top = -360;
    double Width = 7155;
    double Height = 5400;

    bool operator==(const Placement&) const = default;
};

// Where the settings store keeps the placement.
namespace Settings {
QString organizationName();
QString applicationName();
QString section();
} // namespace Settings

// A value that is not a number, is not finite, or lies beyond any screen falls back to its default instead of
// costing the person their options file or their window.
Placement readPlacement(QSettings& settings);
void writePlacement(QSettings& settings, const Placement& placement);

// A window smaller than its menus and its phrase box need cannot be used, and it would be stored so again at
// exit: such a width or height falls back to its default. Sizes in twips.
Placement withUsableSize(const Placement& placement, double minWidth, double minHeight);
