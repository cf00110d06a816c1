#pragma once

#include <QApplication>

namespace tkd::gui {

// The one place that catches an error no command expected: the engine's message is shown
// in the standard error box and the command ends; the program goes on.
class TkdApplication : public QApplication {
    Q_OBJECT
public:
    TkdApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    static QString title() { return QStringLiteral("澄岚跆拳道馆管理系统"); }
};

} // namespace tkd::gui
