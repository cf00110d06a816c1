#include "Catalogue.h"

#include "GoodsSearch.h"
#include "Quantities.h"
#include "StockLedger.h"
#include "data/TvelunDMForm.h"

#include <limits>

namespace tkd::goods {

namespace {

Refusal itemGone()
{
    return Refusal::warning(QStringLiteral("该商品已不存在！"));
}

ResultSet storedItem(TvelunDMForm& dm, const QString& code)
{
    return dm.open(QStringLiteral("ADOQ_spxx"), {{QStringLiteral("spbh"), code}});
}

// A price as typed: blank is 0; digits with one decimal point, four decimals at most.
std::optional<Money> parsePrice(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return Money();
    Money price;
    if (!Money::parse(trimmed, &price) || price < Money())
        return std::nullopt;
    return price;
}

// The opening stock as typed: blank is 0; no sign, as the field takes only digits and a point.
std::optional<Quantity> parseOpeningStock(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return Quantity();
    const std::optional<Quantity> quantity = Quantity::parse(trimmed);
    if (!quantity || *quantity < Quantity())
        return std::nullopt;
    return quantity;
}

// Points as typed: blank is 0; digits only, within what an integer column of the hall has always held.
std::optional<qint64> parsePoints(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return 0;
    for (const QChar c : trimmed)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    bool ok = false;
    const qint64 points = trimmed.toLongLong(&ok);
    if (!ok || points > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return points;
}

} // namespace

QStringList unitChoices()
{
    return {QStringLiteral("个"), QStringLiteral("张"), QStringLiteral("盒"),
            QStringLiteral("瓶"), QStringLiteral("袋"), QStringLiteral("箱")};
}

ResultSet catalogue(TvelunDMForm& dm)
{
    return dm.open(QStringLiteral("ADODS_spxx"));
}

Filter catalogueSearch(const QString& text)
{
    return searchFilter(text);
}

std::optional<ItemEntry> itemForEntry(TvelunDMForm& dm, const QString& code)
{
    const ResultSet row = storedItem(dm, code);
    if (row.isEmpty())
        return std::nullopt;
    ItemEntry item;
    item.categoryId = row.first(QStringLiteral("父结点")).toInt();
    item.categoryName = row.first(QStringLiteral("商品类别")).toText();
    item.code = row.first(QStringLiteral("商品编号")).toText();
    item.name = row.first(QStringLiteral("商品名称")).toText();
    item.unit = row.first(QStringLiteral("单位")).toText();
    item.purchasePrice = priceText(row.first(QStringLiteral("预设进价")).toMoney());
    item.salePrice = priceText(row.first(QStringLiteral("预售单价")).toMoney());
    item.quantity = Quantity::fromStored(row.first(QStringLiteral("数量")).toDouble()).toText();
    item.counted = row.first(QStringLiteral("是否计库存")).toBool();
    item.exchangeable = row.first(QStringLiteral("是否兑换")).toBool();
    item.points = QString::number(row.first(QStringLiteral("兑换积分")).toInt());
    item.service = row.first(QStringLiteral("人工服务")).toBool();
    item.remark = row.first(QStringLiteral("备注")).toText();
    return item;
}

Outcome<> saveItem(const CommandContext& context, const ItemEntry& input, const std::optional<QString>& editedCode)
{
    TvelunDMForm& dm = context.dm;
    Transaction tx(dm.db());
    // The item itself first: the system item is refused whatever the dialog holds.
    if (editedCode) {
        if (MaybeRefusal refusal = refuseItemEdit(dm, *editedCode))
            return std::move(*refusal);
    }
    const QString categoryName = input.categoryName.trimmed();
    const QString code = input.code.trimmed();
    const QString name = input.name.trimmed();
    if (categoryName.isEmpty() || !input.categoryId)
        return Refusal::error(QStringLiteral("商品类别不能为空！"), itemField::category);
    if (code.isEmpty())
        return Refusal::error(QStringLiteral("商品编号不能为空！"), itemField::code);
    if (name.isEmpty())
        return Refusal::error(QStringLiteral("商品名称不能为空！"), itemField::name);
    if (!editedCode && !storedItem(dm, code).isEmpty()) {
        // The column compares without regard to case, so "A01" is taken once "a01" is stored.
        return Refusal::error(QStringLiteral("该商品编号已存在！"), itemField::code);
    }

    const std::optional<Money> purchasePrice = parsePrice(input.purchasePrice);
    if (!purchasePrice)
        return Refusal::error(QStringLiteral("请输入正确的进货单价！"), itemField::purchasePrice);
    const std::optional<Money> salePrice = parsePrice(input.salePrice);
    if (!salePrice)
        return Refusal::error(QStringLiteral("请输入正确的销售单价！"), itemField::salePrice);
    // Only a new counted item has an opening stock; an item that counts none starts at 0.
    std::optional<Quantity> openingStock = Quantity();
    if (!editedCode && input.counted)
        openingStock = parseOpeningStock(input.quantity);
    if (!openingStock)
        return Refusal::error(QStringLiteral("请输入正确的库存数量！"), itemField::quantity);
    const std::optional<qint64> points = parsePoints(input.points);
    if (!points)
        return Refusal::error(QStringLiteral("请输入正确的兑换积分！"), itemField::points);

    const QString unit = input.unit.trimmed();
    Params params{{QStringLiteral("spmc"), name},
                  {QStringLiteral("splb"), categoryName},
                  {QStringLiteral("dw"), unit},
                  {QStringLiteral("sfjkc"), input.counted},
                  {QStringLiteral("ysjj"), *purchasePrice},
                  {QStringLiteral("ysdj"), *salePrice},
                  {QStringLiteral("sfdh"), input.exchangeable},
                  {QStringLiteral("dhjf"), *points},
                  {QStringLiteral("rgfw"), input.service},
                  {QStringLiteral("bz"), input.remark.trimmed()},
                  {QStringLiteral("fjd"), *input.categoryId}};
    if (editedCode) {
        // Stock and the total sold move only through the ledger; the code never changes.
        params.set(QStringLiteral("spbh"), *editedCode);
        dm.change(
            QStringLiteral("update [商品信息] set [商品名称]=:spmc,[商品类别]=:splb,[单位]=:dw,[是否计库存]=:sfjkc,"
                           "[预设进价]=:ysjj,[预售单价]=:ysdj,[是否兑换]=:sfdh,[兑换积分]=:dhjf,[人工服务]=:rgfw,"
                           "[备注]=:bz,[父结点]=:fjd where [商品编号]=:spbh"),
            params);
        tx.commit();
        return Done{};
    }

    params.set(QStringLiteral("spbh"), code);
    params.set(QStringLiteral("sl"), 0);
    params.set(QStringLiteral("xszs"), 0);
    dm.change(QStringLiteral("insert into [商品信息] ([商品编号],[商品名称],[商品类别],[单位],[是否计库存],[预设进价],"
                             "[预售单价],[数量],[销售总数],[是否兑换],[兑换积分],[人工服务],[备注],[父结点]) "
                             "values(:spbh,:spmc,:splb,:dw,:sfjkc,:ysjj,:ysdj,:sl,:xszs,:sfdh,:dhjf,:rgfw,:bz,:fjd)"),
              params);
    if (input.counted && !openingStock->isZero()) {
        StockMove opening;
        opening.kind = StockMoveKind::Purchase;
        opening.code = code;
        opening.name = name;
        opening.unit = unit;
        opening.price = *purchasePrice;
        opening.quantity = *openingStock;
        opening.amount = lineTotal(*purchasePrice, *openingStock, Rate::one());
        opening.day = context.now.date();
        opening.operatorName = context.operatorName;
        recordStockMove(dm, opening);
    }
    tx.commit();
    return Done{};
}

MaybeRefusal refuseItemEdit(TvelunDMForm& dm, const QString& code)
{
    const ResultSet stored = storedItem(dm, code);
    if (stored.isEmpty())
        return itemGone();
    if (stored.first(QStringLiteral("商品名称")).toText() == kSystemItemName)
        return Refusal::warning(QStringLiteral("该商品为系统默认，不能修改！"));
    return std::nullopt;
}

MaybeRefusal refuseItemRemoval(TvelunDMForm& dm, const QString& code)
{
    const ResultSet stored = storedItem(dm, code);
    if (stored.isEmpty())
        return itemGone();
    if (stored.first(QStringLiteral("商品名称")).toText() == kSystemItemName)
        return Refusal::warning(QStringLiteral("该商品为系统默认，不能删除！"));
    return std::nullopt;
}

Outcome<> removeItem(const CommandContext& context, const QString& code)
{
    Transaction tx(context.dm.db());
    if (MaybeRefusal refusal = refuseItemRemoval(context.dm, code))
        return std::move(*refusal);
    context.dm.change(QStringLiteral("delete from [商品信息] where [商品编号]=:spbh"),
                      {{QStringLiteral("spbh"), code}});
    tx.commit();
    return Done{};
}

} // namespace tkd::goods
