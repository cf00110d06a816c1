#pragma once

#include "Timing.h"

#include <QDate>
#include <QString>
#include <vector>

class QTextStream;

namespace tkd {
class TvelunDMForm;
}

namespace tkd::bench {

// Times what the coaching and locker windows call, with the desk's refresh after each command: a
// purchase and a booking at the desk, a rental for the day, its renewal and its return, the
// management windows' lists on opening (and a year of them), the locker grid's filter and the
// chooser's list. The commands are undone in kind: every locker rented is returned, the packages
// bought are deleted again (their lessons stay, a few hundred against the hall's hundred thousand).
std::vector<AreaLine> timeCoachingAndLockers(TvelunDMForm& dm, const QString& operatorName, const QStringList& cards,
                                             const QDate& today, int samples);

// Prints each line with its ratio to the bare member select (and to one synced commit for the lines
// that commit) and whether its 95th percentile is under its target; true when every line is there
// and meets it.
bool reportCoachingAndLockers(QTextStream& out, const std::vector<AreaLine>& lines, const Figures& bare,
                              const Figures& commit);

} // namespace tkd::bench
