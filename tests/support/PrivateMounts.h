#pragma once

#include <QByteArray>
#include <QString>

// Real file-system faults (a disk that fills up, a read-only disk) need file systems of the test's own. They are
// mounted in a mount namespace of this process alone, so that they vanish with it and nothing else sees them. That
// takes root, as CI has; elsewhere the tests say why they cannot.
namespace PrivateMounts {
// Call first thing in main(), before any thread exists: a new mount namespace is the calling thread's alone.
// Returns why the process has none of its own; empty when it has one.
QString enter();
// What enter() returned; "not tried" before it is called.
QString problem();
} // namespace PrivateMounts

// A tmpfs mounted on a folder (made when missing) for the life of the object.
class TmpfsMount {
public:
    TmpfsMount(const QString& where, const QByteArray& options);
    ~TmpfsMount();
    TmpfsMount(const TmpfsMount&) = delete;
    TmpfsMount& operator=(const TmpfsMount&) = delete;

    bool mounted() const { return m_mounted; }
    QString problem() const { return m_problem; }
    const QString& path() const { return m_path; }
    // From here on nothing can be written there, whoever tries; false, with problem() saying why, when it cannot.
    bool makeReadOnly();

private:
    QString m_path;
    bool m_mounted = false;
    QString m_problem;
};
