#include "DeskLookup.h"

#include "data/TvelunDMForm.h"
#include "reminders/DueRules.h"
#include "settings/OtherSettings.h"

namespace tkd::frontdesk {

std::vector<HistoryList> loadHistory(TvelunDMForm& dm, const QString& cardNumber, const QStringList& only)
{
    static const char16_t* const entries[] = {u"ADOQ_hyczjl", u"ADOQ_sjhzjl",   u"ADOQ_xfsjjl", u"ADOQ_hyqjhykh",
                                              u"ADODS_hytx",  u"ADODS_tmphydj", u"ADOQ_hyxf",   u"ADOQ_dhsp"};
    std::vector<HistoryList> lists;
    lists.reserve(std::size(entries));
    const Params byCard{{QStringLiteral("hykh"), cardNumber}};
    for (const char16_t* raw : entries) {
        const QString entry = QString::fromUtf16(raw);
        if (!only.isEmpty() && !only.contains(entry))
            continue;
        lists.push_back({entry, entry.startsWith(QStringLiteral("ADOQ_")) ? dm.open(entry, byCard) : dm.open(entry)});
    }
    return lists;
}

std::optional<DeskLookup> lookUpAtDesk(TvelunDMForm& dm, const QString& cardNumber, const QDate& today)
{
    const settings::OtherSettings lead = settings::load(dm);
    auto member = lookUp(dm, cardNumber, today, lead);
    if (!member)
        return std::nullopt;
    reminders::buildMemberReminders(dm, member->cardNumber, today, lead);
    rebuildVisitList(dm, member->cardNumber);
    return DeskLookup{std::move(*member), loadHistory(dm, cardNumber)};
}

} // namespace tkd::frontdesk
