#include "Macros.h"

#include "Clock.h"

namespace {

bool macroAt(const QString& text, qsizetype p, QLatin1String macro) {
    return text.mid(p, 5).toUpper() == macro;
}

void replaceAll(QString& text, QLatin1String macro, const QString& replacement) {
    const qsizetype length = text.size();
    for (qsizetype p = 0; p < length; ++p) {
        if (macroAt(text, p, macro))
            text = text.left(p) + replacement + text.mid(p + 5);
    }
}

} // namespace

MacroResult ExpandMacros(const QString& reply, const QString& humanName, const Clock& clock) {
    MacroResult r{reply, false};
    replaceAll(r.text, QLatin1String("#NAME"), humanName);
    const QDateTime now = clock.now();
    replaceAll(r.text, QLatin1String("#TIME"), formatTime(now));
    replaceAll(r.text, QLatin1String("#DATE"), formatDate(now));
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
