#include "CardTypes.h"

#include "data/TvelunDMForm.h"

#include <cmath>

namespace tkd::cardtypes {

namespace {

CardType fromRow(const ResultSet& r)
{
    CardType t;
    t.id = r.first(QStringLiteral("编号")).toInt();
    t.code = r.first(QStringLiteral("类型编号")).toText();
    t.name = r.first(QStringLiteral("类型名称")).toText();
    t.visits = static_cast<int>(r.first(QStringLiteral("有效次数")).toInt());
    t.days = static_cast<int>(r.first(QStringLiteral("有效天数")).toInt());
    t.price = r.first(QStringLiteral("售价")).toMoney();
    const Value discount = r.first(QStringLiteral("折扣率"));
    t.discount = discount.isNull() ? 1.0 : discount.toDouble();
    t.hasSlot = r.first(QStringLiteral("是否有时间段")).toBool();
    t.slotKind = static_cast<int>(r.first(QStringLiteral("时间段类型")).toInt());
    t.time1 = r.first(QStringLiteral("时间1")).toText();
    t.time2 = r.first(QStringLiteral("时间2")).toText();
    t.weekdays = r.first(QStringLiteral("时间3")).toText();
    return t;
}

// "0" to "9999": digits only, as the dialog lets through; empty counts as the default.
std::optional<int> wholeNumber(const QString& text, int whenEmpty)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return whenEmpty;
    bool ok = false;
    const int n = t.toInt(&ok);
    if (!ok || n < 0)
        return std::nullopt;
    return n;
}

bool validTime(const QString& text)
{
    return text.size() == 5 && QTime::fromString(text, QStringLiteral("HH:mm")).isValid();
}

} // namespace

std::optional<CardType> find(TvelunDMForm& dm, const QString& name)
{
    const ResultSet r = dm.open(QStringLiteral("ADOQ_hyklxxx"), {{QStringLiteral("lxmc"), name}});
    if (r.rowCount() == 0)
        return std::nullopt;
    return fromRow(r);
}

std::optional<CardType> findById(TvelunDMForm& dm, qint64 id)
{
    const ResultSet r =
        dm.list(QStringLiteral("select * from [会员卡类型] where [编号]=:bh"), {{QStringLiteral("bh"), id}});
    if (r.rowCount() == 0)
        return std::nullopt;
    return fromRow(r);
}

QStringList names(TvelunDMForm& dm)
{
    return dm.list(QStringLiteral("select [类型名称] from [会员卡类型] order by [编号]"))
        .texts(QStringLiteral("类型名称"));
}

bool isCountCard(const CardType& type)
{
    return type.visits != 0;
}

QDate expiryFromOpening(const QDate& opened, int days)
{
    return days == 0 ? QDate() : opened.addDays(days);
}

bool slotAllows(const CardType& type, const QDateTime& moment)
{
    if (!type.hasSlot)
        return true;
    if (type.slotKind == 1) {
        // Compared as "hh:nn" text, both ends included; a start after the end admits nobody.
        const QString now = moment.time().toString(QStringLiteral("HH:mm"));
        return type.time1 <= now && now <= type.time2;
    }
    if (type.slotKind == 2) {
        const int day = moment.date().dayOfWeek();
        return day <= type.weekdays.size() && type.weekdays.at(day - 1).digitValue() > 0;
    }
    return true;
}

QString slotText(const CardType& type)
{
    if (!type.hasSlot)
        return {};
    if (type.slotKind == 1)
        return type.time1 + QStringLiteral(" 至 ") + type.time2;
    if (type.slotKind == 2) {
        static const QString numerals = QStringLiteral("一二三四五六七");
        QString text;
        for (int i = 0; i < 7 && i < type.weekdays.size(); ++i)
            if (type.weekdays.at(i) == QLatin1Char('1'))
                text += numerals.at(i);
        return text;
    }
    return {};
}

double discountFactor(const std::optional<CardType>& type)
{
    if (!type)
        return 1.0;
    return std::round(type->discount * 100.0) / 100.0;
}

