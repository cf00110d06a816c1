#include "TxzjsrForm.h"

#include "app/Session.h"

namespace tkd::gui {

TxzjsrForm::TxzjsrForm(Session& session, QWidget* parent) : Chooser(ChooserSpec::members(session.velunDMForm()), parent)
{
}

void TxzjsrForm::prepare(Mode mode)
{
    m_mode = mode;
    Chooser::prepare();
}

QString TxzjsrForm::pickedCardNumber() const
{
    return picked(QStringLiteral("会员卡号")).toText();
}

QString TxzjsrForm::pickedName() const
{
    return picked(QStringLiteral("会员姓名")).toText();
}

} // namespace tkd::gui
