#pragma once

#include "db/Filter.h"

#include <QDate>
#include <QString>

namespace tkd {
class ResultSet;
}

namespace tkd::sms {

// Filters of the SMS window's member list; its search box uses members::searchFilter.
Filter activeMembers();
Filter membersWithMobile();
Filter birthdayOn(const QDate& day);

// The number field with every non-empty mobile of the rows appended, one per line.
QString appendMobiles(const QString& numbersField, const ResultSet& members);

} // namespace tkd::sms
