#pragma once

#include "Plan.h"
#include "Random.h"

namespace tkd::demo {

// The fixed cases, by member index: the first twelve members show every state the desk knows.
enum Special {
    Busiest,
    NeverOpened,
    Expired,
    Expiring,
    Disabled,
    BirthdayToday,
    OnLeave,
    CountCard,
    NeverExpires,
    MorningSlot,
    WeekdaySlot,
    LockerEnding,
    SpecialCount
};

// Who the member is, the card, its state and dates, a leave, and how often the member comes
// (the weight the visits are shared out by). A busy member holds a valid day card opened most of a
// year ago and took a leave since.
Member planMember(Rng& rng, int index, const QDate& today, bool busy);

// Grade, lessons and visits left once the visits, payments and exchanges are planned.
void settleCounters(Member& m);

// The member's row, written when the member registered, with the values the history leaves.
void writeMember(Books& books, const Member& m);

} // namespace tkd::demo
