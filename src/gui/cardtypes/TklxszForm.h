#pragma once

#include "kit/FieldMap.h"

#include <QDialog>
#include <array>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTimeEdit;
class QWidget;

namespace tkd {
class Session;
}

namespace tkd::gui {

// The entry dialog of one card type, for adding and for changing.
class TklxszForm : public QDialog {
    Q_OBJECT
public:
    explicit TklxszForm(Session& session, QWidget* parent = nullptr);

    void prepareAdd();
    // Loads the type with this row id; false when it no longer exists.
    bool prepareEdit(qint64 id);
    bool isEditing() const { return m_editId.has_value(); }

private:
    void save();
    void showSlotKind();

    Session& m_session;
    std::optional<qint64> m_editId;
    QLineEdit* m_code;
    QLineEdit* m_name;
    QLineEdit* m_visits;
    QLineEdit* m_days;
    QLineEdit* m_price;
    QLineEdit* m_discount;
    QCheckBox* m_useSlot;
    QRadioButton* m_daily;
    QRadioButton* m_weekly;
    QWidget* m_dailyPanel;
    QWidget* m_weeklyPanel;
    QTimeEdit* m_from;
    QTimeEdit* m_to;
    std::array<QCheckBox*, 7> m_days7{};
    QLabel* m_slotHint;
    kit::FieldMap m_fields;
};

} // namespace tkd::gui
