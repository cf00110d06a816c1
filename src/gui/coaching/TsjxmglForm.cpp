#include "TsjxmglForm.h"

#include "TsjxmForm.h"
#include "app/Session.h"
#include "coaching/Items.h"
#include "kit/DataGrid.h"
#include "kit/Guarded.h"
#include "kit/Messages.h"

namespace tkd::gui {

TsjxmglForm::TsjxmglForm(Session& session, QWidget* parent)
    : ListWindow(session, QStringLiteral("sjxmglForm"), QStringLiteral("私教项目管理"), parent),
      m_entry(new TsjxmForm(session, this))
{
    resize(460, 380);
    grid()->setObjectName(QStringLiteral("itemGrid"));
    grid()->setAccessibleName(QStringLiteral("私教项目"));
    setSource([this] { return coaching::items(dm()); });
    setColumns(
        {{QStringLiteral("项目编号"), 100}, {QStringLiteral("项目名称"), 160}, {QStringLiteral("项目单价"), 100}});
    addButton(QStringLiteral("添加"), "addButton", kit::guard(this, [this] {
                  m_entry->prepareAdd();
                  runEntry(m_entry);
              }));
    actOnDoubleClick(addButton(QStringLiteral("修改"), "editButton", kit::guard(this, [this] { editItem(); })));
    addButton(QStringLiteral("删除"), "deleteButton", kit::guard(this, [this] {
                  const QString code = current(QStringLiteral("项目编号")).toText();
                  deleteCurrent([this, code] { return coaching::removeItem(this->session().command(), code); });
              }));
    addExitButton();
}

void TsjxmglForm::prepare()
{
    reload();
}

void TsjxmglForm::editItem()
{
    if (!hasCurrentRow())
        return;
    if (!m_entry->prepareEdit(current(QStringLiteral("项目编号")).toText())) {
        Messages::warning(this, QStringLiteral("该项目已不存在！"));
        reload();
        return;
    }
    runEntry(m_entry);
}

} // namespace tkd::gui
