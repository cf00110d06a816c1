#pragma once

#include "app/Refusal.h"

#include <QString>
#include <functional>

class QWidget;

namespace tkd::sms {
struct AutoSendResult;
}

namespace tkd::gui {

enum class MessageIcon { Information, Warning, Error, Question };

struct MessageRequest {
    QWidget* parent = nullptr;
    QString caption;
    QString text;
    MessageIcon icon = MessageIcon::Information;
    bool okCancel = false;
};

// Every message box of the program goes through here, so that the house caption and
// icons are applied in one place and tests can answer the boxes without showing them.
class Messages {
public:
    // Returns true for OK. Installed by tests; the default shows a real modal box.
    using Handler = std::function<bool(const MessageRequest&)>;
    static void setHandler(Handler handler);
    static void resetHandler();

    static QString caption() { return QStringLiteral("提示信息"); }
    // The program's own title: the caption of the standard error box.
    static QString programTitle() { return QStringLiteral("澄岚跆拳道馆管理系统"); }
    static void information(QWidget* parent, const QString& text);
    // Business refusals and results.
    static void warning(QWidget* parent, const QString& text);
    // Refused permissions and invalid input.
    static void error(QWidget* parent, const QString& text);
    // OK and Cancel; true for OK.
    static bool confirm(QWidget* parent, const QString& text);
    // "是否要删除当前记录？" with the caption "删除".
    static bool confirmDelete(QWidget* parent);
    // The standard box for an error nobody expected (an engine error ending a command).
    static void failure(QWidget* parent, const QString& text);

    // The outcome of an automatic SMS after a command: nothing when its switch is off, an
    // unreachable gateway as an error, the rest (not logged in, sent, refused) as a warning.
    static void smsResult(QWidget* parent, const sms::AutoSendResult& result);
    // A refused command's message with its own icon; nothing for a cancelled one. Windows with
    // fields show refusals through their kit::FieldMap, which calls this.
    static void refusal(QWidget* parent, const Refusal& refusal);

    static bool show(const MessageRequest& request);
};

} // namespace tkd::gui
