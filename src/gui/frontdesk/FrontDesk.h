#pragma once

#include "sms/Gateway.h"

#include <QObject>
#include <QString>

class QWidget;

namespace tkd {
class AppContext;
struct CommandContext;
} // namespace tkd

namespace tkd::frontdesk {
struct Visit;
}

namespace tkd::members {
struct MemberInput;
}

namespace tkd::payments {
struct Payment;
}

namespace tkd::gui {

namespace kit {
class BackgroundSends;
}

class HistoryTabs;
class MemberPanel;
class ThydjForm;
class TxzjlForm;
class TxzjsrForm;

// The desk's work on the member panel and the history tabs: lookup, check-in, the visit
// list, the coach and the member picker. The main window owns it and routes its commands here.
class FrontDesk : public QObject {
    Q_OBJECT
public:
    FrontDesk(AppContext& context, MemberPanel* panel, HistoryTabs* tabs, QWidget* window);

    // Enter in the card number field; the unattended desk checks the member in at once.
    void lookUp(const QString& typed);
    void clear();
    void checkIn();
    void deleteVisit();
    // The button beside the coach: the picker, or a menu when a coach is shown already.
    void coachButton();
    void chooseCoach();
    void clearCoach();
    void browseMembers();
    // After the member's personal data was edited: the panel shows what was saved.
    void showEdited(const members::MemberInput& member);
    // After a payment: the new validity, type, visits and balance, and the payment list.
    void showPayment(const payments::Payment& payment);

    const QString& photoPath() const { return m_photoPath; }
    void setPhotoPath(const QString& path) { m_photoPath = path; }
    TxzjsrForm* memberPicker() const { return m_memberPicker; }
    TxzjlForm* coachPicker() const { return m_coachPicker; }
    ThydjForm* confirmation() const { return m_confirmation; }
    kit::BackgroundSends* backgroundSends() const { return m_background; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool show(const QString& cardNumber);
    void checkInUnattended();
    void sendCheckInSms(const CommandContext& context, const frontdesk::Visit& visit, bool quiet);

    AppContext& m_context;
    MemberPanel* m_panel;
    HistoryTabs* m_tabs;
    QWidget* m_window;
    sms::GatewayCall m_call;
    kit::BackgroundSends* m_background;
    QString m_photoPath;
    TxzjsrForm* m_memberPicker;
    TxzjlForm* m_coachPicker;
    ThydjForm* m_confirmation;
};

} // namespace tkd::gui
