#include "InstanceLock.h"

#include <QDir>
#include <QLockFile>

namespace tkd {

InstanceLock::InstanceLock(QString dataDir) : m_dataDir(std::move(dataDir)) {}

InstanceLock::~InstanceLock() = default;

QString InstanceLock::lockFile() const
{
    return QDir(m_dataDir).filePath(QStringLiteral("tkd.lock"));
}

MaybeRefusal InstanceLock::acquire()
{
    if (held())
        return std::nullopt;
    QDir().mkpath(m_dataDir);
    auto lock = std::make_unique<QLockFile>(lockFile());
    // Only a dead holder makes the lock stale, never its age: where the file system keeps no
    // native lock (a network share), the default would hand the folder over after 30 seconds.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        m_lock = std::move(lock);
        return std::nullopt;
    }
    if (lock->error() == QLockFile::LockFailedError)
        return Refusal::error(QStringLiteral("本系统已经在运行，同一数据目录不能同时打开两个程序！"));
    // A folder where no lock file can be written: opening the database reports the real problem.
    return std::nullopt;
}

bool InstanceLock::held() const
{
    return m_lock && m_lock->isLocked();
}

} // namespace tkd
