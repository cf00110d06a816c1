#include "ThytgForm.h"

#include "app/Session.h"
#include "data/TvelunDMForm.h"
#include "kit/CaptionedValue.h"
#include "kit/FormKit.h"
#include "kit/Messages.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tkd::gui {

ThytgForm::ThytgForm(Session& session, QWidget* parent) : QDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("hytgForm"));
    setWindowTitle(QStringLiteral("会员衣柜退柜"));
    auto* group = new QGroupBox(QStringLiteral("衣柜信息"), this);
    auto* form = new QGridLayout(group);
    const std::pair<const char16_t*, QLabel**> values[] = {{u"衣柜编号：", &m_number},
                                                           {u"衣柜名称：", &m_name},
                                                           {u"衣柜押金：", &m_deposit},
                                                           {u"租用会员：", &m_member},
                                                           {u"备注信息：", &m_remark}};
    const char* names[] = {"lockerNumberValue", "lockerNameValue", "depositValue", "memberValue", "remarkValue"};
    int row = 0;
    for (const auto& [caption, value] : values) {
        *value = new QLabel(group);
        (*value)->setObjectName(QString::fromLatin1(names[row]));
        (*value)->setMinimumWidth(140);
        kit::addRow(form, row++, 0, QString::fromUtf16(caption), *value);
        kit::captionValue(*value, QString::fromUtf16(caption));
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    QPushButton* giveBack = kit::pushButton(this, QStringLiteral("退柜"), "returnButton", buttons);
    QPushButton* cancel = kit::pushButton(this, QStringLiteral("取消"), "cancelButton", buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
    connect(giveBack, &QPushButton::clicked, this, &ThytgForm::giveBack);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void ThytgForm::prepare(const lockers::LockerView& locker)
{
    m_locker = locker;
    m_returned = {};
    m_number->setText(locker.number);
    m_name->setText(locker.name);
    m_deposit->setText(lockers::depositTaken(m_session.velunDMForm(), locker).toYuanText());
    m_member->setText(locker.memberName);
    m_remark->setText(locker.remark);
}

void ThytgForm::giveBack()
{
    const Outcome<lockers::ReturnDone> returned =
        lockers::returnLocker(m_session.command(), {m_locker.number, m_locker.cardNumber});
    if (returned.refused()) {
        Messages::refusal(this, returned.refusal());
        return;
    }
    m_returned = returned.value();
    accept();
}

} // namespace tkd::gui
