#include "dialogue/Export.h"

#include "core/Cp1251.h"
#include "core/TextFile.h"

#include <cmath>

namespace {

void appendEscaped(QByteArray& out, const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const char16_t u = c.unicode();
        if (u == '\r' || u == '\n') {
            // CR LF, a lone CR or a lone LF each end one paragraph.
            if (u == '\r' && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            out += "\\par\r\n";
        } else if (u == '\t') {
            out += "\\tab ";
        } else if (u == '\\' || u == '{' || u == '}') {
            out += '\\';
            out += char(u);
        } else if (u >= 0x20 && u < 0x80) {
            out += char(u);
        } else {
            // The Unicode value for every reader that knows it, the code page byte for those that do not.
            out += "\\u" + QByteArray::number(int(qint16(u)));
            const QByteArray fallback = Cp1251::encode(QString(c));
            out += "\\'" + fallback.toHex();
        }
    }
}

} // namespace

namespace Export {

QString filter() {
    return QStringLiteral("Текстовые документы (*.txt)|*.txt|Файл RTF (*.rtf)|*.rtf");
}

bool isRtfName(const QString& path) {
    return path.endsWith(QLatin1String(".rtf"));
}

QByteArray plainText(const QString& paneText) {
    return Cp1251::encode(paneText) + "\r\n";
}

QByteArray rtf(const QString& paneText, const QFont& font) {
    QByteArray out = "{\\rtf1\\ansi\\ansicpg1251\\deff0\\uc1{\\fonttbl{\\f0\\fnil\\fcharset204 ";
    appendEscaped(out, font.family());
    out += ";}}\r\n\\viewkind4\\pard\\f0";
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : 10.0;
    out += "\\fs" + QByteArray::number(qRound(points * 2));
    if (font.bold())
        out += "\\b";
    if (font.italic())
        out += "\\i";
    if (font.underline())
        out += "\\ul";
    out += ' ';
    appendEscaped(out, paneText);
    out += "\\par\r\n}\r\n";
    return out;
}

Result<> DialogExport(const QString& path, const QString& paneText, const QFont& font) {
    return TextFile::writeBytes(path, isRtfName(path) ? rtf(paneText, font) : plainText(paneText));
}

} // namespace Export
