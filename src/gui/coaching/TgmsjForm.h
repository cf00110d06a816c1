#pragma once

#include "kit/FieldMap.h"

#include <QDialog>
#include <functional>

class QCalendarWidget;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;

namespace tkd {
class Session;
}

namespace tkd::gui {

class CoachingMemberBox;
class DataGrid;
class TxzjsrForm;

// Who opened the purchase or booking window: it decides whose lists a save reloads.
enum class CoachingOpener { Management = 1, FrontDesk = 2 };

// "购买私教": buys a package of lessons, or gives one, for the member shown at the desk or one
// picked from the management window. Accepted once the package is stored.
class TgmsjForm : public QDialog {
    Q_OBJECT
public:
    TgmsjForm(Session& session, std::function<TxzjsrForm*()> picker, QWidget* parent = nullptr);

    // From the desk the member is fixed; false (after "会员卡号不存在！") when it is gone.
    bool prepareForMember(const QString& cardNumber);
    // From the management window: no member until one is picked.
    void prepareToPick();
    CoachingOpener opener() const { return m_opener; }

    // The member picker in its coaching-purchase mode.
    void pickMember();
    // The 编号 of the package stored by the last save.
    qint64 savedId() const { return m_savedId; }

    CoachingMemberBox* memberBox() const { return m_member; }
    DataGrid* historyGrid() const { return m_history; }
    // The empty date of "有效日期：": no last day.
    static QDate noDate();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void reset();
    void showMember(const QString& cardNumber);
    void itemChosen();
    void showTotal();
    void save();

    Session& m_session;
    std::function<TxzjsrForm*()> m_picker;
    CoachingOpener m_opener = CoachingOpener::FrontDesk;
    qint64 m_savedId = 0;
    CoachingMemberBox* m_member;
    QComboBox* m_coach;
    QDateEdit* m_date;
    QComboBox* m_item;
    QLineEdit* m_price;
    QLineEdit* m_quantity;
    QDateEdit* m_validUntil;
    // The calendar of m_validUntil once it was made.
    QCalendarWidget* m_calendar = nullptr;
    QCheckBox* m_gift;
    QLabel* m_total;
    QLineEdit* m_remark;
    DataGrid* m_history;
    kit::FieldMap m_fields;
};

} // namespace tkd::gui
