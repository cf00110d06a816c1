#include "ShoppingList.h"

#include "data/ScratchList.h"
#include "data/TvelunDMForm.h"

namespace tkd::goods {
namespace {

const QString kTable = QStringLiteral("临时会员消费");

QString orZero(const QString& text)
{
    const QString t = text.trimmed();
    return t.isEmpty() ? QStringLiteral("0") : t;
}

std::optional<Money> priceFromText(const QString& text)
{
    Money price;
    if (!Money::parse(orZero(text), &price))
        return std::nullopt;
    return price;
}

ShoppingLine lineFrom(const ResultSet& rows, int row)
{
    ShoppingLine line;
    line.number = int(rows.value(row, QStringLiteral("序号")).toInt());
    line.code = rows.value(row, QStringLiteral("商品编号")).toText();
    line.name = rows.value(row, QStringLiteral("商品名称")).toText();
    line.unit = rows.value(row, QStringLiteral("单位")).toText();
    line.price = rows.value(row, QStringLiteral("单价")).toMoney();
    line.quantity = Quantity::fromStored(rows.value(row, QStringLiteral("数量")).toDouble());
    line.rate = Rate::fromStored(rows.value(row, QStringLiteral("折扣率")).toDouble());
    line.total = rows.value(row, QStringLiteral("总金额")).toMoney();
    line.staff = rows.value(row, QStringLiteral("服务员工")).toText();
    line.service = rows.value(row, QStringLiteral("人工服务")).toBool();
    return line;
}

Refusal badQuantity()
{
    return Refusal::error(QStringLiteral("请输入正确的消费数量！"), field::quantity);
}

Refusal badRate()
{
    return Refusal::error(QStringLiteral("请输入正确的折扣率！"), field::rate);
}

} // namespace

std::optional<Quantity> quantityFromText(const QString& text)
{
    return Quantity::parse(orZero(text));
}

std::optional<Rate> rateFromText(const QString& text)
{
    return Rate::parse(orZero(text));
}

std::optional<Money> previewTotal(const QString& price, const QString& quantity, const QString& rate)
{
    const auto p = priceFromText(price);
    const auto q = quantityFromText(quantity);
    const auto r = rateFromText(rate);
    if (!p || !q || !r)
        return std::nullopt;
    return lineTotal(*p, *q, *r);
}

ResultSet serviceStaff(TvelunDMForm& dm)
{
    return dm.open(QStringLiteral("ADODS_fwyg"));
}

QStringList serviceStaffNames(TvelunDMForm& dm)
{
    return dm.list(QStringLiteral("select [姓名] from [员工设置]")).texts(QStringLiteral("姓名"));
}

ShoppingList::ShoppingList(TvelunDMForm& dm) : m_dm(dm) {}

void ShoppingList::clear()
{
    ScratchList(m_dm, kTable).clear();
}

ResultSet ShoppingList::rows() const
{
    return m_dm.list(QStringLiteral("select * from [临时会员消费] order by [序号]"));
}

std::vector<ShoppingLine> ShoppingList::lines() const
{
    const ResultSet all = rows();
    std::vector<ShoppingLine> result;
    result.reserve(size_t(all.rowCount()));
    for (int row = 0; row < all.rowCount(); ++row)
        result.push_back(lineFrom(all, row));
    return result;
}

std::optional<ShoppingLine> ShoppingList::line(int number) const
{
    const ResultSet found =
        m_dm.list(QStringLiteral("select * from [临时会员消费] where [序号]=:xh"), {{QStringLiteral("xh"), number}});
    if (found.isEmpty())
        return std::nullopt;
    return lineFrom(found, 0);
}

int ShoppingList::count() const
{
    return int(m_dm.db().scalar(QStringLiteral("select count(*) from [临时会员消费]")).toInt());
}

Money ShoppingList::total() const
{
    Money sum;
    for (const ShoppingLine& line : lines())
        sum += line.total;
    return sum;
}

Quantity ShoppingList::quantitySum() const
{
    Quantity sum;
    for (const ShoppingLine& line : lines())
        sum = sum + line.quantity;
    return sum;
}

Outcome<ShoppingLine> ShoppingList::add(const QString& code, const QString& quantityText, Rate rate)
{
    const auto quantity = quantityFromText(quantityText);
    if (!quantity)
        return badQuantity();
    const ResultSet item = m_dm.open(QStringLiteral("ADOQ_spxx"), {{QStringLiteral("spbh"), code}});
    if (item.isEmpty())
        return Refusal::warning(QStringLiteral("该商品已不存在！"));

    ShoppingLine line;
    line.code = item.first(QStringLiteral("商品编号")).toText();
    line.name = item.first(QStringLiteral("商品名称")).toText();
    line.unit = item.first(QStringLiteral("单位")).toText();
    line.price = item.first(QStringLiteral("预售单价")).toMoney();
    line.quantity = *quantity;
    line.rate = rate;
    line.total = lineTotal(line.price, line.quantity, line.rate);
    line.service = item.first(QStringLiteral("人工服务")).toBool();

    Transaction tx(m_dm.db());
    line.number = count() + 1;
    m_dm.change(
        QStringLiteral("insert into [临时会员消费] ([序号],[商品编号],[商品名称],[单位],[单价],[数量],[折扣率],"
                       "[总金额],[服务员工],[人工服务]) values(:xh,:spbh,:spmc,:dw,:dj,:sl,:zkl,:zje,:fwyg,:rgfw)"),
        {{QStringLiteral("xh"), line.number},
         {QStringLiteral("spbh"), line.code},
         {QStringLiteral("spmc"), line.name},
         {QStringLiteral("dw"), line.unit},
         {QStringLiteral("dj"), line.price},
         {QStringLiteral("sl"), line.quantity.toDouble()},
         {QStringLiteral("zkl"), line.rate.toDouble()},
         {QStringLiteral("zje"), line.total},
         {QStringLiteral("fwyg"), QString()},
         {QStringLiteral("rgfw"), line.service}});
    tx.commit();
    return line;
}

Outcome<ShoppingLine> ShoppingList::change(int number, const LineChange& change)
{
    const auto price = priceFromText(change.price);
    if (!price)
        return Refusal::error(QStringLiteral("请输入正确的单价！"), field::price);
    const auto quantity = quantityFromText(change.quantity);
    if (!quantity)
        return badQuantity();
    const auto rate = rateFromText(change.rate);
    if (!rate)
        return badRate();

    Transaction tx(m_dm.db());
    auto line = this->line(number);
    if (!line)
        return Refusal::warning(QStringLiteral("请选择要修改的商品！"));
    line->price = *price;
    line->quantity = *quantity;
    line->rate = *rate;
    line->total = lineTotal(*price, *quantity, *rate);
    line->staff = line->service ? change.staff.trimmed() : QString();
    m_dm.change(QStringLiteral("update [临时会员消费] set [单价]=:dj,[数量]=:sl,[折扣率]=:zkl,[总金额]=:zje,"
                               "[服务员工]=:fwyg where [序号]=:xh"),
                {{QStringLiteral("dj"), line->price},
                 {QStringLiteral("sl"), line->quantity.toDouble()},
                 {QStringLiteral("zkl"), line->rate.toDouble()},
                 {QStringLiteral("zje"), line->total},
                 {QStringLiteral("fwyg"), line->staff},
                 {QStringLiteral("xh"), number}});
    tx.commit();
    return *line;
}

void ShoppingList::remove(int number)
{
    Transaction tx(m_dm.db());
    if (m_dm.change(QStringLiteral("delete from [临时会员消费] where [序号]=:xh"), {{QStringLiteral("xh"), number}}) ==
        0)
        return;
    m_dm.change(QStringLiteral("update [临时会员消费] set [序号]=[序号]-1 where [序号]>:xh"),
                {{QStringLiteral("xh"), number}});
    tx.commit();
}

void ShoppingList::setStaff(int number, const QString& staff)
{
    m_dm.change(QStringLiteral("update [临时会员消费] set [服务员工]=:fwyg where [序号]=:xh"),
                {{QStringLiteral("fwyg"), staff.trimmed()}, {QStringLiteral("xh"), number}});
}

} // namespace tkd::goods
