#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <functional>
#include <vector>

class QAction;
class QWidget;

namespace tkd {
class AppContext;
}

namespace tkd::gui {

struct CommandDef {
    QString id;
    QString caption;
    // The function name the permission check tests; empty for commands open to everyone.
    QString function;
    // The command acts on the member shown and needs one.
    bool needsMember = false;
};

// The main window's commands. Each is one QAction shared by its outlook item, menu item
// and toolbar button, so twins run one command. A command stays disabled until the window
// or operation behind it is plugged in with setHandler().
class MainCommands : public QObject {
    Q_OBJECT
public:
    MainCommands(AppContext& context, QWidget* window, std::function<QString()> shownMember);

    static const std::vector<CommandDef>& definitions();
    QAction* action(const QString& id) const;
    void setHandler(const QString& id, std::function<void()> handler);
    bool isAvailable(const QString& id) const { return m_handlers.contains(id); }
    // Runs the command as a click would: permission, shown member, then its handler.
    void run(const QString& id);

private:
    AppContext& m_context;
    QWidget* m_window;
    std::function<QString()> m_shownMember;
    QHash<QString, QAction*> m_actions;
    QHash<QString, CommandDef> m_defs;
    QHash<QString, std::function<void()>> m_handlers;
};

} // namespace tkd::gui
