#include "TbkjbsForm.h"

#include "app/Session.h"
#include "assessment/Levels.h"
#include "kit/FormKit.h"
#include "kit/Guarded.h"
#include "kit/InputMethodFields.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tkd::gui {

TbkjbsForm::TbkjbsForm(Session& session, QWidget* parent) : QDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("bkjbsForm"));
    setWindowTitle(QStringLiteral("考核级别设置"));
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("levelNameEdit"));
    InputMethodFields::markFreeText(m_name);
    m_lessons = new QLineEdit(this);
    m_lessons->setObjectName(QStringLiteral("lessonsEdit"));
    kit::digitsOnly(m_lessons);
    m_lessons->setMaxLength(4);
    m_fee = new QLineEdit(this);
    m_fee->setObjectName(QStringLiteral("feeEdit"));
    kit::moneyOnly(m_fee);

    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    kit::addRow(form, QStringLiteral("级别名称："), m_name);
    kit::addRow(form, QStringLiteral("所需课时："), m_lessons);
    kit::addRow(form, QStringLiteral("考核费用："), m_fee);
    layout->addLayout(form);
    const auto buttons = kit::addDialogButtons(this, layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(buttons.ok, &QPushButton::clicked, this, kit::guard(this, [this] { save(); }));
    kit::installEnterMovesFocus(this);
    m_fields.add(assessment::field::levelName, m_name)
        .add(assessment::field::lessons, m_lessons)
        .add(assessment::field::fee, m_fee);
}

void TbkjbsForm::prepareAdd()
{
    m_editedId.reset();
    m_name->clear();
    m_lessons->clear();
    m_fee->setText(QStringLiteral("0"));
    m_name->setFocus();
}

bool TbkjbsForm::prepareEdit(qint64 id)
{
    const std::optional<assessment::Level> level = assessment::findLevel(m_session.velunDMForm(), id);
    if (!level)
        return false;
    m_editedId = id;
    m_name->setText(level->name);
    m_lessons->setText(QString::number(level->lessons));
    m_fee->setText(assessment::feeText(level->fee));
    m_name->setFocus();
    return true;
}

void TbkjbsForm::save()
{
    const assessment::LevelInput input{m_name->text(), m_lessons->text(), m_fee->text()};
    if (const Outcome<qint64> saved = assessment::saveLevel(m_session.command(), input, m_editedId); saved.refused()) {
        m_fields.showRefusal(this, saved.refusal());
        return;
    }
    accept();
}

} // namespace tkd::gui
