#pragma once

#include "db/Money.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <vector>

namespace tkd {
class TvelunDMForm;
}

namespace tkd::demo {

// A sample hall is planned in memory first (every member with the whole of their history), then
// written in the order the program would have written it: day by day, as a real hall's file grows.

// A moment of the hall's history in whole seconds: the Julian day times 86400 plus the second of the day.
using Moment = qint64;
Moment momentOf(const QDate& day, int secondOfDay);
QDate dayOf(Moment moment);
int secondOf(Moment moment);
// The moment as the program stores "now" (seconds, no milliseconds).
QDateTime dateTimeOf(Moment moment);

enum class Standing { NeverOpened, Valid, Expiring, Expired };

enum class PaymentKind { Registration, Renewal, Custom, Deposit };
struct PlannedPayment {
    Moment at;
    PaymentKind kind;
    Money amount;
    Money discount;
};

enum class Means { StoredValue, Cash, Credit };
struct SaleLine {
    int goods;
    int quantity;
    Money total;
};
struct Checkout {
    Moment at;
    Means means;
    std::vector<SaleLine> lines;
    Money sum;
};

struct Package {
    Moment at;
    int item;
    QString coach;
    int lessons;
    bool gift;
    QDate validUntil; // invalid: no limit
};
struct Lesson {
    Moment at;
    int package;
    int quantity;
};

// A locker rented and returned by a member who holds it no longer, or a renewal of a current rental.
enum class LockerStep : quint8 { Rent, RentForTheDay, Renew, Return };
struct LockerEvent {
    Moment at;
    LockerStep step;
    int member;
    QString locker;
    // A rental's days, a renewal's new end.
    QDate start;
    QDate end;
    Money amount;
};

// Of an exchanged line: membership days bought with points (the catalogue's item "积分换会籍"), not goods.
constexpr int kMembershipDays = -1;
struct Exchange {
    Moment at;
    // Index of the goods, or kMembershipDays.
    int goods;
    int quantity;
    qint64 pointsBefore;
    // A days line: the points spent, the days they bought and the expiry those days reached.
    qint64 points = 0;
    int days = 0;
    QDate expiry;
};

struct Leave {
    Moment recorded;
    QDate start;
    QDate end;
    QString remark;
    // Days the leave moved the stored expiry when recorded (its length, or 0 for a card without expiry).
    int moved = 0;
};

struct Member {
    int index = 0;
    QString card;
    bool busy = false;
    QString name;
    QString sex;
    QString birthday;
    QString mobile;
    QString phone;
    QString coach;
    QString consultant;
    QString locker;
    QString source;
    QString goal;
    QString payMethod;
    QString photo;
    int type = 0;
    Standing standing = Standing::Valid;
    bool disabled = false;
    QDate joined;
    Moment joinedAt = 0;
    QDate opened;
    QDate expires;
    int periods = 1;
    // Visits bought on top of a count card's periods (a custom renewal).
    int extraVisits = 0;
    int weight = 0;
    int visitCount = 0;

    QDate lockerEnd;
    int lockerMonths = 0;
    Moment lockerRented = 0;
    QDate lockerStart;
    // A renewed rental first ran to this day; invalid when never renewed.
    QDate lockerFirstEnd;

    std::vector<Moment> visits;
    std::vector<PlannedPayment> payments;
    std::vector<Checkout> checkouts;
    std::vector<Package> packages;
    std::vector<Lesson> lessons;
    std::vector<Exchange> exchanges;
    // In the order they were recorded, which is also the order of their days.
    std::vector<Leave> leaves;

    // The member row as the history leaves it.
    Money balance;
    Money spent;
    qint64 points = 0;
    int visitsLeft = 0;
    int gradeIndex = -1;
    int lessonsLeft = 0;
};

// One posting of the purchase window's work list: stock bought in, or sent back to the supplier.
struct PostingLine {
    int goods;
    int quantity;
};
struct Posting {
    Moment at;
    bool supplierReturn = false;
    std::vector<PostingLine> lines;
};

// The goods catalogue as planned: categories (a parent always before its children) and the items,
// each in a category without children.
struct GoodsCategory {
    QString name;
    // Index of the parent category; -1 for a top-level one.
    int parent = -1;
};
struct GoodsItem {
    QString code;
    QString name;
    // Index of the category.
    int category = 0;
    QString unit;
    Money cost;
    Money price;
    // Goods are counted in stock; services and some goods are not.
    bool counted = false;
    bool service = false;
    // Points for one unit; 0 for goods that cannot be had for points.
    int points = 0;
    // Bought by the box: a purchase is a whole number of packs.
    int pack = 1;
    // At most how many deliveries the item gets over the hall's history (a large catalogue's items,
    // see Deliveries.h); 0 for an item bought in whenever it runs low.
    int deliveries = 0;
    bool exchangeable() const { return points > 0; }
};
struct Assortment {
    std::vector<GoodsCategory> categories;
    std::vector<GoodsItem> items;
    // The goods a busy member buys first.
    int firstPurchase = 0;
    // How the goods of a sale are picked: uniformly (the demo hall), or by a weight per item, kept
    // as running sums (the large catalogue: a few goods sell far more than the rest).
    std::vector<qint64> runningWeights;
    // Exchangeable goods in index order.
    std::vector<int> exchangeable;
    // Checkouts per member on average; 0 keeps the demo hall's few (about 0.6).
    int checkoutsPerMember = 0;
    int count() const { return int(items.size()); }
    const GoodsItem& operator[](int index) const { return items[size_t(index)]; }
};

struct Hall {
    QDate today;
    Assortment goods;
    // The day the catalogues were set up, before the first member joined (400 days ago or earlier).
    QDate setupDay;
    // Yuan that earn one point at a checkout (其它设置.消费积分).
    Money pointUnit;
    // Points that buy daysPerExchange days of membership (其它设置.使用积分, 兑换会籍).
    int pointsPerExchange = 0;
    int daysPerExchange = 0;
    int lockerCount = 0;
    // Lockers G1 to G<rentedLockers> are rented, one to a member.
    int rentedLockers = 0;
    // Rentals that ended in a return, renewals of current rentals, in time order.
    std::vector<LockerEvent> lockerEvents;
    std::vector<Member> members;
    // Per goods: the stock the catalogue starts with (0 for services).
    std::vector<int> openingStock;
    // Purchases and supplier returns in time order; with the opening stock they keep every item in stock.
    std::vector<Posting> postings;
};

// What the writers share while the history is written.
struct Books {
    TvelunDMForm& dm;
    const Hall& hall;
    // Each member's coaching packages as written so far: their 编号 and the lessons still open.
    struct OpenPackage {
        qint64 id;
        int left;
    };
    std::vector<std::vector<OpenPackage>> packages;
};

} // namespace tkd::demo
