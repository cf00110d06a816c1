#pragma once

#include "MemberLookup.h"
#include "db/ResultSet.h"

#include <vector>

namespace tkd::frontdesk {

// One list of the history tabs: its catalogue entry and its rows.
struct HistoryList {
    QString entry;
    ResultSet rows;
};

// The history lists of a card, in the desk's load order: payments, coaching, lessons, leave,
// reminders, visits, consumption, exchanges. The reminder and visit lists show their scratch tables.
std::vector<HistoryList> loadHistory(TvelunDMForm& dm, const QString& cardNumber);

// Everything a swipe shows: the panel, the rebuilt reminder and visit lists, every history list.
struct DeskLookup {
    MemberView member;
    std::vector<HistoryList> history;
};
std::optional<DeskLookup> lookUpAtDesk(TvelunDMForm& dm, const QString& cardNumber, const QDate& today);

} // namespace tkd::frontdesk
