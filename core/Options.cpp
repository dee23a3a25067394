#include "core/Options.h"

#include "core/FileError.h"
#include "core/TextFile.h"

#include <QCoreApplication>

#include <array>

namespace Options {

namespace {

constexpr std::u16string_view text(std::u16string_view value) {
    return value;
}

// clang-format off
constexpr std::array kRows = {
    Row{1,  "HumanName",         &Variables::HumanName,         Kind::Text,   text(u"Человек")},
    Row{2,  "AnswerBaseFile",    &Variables::AnswerBaseFile,    Kind::Text,   text(u"standart.tka")},
    Row{3,  "QuestionBaseFile",  &Variables::QuestionBaseFile,  Kind::Text,   text(u"standart.tkq")},
    Row{4,  "SynonymBaseFile",   &Variables::SynonymBaseFile,   Kind::Text,   text(u"standart.tks")},
    // Red 255, green 255, blue 230 (red in the lowest byte): a pale yellow.
    Row{5,  "DialogBackColor",   &Variables::DialogBackColor,   Kind::Int32,  qint32(0xE6FFFF)},
    Row{6,  "FontName",          &Variables::FontName,          Kind::Text,   text(u"Arial")},
    Row{7,  "FontSize",          &Variables::FontSize,          Kind::Number, qint32(10)},
    Row{8,  "FontBold",          &Variables::FontBold,          Kind::Flag,   false},
    Row{9,  "FontItalic",        &Variables::FontItalic,        Kind::Flag,   false},
    Row{10, "FontUnderline",     &Variables::FontUnderline,     Kind::Flag,   false},
    // Read and written back; nothing applies it to the pane or changes it.
    Row{11, "FontStrikethrough", &Variables::FontStrikethrough, Kind::Flag,   false},
    Row{12, "Alphabet",          &Variables::Alphabet,          Kind::Text,
        text(u"AaBbCcDdEeFfGgHhIiJjKkLlMmNnOoPpQqRrSsTtUuVvWwXxYyZz"
             u"АаБбВвГгДдЕеЁёЖжЗзИиЙйКкЛлМмНнОоПпРрСсТтУуФфХхЦцЧчШшЩщЪъЫыЬьЭэЮюЯя1234567890 ")},
    Row{13, "ShortPhraseLimit",  &Variables::ShortPhraseLimit,  Kind::Number, qint32(7)},
};
// clang-format on

// The lines follow one another from 1, every required line has a row, and a text option has a text default.
constexpr bool wellFormed() {
    if (kRows.size() < size_t(RequiredLines))
        return false;
    for (size_t i = 0; i < kRows.size(); ++i) {
        const Row& r = kRows[i];
        const bool isText = r.kind == Kind::Text;
        if (r.number != int(i) + 1 || isText != (r.field.index() == 0) || isText != (r.defaultValue.index() == 0))
            return false;
    }
    return true;
}
static_assert(wellFormed());

OptionValue defaultOf(const Row& r) {
    if (const auto* t = std::get_if<std::u16string_view>(&r.defaultValue))
        return OptionValue::fromText(QStringView(*t).toString());
    if (const auto* i = std::get_if<qint32>(&r.defaultValue))
        return OptionValue::fromInt(*i);
    return OptionValue::fromBool(std::get<bool>(r.defaultValue));
}

void take(QString& member, const QString& line) {
    member = line;
}
void take(OptionValue& member, const QString& line) {
    member = OptionValue::fromText(line);
}
QString lineOf(const QString& member) {
    return member;
}
QString lineOf(const OptionValue& member) {
    return member.toFileText();
}

// An optional line at the end that holds its default is left out, so that a file written before the line existed
// goes back as it was, and the defaults stay the original lines.
QStringList withoutTrailingDefaults(QStringList lines) {
    while (lines.size() > RequiredLines && lines.constLast() == defaultOf(kRows[size_t(lines.size() - 1)]).toFileText())
        lines.removeLast();
    return lines;
}

const Row& checked(OptionValue Variables::*field, Kind kind) {
    const Row& r = row(field);
    Q_ASSERT_X(r.kind == kind, r.name, "converted as another kind than its row says");
    return r;
}

} // namespace

std::span<const Row> rows() {
    return kRows;
}

const Row& row(const Field& field) {
    for (const Row& r : kRows)
        if (r.field == field)
            return r;
    Q_UNREACHABLE();
    return kRows.front();
}

qsizetype indexOf(const Field& field) {
    return row(field).number - 1;
}

QString optionsFileName() {
    return QStringLiteral("tk.ini");
}

QString defaultLine(const Row& r) {
    return defaultOf(r).toFileText();
}

QString defaultAlphabet() {
    return defaultOf(row(&Variables::Alphabet)).toFileText();
}

QStringList defaultLines() {
    QStringList lines;
    for (const Row& r : kRows)
        lines.append(defaultLine(r));
    return withoutTrailingDefaults(lines);
}

qint32 int32Value(const Variables& v, OptionValue Variables::*field) {
    const Row& r = checked(field, Kind::Int32);
    return (v.*field).toInt32().valueOr(defaultOf(r).toInt32().value());
}

double numberValue(const Variables& v, OptionValue Variables::*field) {
    const Row& r = checked(field, Kind::Number);
    return (v.*field).toNumber().valueOr(defaultOf(r).toNumber().value());
}

bool flagValue(const Variables& v, OptionValue Variables::*field) {
    const Row& r = checked(field, Kind::Flag);
    return (v.*field).toBool().valueOr(defaultOf(r).toBool().value());
}

QStringList optionLines(const Variables& v) {
    QStringList lines;
    for (const Row& r : kRows)
        lines.append(std::visit([&v](auto member) { return lineOf(v.*member); }, r.field));
    return withoutTrailingDefaults(lines);
}

bool applyLines(Variables& v, const QStringList& lines) {
    if (lines.size() < RequiredLines)
        return false;
    for (const Row& r : kRows) {
        const QString line = r.number <= lines.size() ? lines.at(r.number - 1) : defaultOf(r).toFileText();
        std::visit([&](auto member) { take(v.*member, line); }, r.field);
    }
    return true;
}

void applyDefaults(Variables& v) {
    const bool applied = applyLines(v, defaultLines());
    Q_ASSERT(applied);
    Q_UNUSED(applied);
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

Result<> WriteDefaultOptions(const QString& path) {
    return TextFile::writeLines(path, defaultLines());
}

Result<> SaveOptions(const Variables& v, const QString& path) {
    return TextFile::writeLines(path, optionLines(v));
}

} // namespace Options
