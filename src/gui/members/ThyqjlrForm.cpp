#include "ThyqjlrForm.h"

#include "LeaveMemberBox.h"
#include "TxzjsrForm.h"
#include "app/Session.h"
#include "kit/CaptionedValue.h"
#include "kit/FormKit.h"
#include "kit/Guarded.h"
#include "kit/InputMethodFields.h"
#include "kit/Messages.h"
#include "members/Leave.h"
#include "members/LeaveDays.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace tkd::gui {

namespace {
QDateEdit* dateEdit(QWidget* parent, const char* objectName)
{
    auto* edit = new QDateEdit(parent);
    edit->setObjectName(QString::fromLatin1(objectName));
    edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    edit->setCalendarPopup(true);
    return edit;
}
} // namespace

ThyqjlrForm::ThyqjlrForm(Session& session, std::function<TxzjsrForm*()> picker, QWidget* parent)
    : QDialog(parent), m_session(session), m_picker(std::move(picker))
{
    setObjectName(QStringLiteral("hyqjlrForm"));
    setWindowTitle(QStringLiteral("会员请假"));
    m_member = new LeaveMemberBox(this);

    auto* entry = new QGroupBox(QStringLiteral("登记内容"), this);
    m_start = dateEdit(entry, "startDateEdit");
    m_end = dateEdit(entry, "endDateEdit");
    m_days = new QLabel(entry);
    m_days->setObjectName(QStringLiteral("daysLabel"));
    kit::captionValue(m_days, QStringLiteral("请假天数："));
    m_remark = new QLineEdit(entry);
    m_remark->setObjectName(QStringLiteral("remarkEdit"));
    InputMethodFields::markFreeText(m_remark);
    auto* grid = new QGridLayout(entry);
    kit::addRow(grid, 0, 0, QStringLiteral("开始时间："), m_start);
    kit::addRow(grid, 0, 2, QStringLiteral("结束时间："), m_end);
    grid->addWidget(new QLabel(QStringLiteral("请假天数："), entry), 1, 0, Qt::AlignRight);
    grid->addWidget(m_days, 1, 1);
    kit::addRow(grid, 2, 0, QStringLiteral("备注信息："), m_remark, 3);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_member);
    layout->addWidget(entry);
    const auto buttons = kit::addDialogButtons(this, layout, QStringLiteral("保存"), "saveButton");
    buttons.cancel->setText(QStringLiteral("退出"));
    buttons.cancel->setObjectName(QStringLiteral("exitButton"));

    connect(buttons.ok, &QPushButton::clicked, this, kit::guard(this, [this] { save(); }));
    connect(m_member, &LeaveMemberBox::pickRequested, this, kit::guard(this, [this] { pickMember(); }));
    connect(m_start, &QDateEdit::dateChanged, this, [this] { showDays(); });
    connect(m_end, &QDateEdit::dateChanged, this, [this] { showDays(); });

    const QWidget* order[] = {m_member->pickButton(), m_start, m_end, m_remark, buttons.ok, buttons.cancel};
    for (size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(const_cast<QWidget*>(order[i - 1]), const_cast<QWidget*>(order[i]));
    kit::installEnterMovesFocus(this);
    m_fields.add(members::field::leaveMember, m_member->pickButton())
        .add(members::field::leaveStart, m_start)
        .add(members::field::leaveEnd, m_end);
}

void ThyqjlrForm::reset()
{
    const QDate today = m_session.now().date();
    m_savedCard.clear();
    m_start->setDate(today);
    m_end->setDate(today.addDays(30));
    m_remark->clear();
    showDays();
}

bool ThyqjlrForm::prepareForMember(const QString& cardNumber)
{
    const std::optional<members::LeaveMember> member = members::leaveMember(m_session.velunDMForm(), cardNumber);
    if (!member) {
        Messages::warning(parentWidget(), QStringLiteral("会员卡号不存在！"));
        return false;
    }
    reset();
    m_member->clear(false);
    m_member->show(*member);
    m_start->setFocus();
    return true;
}

void ThyqjlrForm::prepareToPick()
{
    reset();
    m_member->clear(true);
    m_member->pickButton()->setFocus();
}

void ThyqjlrForm::pickMember()
{
    TxzjsrForm* picker = m_picker();
    picker->prepare(TxzjsrForm::Mode::Leave);
    if (picker->exec() != QDialog::Accepted)
        return;
    if (showMember(picker->pickedCardNumber()))
        m_start->setFocus();
}

bool ThyqjlrForm::showMember(const QString& cardNumber)
{
    const std::optional<members::LeaveMember> member = members::leaveMember(m_session.velunDMForm(), cardNumber);
    if (!member) {
        Messages::warning(this, QStringLiteral("会员卡号不存在！"));
        return false;
    }
    m_member->show(*member);
    return true;
}

void ThyqjlrForm::showDays()
{
    m_days->setText(QString::number(members::leaveDays(m_start->date(), m_end->date())) + QStringLiteral("天"));
}

void ThyqjlrForm::save()
{
    members::LeaveInput input;
    input.cardNumber = m_member->cardNumber();
    input.start = m_start->date();
    input.end = m_end->date();
    input.remark = m_remark->text();
    const Outcome<qint64> recorded = members::recordLeave(m_session.command(), input);
    if (recorded.refused()) {
        m_fields.showRefusal(this, recorded.refusal());
        return;
    }
    m_savedCard = input.cardNumber;
    accept();
}

} // namespace tkd::gui
