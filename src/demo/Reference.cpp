#include "Reference.h"

#include "cardtypes/CardTypes.h"
#include "data/TvelunDMForm.h"
#include "db/DbError.h"
#include "security/Operators.h"
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

const char16_t* const kCategories[] = {u"训练用品", u"饮品", u"服务项目"};
const GoodsSpec kGoods[kGoodsCount] = {
    {u"100001", u"道服", 0, u"套", 80, 160, false},     {u"100002", u"护具套装", 0, u"套", 150, 280, false},
    {u"100003", u"腰带", 0, u"条", 10, 30, false},      {u"100004", u"脚靶", 0, u"个", 40, 80, false},
    {u"200001", u"矿泉水", 1, u"瓶", 1, 2, false},      {u"200002", u"运动饮料", 1, u"瓶", 3, 6, false},
    {u"300001", u"私教体验课", 2, u"次", 0, 150, true}, {u"300002", u"拉伸理疗", 2, u"次", 0, 80, true},
};

const CoachingItemSpec kCoachingItems[kCoachingItemCount] = {
    {u"S01", u"腿法专项", 150}, {u"S02", u"品势辅导", 120}, {u"S03", u"竞技实战", 200}};

const char16_t* const kCoaches[kCoachCount] = {u"王志刚", u"李娜", u"陈浩", u"周婷"};
const char16_t* const kConsultants[kConsultantCount] = {u"赵敏", u"刘洋"};
const char16_t kDeskOperator[] = u"孙丽";

// A catalogue the generator cannot write is a fault of the generator, not of the hall.
void require(const Outcome<>& outcome, const QString& what)
{
    if (outcome.refused())
        throw DbError(what + QStringLiteral("：") + outcome.refusal().message);
}

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

// Goods counted in stock start with a purchase that covers everything the history sells or exchanges.
void writeGoods(Books& books)
{
    TvelunDMForm& dm = books.dm;
    std::vector<qint64> categoryIds;
    for (const char16_t* name : kCategories) {
        dm.change(QStringLiteral("insert into [商品类别] ([类别名称],[父结点]) values(:lbmc,:fjd)"),
                  {{QStringLiteral("lbmc"), t(name)}, {QStringLiteral("fjd"), 0}});
        categoryIds.push_back(dm.db().lastInsertId());
    }
    const Moment setup = momentOf(books.hall.setupDay, 10 * 3600);
    for (int i = 0; i < kGoodsCount; ++i) {
        const GoodsSpec& g = kGoods[i];
        const double opening = g.counted() ? books.hall.sold[size_t(i)] + books.hall.exchanged[size_t(i)] + 30 : 0;
        dm.change(QStringLiteral(
                      "insert into [商品信息] ([商品编号],[商品名称],[商品类别],[单位],[是否计库存],[预设进价],"
                      "[预售单价],[数量],[销售总数],[是否兑换],[兑换积分],[人工服务],[备注],[父结点]) values(:spbh,"
                      ":spmc,:splb,:dw,:sfjkc,:ysjj,:ysdj,:sl,:xszs,:sfdh,:dhjf,:rgfw,:bz,:fjd)"),
                  {{QStringLiteral("spbh"), t(g.code)},
                   {QStringLiteral("spmc"), t(g.name)},
                   {QStringLiteral("splb"), t(kCategories[g.category])},
                   {QStringLiteral("dw"), t(g.unit)},
                   {QStringLiteral("sfjkc"), g.counted()},
                   {QStringLiteral("ysjj"), Money::fromYuan(g.cost)},
                   {QStringLiteral("ysdj"), Money::fromYuan(g.price)},
                   {QStringLiteral("sl"), opening},
                   {QStringLiteral("xszs"), 0.0},
                   {QStringLiteral("sfdh"), g.exchangeable()},
                   {QStringLiteral("dhjf"), g.points()},
                   {QStringLiteral("rgfw"), g.service},
                   {QStringLiteral("bz"), QString()},
                   {QStringLiteral("fjd"), categoryIds[size_t(g.category)]}});
        books.stock[size_t(i)] = opening;
        if (opening == 0)
            continue;
        dm.change(
            QStringLiteral("insert into [商品进退单] ([日期],[状态说明],[商品编号],[商品名称],[单位],[单价],[数量],"
                           "[折扣率],[总金额],[操作员]) values(:rq,:ztsm,:spbh,:spmc,:dw,:dj,:sl,:zkl,:zje,:czy)"),
            {{QStringLiteral("rq"), books.hall.setupDay},
             {QStringLiteral("ztsm"), t(u"采购进货")},
             {QStringLiteral("spbh"), t(g.code)},
             {QStringLiteral("spmc"), t(g.name)},
             {QStringLiteral("dw"), t(g.unit)},
             {QStringLiteral("dj"), Money::fromYuan(g.cost)},
             {QStringLiteral("sl"), opening},
             {QStringLiteral("zkl"), 1.0},
             {QStringLiteral("zje"), Money::fromYuan(g.cost).times(opening).roundedToCentsHalfEven()},
             {QStringLiteral("czy"), operatorAt(setup)}});
    }
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

const GoodsSpec& goods(int index)
{
    return kGoods[index];
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
    writeGrades(dm);
    writeGoods(books);
    writeCoachingItems(dm);
}

} // namespace tkd::demo
