#pragma once

#include "kit/FieldMap.h"

#include <QDialog>

class QLineEdit;

namespace tkd {
class Session;
}

namespace tkd::gui {

// A new operator: name and password twice.
class TgzrysingleForm : public QDialog {
    Q_OBJECT
public:
    explicit TgzrysingleForm(Session& session, QWidget* parent = nullptr);
    void prepare();

private:
    void save();

    Session& m_context;
    QLineEdit* m_name;
    QLineEdit* m_password;
    QLineEdit* m_confirm;
    kit::FieldMap m_fields;
};

} // namespace tkd::gui
