#include "TxykhlrForm.h"

#include "TkhbmreportForm.h"
#include "app/Session.h"
#include "assessment/Levels.h"
#include "assessment/Results.h"
#include "kit/FormKit.h"
#include "kit/Guarded.h"
#include "kit/InputMethodFields.h"
#include "kit/report/TmypreviewForm.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tkd::gui {

TxykhlrForm::TxykhlrForm(Session& session, QWidget* parent) : QDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("xykhlrForm"));
    setWindowTitle(QStringLiteral("学员考核"));
    m_date = new QDateEdit(this);
    m_date->setObjectName(QStringLiteral("dateEdit"));
    m_date->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    m_date->setCalendarPopup(true);
    m_card = new QLineEdit(this);
    m_card->setObjectName(QStringLiteral("cardNumberEdit"));
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("nameEdit"));
    InputMethodFields::markFreeText(m_name);
    m_level = new QComboBox(this);
    m_level->setObjectName(QStringLiteral("levelCombo"));
    m_fee = new QLineEdit(this);
    m_fee->setObjectName(QStringLiteral("feeEdit"));
    kit::moneyOnly(m_fee);
    m_result = new QComboBox(this);
    m_result->setObjectName(QStringLiteral("resultCombo"));
    m_result->addItems({assessment::kPassed, assessment::kFailed});
    m_remark = new QLineEdit(this);
    m_remark->setObjectName(QStringLiteral("remarkEdit"));
    InputMethodFields::markFreeText(m_remark);

    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    kit::addRow(form, QStringLiteral("考核时间："), m_date);
    kit::addRow(form, QStringLiteral("会员卡号："), m_card);
    kit::addRow(form, QStringLiteral("会员姓名："), m_name);
    kit::addRow(form, QStringLiteral("报考级别："), m_level);
    kit::addRow(form, QStringLiteral("考核费用："), m_fee);
    kit::addRow(form, QStringLiteral("考核结果："), m_result);
    kit::addRow(form, QStringLiteral("备    注："), m_remark);
    layout->addLayout(form);
    const auto buttons = kit::addDialogButtons(this, layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(buttons.ok, &QPushButton::clicked, this, kit::guard(this, [this] { save(); }));
    connect(m_card, &QLineEdit::editingFinished, this, kit::guard(this, [this] { lookUpMember(); }));
    connect(m_level, &QComboBox::activated, this, kit::guard(this, [this] { proposeFee(); }));
    kit::installEnterMovesFocus(this);
    m_fields.add(assessment::field::card, m_card)
        .add(assessment::field::level, m_level)
        .add(assessment::field::fee, m_fee);
}

void TxykhlrForm::fillLevels()
{
    m_level->clear();
    m_level->addItems(assessment::levelNames(m_session.velunDMForm()));
    m_level->setCurrentIndex(-1);
}

void TxykhlrForm::prepareAdd()
{
    m_editedId.reset();
    fillLevels();
    m_result->setCurrentIndex(-1);
    m_date->setDate(m_session.now().date());
    m_card->clear();
    m_name->clear();
    m_remark->clear();
    m_fee->setText(QStringLiteral("0"));
    m_card->setFocus();
}

bool TxykhlrForm::prepareEdit(qint64 id)
{
    const std::optional<assessment::ResultInput> row = assessment::findResult(m_session.velunDMForm(), id);
    if (!row)
        return false;
    m_editedId = id;
    fillLevels();
    // A level renamed or deleted since still shows as recorded.
    if (m_level->findText(row->level) < 0 && !row->level.isEmpty())
        m_level->addItem(row->level);
    m_level->setCurrentIndex(m_level->findText(row->level));
    m_result->setCurrentIndex(m_result->findText(row->result));
    m_date->setDate(row->date);
    m_card->setText(row->cardNumber);
    m_name->setText(row->name);
    m_remark->setText(row->remark);
    m_fee->setText(row->fee);
    m_card->setFocus();
    return true;
}

void TxykhlrForm::lookUpMember()
{
    const QString card = m_card->text().trimmed();
    if (card.isEmpty())
        return;
    if (const std::optional<QString> name = assessment::memberName(m_session.velunDMForm(), card))
        m_name->setText(*name);
}

void TxykhlrForm::proposeFee()
{
    if (const std::optional<assessment::Level> level =
            assessment::levelByName(m_session.velunDMForm(), m_level->currentText()))
        m_fee->setText(assessment::feeText(level->fee));
}

void TxykhlrForm::save()
{
    const assessment::ResultInput input{m_date->date(),         m_card->text(), m_name->text(),
                                        m_level->currentText(), m_fee->text(),  m_result->currentText(),
                                        m_remark->text()};
    const Outcome<assessment::SavedResult> saved = assessment::saveResult(m_session.command(), input, m_editedId);
    if (saved.refused()) {
        m_fields.showRefusal(this, saved.refusal());
        return;
    }
    Q_EMIT resultSaved();
    if (m_editedId) {
        accept();
        return;
    }
    TmypreviewForm::open(TkhbmreportForm::build(saved->receipt), this);
    m_card->clear();
    m_name->clear();
    m_remark->clear();
    m_card->setFocus();
}

} // namespace tkd::gui
