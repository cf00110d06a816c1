#pragma once

#include "db/ResultSet.h"
#include "points/Exchange.h"
#include "points/ExchangeBasket.h"

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;

namespace tkd {
class Session;
}

namespace tkd::gui {

class DataGrid;
class TjfdhhjForm;
class TqtszForm;
class TzjdhspForm;

// "兑换商品": the exchange basket of the member shown at the desk. Goods go in through the item
// window, membership days through the days window; "保存" spends the points in one go.
class TdhspForm : public QDialog {
    Q_OBJECT
public:
    TdhspForm(Session& session, std::function<TqtszForm*()> settings, QWidget* parent = nullptr);

    // Reads the member ("会员卡号不存在！" and false when gone), empties the basket and shows the goods.
    bool prepare(const QString& cardNumber);
    // What the last save left the member with.
    const points::SavedExchange& saved() const { return m_saved; }

    points::ExchangeBasket& basket() { return m_basket; }
    DataGrid* goodsGrid() const { return m_goods; }
    DataGrid* basketGrid() const { return m_lines; }
    TzjdhspForm* itemWindow() const { return m_item; }
    TjfdhhjForm* daysWindow() const { return m_days; }

    void addCurrent();

protected:
    void done(int result) override;

private:
    void filterGoods(const QString& text);
    void showBasket(bool keepRow = false);
    void removeLine();
    void save();

    Session& m_session;
    points::ExchangeBasket m_basket;
    QString m_card;
    points::SavedExchange m_saved;
    ResultSet m_goodsRows;
    QLabel* m_cardValue;
    QLabel* m_name;
    QLabel* m_points;
    QLabel* m_type;
    QLineEdit* m_search;
    DataGrid* m_goods;
    DataGrid* m_lines;
    TzjdhspForm* m_item;
    TjfdhhjForm* m_days;
};

} // namespace tkd::gui
