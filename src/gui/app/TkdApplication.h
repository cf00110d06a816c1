#pragma once

#include <QApplication>

namespace tkd::gui {

// The last resort for an error that escaped the boundaries of the commands and slots
// (kit::guarded): the engine's message is shown in the standard error box; the program goes on.
class TkdApplication : public QApplication {
    Q_OBJECT
public:
    TkdApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    static QString title();
};

} // namespace tkd::gui
