#include "TxzjlForm.h"

#include "app/Session.h"
#include "data/TvelunDMForm.h"
#include "frontdesk/MemberLookup.h"
#include "kit/Guarded.h"
#include "kit/Messages.h"

namespace tkd::gui {

namespace {

ChooserSpec coachSpec(Session& session)
{
    ChooserSpec spec = ChooserSpec::coaches(session.velunDMForm());
    spec.objectName = QStringLiteral("xzjlForm");
    spec.size = QSize(520, 360);
    return spec;
}

} // namespace

TxzjlForm::TxzjlForm(Session& session, QWidget* parent) : Chooser(coachSpec(session), parent), m_context(session) {}

void TxzjlForm::prepare(const QString& cardNumber)
{
    m_cardNumber = cardNumber;
    m_chosen.clear();
    Chooser::prepare();
}

void TxzjlForm::done(int result)
{
    if (result == Accepted) {
        const QString coach = picked(QStringLiteral("姓名")).toText();
        Outcome<> stored = Done{};
        // An engine error leaves the picker open, as a failed slot does.
        if (!kit::guarded(this, [&] { stored = frontdesk::setCoach(m_context.command(), m_cardNumber, coach); }))
            return;
        if (stored.refused()) {
            Messages::refusal(this, stored.refusal());
            result = Rejected;
        } else {
            m_chosen = coach;
        }
    }
    Chooser::done(result);
}

} // namespace tkd::gui
