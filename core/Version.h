#pragma once

#include <QString>

// The program's name and version as the person sees them, from the project's one version number.
namespace Version {

// "1.0": the major and the minor number, without padding.
inline QString number() {
    return QStringLiteral("%1.%2").arg(TALKOMAT_VERSION_MAJOR).arg(TALKOMAT_VERSION_MINOR);
}
inline QString titlePrefix() {
    return QStringLiteral("Talkomat v");
}
// "Talkomat v1.0": the window's caption and the settings store's application name.
inline QString title() {
    return titlePrefix() + number();
}

} // namespace Version
