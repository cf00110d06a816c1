#pragma once

#include "kit/FieldMap.h"

#include <QDialog>
#include <optional>

class QComboBox;
class QLineEdit;

namespace tkd {
class Session;
}

namespace tkd::gui {

class TzwlrForm;

// Adds or edits one staff member.
class TyglrForm : public QDialog {
    Q_OBJECT
public:
    explicit TyglrForm(Session& session, QWidget* parent = nullptr);
    void prepareAdd();
    // False when the row no longer exists.
    bool prepareEdit(qint64 id);
    bool isEditing() const { return m_editId.has_value(); }
    TzwlrForm* jobTitleForm() const { return m_jobTitles; }

private:
    void fillTitles(const QString& select);
    void openJobTitles();
    void save();

    Session& m_session;
    std::optional<qint64> m_editId;
    QLineEdit* m_name;
    QComboBox* m_title;
    QLineEdit* m_phone;
    QComboBox* m_status;
    QLineEdit* m_address;
    QLineEdit* m_remark;
    TzwlrForm* m_jobTitles;
    kit::FieldMap m_fields;
};

} // namespace tkd::gui
