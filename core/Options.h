#pragma once

#include "core/Result.h"
#include "core/Variables.h"

#include <QStringList>

#include <span>
#include <string_view>
#include <variant>

// The settings kept between runs, one positional line each, in the file named optionsFileName() in the program's
// folder. Each line is one row of the table in Options.cpp; reading, writing, the defaults and start-up's
// recovery all go by it, and tests name a line by the member it fills.
namespace Options {

// How a use converts the option; a text option is used as it stands.
enum class Kind { Text, Int32, Number, Flag };

// The Variables member a line fills: a text option's string, or the value of a number or flag option.
using Field = std::variant<QString Variables::*, OptionValue Variables::*>;
// A text, or a typed value that goes to the file as OptionValue writes it.
using Default = std::variant<std::u16string_view, qint32, bool>;

struct Row {
    // The line in the file, from 1.
    int number;
    const char* name;
    Field field;
    Kind kind;
    Default defaultValue;
};

// Lines 1 to RequiredLines are those of the original file, and a file without all of them is damaged. A line
// added later is optional: a file that ends before it gets the row's default, so that an options file written
// before the line existed stays valid, and the file is written without optional lines at its end that hold their
// default.
inline constexpr int RequiredLines = 13;

std::span<const Row> rows();
const Row& row(const Field& field);
// Where the option's line stands in a list of the file's lines.
qsizetype indexOf(const Field& field);

QString optionsFileName();
// The row's default as its line reads.
QString defaultLine(const Row& row);
QString defaultAlphabet();
// The lines of the default file.
QStringList defaultLines();

// A number or flag option converted as its row says; a text that does not convert gives the row's default.
qint32 int32Value(const Variables& v, OptionValue Variables::*field);
double numberValue(const Variables& v, OptionValue Variables::*field);
bool flagValue(const Variables& v, OptionValue Variables::*field);

// Reads the lines as they stand; converts nothing. Fails when the file cannot be read or lacks a required line,
// and then leaves the state untouched.
Result<> LoadOptions(Variables& v, const QString& path);
// Rewrites the file with the defaults and nothing else.
Result<> WriteDefaultOptions(const QString& path);
Result<> SaveOptions(const Variables& v, const QString& path);

QStringList optionLines(const Variables& v);
// Takes the lines into the options, the defaults for optional lines the list lacks; false (and nothing changed)
// when a required line is missing. Lines past the table's are ignored.
[[nodiscard]] bool applyLines(Variables& v, const QStringList& lines);
void applyDefaults(Variables& v);

// A few short lines; anything much larger is not an options file.
inline constexpr qint64 MaxBytes = 1024 * 1024;

} // namespace Options
