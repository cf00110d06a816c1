#pragma once

#include "kit/Chooser.h"

namespace tkd {
class Session;
} // namespace tkd

namespace tkd::gui {

// "选择会员": picks a member by number or name for the window that opened it.
class TxzjsrForm : public Chooser {
    Q_OBJECT
public:
    // Who asked; each copies the pick into its own fields.
    enum class Mode { Introducer = 1, Payment, Leave, CoachingPurchase, CoachingLesson, FrontDesk, LockerRental };

    explicit TxzjsrForm(Session& session, QWidget* parent = nullptr);

    void prepare(Mode mode);
    Mode mode() const { return m_mode; }
    // The picked row's card number and name, after exec() returned Accepted.
    QString pickedCardNumber() const;
    QString pickedName() const;

private:
    Mode m_mode = Mode::FrontDesk;
};

} // namespace tkd::gui
