#include "TsjxmForm.h"

#include "app/Session.h"
#include "coaching/Items.h"
#include "data/TvelunDMForm.h"
#include "kit/FormKit.h"
#include "kit/Guarded.h"
#include "kit/InputMethodFields.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tkd::gui {

TsjxmForm::TsjxmForm(Session& session, QWidget* parent) : QDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("sjxmForm"));
    setWindowTitle(QStringLiteral("私教项目"));
    m_code = new QLineEdit(this);
    m_code->setObjectName(QStringLiteral("itemCodeEdit"));
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("itemNameEdit"));
    InputMethodFields::markFreeText(m_name);
    m_price = new QLineEdit(this);
    m_price->setObjectName(QStringLiteral("itemPriceEdit"));
    kit::moneyOnly(m_price);

    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    kit::addRow(form, QStringLiteral("项目编号："), m_code);
    kit::addRow(form, QStringLiteral("项目名称："), m_name);
    kit::addRow(form, QStringLiteral("项目单价："), m_price);
    layout->addLayout(form);
    const auto buttons = kit::addDialogButtons(this, layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(buttons.ok, &QPushButton::clicked, this, kit::guard(this, [this] { save(); }));
    kit::installEnterMovesFocus(this);
    m_fields.add(coaching::itemField::code, m_code)
        .add(coaching::itemField::name, m_name)
        .add(coaching::itemField::price, m_price);
}

void TsjxmForm::prepareAdd()
{
    m_editedCode.reset();
    m_code->clear();
    m_name->clear();
    m_price->setText(QStringLiteral("0"));
    m_code->setReadOnly(false);
    m_code->setFocus();
}

bool TsjxmForm::prepareEdit(const QString& code)
{
    const std::optional<coaching::ItemInput> item = coaching::findItem(m_session.velunDMForm(), code);
    if (!item)
        return false;
    m_editedCode = item->code;
    m_code->setText(item->code);
    m_name->setText(item->name);
    m_price->setText(item->price);
    m_code->setReadOnly(true);
    m_name->setFocus();
    return true;
}

void TsjxmForm::save()
{
    const coaching::ItemInput input{m_code->text(), m_name->text(), m_price->text()};
    if (const Outcome<> saved = coaching::saveItem(m_session.command(), input, m_editedCode); saved.refused()) {
        m_fields.showRefusal(this, saved.refusal());
        return;
    }
    accept();
}

} // namespace tkd::gui
