#include "TklxszForm.h"

#include "app/Session.h"
#include "cardtypes/CardTypes.h"
#include "data/TvelunDMForm.h"
#include "kit/FormKit.h"
#include "kit/InputMethodFields.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace tkd::gui {

namespace {
QLabel* hint(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setStyleSheet(QStringLiteral("color: rgb(220, 30, 30);"));
    label->setWordWrap(true);
    return label;
}
} // namespace

TklxszForm::TklxszForm(Session& session, QWidget* parent) : QDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("klxszForm"));
    setWindowTitle(QStringLiteral("会员卡类型设置"));
    auto edit = [this](const char* name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        return e;
    };
    m_code = edit("codeEdit");
    m_name = edit("nameEdit");
    InputMethodFields::markFreeText(m_code);
    InputMethodFields::markFreeText(m_name);
    m_visits = edit("visitsEdit");
    kit::digitsOnly(m_visits);
    m_days = edit("daysEdit");
    kit::digitsOnly(m_days);
    m_price = edit("priceEdit");
    kit::moneyOnly(m_price);
    m_discount = edit("discountEdit");
    kit::rateOnly(m_discount);

    auto* group = new QGroupBox(QStringLiteral("卡类型设置"), this);
    auto* form = new QFormLayout(group);
    kit::addRow(form, QStringLiteral("类型编号："), m_code);
    kit::addRow(form, QStringLiteral("类型名称："), m_name);
    kit::addRow(form, QStringLiteral("有效次数："), m_visits);
    kit::addRow(form, QStringLiteral("有效天数："), m_days);
    kit::addRow(form, QStringLiteral("售    价："), m_price);
    kit::addRow(form, QStringLiteral("会员折扣："), m_discount);
    form->addRow(hint(QStringLiteral("有效次数或天数为0时为不限次数或天数.会员折扣是购买商品时打的折扣."), group));

    m_useSlot = new QCheckBox(QStringLiteral("使用时段"), this);
    m_useSlot->setObjectName(QStringLiteral("useSlotCheck"));
    m_daily = new QRadioButton(QStringLiteral("按每天"), this);
    m_daily->setObjectName(QStringLiteral("dailyRadio"));
    m_weekly = new QRadioButton(QStringLiteral("按每星期"), this);
    m_weekly->setObjectName(QStringLiteral("weeklyRadio"));
    m_from = new QTimeEdit(this);
    m_from->setObjectName(QStringLiteral("fromTimeEdit"));
    m_from->setDisplayFormat(QStringLiteral("HH:mm"));
    m_to = new QTimeEdit(this);
    m_to->setObjectName(QStringLiteral("toTimeEdit"));
    m_to->setDisplayFormat(QStringLiteral("HH:mm"));
    m_dailyPanel = new QWidget(this);
    auto* daily = new QHBoxLayout(m_dailyPanel);
    daily->setContentsMargins(0, 0, 0, 0);
    daily->addWidget(kit::captionFor(m_from, QStringLiteral("每天从"), m_dailyPanel));
    daily->addWidget(m_from);
    daily->addWidget(kit::captionFor(m_to, QStringLiteral("至"), m_dailyPanel));
    daily->addWidget(m_to);
    daily->addStretch();
    m_weeklyPanel = new QWidget(this);
    auto* weekly = new QHBoxLayout(m_weeklyPanel);
    weekly->setContentsMargins(0, 0, 0, 0);
    const QStringList names{QStringLiteral("星期一"), QStringLiteral("星期二"), QStringLiteral("星期三"),
                            QStringLiteral("星期四"), QStringLiteral("星期五"), QStringLiteral("星期六"),
                            QStringLiteral("星期日")};
    for (int i = 0; i < 7; ++i) {
        m_days7[static_cast<size_t>(i)] = new QCheckBox(names.at(i), m_weeklyPanel);
        m_days7[static_cast<size_t>(i)]->setObjectName(QStringLiteral("weekday%1Check").arg(i + 1));
        weekly->addWidget(m_days7[static_cast<size_t>(i)]);
    }
    m_slotHint = hint(QString(), this);

    auto* slot = new QGroupBox(this);
    auto* slotLayout = new QVBoxLayout(slot);
    auto* kinds = new QHBoxLayout;
    kinds->addWidget(m_useSlot);
    kinds->addWidget(m_daily);
    kinds->addWidget(m_weekly);
    kinds->addStretch();
    slotLayout->addLayout(kinds);
    slotLayout->addWidget(m_dailyPanel);
    slotLayout->addWidget(m_weeklyPanel);
    slotLayout->addWidget(m_slotHint);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(slot);
    const kit::DialogButtons buttons = kit::addDialogButtons(this, layout);
    buttons.ok->setAutoDefault(false);
    buttons.cancel->setAutoDefault(false);
    connect(buttons.ok, &QPushButton::clicked, this, &TklxszForm::save);
    connect(m_daily, &QRadioButton::toggled, this, &TklxszForm::showSlotKind);
    kit::installEnterMovesFocus(this);
    m_daily->setChecked(true);
    showSlotKind();
    using namespace cardtypes;
    m_fields.add(field::code, m_code)
        .add(field::name, m_name)
        .add(field::visits, m_visits)
        .add(field::days, m_days)
        .add(field::price, m_price)
        .add(field::discount, m_discount)
        .add(field::time, m_from);
}

