#include "TaboutForm.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tkd::gui {

TaboutForm::TaboutForm(Kind kind, QWidget* parent) : QDialog(parent)
{
    const bool copyright = kind == Kind::Copyright;
    setObjectName(copyright ? QStringLiteral("aboutForm") : QStringLiteral("introForm"));
    setWindowTitle(copyright ? QStringLiteral("版权信息") : QStringLiteral("系统介绍"));
    const QString text = copyright
                             ? QStringLiteral("澄岚跆拳道馆管理系统\n\n"
                                              "本程序是自由软件：您可以依照自由软件基金会发布的 GNU 通用公共许可证"
                                              "（第三版或更新版本）的条款重新发布和修改它。\n"
                                              "本程序不提供任何担保，详见随程序附带的 LICENSE 文件。")
                             : QStringLiteral("澄岚跆拳道馆管理系统用于跆拳道馆的日常经营：\n"
                                              "前台刷卡查看会员信息并登记上课；会员与会员卡类型、交费续费与储值；"
                                              "请假、积分与兑换；商品销售与库存；私教课程与学员考核；衣柜出租；"
                                              "提醒与短信；各类统计报表；操作人员权限；数据备份、恢复与压缩。");
    auto* label = new QLabel(text, this);
    label->setObjectName(QStringLiteral("textLabel"));
    label->setWordWrap(true);
    label->setMinimumWidth(380);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("okButton"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(buttons);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace tkd::gui
