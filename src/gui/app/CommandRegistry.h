#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <typeindex>
#include <unordered_map>
#include <vector>

class QAction;
class QWidget;

namespace tkd {
class AppContext;
class Session;
} // namespace tkd

namespace tkd::gui {

class FrontDesk;

// One command as the main window shows it: its caption (toolbar button, outlook item and
// menu item share it), the function name the permission check tests (empty: open to every
// operator) and whether it acts on the member shown.
struct CommandDef {
    QString id;
    QString caption;
    QString function;
    bool needsMember = false;
};

// What a command on the member shown does when none is shown.
enum class WithoutMember {
    Runs,        // it does not act on a member
    Refuses,     // "请首先选择会员！"
    DoesNothing, // silently
};

// What an area registers for a command of the table.
struct Command {
    QString id;
    // Must be the table's function name: the registration says what it checks.
    QString function;
    WithoutMember withoutMember = WithoutMember::Runs;
    std::function<void()> handler;
};

// The main window's commands and the windows behind them. Every command of the table is one
// QAction, enabled once an area registers its handler (see AreaCommands.h). run() makes the
// permission check, the shown-member check, then calls the handler, all inside the error
// boundary: an engine error ends the command with the standard error box.
//
// Windows are made once, on first use, by the factory their area registered, and live (with
// their state) until the main window goes: window<T>() is the one way to reach them.
class CommandRegistry : public QObject {
    Q_OBJECT
public:
    CommandRegistry(AppContext& app, QWidget* frame, FrontDesk* desk);
    ~CommandRegistry() override;

    static const std::vector<CommandDef>& table();
    // nullptr for an id the table lacks.
    static const CommandDef* find(const QString& id);

    QAction* action(const QString& id) const;
    void add(Command command);
    // A handler under the table's own rules (its function name, "请首先选择会员！").
    void setHandler(const QString& id, std::function<void()> handler);
    bool isAvailable(const QString& id) const { return m_commands.contains(id); }
    // Runs the command as a click would.
    void run(const QString& id);

    template <typename T> void addWindow(std::function<T*()> make)
    {
        m_factories[typeid(T)] = [make = std::move(make)]() -> QWidget* { return make(); };
    }
    template <typename T> T* window() { return static_cast<T*>(windowOf(typeid(T))); }
    // Whether the window was made already; nothing is made by asking.
    template <typename T> bool hasWindow() const { return made(typeid(T)) != nullptr; }
    // Called with each window as it is made (start-up hands it the input-method setting).
    void setWindowMade(std::function<void(QWidget*)> hook) { m_windowMade = std::move(hook); }

    AppContext& app() { return m_app; }
    Session& session();
    // The main window: the parent of every window and of every message of a command.
    QWidget* frame() const { return m_frame; }
    FrontDesk* desk() const { return m_desk; }
    // Empty when no member is shown.
    QString shownMember() const;

Q_SIGNALS:
    // What the frame shows changed: the status bar's operator, the hall's name, the desk's hint.
    void operatorChanged(const QString& name);
    void hallNameChanged(const QString& name);
    void deskModeChanged(bool unattended);

private:
    QWidget* windowOf(std::type_index type);
    QWidget* made(std::type_index type) const;
    void runChecked(const Command& command);

    AppContext& m_app;
    QWidget* m_frame;
    FrontDesk* m_desk;
    QHash<QString, QAction*> m_actions;
    QHash<QString, Command> m_commands;
    std::unordered_map<std::type_index, std::function<QWidget*()>> m_factories;
    std::unordered_map<std::type_index, QPointer<QWidget>> m_windows;
    std::function<void(QWidget*)> m_windowMade;
};

} // namespace tkd::gui
