#pragma once

#include "kit/FieldMap.h"

#include <QDialog>
#include <optional>

class QLineEdit;

namespace tkd {
class Session;
}

namespace tkd::gui {

// "私教项目": adds a coaching item or changes one; a changed item keeps its code.
class TsjxmForm : public QDialog {
    Q_OBJECT
public:
    explicit TsjxmForm(Session& session, QWidget* parent = nullptr);

    void prepareAdd();
    // False when the item is gone.
    bool prepareEdit(const QString& code);
    bool isEditing() const { return m_editedCode.has_value(); }

private:
    void save();

    Session& m_session;
    std::optional<QString> m_editedCode;
    QLineEdit* m_code;
    QLineEdit* m_name;
    QLineEdit* m_price;
    kit::FieldMap m_fields;
};

} // namespace tkd::gui
