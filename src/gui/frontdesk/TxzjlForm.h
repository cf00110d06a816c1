#pragma once

#include "kit/Chooser.h"

namespace tkd {
class Session;
}

namespace tkd::gui {

// "选择教练": assigns a coach to the member shown at the desk.
class TxzjlForm : public Chooser {
    Q_OBJECT
public:
    explicit TxzjlForm(Session& session, QWidget* parent = nullptr);
    void prepare(const QString& cardNumber);
    // The coach stored, after exec() returned Accepted.
    const QString& chosenCoach() const { return m_chosen; }

protected:
    // A pick stores the coach before the window closes; a card that is gone closes it unpicked.
    void done(int result) override;

private:
    Session& m_context;
    QString m_cardNumber;
    QString m_chosen;
};

} // namespace tkd::gui
