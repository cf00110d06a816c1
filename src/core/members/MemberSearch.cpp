#include "MemberSearch.h"

#include "data/TvelunDMForm.h"
#include "db/TextSearch.h"

namespace tkd::members {

ResultSet pickerList(TvelunDMForm& dm)
{
    return dm.open(QStringLiteral("ADODS_jsrxx"));
}

Filter searchFilter(const QString& text)
{
    return containsAny({QStringLiteral("会员卡号"), QStringLiteral("会员姓名")}, text);
}

ResultSet search(TvelunDMForm& dm, const QString& text)
{
    ResultSet rows = pickerList(dm);
    rows.setFilter(searchFilter(text));
    return rows;
}

} // namespace tkd::members
