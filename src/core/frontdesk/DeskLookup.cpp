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
    // One transaction for the whole swipe: the panel and every list show the same moment, and the
    // file is locked and checked for changes once rather than for each of some twenty statements.
    // Only the connection's scratch lists are written, so the commit writes nothing to the file.
    Transaction tx(dm.db());
    const settings::OtherSettings lead = settings::load(dm);
    auto member = lookUp(dm, cardNumber, today, lead);
    if (!member)
        return std::nullopt;
    reminders::buildMemberReminders(dm, member->cardNumber, today, lead);
    rebuildVisitList(dm, member->cardNumber);
    DeskLookup found{std::move(*member), loadHistory(dm, cardNumber)};
    tx.commit();
    return found;
}

std::optional<DeskLookup> lookUpAgain(TvelunDMForm& dm, const QString& cardNumber, const QDate& today,
                                      const QStringList& lists)
{
    // Read in one transaction, as a swipe is: one moment, one lock.
    Transaction tx(dm.db());
    auto member = lookUp(dm, cardNumber, today);
    if (!member)
        return std::nullopt;
    DeskLookup found{std::move(*member),
                     lists.isEmpty() ? std::vector<HistoryList>() : loadHistory(dm, cardNumber, lists)};
    tx.commit();
    return found;
}

} // namespace tkd::frontdesk
