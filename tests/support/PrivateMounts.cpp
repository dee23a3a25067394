#include "support/PrivateMounts.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

namespace {

QString g_problem = QStringLiteral("not tried");

QString systemError() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

namespace PrivateMounts {

QString enter() {
    if (geteuid() != 0)
        g_problem = QStringLiteral("mounting a file system of our own needs root");
    else if (unshare(CLONE_NEWNS) != 0)
        g_problem = QStringLiteral("unshare(CLONE_NEWNS): ") + systemError();
    // Mounts made from here on must not reach the rest of the machine.
    else if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        g_problem = QStringLiteral("making / private: ") + systemError();
    else
        g_problem.clear();
    return g_problem;
}

QString problem() {
    return g_problem;
}

} // namespace PrivateMounts

TmpfsMount::TmpfsMount(const QString& where, const QByteArray& options) : m_path(where) {
    if (!PrivateMounts::problem().isEmpty()) {
        m_problem = QStringLiteral("no mount namespace of our own: ") + PrivateMounts::problem();
        return;
    }
    QDir().mkpath(m_path);
    m_mounted = mount("tmpfs", QFile::encodeName(m_path).constData(), "tmpfs", 0, options.constData()) == 0;
    if (!m_mounted)
        m_problem = QStringLiteral("mounting a tmpfs: ") + systemError();
}

TmpfsMount::~TmpfsMount() {
    if (m_mounted)
        umount2(QFile::encodeName(m_path).constData(), MNT_DETACH);
}

bool TmpfsMount::makeReadOnly() {
    if (!m_mounted)
        return false;
    if (mount(nullptr, QFile::encodeName(m_path).constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0)
        return true;
    m_problem = QStringLiteral("remounting read-only: ") + systemError();
    return false;
}
