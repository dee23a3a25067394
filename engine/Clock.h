#pragma once

#include <QDateTime>

// The local date and time, behind an interface so that tests can fix them.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

// The fixed forms used in replies and files, whatever the regional settings: MM-DD-YYYY and HH:MM:SS.
inline QString formatDate(const QDateTime& t) {
    return t.date().toString(QStringLiteral("MM-dd-yyyy"));
}
inline QString formatTime(const QDateTime& t) {
    return t.time().toString(QStringLiteral("HH:mm:ss"));
}
