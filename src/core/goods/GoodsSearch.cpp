#include "GoodsSearch.h"

#include "data/TvelunDMForm.h"
#include "db/TextSearch.h"

namespace tkd::goods {

ResultSet saleList(TvelunDMForm& dm)
{
    return dm.open(QStringLiteral("ADODS_xssp"));
}

Filter searchFilter(const QString& text)
{
    return containsAny({QStringLiteral("商品编号"), QStringLiteral("商品名称")}, text);
}

ResultSet search(TvelunDMForm& dm, const QString& text)
{
    ResultSet rows = saleList(dm);
    rows.setFilter(searchFilter(text));
    return rows;
}

} // namespace tkd::goods
