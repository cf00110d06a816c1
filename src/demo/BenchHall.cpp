#include "BenchHall.h"

#include "DateShift.h"
#include "Photos.h"
#include "data/Paths.h"
#include "data/TvelunDMForm.h"
#include "db/DbError.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace tkd::demo {
namespace {

// application_id = version * 10,000,000 + (Julian day - 2,400,000): a signed 32-bit number for centuries.
constexpr qint64 kDayBase = 2400000;
constexpr int kVersionUnit = 10000000;

constexpr int stampNumber(int version, qint64 julianDay)
{
    return version * kVersionUnit + int(julianDay - kDayBase);
}
constexpr int versionOf(int number)
{
    return number <= 0 ? 0 : number / kVersionUnit;
}
constexpr qint64 julianDayOf(int number)
{
    return kDayBase + number % kVersionUnit;
}
// 2026-12-09 is Julian day 2461384; a file without a stamp reads as version 0.
static_assert(stampNumber(2, 2461384) == 20061384);
static_assert(versionOf(20061384) == 2 && julianDayOf(20061384) == 2461384);
static_assert(versionOf(0) == 0);

} // namespace

int encodeStamp(const Stamp& stamp)
{
    return stampNumber(stamp.version, stamp.day.toJulianDay());
}

Stamp decodeStamp(int applicationId)
{
    if (versionOf(applicationId) == 0)
        return {};
    return {versionOf(applicationId), QDate::fromJulianDay(julianDayOf(applicationId))};
}

Stamp readStamp(Database& db)
{
    return decodeStamp(int(db.scalar(QStringLiteral("PRAGMA application_id")).toInt()));
}

void writeStamp(Database& db, const Stamp& stamp)
{
    db.execute(QStringLiteral("PRAGMA application_id=%1").arg(encodeStamp(stamp)));
}

HallSize withLeaveAndExchanges(HallSize size)
{
    if (size.leaves == 0)
        size.leaves = size.members;
    if (size.exchanges == 0)
        size.exchanges = 2 * size.members;
    return size;
}

Preparation prepareHall(TvelunDMForm& dm, const QString& file, const QString& photoFolder, const demo::HallSize& size,
                        const QDate& today, bool regenerate)
{
    const QString key = QString::fromUtf16(kDatabaseKey);
    Preparation done;
    done.why = QStringLiteral("no file");
    if (QFileInfo::exists(file)) {
        // Read without the program's connection, which would upgrade an older file's schema.
        Stamp stamp;
        {
            Database peek;
            peek.open(file, key);
            stamp = readStamp(peek);
        }
        if (!regenerate && stamp.version != kBenchFileVersion) {
            done.refusal = QStringLiteral("%1 was made by the hall generator of version %2, not %3: use a new --file "
                                          "(or --regenerate to replace it)")
                               .arg(file)
                               .arg(stamp.version)
                               .arg(kBenchFileVersion);
            return done;
        }
        if (regenerate) {
            done.why = QStringLiteral("asked for");
            QFile::remove(file);
        } else {
            dm.connect(file, key);
            if (dm.db().pageSize() != Database::kPageSize) {
                // Made by an earlier release in smaller pages: measure the file a hall has after compaction.
                QElapsedTimer timer;
                timer.start();
                const QString fresh = file + QStringLiteral(".pages");
                QFile::remove(fresh);
                dm.db().compactInto(fresh, key);
                {
                    Database copy;
                    copy.open(fresh, key);
                    writeStamp(copy, stamp);
                }
                dm.disconnect();
                if (!QFile::remove(file) || !QFile::rename(fresh, file))
                    throw DbError(QStringLiteral("cannot replace %1").arg(file));
                dm.connect(file, key);
                done.repageSeconds = double(timer.elapsed()) / 1000;
            }
            done.shiftedDays = int(stamp.day.daysTo(today));
            if (done.shiftedDays != 0) {
                QElapsedTimer timer;
                timer.start();
                dm.db().execute(QStringLiteral("PRAGMA cache_size=-2000000"));
                Transaction tx(dm.db());
                shiftDates(dm, done.shiftedDays);
                writeStamp(dm.db(), {kBenchFileVersion, today});
                tx.commit();
                done.shiftSeconds = double(timer.elapsed()) / 1000;
                dm.disconnect();
                dm.connect(file, key);
            }
            return done;
        }
    }
    QDir(photoFolder).removeRecursively();
    QDir().mkpath(photoFolder);
    QElapsedTimer timer;
    timer.start();
    dm.connect(file, key);
    // Millions of visits go into indexes by card in time order, that is all over them: a page cache
    // that holds the whole file spares rewriting pages again and again. The measurements run on a
    // new connection with the program's own settings.
    dm.db().execute(QStringLiteral("PRAGMA cache_size=-2000000"));
    generate(dm, withLeaveAndExchanges(size), today,
             [&](int, const QString& card) { return QDir(photoFolder).filePath(card + QStringLiteral(".jpg")); });
    writeStamp(dm.db(), {kBenchFileVersion, today});
    dm.disconnect();
    dm.connect(file, key);
    done.generated = true;
    done.generationSeconds = double(timer.elapsed()) / 1000;
    return done;
}

int ensurePhotos(TvelunDMForm& dm, const QStringList& cards)
{
    int written = 0;
    for (const QString& card : cards) {
        const QString path = dm.list(QStringLiteral("select [会员照片] from [会员信息] where [会员卡号]=:hykh"),
                                     {{QStringLiteral("hykh"), card}})
                                 .first(QStringLiteral("会员照片"))
                                 .toText();
        if (path.isEmpty() || QFileInfo::exists(path))
            continue;
        if (!writePhoto(path, card.toInt()))
            continue;
        ++written;
        // On disk before the timings start, so the kernel's write-back does not slow the synced commits.
        QFile photo(path);
        if (photo.open(QIODevice::ReadOnly))
            ::fdatasync(photo.handle());
    }
    return written;
}

} // namespace tkd::demo
