#pragma once

#include "DemoHall.h"
#include "Plan.h"

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

struct GoodsSpec {
    const char16_t* code;
    const char16_t* name;
    int category;
    const char16_t* unit;
    int cost;
    int price;
    bool service;
    // Goods are counted in stock; services are not.
    bool counted() const { return !service; }
    // Cheap goods can be had for points, at twice their price.
    bool exchangeable() const { return !service && price <= 30; }
    int points() const { return service ? 0 : price * 2; }
};
constexpr int kGoodsCount = 8;
const GoodsSpec& goods(int index);

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

// Who writes a row at that moment: the desk's operator by day, the super user (the owner) in the evening.
QString operatorAt(Moment moment);

// Everything above, written once before the hall's history starts. Card types, staff and the
// operator go through the program's own operations; the goods record their opening stock.
void writeCatalogues(Books& books);

} // namespace tkd::demo
