#pragma once

#include "goods/Checkout.h"
#include "goods/ShoppingList.h"
#include "kit/FieldMap.h"
#include "sms/Gateway.h"

#include <QDialog>
#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;

namespace tkd {
class Session;
struct SmsState;
} // namespace tkd

namespace tkd::gui {

class ChooserPanel;
class DataGrid;
class TlhjzForm;
class TsrmmForm;
class TxgxfForm;
class TxjjzForm;

// "会员消费": the basket of one member's sale, the goods picker and the staff chooser over it, and
// the checkout by stored value, cash, credit card or a split.
class ThyxfForm : public QDialog {
    Q_OBJECT
public:
    ThyxfForm(Session& session, SmsState& sms, QWidget* parent = nullptr);

    // The opening for the member: read (a missing member is refused with its message), the member's
    // password asked when there is one, the window filled and the basket emptied. False when the
    // sale does not open.
    bool prepare(const QString& cardNumber);
    // Called after the commit, before the receipt: whoever shows the member reads it again.
    void setAfterSale(std::function<void()> refresh) { m_afterSale = std::move(refresh); }

    goods::ShoppingList& list() { return m_list; }
    const std::optional<goods::Sale>& lastSale() const { return m_sale; }
    TsrmmForm* passwordPrompt() const { return m_password; }
    TxgxfForm* lineEditor() const { return m_editor; }
    TxjjzForm* cashDialog() const { return m_cash; }
    TlhjzForm* splitDialog() const { return m_split; }

private:
    QWidget* buildGoodsPanel();
    QWidget* buildStaffPanel();
    void showList();
    void openPicker();
    void pickGoods();
    void closePicker();
    void openStaffChooser(const goods::ShoppingLine& line);
    void pickStaff();
    void closeStaffChooser();
    int currentLine() const;
    void editLine();
    void deleteLine();
    void checkout();
    void afterSale();

    Session& m_session;
    SmsState& m_sms;
    sms::GatewayCall m_call;
    goods::ShoppingList m_list;
    std::optional<goods::SaleMember> m_member;
    std::optional<goods::Sale> m_sale;
    std::function<void()> m_afterSale;
    // The line the staff chooser writes into: the one just added.
    int m_staffLine = 0;

    QLabel* m_card;
    QLabel* m_name;
    QLabel* m_type;
    QLabel* m_discount;
    QLabel* m_balance;
    QLabel* m_totalSpent;
    QLineEdit* m_search;
    QStackedWidget* m_pages;
    DataGrid* m_grid;
    ChooserPanel* m_goods;
    QLineEdit* m_quantity;
    ChooserPanel* m_staff;
    QLabel* m_serviceCode;
    QLabel* m_serviceName;
    QLineEdit* m_total;
    QLineEdit* m_pointRate;
    QLabel* m_points;
    QRadioButton* m_storedValue;
    QRadioButton* m_cashMeans;
    QRadioButton* m_creditCard;
    QRadioButton* m_splitMeans;
    QLineEdit* m_remark;

    TsrmmForm* m_password;
    TxgxfForm* m_editor;
    TxjjzForm* m_cash;
    TlhjzForm* m_split;
    kit::FieldMap m_fields;
};

} // namespace tkd::gui
