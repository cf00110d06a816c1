#include "TzwlrsForm.h"

#include "app/Session.h"
#include "data/TvelunDMForm.h"
#include "kit/FormKit.h"
#include "kit/InputMethodFields.h"
#include "kit/Messages.h"
#include "staff/Staff.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tkd::gui {

TzwlrsForm::TzwlrsForm(Session& session, QWidget* parent) : QDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("zwlrsForm"));
    setWindowTitle(QStringLiteral("增加职务"));
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("jobTitleEdit"));
    InputMethodFields::markFreeText(m_name);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    kit::addRow(form, QStringLiteral("职务名称："), m_name);
    layout->addLayout(form);
    const auto buttons = kit::addDialogButtons(this, layout, QStringLiteral("保存"), "saveButton");
    connect(buttons.ok, &QPushButton::clicked, this, &TzwlrsForm::save);
    kit::installEnterMovesFocus(this);
}

void TzwlrsForm::prepare()
{
    m_name->clear();
    m_name->setFocus();
}

void TzwlrsForm::save()
{
    if (const Outcome<> added = staff::addJobTitle(m_session.command(), m_name->text()); added.refused()) {
        Messages::refusal(this, added.refusal());
        m_name->setFocus();
        return;
    }
    accept();
}

} // namespace tkd::gui
