#include "TzwlrForm.h"

#include "TzwlrsForm.h"
#include "app/Session.h"
#include "data/TvelunDMForm.h"
#include "kit/DataGrid.h"
#include "staff/Staff.h"

#include <QPushButton>

namespace tkd::gui {

TzwlrForm::TzwlrForm(Session& session, QWidget* parent)
    : ListWindow(session, QStringLiteral("zwlrForm"), QStringLiteral("职务"), parent),
      m_entry(new TzwlrsForm(session, this))
{
    resize(300, 360);
    grid()->setObjectName(QStringLiteral("jobTitleGrid"));
    setSource([this] { return dm().open(QStringLiteral("ADODS_zw")); });
    setColumns({{QStringLiteral("职务名称"), 226}}, {QStringLiteral("编号")});
    addButton(QStringLiteral("增加"), "addTitleButton", [this] { addTitle(); });
    addButton(QStringLiteral("删除"), "deleteTitleButton", [this] { deleteTitle(); });
    actOnDoubleClick(addButton(QStringLiteral("确定"), "chooseTitleButton", [this] { choose(); }));
    addButton(QStringLiteral("退出"), "closeTitlesButton", [this] { reject(); });
}

void TzwlrForm::prepare()
{
    m_chosen.clear();
    reload();
}

void TzwlrForm::addTitle()
{
    m_entry->prepare();
    if (runEntry(m_entry))
        grid()->selectRow(rows().rowCount() - 1);
}

void TzwlrForm::deleteTitle()
{
    if (!hasCurrentRow())
        return;
    const qint64 id = current(QStringLiteral("编号")).toInt();
    deleteCurrent([this, id] { return staff::removeJobTitle(session().command(), id); });
}

void TzwlrForm::choose()
{
    if (!hasCurrentRow())
        return;
    m_chosen = current(QStringLiteral("职务名称")).toText();
    accept();
}

} // namespace tkd::gui
