#pragma once

#include "DemoHall.h"
#include "Plan.h"
#include "app/Outcome.h"

namespace tkd::demo {

// The hall's catalogues: card types, staff, operators, grades, goods, coaching items.

struct CardTypeSpec {
    const char16_t* code;
    const char16_t* name;
    int visits;
    int days;
    int price;
    double discount;
    int slotKind;
    const char16_t* from;
    const char16_t* to;
    const char16_t* weekdays;
    int share;
};
enum TypeIndex { Month, Quarter, Year, TenVisits, TwentyVisits, Lifetime, Morning, Weekdays, TypeCount };
const CardTypeSpec& cardType(int index);
// Whether a card of the type may be used on that day (the weekday cards).
bool allowedDay(const CardTypeSpec& type, const QDate& day);

struct GradeSpec {
    const char16_t* name;
    int lessons;
    int fee;
};
constexpr int kGradeCount = 6;
const GradeSpec& grade(int index);
// Visits that take a member one grade up.
constexpr int kVisitsPerGrade = 50;

// The demo hall's goods: categories three deep, twelve goods counted in stock (protective gear
// first among them for a busy member), three services, and the goods points buy.
Assortment demoAssortment();
// Of the demo hall's goods: the one sent back to the supplier once (a delivery in the wrong sizes).
constexpr int kReturnedGoods = 1;
// Of the demo hall's goods: those delivered weekly from the start, the drinks.
bool delivered(int goodsIndex);

struct CoachingItemSpec {
    const char16_t* code;
    const char16_t* name;
    int price;
};
constexpr int kCoachingItemCount = 3;
const CoachingItemSpec& coachingItem(int index);

constexpr int kCoachCount = 4;
QString coach(int index);
constexpr int kConsultantCount = 2;
QString consultant(int index);

// An operation of the program that refuses what the generator asks is a fault of the generator, not
// of the hall: it throws, and nothing of the hall is kept.
[[noreturn]] void refuseGeneration(const QString& what, const Refusal& refusal);
template <typename T> const T& require(const Outcome<T>& outcome, const QString& what)
{
    if (outcome.refused())
        refuseGeneration(what, outcome.refusal());
    return outcome.value();
}

// Who writes a row at that moment: the desk's operator by day, the super user (the owner) in the evening.
QString operatorAt(Moment moment);

// The hall's rate for membership days (其它设置 使用积分 / 兑换会籍), set up with the catalogues: ten
// points a day like the program's first setting of a hundred for ten, in steps a member of a few
// months can reach.
constexpr int kPointsPerExchange = 10;
constexpr int kDaysPerExchange = 1;

// Everything above and the hall's goods, written once before the hall's history starts. Card types,
// staff, the operator, the rate, the goods categories and the goods go through the program's own
// operations;
// the goods counted in stock get their opening stock (Hall::openingStock) as the catalogue records it.
void writeCatalogues(Books& books);

} // namespace tkd::demo
