#include "core/SingleInstance.h"

#include <QDir>

SingleInstance::SingleInstance(const QString& folder)
    : m_lock(std::make_unique<QLockFile>(QDir(folder).filePath(lockFileName()))) {}

bool SingleInstance::tryLock() {
    return m_lock->tryLock(0);
}

QString SingleInstance::lockFileName() {
    return QStringLiteral("talkomat.lock");
}
