#include "TqtszForm.h"

#include "app/AppContext.h"
#include "kit/FormKit.h"
#include "kit/Guarded.h"
#include "kit/Messages.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tkd::gui {

namespace {

QLineEdit* numberEdit(const char* name, QWidget* parent, bool money)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaximumWidth(70);
    if (money)
        kit::moneyOnly(edit);
    else
        kit::digitsOnly(edit);
    return edit;
}

// One line that reads as a sentence: text, field, text (, field, text).
void sentence(QVBoxLayout* layout, QWidget* parent, const QString& before, QLineEdit* field, const QString& after,
              QLineEdit* second = nullptr, const QString& afterSecond = {})
{
    auto* row = new QHBoxLayout;
    row->addWidget(kit::captionFor(field, before, parent));
    field->setAccessibleName(before.simplified() + QStringLiteral("…") + after);
    row->addWidget(field);
    row->addWidget(new QLabel(after, parent));
    if (second) {
        row->addWidget(second);
        second->setAccessibleName(after + QStringLiteral("…") + afterSecond);
        row->addWidget(new QLabel(afterSecond, parent));
    }
    row->addStretch();
    layout->addLayout(row);
}

} // namespace

TqtszForm::TqtszForm(AppContext& context, QWidget* parent) : QDialog(parent), m_context(context)
{
    setObjectName(QStringLiteral("qtszForm"));
    setWindowTitle(QStringLiteral("其它设置"));
    m_referral = numberEdit("referralEdit", this, true);
    m_consumption = numberEdit("consumptionEdit", this, true);
    m_points = numberEdit("pointsEdit", this, false);
    m_days = numberEdit("daysEdit", this, false);
    m_locker = numberEdit("lockerLeadEdit", this, false);
    m_member = numberEdit("memberLeadEdit", this, false);
    m_birthday = numberEdit("birthdayLeadEdit", this, false);
    m_grading = numberEdit("gradingEdit", this, false);
    m_unattended = new QCheckBox(QStringLiteral("无人值守状态"), this);
    m_unattended->setObjectName(QStringLiteral("unattendedCheck"));
    m_dailyReminders = new QCheckBox(QStringLiteral("系统运行时显示每日提醒窗口"), this);
    m_dailyReminders->setObjectName(QStringLiteral("dailyRemindersCheck"));

    auto* layout = new QVBoxLayout(this);
    sentence(layout, this, QStringLiteral("会员交费"), m_referral, QStringLiteral("元介绍人积一分"));
    sentence(layout, this, QStringLiteral("会员消费"), m_consumption, QStringLiteral("元积一分"));
    sentence(layout, this, QStringLiteral("使    用"), m_points, QStringLiteral("积分可兑换"), m_days,
             QStringLiteral("天会籍"));
    sentence(layout, this, QStringLiteral("衣柜到期提前"), m_locker, QStringLiteral("天提醒"));
    sentence(layout, this, QStringLiteral("会员到期提前"), m_member, QStringLiteral("天提醒"));
    sentence(layout, this, QStringLiteral("会员生日提前"), m_birthday, QStringLiteral("天提醒"));
    sentence(layout, this, QStringLiteral("剩余课时少于"), m_grading, QStringLiteral("次进行考核提醒"));
    auto* unattendedRow = new QHBoxLayout;
    unattendedRow->addWidget(m_unattended);
    unattendedRow->addWidget(new QLabel(QStringLiteral("(会员刷卡后自动登记)"), this));
    unattendedRow->addStretch();
    layout->addLayout(unattendedRow);
    layout->addWidget(m_dailyReminders);
    const auto buttons = kit::addDialogButtons(this, layout, QStringLiteral("保存"), "saveButton");
    connect(buttons.ok, &QPushButton::clicked, this, kit::guard(this, [this] { save(); }));
    kit::installEnterMovesFocus(this);
}

void TqtszForm::prepare(Opener opener)
{
    m_opener = opener;
    const settings::OtherSettings s = settings::load(m_context.velunDMForm());
    auto money = [](Money m) {
        // As a number: no trailing zeros after the point.
        QString text = m.toString();
        while (text.contains(QLatin1Char('.')) && (text.endsWith(QLatin1Char('0')) || text.endsWith(QLatin1Char('.'))))
            text.chop(1);
        return text;
    };
    m_referral->setText(money(s.referralYuanPerPoint));
    m_consumption->setText(money(s.consumptionYuanPerPoint));
    m_points->setText(QString::number(s.pointsPerExchange));
    m_days->setText(QString::number(s.daysPerExchange));
    m_locker->setText(QString::number(s.lockerLeadDays));
    m_member->setText(QString::number(s.memberLeadDays));
    m_birthday->setText(QString::number(s.birthdayLeadDays));
    m_grading->setText(QString::number(s.gradingLessons));
    m_unattended->setChecked(s.unattended);
    m_dailyReminders->setChecked(s.dailyReminders);
    m_referral->setFocus();
}

void TqtszForm::save()
{
    settings::OtherSettingsInput input;
    input.referralYuanPerPoint = m_referral->text();
    input.consumptionYuanPerPoint = m_consumption->text();
    input.pointsPerExchange = m_points->text();
    input.daysPerExchange = m_days->text();
    input.lockerLeadDays = m_locker->text();
    input.memberLeadDays = m_member->text();
    input.birthdayLeadDays = m_birthday->text();
    input.gradingLessons = m_grading->text();
    input.unattended = m_unattended->isChecked();
    input.dailyReminders = m_dailyReminders->isChecked();
    const Outcome<settings::SavedSettings> result = settings::save(m_context.command(), input);
    if (result.refused()) {
        Messages::refusal(this, result.refusal());
        return;
    }
    m_context.setUnattended(result->settings.unattended);
    Q_EMIT saved(result->settings);
    Messages::warning(this, result->message);
    accept();
}

} // namespace tkd::gui
