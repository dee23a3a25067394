#include "engine/Macros.h"

#include "engine/Clock.h"

#include <optional>

namespace {

// Every macro starts with '#', which no other character upper-cases to, so the comparison is only made there.
bool macroAt(const QString& text, qsizetype p, QLatin1String macro) {
    return p < text.size() && text.at(p) == QLatin1Char('#') && text.mid(p, 5).toUpper() == macro;
}

template <typename MakeReplacement>
void replaceAll(QString& text, QLatin1String macro, MakeReplacement&& makeReplacement) {
    const qsizetype length = text.size();
    for (qsizetype p = 0; p < length; ++p) {
        if (macroAt(text, p, macro))
            text = text.left(p) + makeReplacement() + text.mid(p + 5);
    }
}

} // namespace

MacroResult ExpandMacros(const QString& reply, const QString& humanName, const Clock& clock) {
    MacroResult r{reply, false};
    if (!r.text.contains(QLatin1Char('#')))
        return r;
    replaceAll(r.text, QLatin1String("#NAME"), [&] { return humanName; });
    // One reading of the clock serves both macros, so a reply never shows a time and a date from either side of
    // midnight.
    std::optional<QDateTime> now;
    auto time = [&] {
        if (!now)
            now = clock.now();
        return *now;
    };
    replaceAll(r.text, QLatin1String("#TIME"), [&] { return formatTime(time()); });
    replaceAll(r.text, QLatin1String("#DATE"), [&] { return formatDate(time()); });
    const qsizetype length = r.text.size();
    for (qsizetype p = 0; p < length; ++p) {
        if (macroAt(r.text, p, QLatin1String("#STOP"))) {
            r.text.remove(p, 5);
            r.stop = true;
            break;
        }
    }
    return r;
}
