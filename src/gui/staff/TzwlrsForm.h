#pragma once

#include <QDialog>

class QLineEdit;

namespace tkd {
class Session;
}

namespace tkd::gui {

// Adds one job title.
class TzwlrsForm : public QDialog {
    Q_OBJECT
public:
    explicit TzwlrsForm(Session& session, QWidget* parent = nullptr);
    void prepare();

private:
    void save();

    Session& m_session;
    QLineEdit* m_name;
};

} // namespace tkd::gui
