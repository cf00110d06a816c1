#include "TdhspForm.h"

#include "TjfdhhjForm.h"
#include "TzjdhspForm.h"
#include "app/Session.h"
#include "kit/CaptionedValue.h"
#include "kit/DataGrid.h"
#include "kit/FormKit.h"
#include "kit/Guarded.h"
#include "kit/InputMethodFields.h"
#include "kit/Messages.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace tkd::gui {

namespace {

QLabel* valueLabel(QGridLayout* grid, int row, int column, const QString& caption, const char* name)
{
    QWidget* parent = grid->parentWidget();
    auto* value = new QLabel(parent);
    value->setObjectName(QString::fromLatin1(name));
    kit::captionValue(value, caption);
    grid->addWidget(new QLabel(caption, parent), row, column, Qt::AlignRight);
    grid->addWidget(value, row, column + 1);
    return value;
}

} // namespace

TdhspForm::TdhspForm(Session& session, std::function<TqtszForm*()> settings, QWidget* parent)
    : QDialog(parent), m_session(session), m_basket(session.velunDMForm()), m_item(new TzjdhspForm(this)),
      m_days(new TjfdhhjForm(session, std::move(settings), this))
{
    setObjectName(QStringLiteral("dhspForm"));
    setWindowTitle(QStringLiteral("兑换商品"));

    auto* member = new QGroupBox(QStringLiteral("会员信息"), this);
    auto* memberGrid = new QGridLayout(member);
    m_cardValue = valueLabel(memberGrid, 0, 0, QStringLiteral("会员卡号："), "cardNumberValue");
    m_name = valueLabel(memberGrid, 0, 2, QStringLiteral("会员姓名："), "nameValue");
    m_points = valueLabel(memberGrid, 1, 0, QStringLiteral("会员积分："), "pointsValue");
    m_type = valueLabel(memberGrid, 1, 2, QStringLiteral("会员类型："), "typeValue");

    auto* goods = new QGroupBox(QStringLiteral("商品信息"), this);
    auto* goodsLayout = new QVBoxLayout(goods);
    auto* searchRow = new QHBoxLayout;
    m_search = new QLineEdit(goods);
    m_search->setObjectName(QStringLiteral("searchEdit"));
    InputMethodFields::markFreeText(m_search);
    searchRow->addWidget(kit::captionFor(m_search, QStringLiteral("商品编号或名称："), goods));
    searchRow->addWidget(m_search, 1);
    QPushButton* add = kit::pushButton(goods, QStringLiteral("增加"), "addButton", searchRow);
    m_goods = new DataGrid(goods);
    m_goods->setObjectName(QStringLiteral("goodsGrid"));
    m_goods->setAccessibleName(QStringLiteral("商品信息"));
    m_goods->setColumnWidths({{QStringLiteral("商品编号"), 60},
                              {QStringLiteral("商品名称"), 80},
                              {QStringLiteral("兑换积分"), 60},
                              {QStringLiteral("库存量"), 60}});
    goodsLayout->addLayout(searchRow);
    goodsLayout->addWidget(m_goods);

    auto* chosen = new QGroupBox(QStringLiteral("兑换的商品"), this);
    auto* chosenLayout = new QVBoxLayout(chosen);
    m_lines = new DataGrid(chosen);
    m_lines->setObjectName(QStringLiteral("basketGrid"));
    m_lines->setAccessibleName(QStringLiteral("兑换的商品"));
    m_lines->setColumnWidths({{QStringLiteral("商品名称"), 80},
                              {QStringLiteral("数量"), 50},
                              {QStringLiteral("兑换积分"), 60},
                              {QStringLiteral("备注"), 120}});
    m_lines->hideColumn(QStringLiteral("序号"));
    m_lines->hideColumn(QStringLiteral("商品编号"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    QPushButton* remove = kit::pushButton(chosen, QStringLiteral("删除"), "deleteButton", buttons);
    QPushButton* saveButton = kit::pushButton(chosen, QStringLiteral("保存"), "saveButton", buttons);
    QPushButton* exit = kit::pushButton(chosen, QStringLiteral("退出"), "exitButton", buttons);
    chosenLayout->addWidget(m_lines);
    chosenLayout->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(member);
    layout->addWidget(goods, 1);
    layout->addWidget(chosen, 1);
    resize(480, 560);

    connect(m_search, &QLineEdit::textChanged, this,
            kit::guard(this, [this](const QString& text) { filterGoods(text); }));
    connect(add, &QPushButton::clicked, this, kit::guard(this, [this] { addCurrent(); }));
    connect(m_goods, &DataGrid::rowDoubleClicked, this, kit::guard(this, [this] { addCurrent(); }));
    connect(remove, &QPushButton::clicked, this, kit::guard(this, [this] { removeLine(); }));
    connect(saveButton, &QPushButton::clicked, this, kit::guard(this, [this] { save(); }));
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
    kit::installEnterMovesFocus(this);
}

bool TdhspForm::prepare(const QString& cardNumber)
{
    TvelunDMForm& dm = m_session.velunDMForm();
    const Outcome<points::ExchangeMember> member = points::readMember(dm, cardNumber);
    if (member.refused()) {
        Messages::refusal(parentWidget(), member.refusal());
        return false;
    }
    m_card = member->cardNumber;
    m_saved = {0, member->points, member->expiry};
    m_cardValue->setText(member->cardNumber);
    m_name->setText(member->name);
    m_points->setText(points::pointsText(member->points));
    m_type->setText(member->type);
    m_basket.clear();
    m_goodsRows = points::exchangeableGoods(dm);
    {
        const QSignalBlocker quiet(m_search);
        m_search->clear();
    }
    m_goods->setResult(m_goodsRows);
    showBasket();
    m_search->setFocus();
    return true;
}

void TdhspForm::done(int result)
{
    // Leaving drops the filter; the basket's lines stay until the next opening.
    m_goodsRows.clearFilter();
    QDialog::done(result);
}

void TdhspForm::filterGoods(const QString& text)
{
    m_goodsRows.setFilter(points::goodsFilter(text));
    m_goods->setResult(m_goodsRows);
}

void TdhspForm::showBasket(bool keepRow)
{
    m_lines->setResult(m_basket.rows(), keepRow ? DataGrid::KeepRow : DataGrid::FirstRow);
}

void TdhspForm::addCurrent()
{
    const int row = m_goods->currentRowIndex();
    if (row < 0)
        return;
    const QString code = m_goods->value(row, QStringLiteral("商品编号")).toText();
    const QString name = m_goods->value(row, QStringLiteral("商品名称")).toText();
    bool added = false;
    if (name == points::kDaysItemName) {
        // The card is tested as stored now, not as the window showed it.
        const Outcome<points::DaysOffer> offer = points::offerDays(m_session.velunDMForm(), m_card);
        if (offer.refused()) {
            Messages::refusal(this, offer.refusal());
            return;
        }
        added = m_days->add(m_basket, *offer);
        // A rate saved through the days window's link counts at saving for the days lines already in
        // the basket too: their remarks say so now.
        if (m_days->rate() != offer->rate) {
            m_basket.restateDays(offer->expiry, m_days->rate());
            if (!added)
                showBasket(true);
        }
    } else {
        added = m_item->add(m_basket, code, name, m_goods->value(row, QStringLiteral("兑换积分")).toInt());
    }
    if (added) {
        showBasket();
        m_lines->selectRow(m_lines->result().rowCount() - 1);
    }
}

void TdhspForm::removeLine()
{
    const Value number = m_lines->currentValue(QStringLiteral("序号"));
    if (number.isNull())
        return;
    if (!Messages::confirmDelete(this))
        return;
    m_basket.remove(int(number.toInt()));
    showBasket(true);
}

void TdhspForm::save()
{
    const Outcome<points::SavedExchange> outcome = points::saveExchange(m_session.command(), m_card);
    if (outcome.refused()) {
        Messages::refusal(this, outcome.refusal());
        return;
    }
    m_saved = *outcome;
    accept();
}

} // namespace tkd::gui
