#pragma once

#include <QByteArray>
#include <QIODevice>

#include <cerrno>

// A device that takes `capacity` bytes and refuses every byte after them the way a file system does: the write
// that reaches the limit is cut short, the next one fails with the error number (ENOSPC for a full disk). With it
// the write-error paths are tested on any machine, without a small file system of our own.
class FailingDevice final : public QIODevice {
public:
    explicit FailingDevice(qint64 capacity, int errorNumber = ENOSPC) : m_capacity(capacity), m_error(errorNumber) {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    const QByteArray& taken() const { return m_taken; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        const qint64 room = m_capacity - m_taken.size();
        if (room <= 0) {
            errno = m_error;
            return -1;
        }
        const qint64 taken = qMin(room, size);
        m_taken.append(data, taken);
        return taken;
    }

private:
    qint64 m_capacity;
    int m_error;
    QByteArray m_taken;
};
