#include "LeaveMemberBox.h"

#include "kit/CaptionedValue.h"
#include "kit/FormKit.h"
#include "members/Leave.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <utility>

namespace tkd::gui {

namespace {
const char16_t* const kCaptions[] = {u"会员姓名：", u"会员类型：", u"开卡日期：", u"到期日期：", u"会员状态："};
const char* const kNames[] = {"memberNameLabel", "cardTypeLabel", "openedLabel", "expiryLabel", "memberStatusLabel"};
} // namespace

LeaveMemberBox::LeaveMemberBox(QWidget* parent) : QGroupBox(QStringLiteral("会员信息"), parent)
{
    setObjectName(QStringLiteral("memberBox"));
    m_card = new QLineEdit(this);
    m_card->setObjectName(QStringLiteral("cardNumberEdit"));
    m_card->setEnabled(false);
    m_pick = new QToolButton(this);
    m_pick->setObjectName(QStringLiteral("pickMemberButton"));
    m_pick->setText(QStringLiteral("…"));
    m_pick->setToolTip(QStringLiteral("请点击按钮查询会员"));
    m_pick->setAccessibleName(QStringLiteral("选择会员"));
    connect(m_pick, &QToolButton::clicked, this, &LeaveMemberBox::pickRequested);

    auto* grid = new QGridLayout(this);
    auto* cardRow = new QHBoxLayout;
    cardRow->addWidget(m_card, 1);
    cardRow->addWidget(m_pick);
    grid->addWidget(kit::captionFor(m_card, QStringLiteral("会员卡号："), this), 0, 0);
    grid->addLayout(cardRow, 0, 1);
    for (int i = 0; i < 5; ++i) {
        const QString caption = QString::fromUtf16(kCaptions[i]);
        auto* value = new QLabel(this);
        value->setObjectName(QString::fromLatin1(kNames[i]));
        value->setMinimumWidth(100);
        kit::captionValue(value, caption);
        const int row = (i + 1) / 2;
        const int column = (i + 1) % 2 * 2;
        grid->addWidget(new QLabel(caption, this), row, column);
        grid->addWidget(value, row, column + 1);
        m_values.insert(caption, value);
    }
}

void LeaveMemberBox::clear(bool pickable)
{
    m_card->clear();
    for (QLabel* value : std::as_const(m_values))
        value->clear();
    m_pick->setVisible(pickable);
}

void LeaveMemberBox::show(const members::LeaveMember& member)
{
    m_card->setText(member.cardNumber);
    m_values.value(QStringLiteral("会员姓名："))->setText(member.name);
    m_values.value(QStringLiteral("会员类型："))->setText(member.cardType);
    m_values.value(QStringLiteral("开卡日期："))->setText(member.opened);
    m_values.value(QStringLiteral("到期日期："))->setText(member.expiry);
    m_values.value(QStringLiteral("会员状态："))->setText(member.status);
}

QString LeaveMemberBox::cardNumber() const
{
    return m_card->text().trimmed();
}

} // namespace tkd::gui
