#include "ThyxjForm.h"

#include "LeaveMemberBox.h"
#include "app/Session.h"
#include "kit/CaptionedValue.h"
#include "kit/FormKit.h"
#include "kit/Guarded.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tkd::gui {

ThyxjForm::ThyxjForm(Session& session, QWidget* parent) : QDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("hyxjForm"));
    setWindowTitle(QStringLiteral("会员销假"));
    m_member = new LeaveMemberBox(this);

    auto* entry = new QGroupBox(QStringLiteral("登记内容"), this);
    m_start = new QLabel(entry);
    m_start->setObjectName(QStringLiteral("startLabel"));
    kit::captionValue(m_start, QStringLiteral("开始时间："));
    m_end = new QLabel(entry);
    m_end->setObjectName(QStringLiteral("endLabel"));
    kit::captionValue(m_end, QStringLiteral("结束时间："));
    m_until = new QDateEdit(entry);
    m_until->setObjectName(QStringLiteral("untilDateEdit"));
    m_until->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    m_until->setCalendarPopup(true);
    auto* note = new QLabel(QStringLiteral("销假时间是会员假期结束的时间"), entry);
    note->setObjectName(QStringLiteral("noteLabel"));
    auto* grid = new QGridLayout(entry);
    grid->addWidget(new QLabel(QStringLiteral("开始时间："), entry), 0, 0, Qt::AlignRight);
    grid->addWidget(m_start, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("结束时间："), entry), 0, 2, Qt::AlignRight);
    grid->addWidget(m_end, 0, 3);
    kit::addRow(grid, 1, 0, QStringLiteral("销假时间："), m_until);
    grid->addWidget(note, 1, 2, 1, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_member);
    layout->addWidget(entry);
    const auto buttons = kit::addDialogButtons(this, layout, QStringLiteral("保存"), "saveButton");
    buttons.cancel->setText(QStringLiteral("退出"));
    buttons.cancel->setObjectName(QStringLiteral("exitButton"));
    connect(buttons.ok, &QPushButton::clicked, this, kit::guard(this, [this] { save(); }));
    kit::installEnterMovesFocus(this);
    m_fields.add(members::field::leaveUntil, m_until);
}

void ThyxjForm::prepare(const members::LeaveToEnd& leave)
{
    m_key = {leave.leave.id, leave.member.cardNumber};
    m_member->clear(false);
    m_member->show(leave.member);
    m_start->setText(leave.leave.start.toString(QStringLiteral("yyyy-MM-dd")));
    m_end->setText(leave.leave.end.toString(QStringLiteral("yyyy-MM-dd")));
    m_until->setDate(m_session.now().date());
    m_until->setFocus();
}

void ThyxjForm::save()
{
    const Outcome<> ended = members::endLeave(m_session.command(), m_key, m_until->date());
    if (ended.refused()) {
        m_fields.showRefusal(this, ended.refusal());
        return;
    }
    accept();
}

} // namespace tkd::gui
