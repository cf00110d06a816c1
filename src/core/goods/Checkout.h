#pragma once

#include "Quantities.h"
#include "ShoppingList.h"
#include "app/CommandContext.h"
#include "app/Outcome.h"

#include <QString>
#include <vector>

namespace tkd {
class TvelunDMForm;
}

namespace tkd::goods {

enum class PaymentMeans { StoredValue, Cash, CreditCard, Split };
// "储值卡结帐", "现金结帐", "信用卡结帐", "联合结帐": the sales rows' 付款方式.
QString paymentMeansText(PaymentMeans means);

namespace field {
inline const QString paid = QStringLiteral("paid");
inline const QString storedValue = QStringLiteral("storedValue");
inline const QString cash = QStringLiteral("cash");
inline const QString creditCard = QStringLiteral("creditCard");
} // namespace field

// What the sale window shows of its member when it opens.
struct SaleMember {
    QString cardNumber;
    QString name;
    QString type;
    QString status;
    QString expiry; // "yyyy-MM-dd", empty for none
    QString password;
    Rate rate; // the card type's discount as shown (two decimals); 1 without a card type
    Money balance;
    Money totalSpent;
    Money yuanPerPoint; // 消费积分
};
// Refuses "会员卡号不存在！" for a member who is gone. Reads only.
Outcome<SaleMember> openSale(TvelunDMForm& dm, const QString& cardNumber);
// "累计消费：" as a plain number with "元".
QString totalSpentText(Money amount);
// "本次消费共积N分".
QString pointsLine(Money total, Money yuanPerPoint);
// Stored value is offered only to a member whose balance is not 0.
bool offersStoredValue(Money balance);

// "请选择要消费的商品！" on an empty list, before the checkout asks anything.
MaybeRefusal readyForCheckout(const ShoppingList& list);

// The cash dialog: what was handed over, checked against what is due; the change.
struct CashPayment {
    Money paid;
    Money change;
};
Outcome<CashPayment> checkCash(Money due, const QString& paidText);
// The change shown as the amount is typed: paid minus due, negative while short; nullopt for no number.
std::optional<Money> cashChange(Money due, const QString& paidText);

// The split dialog's three amounts as typed, with their boxes; an unticked box counts 0.
struct SplitTyped {
    bool storedValueTicked = false;
    bool cashTicked = false;
    bool creditCardTicked = false;
    QString storedValue;
    QString cash;
    QString creditCard;
};
struct SplitAmounts {
    Money storedValue;
    Money cash;
    Money creditCard;
    Money sum() const { return storedValue + cash + creditCard; }
};
// Negative amounts, a sum other than the total, stored value beyond the balance: refused, the field named.
Outcome<SplitAmounts> checkSplit(Money due, Money balance, const SplitTyped& typed);
// A box just ticked fills its amount with what the other two leave of the total.
QString splitRemainder(Money due, const QString& other, const QString& another);

struct CheckoutInput {
    QString cardNumber;
    PaymentMeans means = PaymentMeans::StoredValue;
    Money cashPaid;     // cash: what was handed over
    SplitAmounts split; // split: the confirmed amounts
    QString remark;
};

struct ReceiptLine {
    QString name;
    QString quantity;
    QString amount;
};

// "结帐单" as data; the window lays it out on the 58 mm roll.
struct SaleReceipt {
    QString hallName;
    QString member; // name "/" card number
    QString cashier;
    QString time; // "yyyy-MM-dd hh:mm"
    std::vector<ReceiptLine> lines;
    QString quantitySum;
    QString totalSum;
    QString balance; // as the desk shows it now
    QString phone;
    QString address;
};

struct Sale {
    Money total;
    Money change;    // cash handed over beyond the total
    QString balance; // "0.00元"
    QString points;  // "N分"
    SaleReceipt receipt;
    QString mobile;
    QString smsText;
};

// The checkout, after every dialog was answered, in one transaction: the member re-read, the total summed
// from the stored lines, the payment checked again against both, then one 金额记录 row, the member's
// balance, 消费总额 and 会员积分 moved by increments, and for each line the stock move and its 会员消费
// row. A refusal or an engine error leaves everything as it was.
Outcome<Sale> checkout(const CommandContext& context, const CheckoutInput& input);

} // namespace tkd::goods
