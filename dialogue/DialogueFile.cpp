#include "dialogue/DialogueFile.h"

#include "core/Cp1251.h"
#include "core/FileError.h"
#include "core/OptionValue.h"
#include "core/TextFile.h"
#include "core/Variables.h"

#include <QCoreApplication>

#include <cstring>
#include <optional>

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("DialogueFile", text);
}

std::optional<qint16> parseNumber(const QString& line) {
    bool ok = false;
    const int value = line.trimmed().toInt(&ok);
    if (!ok || value < std::numeric_limits<qint16>::min() || value > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return qint16(value);
}

// The pane's text with CR LF between its lines. A file edited by hand may end a line with a lone CR; it becomes
// CR LF, as it would have been read line by line.
QString paneText(QByteArrayView bytes) {
    QString text = Cp1251::decode(bytes);
    qsizetype lone = 0;
    for (qsizetype i = text.indexOf(QLatin1Char('\r')); i >= 0; i = text.indexOf(QLatin1Char('\r'), i + 1)) {
        if (i + 1 >= text.size() || text.at(i + 1) != QLatin1Char('\n'))
            ++lone;
    }
    if (lone == 0)
        return text;
    QString out;
    out.reserve(text.size() + lone);
    for (qsizetype i = 0; i < text.size(); ++i) {
        out += text.at(i);
        if (text.at(i) == QLatin1Char('\r') && (i + 1 >= text.size() || text.at(i + 1) != QLatin1Char('\n')))
            out += QLatin1Char('\n');
    }
    return out;
}

} // namespace

namespace DialogueFile {

QString filter() {
    return QStringLiteral("Файл содержащий диалог (*.dlg)|*.dlg|");
}

QByteArray encode(const Variables& v, const QString& paneText) {
    QStringList lines{v.Mode, v.PreviousPhrase, v.PendingKeys, v.PendingPhrase,
                      formatNumber(qint64(v.AskedQuestionCount))};
    for (qsizetype i = 0; i < v.AskedQuestionCount && i < v.AskedQuestions.size(); ++i)
        lines.append(formatNumber(qint64(v.AskedQuestions.at(i))));
    return TextFile::joinLines(lines) + Cp1251::encode(paneText) + "\r\n";
}

Result<> write(const QString& path, const Variables& v, const QString& paneText) {
    return TextFile::writeBytes(path, encode(v, paneText));
}

Result<DialogueFileContent> decode(const QByteArray& bytes, const QString& path) {
    const QString name = FileError::nativePath(path);
    // Lines end as everywhere in the program's files: at CR, an LF right after it belonging to the line end. Only
    // the few lines before the pane are split off; the pane, which may be hundreds of megabytes, is decoded in one
    // pass and never held as a list of lines.
    const char* data = bytes.constData();
    const qsizetype size = bytes.size();
    qsizetype at = 0;
    const auto nextLine = [&]() -> std::optional<QString> {
        if (at >= size)
            return std::nullopt;
        const void* cr = memchr(data + at, '\r', size_t(size - at));
        const qsizetype end = cr ? static_cast<const char*>(cr) - data : size;
        QString line = Cp1251::decode(QByteArrayView(data + at, end - at));
        at = end + 1;
        if (cr && at < size && data[at] == '\n')
            ++at;
        return line;
    };
    std::optional<QString> head[5];
    for (auto& line : head)
        line = nextLine();
    if (!head[4])
        return Failure{tr("Файл \"%1\" не похож на сохраненный диалог: он слишком короткий.").arg(name)};
    const std::optional<qint16> count = parseNumber(*head[4]);
    if (!count || *count < 0)
        return Failure{tr("Файл \"%1\" поврежден: в строке 5 должно стоять число заданных вопросов.").arg(name)};
    const QString endsEarly = tr("Файл \"%1\" поврежден: он обрывается раньше текста диалога.").arg(name);
    DialogueFileContent c;
    c.Mode = *head[0];
    c.PreviousPhrase = *head[1];
    c.PendingKeys = *head[2];
    c.PendingPhrase = *head[3];
    c.AskedQuestions.reserve(*count);
    for (int i = 0; i < *count; ++i) {
        const std::optional<QString> line = nextLine();
        if (!line)
            return Failure{endsEarly};
        const std::optional<qint16> index = parseNumber(*line);
        if (!index)
            return Failure{tr("Файл \"%1\" поврежден: в строке %2 должно стоять число.").arg(name).arg(6 + i)};
        c.AskedQuestions.append(*index);
    }
    if (at >= size)
        return Failure{endsEarly};
    // The pane's lines were written with CR LF between them and after the last; that last line end is not text.
    qsizetype end = size;
    if (end - at >= 2 && data[end - 2] == '\r' && data[end - 1] == '\n')
        end -= 2;
    else if (data[end - 1] == '\r')
        end -= 1;
    c.PaneText = paneText(QByteArrayView(data + at, end - at));
    return Success{c};
}

Result<DialogueFileContent> read(const QString& path) {
    const Result<QByteArray> bytes = TextFile::readBytes(path, MaxBytes);
    if (!bytes)
        return Failure{bytes.error()};
    return decode(*bytes, path);
}

} // namespace DialogueFile