Outcome<> save(const CommandContext& context, const Input& input, std::optional<qint64> editId)
{
    TvelunDMForm& dm = context.dm;
    const QString code = input.code.trimmed();
    const QString name = input.name.trimmed();
    if (code.isEmpty())
        return Refusal::error(QStringLiteral("类型编号不能为空！"), field::code);
    if (name.isEmpty())
        return Refusal::error(QStringLiteral("类型名称不能为空！"), field::name);
    if (!editId) {
        if (dm.list(QStringLiteral("select * from [会员卡类型] where [类型编号]=:lxbh"),
                    {{QStringLiteral("lxbh"), code}})
                .rowCount() > 0)
            return Refusal::error(QStringLiteral("该类型编号已存在！"), field::code);
        if (find(dm, name))
            return Refusal::error(QStringLiteral("该类型名称已存在！"), field::name);
    }
    const std::optional<int> visits = wholeNumber(input.visits, 0);
    if (!visits)
        return Refusal::error(QStringLiteral("有效次数必须是整数！"), field::visits);
    const std::optional<int> days = wholeNumber(input.days, 0);
    if (!days)
        return Refusal::error(QStringLiteral("有效天数必须是整数！"), field::days);
    // A discount that is no number is refused with a message instead of failing half-way.
    double discount = 1.0;
    if (!input.discount.trimmed().isEmpty()) {
        bool ok = false;
        discount = input.discount.trimmed().toDouble(&ok);
        if (!ok || discount < 0)
            return Refusal::error(QStringLiteral("会员折扣必须是数字！"), field::discount);
    }
    int slotKind = 0;
    QString time1, time2, weekdays;
    if (input.useSlot) {
        if (input.weekly) {
            slotKind = 2;
            for (bool on : input.weekdays)
                weekdays += on ? QLatin1Char('1') : QLatin1Char('0');
        } else {
            slotKind = 1;
            time1 = input.time1.trimmed();
            time2 = input.time2.trimmed();
            if (!validTime(time1) || !validTime(time2))
                return Refusal::error(QStringLiteral("时间段的时间不正确！"), field::time);
        }
    }
    Params params{
        {QStringLiteral("lxbh"), code},         {QStringLiteral("lxmc"), name},      {QStringLiteral("yxcs"), *visits},
        {QStringLiteral("yxts"), *days},        {QStringLiteral("sj"), input.price}, {QStringLiteral("zkl"), discount},
        {QStringLiteral("sjd"), input.useSlot}, {QStringLiteral("sjdlx"), slotKind}, {QStringLiteral("sj1"), time1},
        {QStringLiteral("sj2"), time2},         {QStringLiteral("sj3"), weekdays}};
    Transaction tx(dm.db());
    if (editId) {
        params.set(QStringLiteral("bh"), *editId);
        if (dm.change(QStringLiteral(
                          "update [会员卡类型] set [类型编号]=:lxbh,[类型名称]=:lxmc,[有效次数]=:yxcs,[有效天数]=:yxts,"
                          "[售价]=:sj,[折扣率]=:zkl,[是否有时间段]=:sjd,[时间段类型]=:sjdlx,[时间1]=:sj1,[时间2]=:sj2,"
                          "[时间3]=:sj3 where [编号]=:bh"),
                      params) == 0)
            return Refusal::warning(QStringLiteral("该会员卡类型已不存在！"));
    } else {
        dm.change(
            QStringLiteral("insert into [会员卡类型] ([类型编号],[类型名称],[有效次数],[有效天数],[售价],[折扣率],"
                           "[是否有时间段],[时间段类型],[时间1],[时间2],[时间3]) values(:lxbh,:lxmc,:yxcs,:yxts,:sj,"
                           ":zkl,:sjd,:sjdlx,:sj1,:sj2,:sj3)"),
            params);
    }
    tx.commit();
    return Done{};
}

Outcome<Money> priceFromText(const QString& text)
{
    const QString trimmed = text.trimmed();
    Money price;
    if (!trimmed.isEmpty() && !Money::parse(trimmed, &price))
        return Refusal::error(QStringLiteral("售价必须是金额！"), field::price);
    return price;
}

MaybeRefusal removalRefusal(TvelunDMForm& dm, const QString& name)
{
    // Counted, not read: a popular type is held by thousands of members.
    if (dm.list(QStringLiteral("select count(*) as [n] from [会员信息] where [会员类型]=:hylx"),
                {{QStringLiteral("hylx"), name}})
            .first(QStringLiteral("n"))
            .toInt() > 0)
        return Refusal::warning(QStringLiteral("该类型已经有会员在使用，不能删除！"));
    return std::nullopt;
}

Outcome<> remove(const CommandContext& context, qint64 id, const QString& name)
{
    TvelunDMForm& dm = context.dm;
    Transaction tx(dm.db());
    if (MaybeRefusal refusal = removalRefusal(dm, name))
        return *refusal;
    dm.change(QStringLiteral("delete from [会员卡类型] where [编号]=:bh"), {{QStringLiteral("bh"), id}});
    tx.commit();
    return Done{};
}

std::vector<TreeNode> gradeTree(TvelunDMForm& dm)
{
    const ResultSet types = dm.list(QStringLiteral("select [编号],[类型名称] from [会员卡类型] order by [编号]"));
    std::vector<TreeRow> rows;
    for (int i = 0; i < types.rowCount(); ++i)
        rows.push_back(
            {types.value(i, QStringLiteral("编号")).toInt(), 0, types.value(i, QStringLiteral("类型名称")).toText()});
    return shapeTree(rows, 0, kAllGrades);
}

} // namespace tkd::cardtypes
