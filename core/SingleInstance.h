#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

// Only one copy of the program may work on the program's folder at a time. A lock left by a copy that crashed
// belongs to a process that no longer runs, and QLockFile takes it over.
class SingleInstance {
public:
    explicit SingleInstance(const QString& folder);
    bool tryLock();
    static QString lockFileName();

private:
    std::unique_ptr<QLockFile> m_lock;
};
