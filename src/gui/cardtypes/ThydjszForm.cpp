#include "ThydjszForm.h"

#include "TklxszForm.h"
#include "app/Session.h"
#include "cardtypes/CardTypes.h"
#include "data/TvelunDMForm.h"
#include "kit/DataGrid.h"
#include "kit/Messages.h"

#include <QPushButton>

namespace tkd::gui {

ThydjszForm::ThydjszForm(Session& session, QWidget* parent)
    : ListWindow(session, QStringLiteral("hydjszForm"), QStringLiteral("会员卡类型"), parent),
      m_entry(new TklxszForm(session, this))
{
    resize(680, 420);
    grid()->setObjectName(QStringLiteral("cardTypeGrid"));
    setSource([this] { return dm().open(QStringLiteral("ADODS_hyklx")); });
    setColumns({{QStringLiteral("类型编号"), 80},
                {QStringLiteral("类型名称"), 100},
                {QStringLiteral("有效次数"), 80},
                {QStringLiteral("有效天数"), 80},
                {QStringLiteral("售价"), 80},
                {QStringLiteral("折扣率"), 80},
                {QStringLiteral("是否有时间段"), 100}},
               {QStringLiteral("编号")});
    addButton(QStringLiteral("增加类型"), "addTypeButton", [this] { addType(); });
    actOnDoubleClick(addButton(QStringLiteral("修改类型"), "editTypeButton", [this] { editType(); }));
    addButton(QStringLiteral("删除类型"), "deleteTypeButton", [this] { deleteType(); });
    addExitButton();
}

void ThydjszForm::prepare()
{
    reload();
}

void ThydjszForm::addType()
{
    m_entry->prepareAdd();
    runEntry(m_entry);
}

void ThydjszForm::editType()
{
    if (!hasCurrentRow())
        return;
    if (!m_entry->prepareEdit(current(QStringLiteral("编号")).toInt())) {
        Messages::warning(this, QStringLiteral("该会员卡类型已不存在！"));
        reload();
        return;
    }
    runEntry(m_entry);
}

void ThydjszForm::deleteType()
{
    if (!hasCurrentRow())
        return;
    const qint64 id = current(QStringLiteral("编号")).toInt();
    const QString name = current(QStringLiteral("类型名称")).toText();
    deleteCurrent([this, id, name] { return cardtypes::remove(session().command(), id, name); },
                  [this, name] { return cardtypes::removalRefusal(dm(), name); });
}

} // namespace tkd::gui
