#include "Messages.h"

#include "sms/SmsOperations.h"

#include <QMessageBox>
#include <QPushButton>

namespace tkd::gui {

namespace {

Messages::Handler& handler()
{
    static Messages::Handler h;
    return h;
}

bool showBox(const MessageRequest& r)
{
    QMessageBox::Icon icon = QMessageBox::Information;
    switch (r.icon) {
    case MessageIcon::Information:
        icon = QMessageBox::Information;
        break;
    case MessageIcon::Warning:
        icon = QMessageBox::Warning;
        break;
    case MessageIcon::Error:
        icon = QMessageBox::Critical;
        break;
    case MessageIcon::Question:
        icon = QMessageBox::Question;
        break;
    }
    QMessageBox box(icon, r.caption, r.text, QMessageBox::NoButton, r.parent);
    QPushButton* ok = box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
    if (r.okCancel)
        box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
    box.setDefaultButton(ok);
    box.setObjectName(QStringLiteral("messageBox"));
    box.exec();
    return box.clickedButton() == ok;
}

} // namespace

void Messages::setHandler(Handler h)
{
    handler() = std::move(h);
}

void Messages::resetHandler()
{
    handler() = nullptr;
}

bool Messages::show(const MessageRequest& request)
{
    if (handler())
        return handler()(request);
    return showBox(request);
}

void Messages::information(QWidget* parent, const QString& text)
{
    show({parent, caption(), text, MessageIcon::Information, false});
}

void Messages::warning(QWidget* parent, const QString& text)
{
    show({parent, caption(), text, MessageIcon::Warning, false});
}

void Messages::error(QWidget* parent, const QString& text)
{
    show({parent, caption(), text, MessageIcon::Error, false});
}

bool Messages::confirm(QWidget* parent, const QString& text)
{
    return show({parent, caption(), text, MessageIcon::Question, true});
}

bool Messages::confirmDelete(QWidget* parent)
{
    return show({parent, QStringLiteral("删除"), QStringLiteral("是否要删除当前记录？"), MessageIcon::Question, true});
}

void Messages::smsResult(QWidget* parent, const sms::AutoSendResult& result)
{
    if (result.status == sms::AutoSendResult::Status::SwitchOff)
        return;
    if (result.unreachable)
        error(parent, result.message);
    else
        warning(parent, result.message);
}

void Messages::refusal(QWidget* parent, const Refusal& r)
{
    if (r.cancelled)
        return;
    if (r.icon == Refusal::Icon::Warning)
        warning(parent, r.message);
    else
        error(parent, r.message);
}

void Messages::failure(QWidget* parent, const QString& text)
{
    show({parent, programTitle(), text, MessageIcon::Error, false});
}

} // namespace tkd::gui
