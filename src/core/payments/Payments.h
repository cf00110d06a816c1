#pragma once

#include "app/Refusal.h"
#include "cardtypes/CardTypes.h"
#include "db/Money.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

namespace tkd {
class TvelunDMForm;
struct CommandContext;
} // namespace tkd

namespace tkd::payments {

// Who opened the payment window; it decides the recorded price and what is refreshed afterwards.
enum class Opener { FrontDesk, MemberList, Statistics };

// The member as the payment window holds it while serving them.
struct PayingMember {
    QString cardNumber;
    QString name;
    QString type;
    QString mobile;
    QDate opened; // invalid: card not opened yet
    QDate expiry; // invalid: none
    int days = 0;
    int visitsLeft = 0;
    Money balance;
    Money recordedPrice;
};

// Reads the member for the window; nullopt when the card number is unknown.
std::optional<PayingMember> loadMember(TvelunDMForm& dm, const QString& cardNumber, Opener opener);
// Every type name, in the order the types were made.
QStringList cardTypeNames(TvelunDMForm& dm);

// Amounts as the receipt and the window's balance show them: no fixed decimals ("100", "99.5").
QString plainAmount(Money amount);
// A days or visits box: digits only, empty counts as 0; nullopt for anything else.
std::optional<int> countFromText(const QString& text);
// A money box: empty counts as 0; nullopt for text that is not an amount.
std::optional<Money> amountFromText(const QString& text);
// "N次", or "不限次数" for 0.
QString visitsText(int visits);

// What the renewal page shows for the chosen type.
struct RenewalProposal {
    Money amount;
    QString expiry;
    QString visits;
};
RenewalProposal proposeRenewal(const PayingMember& member, const CardType& type, bool changeGrade, const QDate& today);
// The first proposal when a member is loaded with their own type: the price only for an opened card
// renewed without a grade change (whole yuan unless the statistics window opened it), 0 otherwise.
RenewalProposal initialRenewal(const PayingMember& member, const CardType& type, bool changeGrade, Opener opener,
                               const QDate& today);

struct CustomPreview {
    QString expiry;
    QString visits;
};
// The texts as typed in the days and visits boxes; empty counts as 0.
CustomPreview previewCustom(const PayingMember& member, const QString& days, const QString& visits);

// How an expired membership is extended; the window asks before the save begins.
enum class ExpiryChoice { NotAsked, FromOldExpiry, FromToday, Cancel };

// The two dates the prompt offers.
struct ExpiredPrompt {
    QDate fromOldExpiry;
    QDate fromToday;
};
// Whether saving needs the prompt, decided on the stored member row. Nullopt for a member not
// expired, without an expiry, unknown, or renewed to a type that never expires.
std::optional<ExpiredPrompt> renewalPrompt(TvelunDMForm& dm, const QString& cardNumber, const QString& typeName,
                                           const QDate& today);
std::optional<ExpiredPrompt> customPrompt(TvelunDMForm& dm, const QString& cardNumber, const QString& days,
                                          const QDate& today);

// The two checks every save makes first, before any question: a member loaded and, with the
// payment SMS on, a logged-in SMS session (a context without one sends nothing).
MaybeRefusal precheck(const CommandContext& context, const QString& cardNumber);

} // namespace tkd::payments
