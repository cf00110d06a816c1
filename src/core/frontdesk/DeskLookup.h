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
// Only the entries named in `only` when it is not empty (a command re-reads what it changed).
std::vector<HistoryList> loadHistory(TvelunDMForm& dm, const QString& cardNumber, const QStringList& only = {});

// Everything a swipe shows: the panel, the rebuilt reminder and visit lists, every history list.
struct DeskLookup {
    MemberView member;
    std::vector<HistoryList> history;
};
std::optional<DeskLookup> lookUpAtDesk(TvelunDMForm& dm, const QString& cardNumber, const QDate& today);

// The member as stored now and only the history lists named (none when empty), read together:
// the desk shows a member again this way after a command changed it.
std::optional<DeskLookup> lookUpAgain(TvelunDMForm& dm, const QString& cardNumber, const QDate& today,
                                      const QStringList& lists);

} // namespace tkd::frontdesk
