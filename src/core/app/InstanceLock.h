#pragma once

#include "Refusal.h"

#include <QString>
#include <memory>

class QLockFile;

namespace tkd {

// One running copy of the program per data folder: a lock file beside the database, held
// until the program ends. A lock left behind by a copy that died is taken over.
class InstanceLock {
public:
    explicit InstanceLock(QString dataDir);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // A refusal when another running copy holds the folder.
    MaybeRefusal acquire();
    bool held() const;
    QString lockFile() const;

private:
    QString m_dataDir;
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace tkd
