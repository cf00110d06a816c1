#include "TxykhpllrForm.h"

#include "app/Session.h"
#include "assessment/Levels.h"
#include "assessment/Results.h"
#include "kit/DataGrid.h"
#include "kit/FormKit.h"
#include "kit/Guarded.h"
#include "kit/InputMethodFields.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tkd::gui {

namespace {
const QString kTick = QStringLiteral("选择学员");
}

TxykhpllrForm::TxykhpllrForm(Session& session, QWidget* parent) : QDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("xykhpllrForm"));
    setWindowTitle(QStringLiteral("学员考核批量录入"));
    resize(720, 520);
    m_grid = new DataGrid(this);
    m_grid->setObjectName(QStringLiteral("studentGrid"));
    m_grid->setAccessibleName(QStringLiteral("选择学员"));
    m_grid->setColumnWidths({{kTick, 60},
                             {QStringLiteral("会员卡号"), 90},
                             {QStringLiteral("会员姓名"), 90},
                             {QStringLiteral("会员类型"), 90},
                             {QStringLiteral("加入时间"), 90},
                             {QStringLiteral("联系电话"), 200}});
    m_date = new QDateEdit(this);
    m_date->setObjectName(QStringLiteral("dateEdit"));
    m_date->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    m_date->setCalendarPopup(true);
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
    auto* group = new QGroupBox(QStringLiteral("会员信息（在下面列表中打勾选择考核学员）"), this);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_grid);
    layout->addWidget(group, 1);
    auto* form = new QFormLayout;
    kit::addRow(form, QStringLiteral("考核时间："), m_date);
    kit::addRow(form, QStringLiteral("报考级别："), m_level);
    kit::addRow(form, QStringLiteral("考核费用："), m_fee);
    kit::addRow(form, QStringLiteral("考核结果："), m_result);
    kit::addRow(form, QStringLiteral("备    注："), m_remark);
    layout->addLayout(form);
    const auto buttons = kit::addDialogButtons(this, layout);
    connect(buttons.ok, &QPushButton::clicked, this, kit::guard(this, [this] { save(); }));
    connect(m_grid, &DataGrid::cellClicked, this,
            kit::guard(this, [this](int row, const QString& column) { tick(row, column); }));
    connect(m_level, &QComboBox::activated, this, kit::guard(this, [this] { proposeFee(); }));
    kit::installEnterMovesFocus(this);
    m_fields.add(assessment::field::level, m_level).add(assessment::field::fee, m_fee);
}

void TxykhpllrForm::prepare()
{
    m_level->clear();
    m_level->addItems(assessment::levelNames(m_session.velunDMForm()));
    m_level->setCurrentIndex(-1);
    m_result->setCurrentIndex(-1);
    m_date->setDate(m_session.now().date());
    m_remark->clear();
    m_fee->setText(QStringLiteral("0"));
    m_students = assessment::openStudentList(m_session.velunDMForm());
    m_grid->setResult(m_students);
}

void TxykhpllrForm::tick(int row, const QString& column)
{
    if (column != kTick || row < 0)
        return;
    const bool ticked =
        assessment::toggleStudent(m_session.velunDMForm(), m_grid->value(row, QStringLiteral("会员卡号")).toText());
    // The one cell changes: reading ~100,000 members again per click would make ticking a group slow.
    m_students.setRawValue(m_students.rawIndex(row), m_students.columnIndex(kTick), Value(ticked));
    m_grid->setResult(m_students, DataGrid::KeepRow);
}

void TxykhpllrForm::proposeFee()
{
    if (const std::optional<assessment::Level> level =
            assessment::levelByName(m_session.velunDMForm(), m_level->currentText()))
        m_fee->setText(assessment::feeText(level->fee));
}

void TxykhpllrForm::save()
{
    const assessment::BatchInput input{m_date->date(), m_level->currentText(), m_fee->text(), m_result->currentText(),
                                       m_remark->text()};
    const Outcome<qint64> saved = assessment::saveBatch(m_session.command(), input);
    if (saved.refused()) {
        m_fields.showRefusal(this, saved.refusal());
        return;
    }
    Q_EMIT resultSaved();
    accept();
}

} // namespace tkd::gui
