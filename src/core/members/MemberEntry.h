#pragma once

#include "Registration.h"

#include <optional>

namespace tkd {
class ResultSet;
}

namespace tkd::members {

// What the member entry window shows for a member being edited.
struct MemberEntry {
    // The boxes as they start: the stored texts, counts as whole numbers, the price as money,
    // the birthday split into its month and day boxes, the password in both password boxes.
    // A member stored without a joining date has none here (joined is invalid).
    MemberInput input;
    // Shown, never edited: the member's points.
    QString points;
};

// The entry of the member in the first row of a 会员信息 result.
MemberEntry entryFromRow(const ResultSet& row);
// The member's entry as stored; nullopt when the card number is unknown.
std::optional<MemberEntry> loadEntry(TvelunDMForm& dm, const QString& cardNumber);

} // namespace tkd::members
