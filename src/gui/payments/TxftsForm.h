#pragma once

#include "payments/Payments.h"

#include <QDialog>

class QGridLayout;
class QLabel;
class QRadioButton;

namespace tkd::gui {

// "续费提示": how an expired membership is extended.
class TxftsForm : public QDialog {
    Q_OBJECT
public:
    explicit TxftsForm(QWidget* parent = nullptr);
    void prepare(const payments::PayingMember& member, const QString& newType, Money amount,
                 const payments::ExpiredPrompt& dates);
    // Shows the prompt; Cancel for "取消" or a closed window.
    payments::ExpiryChoice ask(const payments::PayingMember& member, const QString& newType, Money amount,
                               const payments::ExpiredPrompt& dates);
    payments::ExpiryChoice choice() const;

private:
    QLabel* value(const char* name, const QString& caption, int row);

    QLabel* m_card;
    QLabel* m_name;
    QLabel* m_type;
    QLabel* m_expiry;
    QLabel* m_newType;
    QLabel* m_amount;
    QLabel* m_note;
    QRadioButton* m_fromOld;
    QRadioButton* m_fromToday;
    QLabel* m_fromOldDate;
    QLabel* m_fromTodayDate;
    QGridLayout* m_grid;
};

} // namespace tkd::gui
