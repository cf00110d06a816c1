#include "TygszForm.h"

#include "TzjygForm.h"
#include "app/Session.h"
#include "kit/DataGrid.h"
#include "kit/Messages.h"
#include "lockers/LockerRegister.h"

#include <QHeaderView>

namespace tkd::gui {

TygszForm::TygszForm(Session& session, QWidget* parent)
    : ListWindow(session, QStringLiteral("ygszForm"), QStringLiteral("衣柜设置"), parent),
      m_entry(new TzjygForm(session, this))
{
    resize(680, 460);
    grid()->setObjectName(QStringLiteral("lockerGrid"));
    grid()->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    setSource([this] { return lockers::registerList(dm()); });
    setColumns({{QStringLiteral("衣柜编号"), 100},
                {QStringLiteral("衣柜名称"), 120},
                {QStringLiteral("押金"), 100},
                {QStringLiteral("状态"), 100},
                {QStringLiteral("备注"), 200}},
               {QStringLiteral("编号")});
    addButton(QStringLiteral("增加衣柜"), "addButton", [this] { addLockers(); });
    actOnDoubleClick(addButton(QStringLiteral("修改衣柜"), "editButton", [this] { editLocker(); }));
    addButton(QStringLiteral("删除衣柜"), "deleteButton", [this] { deleteLocker(); });
    addExitButton();
}

void TygszForm::prepare()
{
    reload();
}

void TygszForm::addLockers()
{
    m_entry->prepareBatch();
    runEntry(m_entry);
}

void TygszForm::editLocker()
{
    if (!hasCurrentRow())
        return;
    const qint64 id = current(QStringLiteral("编号")).toInt();
    if (const MaybeRefusal refused = lockers::refuseLockerEdit(dm(), id)) {
        Messages::refusal(this, *refused);
        reload();
        return;
    }
    lockers::LockerEdit edit;
    edit.id = id;
    edit.number = current(QStringLiteral("衣柜编号")).toText();
    edit.name = current(QStringLiteral("衣柜名称")).toText();
    edit.deposit = current(QStringLiteral("押金")).toMoney().toString();
    edit.state = current(QStringLiteral("状态")).toText();
    edit.remark = current(QStringLiteral("备注")).toText();
    m_entry->prepareEdit(edit);
    runEntry(m_entry);
}

void TygszForm::deleteLocker()
{
    if (!hasCurrentRow())
        return;
    const qint64 id = current(QStringLiteral("编号")).toInt();
    deleteCurrent([this, id] { return lockers::removeLocker(session().command(), id); },
                  [this, id] { return lockers::refuseLockerRemoval(dm(), id); });
}

} // namespace tkd::gui
