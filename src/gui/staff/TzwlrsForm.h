#pragma once

#include <QDialog>

class QLineEdit;

namespace tkd {
class AppContext;
}

namespace tkd::gui {

// Adds one job title.
class TzwlrsForm : public QDialog {
    Q_OBJECT
public:
    explicit TzwlrsForm(AppContext& context, QWidget* parent = nullptr);
    void prepare();

private:
    void save();

    AppContext& m_context;
    QLineEdit* m_name;
};

} // namespace tkd::gui
