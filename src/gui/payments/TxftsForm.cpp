#include "TxftsForm.h"

#include "kit/CaptionedValue.h"
#include "kit/FormKit.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tkd::gui {

TxftsForm::TxftsForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("xftsForm"));
    setWindowTitle(QStringLiteral("续费提示"));
    auto* group = new QGroupBox(QStringLiteral("会员信息"), this);
    m_grid = new QGridLayout(group);
    m_card = value("promptCardLabel", QStringLiteral("会员卡号："), 0);
    m_name = value("promptNameLabel", QStringLiteral("会员姓名："), 1);
    m_type = value("promptTypeLabel", QStringLiteral("会员等级："), 2);
    m_expiry = value("promptExpiryLabel", QStringLiteral("到期日期："), 3);
    m_newType = value("promptNewTypeLabel", QStringLiteral("续费类型："), 4);
    m_amount = value("promptAmountLabel", QStringLiteral("续费金额："), 5);
    m_note = value("promptNoteLabel", QStringLiteral("其它说明："), 6);

    m_fromOld = new QRadioButton(QStringLiteral("在上一次的到期日期上累加天数"), this);
    m_fromOld->setObjectName(QStringLiteral("fromOldExpiryRadio"));
    m_fromToday = new QRadioButton(QStringLiteral("根据可用天数重新计算到期日期"), this);
    m_fromToday->setObjectName(QStringLiteral("fromTodayRadio"));
    m_fromOldDate = new QLabel(this);
    m_fromOldDate->setObjectName(QStringLiteral("fromOldExpiryDateLabel"));
    m_fromTodayDate = new QLabel(this);
    m_fromTodayDate->setObjectName(QStringLiteral("fromTodayDateLabel"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(m_fromOld);
    layout->addWidget(m_fromOldDate);
    layout->addWidget(m_fromToday);
    layout->addWidget(m_fromTodayDate);
    const auto buttons = kit::addDialogButtons(this, layout, QStringLiteral("保存"), "saveButton");
    connect(buttons.ok, &QPushButton::clicked, this, &QDialog::accept);
    kit::installEnterMovesFocus(this);
}

QLabel* TxftsForm::value(const char* name, const QString& caption, int row)
{
    auto* label = new QLabel(this);
    label->setObjectName(QString::fromLatin1(name));
    kit::captionValue(label, caption);
    auto* captionLabel = new QLabel(caption, this);
    captionLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_grid->addWidget(captionLabel, row, 0);
    m_grid->addWidget(label, row, 1);
    return label;
}

void TxftsForm::prepare(const payments::PayingMember& member, const QString& newType, Money amount,
                        const payments::ExpiredPrompt& dates)
{
    const QString format = QStringLiteral("yyyy-MM-dd");
    m_card->setText(member.cardNumber);
    m_name->setText(member.name);
    m_type->setText(member.type);
    m_expiry->setText(member.expiry.toString(format));
    m_newType->setText(newType);
    m_amount->setText(payments::plainAmount(amount) + QStringLiteral("元"));
    m_note->setText(QStringLiteral("由以前的") + member.type + QStringLiteral("更换成") + newType);
    m_fromOldDate->setText(QStringLiteral("新的到期日期是：") + dates.fromOldExpiry.toString(format));
    m_fromTodayDate->setText(QStringLiteral("新的到期日期是：") + dates.fromToday.toString(format));
    m_fromOld->setChecked(true);
}

payments::ExpiryChoice TxftsForm::ask(const payments::PayingMember& member, const QString& newType, Money amount,
                                      const payments::ExpiredPrompt& dates)
{
    prepare(member, newType, amount, dates);
    return exec() == QDialog::Accepted ? choice() : payments::ExpiryChoice::Cancel;
}

payments::ExpiryChoice TxftsForm::choice() const
{
    return m_fromToday->isChecked() ? payments::ExpiryChoice::FromToday : payments::ExpiryChoice::FromOldExpiry;
}

} // namespace tkd::gui
