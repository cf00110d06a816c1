#include "TzjdhspForm.h"

#include "kit/CaptionedValue.h"
#include "kit/FormKit.h"
#include "kit/Guarded.h"
#include "kit/InputMethodFields.h"
#include "points/ExchangeBasket.h"

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

TzjdhspForm::TzjdhspForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("zjdhspForm"));
    setWindowTitle(QStringLiteral("增加兑换商品"));

    auto* item = new QGroupBox(QStringLiteral("商品信息"), this);
    auto* itemGrid = new QGridLayout(item);
    m_code = valueLabel(itemGrid, 0, QStringLiteral("商品编号："), "codeValue");
    m_name = valueLabel(itemGrid, 1, QStringLiteral("商品名称："), "nameValue");

    auto* exchange = new QGroupBox(QStringLiteral("兑换商品"), this);
    auto* grid = new QGridLayout(exchange);
    m_quantity = lineEdit(exchange, "quantityEdit");
    kit::digitsOnly(m_quantity);
    m_quantity->setMaxLength(9);
    m_points = lineEdit(exchange, "pointsEdit");
    m_points->setReadOnly(true);
    m_remark = lineEdit(exchange, "remarkEdit");
    InputMethodFields::markFreeText(m_remark);
    kit::addRow(grid, 0, 0, QStringLiteral("兑换数量："), m_quantity);
    kit::addRow(grid, 1, 0, QStringLiteral("所需积分："), m_points);
    kit::addRow(grid, 2, 0, QStringLiteral("备    注："), m_remark);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(item);
    layout->addWidget(exchange);
    const kit::DialogButtons buttons = kit::addDialogButtons(this, layout);
    buttons.cancel->setText(QStringLiteral("取消"));
    connect(buttons.ok, &QPushButton::clicked, this, kit::guard(this, [this] { confirm(); }));
    connect(m_quantity, &QLineEdit::textChanged, this, &TzjdhspForm::showPoints);
    kit::installEnterMovesFocus(this);
    m_fields.add(points::field::quantity, m_quantity);
}

bool TzjdhspForm::add(points::ExchangeBasket& basket, const QString& code, const QString& name, qint64 pointsPerUnit)
{
    m_basket = &basket;
    m_itemCode = code;
    m_pointsPerUnit = pointsPerUnit;
    m_added = false;
    m_code->setText(code);
    m_name->setText(name);
    m_quantity->setText(QStringLiteral("1"));
    m_remark->clear();
    showPoints();
    m_quantity->setFocus();
    m_quantity->selectAll();
    exec();
    m_basket = nullptr;
    return m_added;
}

void TzjdhspForm::showPoints()
{
    m_points->setText(QString::number(points::requiredPoints(m_quantity->text(), m_pointsPerUnit)));
}

void TzjdhspForm::confirm()
{
    if (!m_basket)
        return;
    const auto line = m_basket->addGoods(m_itemCode, m_quantity->text(), m_remark->text());
    if (line.refused()) {
        m_fields.showRefusal(this, line.refusal());
        return;
    }
    m_added = true;
    accept();
}

} // namespace tkd::gui
