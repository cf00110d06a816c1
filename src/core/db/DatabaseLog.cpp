#include "Database.h"

#include <QElapsedTimer>
#include <sqlcipher/sqlite3.h>

#include <algorithm>

namespace tkd {

// Called by the engine after each commit with the log's length in pages. Folding the log copies its
// pages into the file and syncs it (some milliseconds for a thousand pages): done inside a commit it
// would land on whichever command happened to fill the log, so the program is asked to do it when idle.
int Database::onLogCommit(void* self, sqlite3*, const char*, int pages)
{
    auto* db = static_cast<Database*>(self);
    if (pages >= db->m_logLimits.force) {
        db->foldLog();
    } else if (pages >= db->m_logLimits.ask && !db->m_foldAsked && db->m_onLogFull) {
        db->m_foldAsked = true;
        db->m_onLogFull();
    }
    return SQLITE_OK;
}

bool Database::checkpoint()
{
    m_foldAsked = false;
    if (!m_db || m_transactionDepth > 0)
        return false;
    return foldLog();
}

bool Database::foldLog()
{
    QElapsedTimer timer;
    timer.start();
    // The connection keeps the file to itself: no reader can hold a page back, so a passive fold is whole.
    const int rc = sqlite3_wal_checkpoint_v2(m_db, nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
    const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    ++m_folds.times;
    m_folds.totalMs += ms;
    m_folds.longestMs = std::max(m_folds.longestMs, ms);
    return rc == SQLITE_OK;
}

} // namespace tkd
