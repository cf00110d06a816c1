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

// Times what the leave and exchange windows call, with the desk's refresh after each command: the
// leave list's "查询" for thirty days and for a year with a typed name; a leave recorded at the desk,
// ended early and deleted; a basket of two stock-counted goods and a days line saved, and one of its
// goods lines undone. Everything is undone again: the leaves are deleted, the other two lines of each
// basket undone, so the hall's points, expiries and stock are as they were.
std::vector<AreaLine> timeLeaveAndPoints(TvelunDMForm& dm, const QString& operatorName, const QStringList& cards,
                                         const QDate& today, int samples);

// Prints each line as the other areas' (see reportLines); true when every line is there and meets it.
bool reportLeaveAndPoints(QTextStream& out, const std::vector<AreaLine>& lines, const Figures& bare,
                          const Figures& commit);

} // namespace tkd::bench
