#include "core/Placement.h"

#include "core/Version.h"

#include <QSettings>

#include <cmath>

namespace Settings {
QString organizationName() {
    return QStringLiteral("Talkomat");
}
QString applicationName() {
    return Version::title();
}
QString section() {
    return QStringLiteral("Settings");
}
} // namespace Settings

namespace {

const char* const placementKeys[] = {"MainLeft", "MainTop", "MainWidth", "MainHeight"};

// Far beyond any screen (about 700 inches), and still a whole number of pixels at any resolution.
constexpr double kFarthest = 1e6;

double readNumber(QSettings& settings, const char* key, double fallback) {
    const QVariant value = settings.value(QLatin1String(key));
    if (!value.isValid())
        return fallback;
    bool ok = false;
    const float number = value.toString().trimmed().toFloat(&ok);
    return ok && std::isfinite(number) && std::fabs(number) <= kFarthest ? double(number) : fallback;
}

} // namespace

Placement readPlacement(QSettings& settings) {
    const Placement defaults;
    Placement p;
    settings.beginGroup(Settings::section());
    p.Left = readNumber(settings, placementKeys[0], defaults.Left);
    p.Top = readNumber(settings, placementKeys[1], defaults.Top);
    p.Width = readNumber(settings, placementKeys[2], defaults.Width);
    p.Height = readNumber(settings, placementKeys[3], defaults.Height);
    settings.endGroup();
    return p;
}

void writePlacement(QSettings& settings, const Placement& p) {
    settings.beginGroup(Settings::section());
    const double values[] = {p.Left, p.Top, p.Width, p.Height};
    for (int i = 0; i < 4; ++i)
        settings.setValue(QLatin1String(placementKeys[i]), QString::number(qRound64(values[i])));
    settings.endGroup();
    settings.sync();
}

Placement withUsableSize(const Placement& placement, double minWidth, double minHeight) {
    const Placement defaults;
    Placement p = placement;
    if (!(p.Width >= minWidth && p.Width <= kFarthest))
        p.Width = defaults.Width;
    if (!(p.Height >= minHeight && p.Height <= kFarthest))
        p.Height = defaults.Height;
    return p;
}
