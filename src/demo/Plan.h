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

struct Exchange {
    Moment at;
    int goods;
    int quantity;
    qint64 pointsBefore;
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

    Moment leaveRecorded = 0;
    QDate leaveStart;
    QDate leaveEnd;
    QString leaveRemark;
    QDate lockerEnd;
    int lockerMonths = 0;
    Moment lockerRented = 0;

    std::vector<Moment> visits;
    std::vector<PlannedPayment> payments;
    std::vector<Checkout> checkouts;
    std::vector<Package> packages;
    std::vector<Lesson> lessons;
    std::vector<Exchange> exchanges;

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

struct Hall {
    QDate today;
    // The day the catalogues were set up, before the first member joined (400 days ago or earlier).
    QDate setupDay;
    // Yuan that earn one point at a checkout (其它设置.消费积分).
    Money pointUnit;
    int lockerCount = 0;
    // Lockers G1 to G<rentedLockers> are rented, one to a member.
    int rentedLockers = 0;
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
