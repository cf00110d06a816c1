#include "TuserinfoForm.h"

#include "app/Clock.h"
#include "app/Session.h"
#include "data/TvelunDMForm.h"
#include "kit/FormKit.h"
#include "kit/Guarded.h"
#include "kit/InputMethodFields.h"
#include "kit/Messages.h"
#include "settings/UserInfo.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tkd::gui {

TuserinfoForm::TuserinfoForm(Session& session, QWidget* parent) : QDialog(parent), m_context(session)
{
    setObjectName(QStringLiteral("userinfoForm"));
    setWindowTitle(QStringLiteral("用户信息设置"));
    auto* form = new QFormLayout;
    auto field = [&](const char* name, const QString& caption) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        InputMethodFields::markFreeText(edit);
        form->addRow(kit::captionFor(edit, caption, this), edit);
        return edit;
    };
    m_name = field("hallNameEdit", QStringLiteral("用户名称："));
    m_phone = field("phoneEdit", QStringLiteral("联系电话："));
    m_email = field("emailEdit", QStringLiteral("电子邮箱："));
    m_website = field("websiteEdit", QStringLiteral("公司网址："));
    m_address = field("addressEdit", QStringLiteral("联系地址："));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    const kit::DialogButtons buttons = kit::addDialogButtons(this, layout);
    resize(420, sizeHint().height());
    connect(buttons.ok, &QPushButton::clicked, this, kit::guard(this, [this] { save(); }));
    kit::installEnterMovesFocus(this);
}

void TuserinfoForm::prepare()
{
    const UserInfo info = UserInfo::load(m_context.velunDMForm());
    m_name->setText(info.name);
    m_phone->setText(info.phone);
    m_email->setText(info.email);
    m_website->setText(info.website);
    m_address->setText(info.address);
}

void TuserinfoForm::save()
{
    const UserInfo info{m_name->text(), m_phone->text(), m_email->text(), m_website->text(), m_address->text()};
    if (const Outcome<> saved = saveUserInfo(m_context.command(), info); saved.refused()) {
        Messages::refusal(this, saved.refusal());
        m_name->setFocus();
        return;
    }
    Q_EMIT hallNameChanged(info.name.trimmed());
    accept();
}

} // namespace tkd::gui
