#pragma once

#include "Timing.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <vector>

class QTextStream;

namespace tkd {
class TvelunDMForm;
}

namespace tkd::bench {

// One timed line of the goods windows and the most its 95th percentile may be.
struct GoodsLine {
    QString name;
    Figures figures;
    double targetMicros = 0;
    int samples = 0;
    // What the line did, for the reader: rows shown, lines written, refusals.
    QString detail;
    // A command that commits: its figures are compared with one synced commit too.
    bool commits = false;
};

// Times what the goods windows call on the hall's catalogue, each at least `samples` times: the
// catalogue opening (every item, the category tree), a typed search and a leaf of the tree on the
// open list, the goods picker's list with a search, an item's purchase history, a checkout of one
// and of twenty lines with the desk's refresh after it, and the posting of twenty purchase lines.
// Checkouts and postings are real commands on the file; the postings buy back what the checkouts
// sold, so that repeated runs leave the stock as it was and add only a few hundred sales.
std::vector<GoodsLine> timeGoods(TvelunDMForm& dm, const QString& operatorName, const QDate& today, int samples);

// Prints each line with its ratio to the bare member select (and to one synced commit for the lines
// that commit) and whether its 95th percentile is under its target; true when every line is there
// and meets it.
bool reportGoods(QTextStream& out, const std::vector<GoodsLine>& lines, const Figures& bare, const Figures& commit);

} // namespace tkd::bench
