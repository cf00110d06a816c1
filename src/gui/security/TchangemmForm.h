#pragma once

#include "kit/FieldMap.h"

#include <QDialog>

class QLineEdit;

namespace tkd {
class Session;
}

namespace tkd::gui {

// The current operator changes his own password.
class TchangemmForm : public QDialog {
    Q_OBJECT
public:
    explicit TchangemmForm(Session& session, QWidget* parent = nullptr);
    void prepare();

private:
    void save();

    Session& m_context;
    QLineEdit* m_old;
    QLineEdit* m_new;
    QLineEdit* m_confirm;
    kit::FieldMap m_fields;
};

} // namespace tkd::gui
