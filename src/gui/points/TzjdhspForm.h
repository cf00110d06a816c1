#pragma once

#include "kit/FieldMap.h"

#include <QDialog>

class QLabel;
class QLineEdit;

namespace tkd::points {
class ExchangeBasket;
}

namespace tkd::gui {

// "增加兑换商品": how many of one exchangeable item go into the basket, and for how many points.
class TzjdhspForm : public QDialog {
    Q_OBJECT
public:
    explicit TzjdhspForm(QWidget* parent = nullptr);

    // Modal for the item; true when a line was added to the basket.
    bool add(points::ExchangeBasket& basket, const QString& code, const QString& name, qint64 pointsPerUnit);

private:
    void showPoints();
    void confirm();

    points::ExchangeBasket* m_basket = nullptr;
    QString m_itemCode;
    qint64 m_pointsPerUnit = 0;
    bool m_added = false;
    QLabel* m_code;
    QLabel* m_name;
    QLineEdit* m_quantity;
    QLineEdit* m_points;
    QLineEdit* m_remark;
    kit::FieldMap m_fields;
};

} // namespace tkd::gui
