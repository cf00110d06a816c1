#pragma once

#include "Quantities.h"
#include "app/Outcome.h"
#include "db/ResultSet.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace tkd {
class TvelunDMForm;
}

namespace tkd::goods {

namespace field {
inline const QString search = QStringLiteral("search");
inline const QString quantity = QStringLiteral("quantity");
inline const QString price = QStringLiteral("price");
inline const QString rate = QStringLiteral("rate");
} // namespace field

// One line of the list as stored.
struct ShoppingLine {
    int number = 0;
    QString code;
    QString name;
    QString unit;
    Money price;
    Quantity quantity;
    Rate rate;
    Money total;
    QString staff;
    bool service = false;
};

// What the line editor holds, as typed. An empty quantity or rate counts as 0.
struct LineChange {
    QString price;
    QString quantity;
    QString rate;
    // Kept only on a line that needs manual service.
    QString staff;
};

// The basket of a sale (and the list of a member return, which shares the table): the lines as
// stored in 临时会员消费, numbered 1..n. Every figure shown or charged is summed from the stored
// lines, so a running total can never drift from what is sold.
class ShoppingList {
public:
    explicit ShoppingList(TvelunDMForm& dm);

    // Empties the list (each opening of the sale or return window).
    void clear();
    // For the grid, in line order.
    ResultSet rows() const;
    std::vector<ShoppingLine> lines() const;
    std::optional<ShoppingLine> line(int number) const;
    int count() const;
    Money total() const;
    Quantity quantitySum() const;

    // Appends the item as line count + 1, priced at its sale price with the rate; the quantity as typed
    // (empty is 0). Refuses an unparsable quantity or an item that is gone, changing nothing.
    Outcome<ShoppingLine> add(const QString& code, const QString& quantityText, Rate rate);
    // The line editor's "确定": price, quantity, rate and staff rewritten, the total priced again.
    Outcome<ShoppingLine> change(int number, const LineChange& change);
    // Deletes the line and numbers the rest 1, 2, 3... again, in one transaction.
    void remove(int number);
    // The staff member serving the line of that number (the line just added, not whichever is current).
    void setStaff(int number, const QString& staff);

private:
    TvelunDMForm& m_dm;
};

// "请输入正确的消费数量！" and "请输入正确的折扣率！" checks, shared by the list's operations.
std::optional<Quantity> quantityFromText(const QString& text);
std::optional<Rate> rateFromText(const QString& text);
// The line editor's live preview: price × quantity × rate, empty quantity or rate as 0; nullopt when a
// field does not read as a number.
std::optional<Money> previewTotal(const QString& price, const QString& quantity, const QString& rate);

// Who may serve a line: the staff chooser's list (编号, 员工姓名, 员工职务) and the line editor's names,
// every row of 员工设置.
ResultSet serviceStaff(TvelunDMForm& dm);
QStringList serviceStaffNames(TvelunDMForm& dm);

} // namespace tkd::goods
