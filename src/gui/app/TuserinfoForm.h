#pragma once

#include <QDialog>

class QLineEdit;

namespace tkd {
class Session;
}

namespace tkd::gui {

// The hall's name, phone, e-mail, web site and address.
class TuserinfoForm : public QDialog {
    Q_OBJECT
public:
    explicit TuserinfoForm(Session& session, QWidget* parent = nullptr);
    void prepare();

Q_SIGNALS:
    void hallNameChanged(const QString& name);

private:
    void save();

    Session& m_context;
    QLineEdit* m_name;
    QLineEdit* m_phone;
    QLineEdit* m_email;
    QLineEdit* m_website;
    QLineEdit* m_address;
};

} // namespace tkd::gui
