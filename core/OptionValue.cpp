#include "core/OptionValue.h"

#include <QCoreApplication>
#include <QLocale>

#include <cmath>
#include <limits>
#include <optional>

namespace {

Failure notANumber(const OptionValue& value) {
    return {QCoreApplication::translate("OptionValue", "\"%1\" не является числом.").arg(value.toFileText())};
}

// Blanks around the value do not count; either decimal separator is taken so that a file written under one
// locale still reads under another.
std::optional<double> parseNumber(const QString& text) {
    QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

OptionValue OptionValue::fromText(const QString& text) {
    OptionValue v;
    v.m_value = text;
    return v;
}

OptionValue OptionValue::fromInt(qint32 value) {
    OptionValue v;
    v.m_value = value;
    return v;
}

OptionValue OptionValue::fromFloat(float value) {
    OptionValue v;
    v.m_value = value;
    return v;
}

OptionValue OptionValue::fromBool(bool value) {
    OptionValue v;
    v.m_value = value;
    return v;
}

QString OptionValue::toFileText() const {
    if (const auto* text = std::get_if<QString>(&m_value))
        return *text;
    if (const auto* i = std::get_if<qint32>(&m_value))
        return formatNumber(qint64(*i));
    if (const auto* f = std::get_if<float>(&m_value))
        return formatNumber(double(*f));
    return std::get<bool>(m_value) ? QStringLiteral("True") : QStringLiteral("False");
}

Result<double> OptionValue::toNumber() const {
    if (const auto* text = std::get_if<QString>(&m_value)) {
        const QString t = text->trimmed();
        if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
            return Success{-1.0};
        if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
            return Success{0.0};
        if (const std::optional<double> number = parseNumber(*text))
            return Success{*number};
        return notANumber(*this);
    }
    if (const auto* i = std::get_if<qint32>(&m_value))
        return Success{double(*i)};
    if (const auto* f = std::get_if<float>(&m_value))
        return Success{double(*f)};
    return Success{std::get<bool>(m_value) ? -1.0 : 0.0};
}

Result<qint32> OptionValue::toInt32() const {
    const Result<double> number = toNumber();
    if (!number)
        return Failure{number.error()};
    // Halves go to the even neighbour, as the integer conversion of the original environment did.
    const double rounded = std::nearbyint(*number);
    if (rounded < double(std::numeric_limits<qint32>::min()) || rounded > double(std::numeric_limits<qint32>::max()))
        return notANumber(*this);
    return Success{qint32(rounded)};
}

Result<bool> OptionValue::toBool() const {
    if (const auto* b = std::get_if<bool>(&m_value))
        return Success{*b};
    if (const Result<double> number = toNumber())
        return Success{*number != 0.0};
    return Failure{QCoreApplication::translate("OptionValue", "\"%1\" не является ни числом, ни словом True или False.")
                       .arg(toFileText())};
}

QString formatNumber(qint64 value) {
    return (value < 0 ? QStringLiteral("-") : QStringLiteral(" ")) + QString::number(value < 0 ? -value : value) +
           QLatin1Char(' ');
}

QString formatNumber(double value) {
    QString digits = QString::number(std::fabs(value), 'g', 7);
    const QString point = QLocale::system().decimalPoint();
    if (point != QLatin1String("."))
        digits.replace(QLatin1Char('.'), point);
    return (value < 0 ? QStringLiteral("-") : QStringLiteral(" ")) + digits + QLatin1Char(' ');
}
