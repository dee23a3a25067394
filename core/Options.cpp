#include "core/Options.h"

#include "core/FileError.h"
#include "core/TextFile.h"

#include <QCoreApplication>

namespace Options {

QString optionsFileName() {
    return QStringLiteral("tk.ini");
}

QString defaultAlphabet() {
    return QStringLiteral("AaBbCcDdEeFfGgHhIiJjKkLlMmNnOoPpQqRrSsTtUuVvWwXxYyZz"
                          "АаБбВвГгДдЕеЁёЖжЗзИиЙйКкЛлМмНнОоПпРрСсТтУуФфХхЦцЧчШшЩщЪъЫыЬьЭэЮюЯя"
                          "1234567890 ");
}

QStringList defaultLines() {
    return {QStringLiteral("Человек"),
            QStringLiteral("standart.tka"),
            QStringLiteral("standart.tkq"),
            QStringLiteral("standart.tks"),
            OptionValue::fromInt(15138815).toFileText(),
            QStringLiteral("Arial"),
            OptionValue::fromInt(10).toFileText(),
            OptionValue::fromBool(false).toFileText(),
            OptionValue::fromBool(false).toFileText(),
            OptionValue::fromBool(false).toFileText(),
            OptionValue::fromBool(false).toFileText(),
            defaultAlphabet(),
            OptionValue::fromInt(7).toFileText()};
}

QStringList optionLines(const Variables& v) {
    return {v.HumanName,
            v.AnswerBaseFile,
            v.QuestionBaseFile,
            v.SynonymBaseFile,
            v.DialogBackColor.toFileText(),
            v.FontName,
            v.FontSize.toFileText(),
            v.FontBold.toFileText(),
            v.FontItalic.toFileText(),
            v.FontUnderline.toFileText(),
            v.FontStrikethrough.toFileText(),
            v.Alphabet,
            v.ShortPhraseLimit.toFileText()};
}

Result<> LoadOptions(Variables& v, const QString& path) {
    const Result<QStringList> read = TextFile::readLines(path, -1, MaxBytes);
    if (!read)
        return Failure{read.error()};
    if (!applyLines(v, *read))
        return Failure{
            QCoreApplication::translate("Options", "Файл настроек \"%1\" неполон.").arg(FileError::nativePath(path))};
    return Success{};
}

bool applyLines(Variables& v, const QStringList& l) {
    if (l.size() < 13)
        return false;
    v.HumanName = l[0];
    v.AnswerBaseFile = l[1];
    v.QuestionBaseFile = l[2];
    v.SynonymBaseFile = l[3];
    v.DialogBackColor = OptionValue::fromText(l[4]);
    v.FontName = l[5];
    v.FontSize = OptionValue::fromText(l[6]);
    v.FontBold = OptionValue::fromText(l[7]);
    v.FontItalic = OptionValue::fromText(l[8]);
    v.FontUnderline = OptionValue::fromText(l[9]);
    v.FontStrikethrough = OptionValue::fromText(l[10]);
    v.Alphabet = l[11];
    v.ShortPhraseLimit = OptionValue::fromText(l[12]);
    return true;
}

Result<> WriteDefaultOptions(const QString& path) {
    return TextFile::writeLines(path, defaultLines());
}

Result<> SaveOptions(const Variables& v, const QString& path) {
    return TextFile::writeLines(path, optionLines(v));
}

} // namespace Options
