#include "Reference.h"

#include "cardtypes/CardTypes.h"
#include "data/TvelunDMForm.h"
#include "db/DbError.h"
#include "goods/Catalogue.h"
#include "goods/Categories.h"
#include "security/Operators.h"
#include "settings/OtherSettings.h"
#include "staff/Staff.h"

namespace tkd::demo {
namespace {

QString t(const char16_t* text)
{
    return QString::fromUtf16(text);
}

const CardTypeSpec kTypes[TypeCount] = {
    {u"01", u"月卡", 0, 30, 300, 1.0, 0, u"", u"", u"", 20},
    {u"02", u"季卡", 0, 90, 800, 0.95, 0, u"", u"", u"", 20},
    {u"03", u"年卡", 0, 365, 2800, 0.9, 0, u"", u"", u"", 20},
    {u"04", u"十次卡", 10, 0, 500, 1.0, 0, u"", u"", u"", 10},
    {u"05", u"二十次卡", 20, 0, 900, 0.95, 0, u"", u"", u"", 10},
    {u"06", u"终身卡", 0, 0, 9800, 0.8, 0, u"", u"", u"", 4},
    {u"07", u"早场月卡", 0, 30, 200, 1.0, 1, u"08:00", u"10:00", u"", 8},
    {u"08", u"一三五季卡", 0, 90, 600, 1.0, 2, u"", u"", u"1010100", 8},
};

const GradeSpec kGrades[kGradeCount] = {{u"白带", 20, 50},  {u"黄带", 30, 100}, {u"绿带", 40, 150},
                                        {u"蓝带", 50, 200}, {u"红带", 60, 300}, {u"黑带", 80, 500}};

struct CategorySpec {
    const char16_t* name;
    // Index of the parent category; -1 for a top-level one.
    int parent;
};
constexpr int kCategoryCount = 27;

struct GoodsSpec {
    const char16_t* code;
    const char16_t* name;
    // Index of the category, always a leaf.
    int category;
    const char16_t* unit;
    int cost;
    int price;
    bool service;
    // Points for one unit; 0 for goods that cannot be had for points.
    int points;
};
constexpr int kGoodsCount = 15;
constexpr int kProtectiveGear = 6;

// Parents come before their children, as categories are added in the catalogue window.
constexpr CategorySpec kCategories[kCategoryCount] = {
    {u"服装", -1},     {u"道服", 0},      {u"儿童道服", 1},  {u"成人道服", 1},  {u"腰带", 0},      {u"级别腰带", 4},
    {u"黑带", 4},      {u"护具", -1},     {u"全身护具", 7},  {u"比赛护具", 8},  {u"局部护具", 7},  {u"头部护具", 10},
    {u"四肢护具", 10}, {u"训练器材", -1}, {u"靶具", 13},     {u"脚靶", 14},     {u"手靶", 14},     {u"饮料", -1},
    {u"饮用水", 17},   {u"瓶装水", 18},   {u"运动饮料", 17}, {u"功能饮料", 20}, {u"服务项目", -1}, {u"私教服务", 22},
    {u"体验课程", 23}, {u"康复理疗", 22}, {u"理疗按摩", 25},
};

constexpr GoodsSpec kGoods[kGoodsCount] = {
    {u"100001", u"成人道服", 3, u"套", 80, 160, false, 0},  {u"100005", u"儿童道服", 2, u"套", 60, 120, false, 0},
    {u"100003", u"彩色腰带", 5, u"条", 10, 30, false, 60},  {u"100006", u"刺绣黑带", 6, u"条", 50, 120, false, 0},
    {u"100007", u"护头", 11, u"个", 60, 120, false, 0},     {u"100008", u"护臂护腿", 12, u"套", 40, 90, false, 0},
    {u"100002", u"护具套装", 9, u"套", 150, 280, false, 0}, {u"100004", u"脚靶", 15, u"个", 40, 80, false, 0},
    {u"100010", u"手靶", 16, u"个", 30, 60, false, 0},      {u"200001", u"矿泉水", 19, u"瓶", 1, 2, false, 4},
    {u"200002", u"运动饮料", 21, u"瓶", 3, 6, false, 12},   {u"200003", u"电解质水", 21, u"瓶", 2, 5, false, 0},
    {u"300001", u"私教体验课", 24, u"次", 0, 150, true, 0}, {u"300002", u"拉伸理疗", 26, u"次", 0, 80, true, 0},
    {u"300003", u"运动按摩", 26, u"次", 0, 120, true, 0},
};
static_assert(kGoods[kProtectiveGear].category == 9, "the full set of protective gear");
static_assert(kGoods[kReturnedGoods].category == 2, "children's suits");
constexpr int kDrinks = 17;
static_assert(kCategories[kDrinks].parent < 0 && kCategories[kDrinks].name[0] == u'饮');

const CoachingItemSpec kCoachingItems[kCoachingItemCount] = {
    {u"S01", u"腿法专项", 150}, {u"S02", u"品势辅导", 120}, {u"S03", u"竞技实战", 200}};

const char16_t* const kCoaches[kCoachCount] = {u"王志刚", u"李娜", u"陈浩", u"周婷"};
const char16_t* const kConsultants[kConsultantCount] = {u"赵敏", u"刘洋"};
const char16_t kDeskOperator[] = u"孙丽";

// The hall is set up by the super user; these rows carry no time of their own.
CommandContext setUp(TvelunDMForm& dm)
{
    return {dm, QStringLiteral("超级用户"), QDateTime::currentDateTime()};
}

void writeCardTypes(TvelunDMForm& dm)
{
    for (const CardTypeSpec& type : kTypes) {
        cardtypes::Input input;
        input.code = t(type.code);
        input.name = t(type.name);
        input.visits = QString::number(type.visits);
        input.days = QString::number(type.days);
        input.price = Money::fromYuan(type.price);
        input.discount = QString::number(type.discount);
        input.useSlot = type.slotKind != 0;
        input.weekly = type.slotKind == 2;
        input.time1 = t(type.from);
        input.time2 = t(type.to);
        if (type.slotKind == 2)
            for (int d = 0; d < 7; ++d)
                input.weekdays[size_t(d)] = type.weekdays[d] == u'1';
        require(cardtypes::save(setUp(dm), input), input.name);
    }
}

void writeStaff(TvelunDMForm& dm)
{
    struct Person {
        const char16_t* name;
        const char16_t* title;
        const char16_t* status;
    };
    const Person people[] = {
        {kCoaches[0], u"教练", u"正常"},
        {kCoaches[1], u"教练", u"正常"},
        {kCoaches[2], u"教练", u"正常"},
        {kCoaches[3], u"教练", u"正常"},
        {u"吴磊", u"教练", u"离职"},
        {kConsultants[0], u"会籍顾问", u"正常"},
        {kConsultants[1], u"会籍顾问", u"正常"},
        {kDeskOperator, u"前台", u"正常"},
    };
    int n = 0;
    for (const Person& p : people) {
        staff::Input input;
        input.name = t(p.name);
        input.title = t(p.title);
        input.phone = QStringLiteral("1390571%1").arg(++n, 4, 10, QLatin1Char('0'));
        input.address = t(u"杭州市西湖区文三路");
        input.status = t(p.status);
        require(staff::save(setUp(dm), input), input.name);
    }
}

// The desk's operator may do everything an ordinary operator can be allowed.
void writeOperator(TvelunDMForm& dm)
{
    const QString name = deskOperatorName();
    require(security::addOperator(setUp(dm), {name, QStringLiteral("1234"), QStringLiteral("1234")}), name);
    Dataset rights = security::rightsOf(dm, name);
    for (int row = 0; row < rights.rows().rowCount(); ++row)
        rights.setValue(row, QStringLiteral("操作权限"), true);
    rights.applyBatch();
}

void writeGrades(TvelunDMForm& dm)
{
    for (const GradeSpec& g : kGrades)
        dm.change(QStringLiteral("insert into [报考级别] ([级别名称],[所需课时],[考核费用]) values(:jbmc,:sxks,:khfy)"),
                  {{QStringLiteral("jbmc"), t(g.name)},
                   {QStringLiteral("sxks"), g.lessons},
                   {QStringLiteral("khfy"), Money::fromYuan(g.fee)}});
}

// The categories and goods as the catalogue window adds them, on the day the hall was set up.
void writeGoods(Books& books)
{
    const CommandContext context{books.dm, QStringLiteral("超级用户"),
                                 dateTimeOf(momentOf(books.hall.setupDay, 10 * 3600))};
    const Assortment& assortment = books.hall.goods;
    std::vector<qint64> categoryIds;
    categoryIds.reserve(assortment.categories.size());
    for (const GoodsCategory& c : assortment.categories) {
        const qint64 parent = c.parent < 0 ? goods::kRootCategory : categoryIds[size_t(c.parent)];
        categoryIds.push_back(require(goods::addCategory(context, parent, c.name), c.name));
    }
    for (int i = 0; i < assortment.count(); ++i) {
        const GoodsItem& g = assortment[i];
        goods::ItemEntry item;
        item.categoryId = categoryIds[size_t(g.category)];
        item.categoryName = assortment.categories[size_t(g.category)].name;
        item.code = g.code;
        item.name = g.name;
        item.unit = g.unit;
        item.purchasePrice = g.cost.toString();
        item.salePrice = g.price.toString();
        item.counted = g.counted;
        item.quantity = QString::number(books.hall.openingStock[size_t(i)]);
        item.exchangeable = g.exchangeable();
        item.points = QString::number(g.points);
        item.service = g.service;
        require(goods::saveItem(context, item), item.name);
    }
}

void writeExchangeRate(const Books& books)
{
    const settings::OtherSettings now = settings::load(books.dm);
    settings::OtherSettingsInput input;
    input.referralYuanPerPoint = now.referralYuanPerPoint.toString();
    input.consumptionYuanPerPoint = now.consumptionYuanPerPoint.toString();
    input.pointsPerExchange = QString::number(books.hall.pointsPerExchange);
    input.daysPerExchange = QString::number(books.hall.daysPerExchange);
    input.lockerLeadDays = QString::number(now.lockerLeadDays);
    input.memberLeadDays = QString::number(now.memberLeadDays);
    input.birthdayLeadDays = QString::number(now.birthdayLeadDays);
    input.gradingLessons = QString::number(now.gradingLessons);
    input.dailyReminders = now.dailyReminders;
    input.unattended = now.unattended;
    require(settings::save(setUp(books.dm), input), QStringLiteral("其它设置"));
}

void writeCoachingItems(TvelunDMForm& dm)
{
    for (const CoachingItemSpec& item : kCoachingItems)
        dm.change(QStringLiteral("insert into [私教项目] ([项目编号],[项目名称],[项目单价]) values(:xmbh,:xmmc,:xmdj)"),
                  {{QStringLiteral("xmbh"), t(item.code)},
                   {QStringLiteral("xmmc"), t(item.name)},
                   {QStringLiteral("xmdj"), Money::fromYuan(item.price)}});
}

} // namespace

void refuseGeneration(const QString& what, const Refusal& refusal)
{
    throw DbError(what + QStringLiteral("：") + refusal.message);
}

const CardTypeSpec& cardType(int index)
{
    return kTypes[index];
}

bool allowedDay(const CardTypeSpec& type, const QDate& day)
{
    return type.slotKind != 2 || type.weekdays[day.dayOfWeek() - 1] == u'1';
}

const GradeSpec& grade(int index)
{
    return kGrades[index];
}

Assortment demoAssortment()
{
    Assortment a;
    for (const CategorySpec& c : kCategories)
        a.categories.push_back({t(c.name), c.parent});
    for (const GoodsSpec& g : kGoods) {
        GoodsItem item;
        item.code = t(g.code);
        item.name = t(g.name);
        item.category = g.category;
        item.unit = t(g.unit);
        item.cost = Money::fromYuan(g.cost);
        item.price = Money::fromYuan(g.price);
        item.counted = !g.service;
        item.service = g.service;
        item.points = g.points;
        item.pack = g.price <= 6 ? 24 : 5;
        a.items.push_back(item);
    }
    a.firstPurchase = kProtectiveGear;
    for (int g = 0; g < a.count(); ++g)
        if (a[g].exchangeable())
            a.exchangeable.push_back(g);
    return a;
}

bool delivered(int goodsIndex)
{
    int c = kGoods[goodsIndex].category;
    while (kCategories[c].parent >= 0)
        c = kCategories[c].parent;
    return c == kDrinks;
}

const CoachingItemSpec& coachingItem(int index)
{
    return kCoachingItems[index];
}

QString coach(int index)
{
    return t(kCoaches[index]);
}

QString consultant(int index)
{
    return t(kConsultants[index]);
}

QString deskOperatorName()
{
    return t(kDeskOperator);
}

QString operatorAt(Moment moment)
{
    static const QString superUser = QStringLiteral("超级用户");
    static const QString desk = deskOperatorName();
    return secondOf(moment) < 15 * 3600 ? desk : superUser;
}

void writeCatalogues(Books& books)
{
    TvelunDMForm& dm = books.dm;
    writeCardTypes(dm);
    writeStaff(dm);
    writeOperator(dm);
    writeExchangeRate(books);
    writeGrades(dm);
    writeGoods(books);
    writeCoachingItems(dm);
}

} // namespace tkd::demo
