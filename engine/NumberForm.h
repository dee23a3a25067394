#pragma once

#include <QString>

// The Russian form of a noun after a number: the one for 1, 21, 31, ..., the one for 2 to 4, 22 to 24, ..., and
// the one for the rest (5 to 20, 25 to 30, ...): «1 пара», «2 пары», «5 пар»; after a preposition «у 1 пары»,
// «у 2 пар», «у 5 пар».
inline QString numberForm(qint64 n, const QString& one, const QString& few, const QString& many) {
    const qint64 tens = (n < 0 ? -n : n) % 100;
    const qint64 units = tens % 10;
    if (tens >= 11 && tens <= 14)
        return many;
    if (units == 1)
        return one;
    if (units >= 2 && units <= 4)
        return few;
    return many;
}
