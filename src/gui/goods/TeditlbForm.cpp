#include "TeditlbForm.h"

#include "app/Session.h"
#include "goods/Categories.h"
#include "kit/FormKit.h"
#include "kit/Guarded.h"
#include "kit/InputMethodFields.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tkd::gui {

TeditlbForm::TeditlbForm(Session& session, QWidget* parent) : QDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("editlbForm"));
    setWindowTitle(QStringLiteral("商品类别"));
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("categoryNameEdit"));
    InputMethodFields::markFreeText(m_name);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    kit::addRow(form, QStringLiteral("类别名称："), m_name);
    layout->addLayout(form);
    const auto buttons = kit::addDialogButtons(this, layout);
    connect(buttons.ok, &QPushButton::clicked, this, kit::guard(this, [this] { save(); }));
    kit::installEnterMovesFocus(this);
    m_fields.add(goods::categoryField::name, m_name);
}

void TeditlbForm::prepareAdd(qint64 parentId)
{
    m_adding = true;
    m_nodeId = parentId;
    m_name->clear();
    m_name->setFocus();
}

void TeditlbForm::prepareRename(qint64 id, const QString& name)
{
    m_adding = false;
    m_nodeId = id;
    m_name->setText(name);
    m_name->setFocus();
}

void TeditlbForm::save()
{
    const CommandContext context = m_session.command();
    if (m_adding) {
        const Outcome<qint64> added = goods::addCategory(context, m_nodeId, m_name->text());
        if (added.refused()) {
            m_fields.showRefusal(this, added.refusal());
            return;
        }
        m_savedId = *added;
    } else {
        const Outcome<> renamed = goods::renameCategory(context, m_nodeId, m_name->text());
        if (renamed.refused()) {
            m_fields.showRefusal(this, renamed.refusal());
            return;
        }
        m_savedId = m_nodeId;
    }
    m_savedName = m_name->text().trimmed();
    accept();
}

} // namespace tkd::gui
