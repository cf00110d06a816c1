#include "StockLineForm.h"

#include "app/Session.h"
#include "kit/DataGrid.h"
#include "kit/FormKit.h"
#include "kit/Guarded.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tkd::gui {

using goods::purchasing::Direction;

StockLineForm::StockLineForm(Session& session, Direction direction, QWidget* parent)
    : QDialog(parent), m_session(session), m_direction(direction)
{
    const bool purchase = direction == Direction::Purchase;
    setObjectName(purchase ? QStringLiteral("jhsplrForm") : QStringLiteral("thsplrForm"));
    setWindowTitle(purchase ? QStringLiteral("进货商品录入") : QStringLiteral("采购退货商品录入"));
    auto edit = [this](const char* name, bool readOnly) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        e->setReadOnly(readOnly);
        // Shown values are selectable with the mouse, but Enter and Tab go from price to quantity
        // to 确定.
        if (readOnly)
            e->setFocusPolicy(Qt::ClickFocus);
        return e;
    };
    m_code = edit("codeEdit", true);
    m_name = edit("nameEdit", true);
    m_unit = edit("unitEdit", true);
    m_stock = edit("stockEdit", true);
    m_remark = edit("remarkEdit", true);
    m_referencePrice = edit("referencePriceEdit", true);
    m_total = edit("totalEdit", true);
    m_price = edit("priceEdit", false);
    kit::moneyOnly(m_price);
    m_quantity = edit("quantityEdit", false);
    kit::moneyOnly(m_quantity);

    auto* item = new QGroupBox(QStringLiteral("商品信息"), this);
    auto* grid = new QGridLayout(item);
    kit::addRow(grid, 0, 0, QStringLiteral("商品编号："), m_code);
    kit::addRow(grid, 0, 2, QStringLiteral("商品名称："), m_name);
    kit::addRow(grid, 1, 0, QStringLiteral("单    位："), m_unit);
    kit::addRow(grid, 1, 2, QStringLiteral("当前库存："), m_stock);
    kit::addRow(grid, 2, 0, QStringLiteral("备    注："), m_remark, 3);
    kit::addRow(grid, 3, 0, purchase ? QStringLiteral("进货价格：") : QStringLiteral("退货价格："), m_price);
    kit::addRow(grid, 3, 2, QStringLiteral("参考进价："), m_referencePrice);
    kit::addRow(grid, 4, 0, QStringLiteral("数    量："), m_quantity);
    kit::addRow(grid, 4, 2, QStringLiteral("总 金 额："), m_total);

    auto* past = new QGroupBox(purchase ? QStringLiteral("进货历史") : QStringLiteral("采购退货历史"), this);
    auto* pastLayout = new QVBoxLayout(past);
    m_history = new DataGrid(past);
    m_history->setObjectName(QStringLiteral("historyGrid"));
    m_history->setFocusPolicy(Qt::ClickFocus);
    const QString day = purchase ? QStringLiteral("进货日期") : QStringLiteral("退货日期");
    m_history->setColumnWidths(
        {{day, 110}, {QStringLiteral("上次价格"), 90}, {QStringLiteral("数量"), 86}, {QStringLiteral("总金额"), 86}});
    pastLayout->addWidget(m_history);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    QPushButton* ok = kit::pushButton(this, QStringLiteral("确定"), "okButton", buttons);
    QPushButton* back = kit::pushButton(this, QStringLiteral("返回"), "returnButton", buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(item);
    layout->addWidget(past, 1);
    layout->addLayout(buttons);
    resize(460, 420);

    connect(ok, &QPushButton::clicked, this, kit::guard(this, [this] { save(); }));
    connect(back, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_price, &QLineEdit::textChanged, this, [this] { showTotal(); });
    connect(m_quantity, &QLineEdit::textChanged, this, [this] { showTotal(); });
    kit::installEnterMovesFocus(this);
    setTabOrder(m_price, m_quantity);
    m_fields.add(goods::purchasing::field::price, m_price).add(goods::purchasing::field::quantity, m_quantity);
}

void StockLineForm::showItem(const goods::purchasing::Item& item)
{
    m_code->setText(item.code);
    m_name->setText(item.name);
    m_unit->setText(item.unit);
    m_stock->setText(item.stock.toText());
    m_remark->setText(item.remark);
    m_referencePrice->setText(goods::priceText(item.referencePrice));
}

void StockLineForm::showHistory(const QString& code)
{
    m_history->setResult(goods::purchasing::history(m_session.velunDMForm(), m_direction, code));
}

void StockLineForm::prepareAdd(const goods::purchasing::Item& item)
{
    m_editLine.reset();
    showItem(item);
    m_price->setText(goods::priceText(item.referencePrice));
    m_quantity->setText(QStringLiteral("1"));
    showHistory(item.code);
    m_price->setFocus();
}

void StockLineForm::prepareEdit(int line, const goods::purchasing::Item& fromLine, Money price,
                                goods::Quantity quantity)
{
    m_editLine = line;
    const std::optional<goods::purchasing::Item> stored =
        goods::purchasing::findItem(m_session.velunDMForm(), fromLine.code);
    showItem(fromLine);
    m_stock->setText(stored ? stored->stock.toText() : QString());
    m_remark->setText(stored ? stored->remark : QString());
    m_referencePrice->setText(stored ? goods::priceText(stored->referencePrice) : QString());
    m_price->setText(goods::priceText(price));
    m_quantity->setText(quantity.toText());
    showHistory(fromLine.code);
    m_price->setFocus();
}

void StockLineForm::done(int result)
{
    m_history->setResult(ResultSet());
    QDialog::done(result);
}

void StockLineForm::showTotal()
{
    m_total->setText(goods::purchasing::totalText(m_price->text(), m_quantity->text()));
}

void StockLineForm::save()
{
    const goods::purchasing::LineInput input{m_code->text(), m_name->text(), m_unit->text(), m_price->text(),
                                             m_quantity->text()};
    if (m_editLine) {
        const Outcome<> edited = goods::purchasing::editLine(m_session.command(), m_direction, *m_editLine, input);
        if (edited.refused()) {
            m_fields.showRefusal(this, edited.refusal());
            return;
        }
    } else {
        const Outcome<int> added = goods::purchasing::addLine(m_session.command(), m_direction, input);
        if (added.refused()) {
            m_fields.showRefusal(this, added.refusal());
            return;
        }
        m_addedLine = added.value();
    }
    accept();
}

} // namespace tkd::gui
