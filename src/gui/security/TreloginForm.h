#pragma once

#include "kit/FieldMap.h"

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace tkd {
class AppContext;
}

namespace tkd::gui {

// Another operator takes over the desk without restarting the program.
class TreloginForm : public QDialog {
    Q_OBJECT
public:
    explicit TreloginForm(AppContext& context, QWidget* parent = nullptr);
    // Refills the operator list and empties the password before each use.
    void prepare();

Q_SIGNALS:
    void operatorChanged(const QString& name);

private:
    void login();

    AppContext& m_context;
    QComboBox* m_operators;
    QLineEdit* m_password;
    kit::FieldMap m_fields;
};

} // namespace tkd::gui
