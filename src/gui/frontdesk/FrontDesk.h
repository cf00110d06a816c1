#pragma once

#include "HistoryTabs.h"
#include "sms/Gateway.h"

#include <QObject>
#include <QString>

class QWidget;

namespace tkd {
class Session;
struct CommandContext;
struct SmsState;
} // namespace tkd

namespace tkd::frontdesk {
struct Visit;
}

namespace tkd::gui {

namespace kit {
class BackgroundSends;
}

class MemberPanel;
class ThydjForm;
class TxzjlForm;
class TxzjsrForm;

// The desk's work on the member panel and the history tabs: lookup, check-in, the visit
// list, the coach and the member picker. The desk's commands are registered in
// DeskCommands.cpp; the windows they use are handed in by the registry.
class FrontDesk : public QObject {
    Q_OBJECT
public:
    FrontDesk(Session& session, SmsState& sms, MemberPanel* panel, HistoryTabs* tabs, QWidget* window);

    MemberPanel* panel() const { return m_panel; }
    HistoryTabs* tabs() const { return m_tabs; }
    QWidget* window() const { return m_window; }

    // Enter in the card number field; the unattended desk checks the member in at once.
    void lookUp(const QString& typed);
    void clear();
    void checkIn(ThydjForm* confirmation);
    void deleteVisit();
    // The button beside the coach: the picker, or a menu when a coach is shown already.
    void coachButton(TxzjlForm* picker);
    void chooseCoach(TxzjlForm* picker);
    void clearCoach();
    void browseMembers(TxzjsrForm* picker);
    // After a command changed the member shown: the panel shows the member as stored now,
    // and the lists named are read again.
    void refreshShown(HistoryTabs::Lists lists = {});

    const QString& photoPath() const { return m_photoPath; }
    void setPhotoPath(const QString& path) { m_photoPath = path; }
    kit::BackgroundSends* backgroundSends() const { return m_background; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool show(const QString& cardNumber);
    void checkInUnattended();
    void sendCheckInSms(const CommandContext& context, const frontdesk::Visit& visit, bool quiet);

    Session& m_context;
    SmsState& m_sms;
    MemberPanel* m_panel;
    HistoryTabs* m_tabs;
    QWidget* m_window;
    sms::GatewayCall m_call;
    kit::BackgroundSends* m_background;
    QString m_photoPath;
};

} // namespace tkd::gui
