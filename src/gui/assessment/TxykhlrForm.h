#pragma once

#include "kit/FieldMap.h"

#include <QDialog>
#include <optional>

class QComboBox;
class QDateEdit;
class QLineEdit;

namespace tkd {
class Session;
}

namespace tkd::gui {

// "学员考核": records one result, or changes one. Adding previews the fee receipt and stays open
// for the next student with the date, level, fee and result kept.
class TxykhlrForm : public QDialog {
    Q_OBJECT
public:
    explicit TxykhlrForm(Session& session, QWidget* parent = nullptr);

    void prepareAdd();
    // False when the result is gone.
    bool prepareEdit(qint64 id);
    bool isEditing() const { return m_editedId.has_value(); }

Q_SIGNALS:
    // A result was written: the opener reads its list again.
    void resultSaved();

private:
    void fillLevels();
    void lookUpMember();
    void proposeFee();
    void save();

    Session& m_session;
    std::optional<qint64> m_editedId;
    QDateEdit* m_date;
    QLineEdit* m_card;
    QLineEdit* m_name;
    QComboBox* m_level;
    QLineEdit* m_fee;
    QComboBox* m_result;
    QLineEdit* m_remark;
    kit::FieldMap m_fields;
};

} // namespace tkd::gui
