#include "TxykhcxForm.h"

#include "app/Session.h"
#include "assessment/Levels.h"
#include "kit/DateRangeBar.h"
#include "kit/FormKit.h"
#include "kit/InputMethodFields.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tkd::gui {

TxykhcxForm::TxykhcxForm(Session& session, QWidget* parent) : QDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("xykhcxForm"));
    setWindowTitle(QStringLiteral("详细查询"));
    m_dates = new DateRangeBar(QStringLiteral("考核时间："), this, QStringLiteral("至："), false);
    m_dates->setStartRule(DateRangeBar::firstOfMonth());
    m_card = new QLineEdit(this);
    m_card->setObjectName(QStringLiteral("cardNumberEdit"));
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("nameEdit"));
    InputMethodFields::markFreeText(m_name);
    m_level = new QComboBox(this);
    m_level->setObjectName(QStringLiteral("levelCombo"));
    m_result = new QComboBox(this);
    m_result->setObjectName(QStringLiteral("resultCombo"));
    m_result->addItems({assessment::kAllResults, assessment::kPassed, assessment::kFailed});
    m_remark = new QLineEdit(this);
    m_remark->setObjectName(QStringLiteral("remarkEdit"));
    InputMethodFields::markFreeText(m_remark);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_dates);
    auto* form = new QFormLayout;
    kit::addRow(form, QStringLiteral("会员卡号："), m_card);
    kit::addRow(form, QStringLiteral("会员姓名："), m_name);
    kit::addRow(form, QStringLiteral("报考级别："), m_level);
    kit::addRow(form, QStringLiteral("考核结果："), m_result);
    kit::addRow(form, QStringLiteral("备    注："), m_remark);
    layout->addLayout(form);
    const auto buttons = kit::addDialogButtons(this, layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(buttons.ok, &QPushButton::clicked, this, &QDialog::accept);
    kit::installEnterMovesFocus(this);
}

void TxykhcxForm::prepare()
{
    m_dates->reset(m_session.now().date());
    m_card->clear();
    m_name->clear();
    m_remark->clear();
    m_level->clear();
    m_level->addItem(assessment::kAllLevels);
    m_level->addItems(assessment::levelNames(m_session.velunDMForm()));
    m_result->setCurrentIndex(0);
    m_dates->fromEdit()->setFocus();
}

assessment::DetailedSearch TxykhcxForm::search() const
{
    return {m_dates->from(),        m_dates->to(),           m_card->text(),  m_name->text(),
            m_level->currentText(), m_result->currentText(), m_remark->text()};
}

} // namespace tkd::gui
