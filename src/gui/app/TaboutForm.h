#pragma once

#include <QDialog>

namespace tkd::gui {

// The copyright notice and the introduction: two short fixed texts in one kind of window.
class TaboutForm : public QDialog {
    Q_OBJECT
public:
    enum class Kind { Copyright, Introduction };
    TaboutForm(Kind kind, QWidget* parent = nullptr);
};

} // namespace tkd::gui
