#include "TbkjbForm.h"

#include "TbkjbsForm.h"
#include "app/Session.h"
#include "assessment/Levels.h"
#include "kit/DataGrid.h"
#include "kit/Guarded.h"
#include "kit/Messages.h"

namespace tkd::gui {

TbkjbForm::TbkjbForm(Session& session, QWidget* parent)
    : ListWindow(session, QStringLiteral("bkjbForm"), QStringLiteral("报考级别"), parent),
      m_entry(new TbkjbsForm(session, this))
{
    resize(420, 360);
    grid()->setObjectName(QStringLiteral("levelGrid"));
    grid()->setAccessibleName(QStringLiteral("报考级别"));
    setSource([this] { return assessment::levels(dm()); });
    setColumns({{QStringLiteral("级别名称"), 140}, {QStringLiteral("所需课时"), 90}, {QStringLiteral("考核费用"), 100}},
               {QStringLiteral("编号")});
    addButton(QStringLiteral("增加"), "addButton", kit::guard(this, [this] {
                  m_entry->prepareAdd();
                  runEntry(m_entry);
              }));
    actOnDoubleClick(addButton(QStringLiteral("修改"), "editButton", kit::guard(this, [this] { editLevel(); })));
    addButton(QStringLiteral("删除"), "deleteButton", kit::guard(this, [this] {
                  const qint64 id = current(QStringLiteral("编号")).toInt();
                  deleteCurrent([this, id] { return assessment::removeLevel(this->session().command(), id); });
              }));
    addExitButton();
}

void TbkjbForm::prepare()
{
    reload();
}

void TbkjbForm::editLevel()
{
    if (!hasCurrentRow())
        return;
    if (!m_entry->prepareEdit(current(QStringLiteral("编号")).toInt())) {
        Messages::warning(this, QStringLiteral("该记录已不存在！"));
        reload();
        return;
    }
    runEntry(m_entry);
}

} // namespace tkd::gui
