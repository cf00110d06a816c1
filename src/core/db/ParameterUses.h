#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace tkd::sql {

// Where a :name parameter meets a column: compared with it ("[日期]<=:rq2", "[日期] between :rq1 and
// :rq2"), assigned to it ("set [到期日期]=:dqrq"), or inserted into it (column and values lists).
// upperBound: the parameter closes a range from above ("<=", the second bound of "between"), so a bare
// day given for it stands for the whole of that day.
struct ParameterUse {
    QString parameter; // without the colon
    QString column;    // without brackets or a table prefix
    bool upperBound = false;
};

struct StatementUses {
    QStringList tables; // the tables the statement names after from, join, into and update
    std::vector<ParameterUse> uses;
};

// Reads the statement as the system writes it; parameters met in any other way (inside a function,
// in an "in" list) are not listed.
StatementUses parameterUses(const QString& statement);

} // namespace tkd::sql
