#pragma once

#include "TgmsjForm.h"
#include "kit/FieldMap.h"

#include <QDialog>
#include <functional>
#include <optional>

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

// "私教消费": books lessons against one of the member's open packages, the oldest preselected.
// Accepted once the lessons are booked.
class TsjxfForm : public QDialog {
    Q_OBJECT
public:
    TsjxfForm(Session& session, std::function<TxzjsrForm*()> picker, QWidget* parent = nullptr);

    // From the desk the member is fixed; false (after "会员卡号不存在！") when it is gone.
    bool prepareForMember(const QString& cardNumber);
    // From the management window: no member until one is picked.
    void prepareToPick();
    CoachingOpener opener() const { return m_opener; }
    // The member picker in its coaching-lesson mode.
    void pickMember();

    // The package the lessons go against; none when the member has no open package.
    std::optional<qint64> selectedPackage() const { return m_packageId; }
    CoachingMemberBox* memberBox() const { return m_member; }
    DataGrid* packageGrid() const { return m_packages; }

private:
    void reset();
    void showPackages(const QString& cardNumber, std::optional<qint64> keep = std::nullopt);
    void selectPackage(int row);
    void book();

    Session& m_session;
    std::function<TxzjsrForm*()> m_picker;
    CoachingOpener m_opener = CoachingOpener::FrontDesk;
    std::optional<qint64> m_packageId;
    CoachingMemberBox* m_member;
    QLabel* m_coach;
    QLabel* m_item;
    QLabel* m_left;
    QLineEdit* m_quantity;
    QDateEdit* m_date;
    QLineEdit* m_remark;
    DataGrid* m_packages;
    kit::FieldMap m_fields;
};

} // namespace tkd::gui
