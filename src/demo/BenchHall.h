#pragma once

#include "DemoHall.h"

#include <QDate>
#include <QString>
#include <optional>

namespace tkd {
class Database;
class TvelunDMForm;
} // namespace tkd

namespace tkd::demo {

// Which generator made a bench file and which day its dates are relative to, kept in the file's
// application id so that it changes in the same transaction as the dates themselves.
// Version 1 was the generator that wrote each member's rows together; it carried no stamp. Version 2
// had a flat goods catalogue and no purchases; version 3 the demo hall's fifteen goods and few sales;
// version 4 the demo hall's few coaching packages and no locker returns; version 5 a leave for one
// member in twenty, exchanges for one member with points in three, and any cheap goods for points.
inline constexpr int kBenchFileVersion = 6;
struct Stamp {
    int version = 0;
    QDate day;
};
int encodeStamp(const Stamp& stamp);
Stamp decodeStamp(int applicationId);
Stamp readStamp(Database& db);
void writeStamp(Database& db, const Stamp& stamp);

// What preparing the hall did.
struct Preparation {
    // Why the file was not used, empty when it was: a file of another version is left as it is.
    QString refusal;
    bool generated = false;
    // Why a new hall was made: "no file", "asked for".
    QString why;
    double generationSeconds = 0;
    // Days the dates of a reused file were moved by to be relative to today.
    int shiftedDays = 0;
    double shiftSeconds = 0;
    // Seconds taken to write a reused file of smaller pages anew in today's, as compaction would.
    double repageSeconds = 0;
};

// The bench hall's leave and exchanges follow its members: about a leave each (busiestLeaves for a busy
// member) and two exchanges each, from fifty goods for points. Fills in those of the size left at 0.
HallSize withLeaveAndExchanges(HallSize size);

// Opens the bench file, making it when missing or asked for: the hall is generated with every
// member's photo path in photoFolder and the bench's leave and exchanges (withLeaveAndExchanges). A
// reused file has its dates moved to today. A file of another generator's version is refused (see
// Preparation::refusal) and left untouched: making a hall takes minutes, and the file may be someone
// else's.
Preparation prepareHall(TvelunDMForm& dm, const QString& file, const QString& photoFolder, const demo::HallSize& size,
                        const QDate& today, bool regenerate);

// Writes the photo files of those members that lack one (the bench writes only the photos it shows).
int ensurePhotos(TvelunDMForm& dm, const QStringList& cards);

} // namespace tkd::demo