void TklxszForm::showSlotKind()
{
    const bool daily = m_daily->isChecked();
    m_dailyPanel->setVisible(daily);
    m_weeklyPanel->setVisible(!daily);
    m_slotHint->setText(daily ? QStringLiteral("每天的这个时间段该类型的会员可以使用")
                              : QStringLiteral("每周的这些天该类型的会员可以使用"));
}

void TklxszForm::prepareAdd()
{
    m_editId.reset();
    for (QLineEdit* e : {m_code, m_name, m_visits, m_days})
        e->clear();
    m_code->setEnabled(true);
    m_name->setEnabled(true);
    m_discount->setText(QStringLiteral("1.00"));
    m_price->setText(QStringLiteral("0"));
    m_useSlot->setChecked(false);
    m_daily->setChecked(true);
    const QTime now = m_session.now().time();
    m_from->setTime(now);
    m_to->setTime(now);
    for (QCheckBox* box : m_days7)
        box->setChecked(false);
    showSlotKind();
}

bool TklxszForm::prepareEdit(qint64 id)
{
    const std::optional<CardType> type = cardtypes::findById(m_session.velunDMForm(), id);
    if (!type)
        return false;
    prepareAdd();
    m_editId = id;
    m_code->setText(type->code);
    m_name->setText(type->name);
    m_code->setEnabled(false);
    m_name->setEnabled(false);
    m_visits->setText(QString::number(type->visits));
    m_days->setText(QString::number(type->days));
    m_price->setText(type->price.toString());
    m_discount->setText(QString::number(type->discount));
    m_useSlot->setChecked(type->hasSlot);
    if (type->hasSlot && type->slotKind == 1) {
        m_daily->setChecked(true);
        m_from->setTime(QTime::fromString(type->time1, QStringLiteral("HH:mm")));
        m_to->setTime(QTime::fromString(type->time2, QStringLiteral("HH:mm")));
    } else if (type->hasSlot && type->slotKind == 2) {
        m_weekly->setChecked(true);
        for (int i = 0; i < 7; ++i)
            m_days7[static_cast<size_t>(i)]->setChecked(i < type->weekdays.size() &&
                                                        type->weekdays.at(i).digitValue() > 0);
    }
    showSlotKind();
    return true;
}

void TklxszForm::save()
{
    cardtypes::Input input;
    input.code = m_code->text();
    input.name = m_name->text();
    input.visits = m_visits->text();
    input.days = m_days->text();
    const Outcome<Money> price = cardtypes::priceFromText(m_price->text());
    if (price.refused()) {
        m_fields.showRefusal(this, price.refusal());
        return;
    }
    input.price = price.value();
    input.discount = m_discount->text();
    input.useSlot = m_useSlot->isChecked();
    input.weekly = m_weekly->isChecked();
    input.time1 = m_from->time().toString(QStringLiteral("HH:mm"));
    input.time2 = m_to->time().toString(QStringLiteral("HH:mm"));
    for (int i = 0; i < 7; ++i)
        input.weekdays[static_cast<size_t>(i)] = m_days7[static_cast<size_t>(i)]->isChecked();
    if (const Outcome<> saved = cardtypes::save(m_session.command(), input, m_editId); saved.refused()) {
        m_fields.showRefusal(this, saved.refusal());
        return;
    }
    accept();
}

} // namespace tkd::gui
