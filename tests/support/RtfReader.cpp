#include "support/RtfReader.h"

#include "core/Cp1251.h"

#include <cctype>

namespace {

bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

} // namespace

QString RtfText::face() const {
    QString name = fontTable;
    if (name.endsWith(QLatin1Char(';')))
        name.chop(1);
    return name.trimmed();
}

RtfText readRtf(const QByteArray& rtf) {
    RtfText out;
    int depth = 0;
    int fontTableDepth = -1;
    int skipFallback = 0;
    const auto put = [&](const QString& s) { (fontTableDepth >= 0 ? out.fontTable : out.text) += s; };
    // A character the text holds, unless it is the fallback of the \uN before it.
    const auto character = [&](const QString& s) {
        if (skipFallback > 0)
            --skipFallback;
        else
            put(s);
    };
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        const char c = rtf.at(i);
        if (c == '{') {
            ++depth;
        } else if (c == '}') {
            if (depth-- == fontTableDepth)
                fontTableDepth = -1;
        } else if (c == '\r' || c == '\n') {
            continue;
        } else if (c != '\\') {
            character(QString(QLatin1Char(c)));
        } else if (const char n = rtf.at(++i); n == '\\' || n == '{' || n == '}') {
            character(QString(QLatin1Char(n)));
        } else if (n == '\'') {
            character(Cp1251::decode(QByteArray::fromHex(rtf.mid(i + 1, 2))));
            i += 2;
        } else {
            qsizetype j = i;
            while (j < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf.at(j))))
                ++j;
            const QByteArray word = rtf.mid(i, j - i);
            qsizetype k = j;
            if (k < rtf.size() && (rtf.at(k) == '-' || isDigit(rtf.at(k))))
                ++k;
            while (k < rtf.size() && isDigit(rtf.at(k)))
                ++k;
            const QByteArray number = rtf.mid(j, k - j);
            if (k < rtf.size() && rtf.at(k) == ' ')
                ++k;
            i = k - 1;
            out.controlWords << QString::fromLatin1(word + number);
            if (word == "fonttbl")
                fontTableDepth = depth;
            else if (word == "par")
                put(QStringLiteral("\r\n"));
            else if (word == "tab")
                put(QStringLiteral("\t"));
            else if (word == "fs")
                out.halfPoints = number.toInt();
            else if (word == "b")
                out.bold = number != "0";
            else if (word == "i")
                out.italic = number != "0";
            else if (word == "ul")
                out.underline = number != "0";
            else if (word == "u") {
                put(QString(QChar(char16_t(qint16(number.toInt())))));
                skipFallback = 1;
            }
        }
    }
    out.balanced = depth == 0;
    return out;
}
