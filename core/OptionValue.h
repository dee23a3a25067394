#pragma once

#include "core/Result.h"

#include <QString>

#include <variant>

// A number or flag option: the text of its line as read, until a chooser puts a typed value in its place.
// Keeping the text lets an untouched option go back to the file byte for byte.
class OptionValue {
public:
    OptionValue() = default;
    static OptionValue fromText(const QString& text);
    static OptionValue fromInt(qint32 value);
    static OptionValue fromFloat(float value);
    static OptionValue fromBool(bool value);

    bool isText() const { return std::holds_alternative<QString>(m_value); }
    // The line as it goes to the options file.
    QString toFileText() const;

    // Text ignores the blanks around it and reads "True" and "False" in any letter case as -1 and 0; text that does
    // not convert gives a sentence that quotes it.
    Result<qint32> toInt32() const;
    Result<double> toNumber() const;
    Result<bool> toBool() const;

    bool operator==(const OptionValue& other) const = default;

private:
    std::variant<QString, qint32, float, bool> m_value;
};

// " 10 " for 10 and "-3 " for -3: the sign's place, the digits, one blank.
QString formatNumber(qint64 value);
QString formatNumber(double value);
