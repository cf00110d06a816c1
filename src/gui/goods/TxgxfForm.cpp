#include "TxgxfForm.h"

#include "SaleFields.h"
#include "app/Session.h"
#include "goods/ShoppingList.h"
#include "kit/CaptionedValue.h"
#include "kit/FormKit.h"
#include "kit/Guarded.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tkd::gui {
namespace {

QLabel* valueLabel(QGridLayout* grid, int row, const QString& caption, const char* name)
{
    QWidget* parent = grid->parentWidget();
    auto* value = new QLabel(parent);
    value->setObjectName(QString::fromLatin1(name));
    kit::captionValue(value, caption);
    grid->addWidget(new QLabel(caption, parent), row, 0, Qt::AlignRight);
    grid->addWidget(value, row, 1);
    return value;
}

QLineEdit* lineEdit(QWidget* parent, const char* name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

} // namespace

TxgxfForm::TxgxfForm(Session& session, QWidget* parent) : QDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("xgxfForm"));
    setWindowTitle(QStringLiteral("修改消费"));

    auto* item = new QGroupBox(QStringLiteral("商品信息"), this);
    auto* itemGrid = new QGridLayout(item);
    m_code = valueLabel(itemGrid, 0, QStringLiteral("商品编号："), "codeValue");
    m_name = valueLabel(itemGrid, 1, QStringLiteral("商品名称："), "nameValue");
    m_unit = valueLabel(itemGrid, 2, QStringLiteral("单    位："), "unitValue");
    m_salePrice = valueLabel(itemGrid, 3, QStringLiteral("销售单价："), "salePriceValue");

    auto* change = new QGroupBox(QStringLiteral("修改内容"), this);
    auto* grid = new QGridLayout(change);
    m_price = lineEdit(change, "priceEdit");
    kit::moneyOnly(m_price);
    m_quantity = lineEdit(change, "quantityEdit");
    quantityOnly(m_quantity);
    m_rate = lineEdit(change, "rateEdit");
    kit::rateOnly(m_rate);
    m_staff = new QComboBox(change);
    m_staff->setObjectName(QStringLiteral("staffCombo"));
    kit::addRow(grid, 0, 0, QStringLiteral("单    价："), m_price);
    kit::addRow(grid, 1, 0, QStringLiteral("数量："), m_quantity);
    kit::addRow(grid, 2, 0, QStringLiteral("折扣率："), m_rate);
    m_total = valueLabel(grid, 3, QStringLiteral("总金额："), "totalValue");
    m_staffCaption = kit::addRow(grid, 4, 0, QStringLiteral("服务员工："), m_staff);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(item);
    layout->addWidget(change);
    const kit::DialogButtons buttons = kit::addDialogButtons(this, layout);
    connect(buttons.ok, &QPushButton::clicked, this, kit::guard(this, [this] { save(); }));
    for (QLineEdit* e : {m_price, m_quantity, m_rate})
        connect(e, &QLineEdit::textChanged, this, &TxgxfForm::preview);
    kit::installEnterMovesFocus(this);
    m_fields.add(goods::field::price, m_price).add(goods::field::quantity, m_quantity).add(goods::field::rate, m_rate);
}

bool TxgxfForm::edit(goods::ShoppingList& list, int number)
{
    const auto line = list.line(number);
    if (!line)
        return false;
    m_list = &list;
    m_number = number;
    m_changed = false;
    m_code->setText(line->code);
    m_name->setText(line->name);
    m_unit->setText(line->unit);
    m_salePrice->setText(goods::Quantity::fromUnits(line->price.units()).toText());
    m_price->setText(goods::priceText(line->price));
    m_quantity->setText(line->quantity.toFixed2());
    m_rate->setText(line->rate.toText());
    m_staff->clear();
    m_staff->addItems(goods::serviceStaffNames(m_session.velunDMForm()));
    m_staff->setCurrentIndex(m_staff->findText(line->staff));
    m_staff->setVisible(line->service);
    m_staffCaption->setVisible(line->service);
    preview();
    m_price->setFocus();
    exec();
    m_list = nullptr;
    return m_changed;
}

void TxgxfForm::preview()
{
    const auto total = goods::previewTotal(m_price->text(), m_quantity->text(), m_rate->text());
    m_total->setText(total ? total->toYuanText() : QString());
}

void TxgxfForm::save()
{
    if (!m_list)
        return;
    const goods::LineChange change{m_price->text(), m_quantity->text(), m_rate->text(),
                                   m_staff->isVisibleTo(this) ? m_staff->currentText() : QString()};
    const auto outcome = m_list->change(m_number, change);
    if (outcome.refused()) {
        m_fields.showRefusal(this, outcome.refusal());
        return;
    }
    m_changed = true;
    accept();
}

} // namespace tkd::gui
