#include "Items.h"

#include "Packages.h"
#include "data/TvelunDMForm.h"
#include "db/Database.h"
#include "goods/Quantities.h"

namespace tkd::coaching {

namespace {

Refusal itemGone()
{
    return Refusal::warning(QStringLiteral("该项目已不存在！"));
}

bool itemExists(TvelunDMForm& dm, const QString& code)
{
    return !dm.list(QStringLiteral("select * from [私教项目] where [项目编号]=:xmbh"), {{QStringLiteral("xmbh"), code}})
                .isEmpty();
}

} // namespace

ResultSet items(TvelunDMForm& dm)
{
    return dm.open(QStringLiteral("ADODS_sjxm"));
}

QStringList itemNames(TvelunDMForm& dm)
{
    return dm.list(QStringLiteral("select [项目名称] from [私教项目]")).texts(QStringLiteral("项目名称"));
}

std::optional<Money> itemPrice(TvelunDMForm& dm, const QString& name)
{
    const ResultSet row = dm.list(QStringLiteral("select [项目单价] from [私教项目] where [项目名称]=:xmmc"),
                                  {{QStringLiteral("xmmc"), name}});
    if (row.isEmpty())
        return std::nullopt;
    return row.first(QStringLiteral("项目单价")).toMoney();
}

std::optional<ItemInput> findItem(TvelunDMForm& dm, const QString& code)
{
    const ResultSet row =
        dm.list(QStringLiteral("select * from [私教项目] where [项目编号]=:xmbh"), {{QStringLiteral("xmbh"), code}});
    if (row.isEmpty())
        return std::nullopt;
    return ItemInput{row.first(QStringLiteral("项目编号")).toText(), row.first(QStringLiteral("项目名称")).toText(),
                     goods::priceText(row.first(QStringLiteral("项目单价")).toMoney())};
}

Outcome<> saveItem(const CommandContext& context, const ItemInput& input, const std::optional<QString>& editedCode)
{
    TvelunDMForm& dm = context.dm;
    Transaction tx(dm.db());
    if (editedCode && !itemExists(dm, *editedCode))
        return itemGone();
    const QString code = input.code.trimmed();
    const QString name = input.name.trimmed();
    if (code.isEmpty())
        return Refusal::error(QStringLiteral("项目编号不能为空！"), itemField::code);
    if (name.isEmpty())
        return Refusal::error(QStringLiteral("项目名称不能为空！"), itemField::name);
    const std::optional<Money> price = parsePrice(input.price);
    if (!price)
        return Refusal::error(QStringLiteral("项目单价必须是金额！"), itemField::price);
    if (price->isZero())
        return Refusal::error(QStringLiteral("项目单价不能为零！"), itemField::price);
    if (*price < Money())
        return Refusal::warning(QStringLiteral("项目单价不能为负数，请重新输入！"), itemField::price);
    if (!editedCode && itemExists(dm, code))
        return Refusal::error(QStringLiteral("重复的项目编号！"), itemField::code);

    if (editedCode) {
        dm.change(
            QStringLiteral("update [私教项目] set [项目名称]=:xmmc,[项目单价]=:xmdj where [项目编号]=:xmbh"),
            {{QStringLiteral("xmmc"), name}, {QStringLiteral("xmdj"), *price}, {QStringLiteral("xmbh"), *editedCode}});
    } else {
        dm.change(QStringLiteral("insert into [私教项目] ([项目编号],[项目名称],[项目单价]) values(:xmbh,:xmmc,:xmdj)"),
                  {{QStringLiteral("xmbh"), code}, {QStringLiteral("xmmc"), name}, {QStringLiteral("xmdj"), *price}});
    }
    tx.commit();
    return Done{};
}

Outcome<> removeItem(const CommandContext& context, const QString& code)
{
    Transaction tx(context.dm.db());
    if (context.dm.change(QStringLiteral("delete from [私教项目] where [项目编号]=:xmbh"),
                          {{QStringLiteral("xmbh"), code}}) == 0)
        return itemGone();
    tx.commit();
    return Done{};
}

} // namespace tkd::coaching
