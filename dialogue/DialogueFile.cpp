#include "dialogue/DialogueFile.h"

#include "core/Cp1251.h"
#include "core/FileError.h"
#include "core/OptionValue.h"
#include "core/TextFile.h"
#include "core/Variables.h"

#include <QCoreApplication>

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
    const QStringList lines = TextFile::splitLines(bytes);
    if (lines.size() < 5)
        return Failure{tr("Файл \"%1\" не похож на сохраненный диалог: он слишком короткий.").arg(name)};
    const std::optional<qint16> count = parseNumber(lines.at(4));
    if (!count || *count < 0)
        return Failure{tr("Файл \"%1\" поврежден: в строке 5 должно стоять число заданных вопросов.").arg(name)};
    if (lines.size() < 5 + *count + 1)
        return Failure{tr("Файл \"%1\" поврежден: он обрывается раньше текста диалога.").arg(name)};
    DialogueFileContent c;
    c.Mode = lines.at(0);
    c.PreviousPhrase = lines.at(1);
    c.PendingKeys = lines.at(2);
    c.PendingPhrase = lines.at(3);
    c.AskedQuestions.reserve(*count);
    for (int i = 0; i < *count; ++i) {
        const std::optional<qint16> index = parseNumber(lines.at(5 + i));
        if (!index)
            return Failure{tr("Файл \"%1\" поврежден: в строке %2 должно стоять число.").arg(name).arg(6 + i)};
        c.AskedQuestions.append(*index);
    }
    c.PaneText = lines.mid(5 + *count).join(QStringLiteral("\r\n"));
    return c;
}

Result<DialogueFileContent> read(const QString& path) {
    const Result<QByteArray> bytes = TextFile::readBytes(path, MaxBytes);
    if (!bytes)
        return Failure{bytes.error};
    return decode(*bytes, path);
}

} // namespace DialogueFile
