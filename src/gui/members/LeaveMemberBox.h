#pragma once

#include <QGroupBox>
#include <QHash>

class QLabel;
class QLineEdit;
class QToolButton;

namespace tkd::members {
struct LeaveMember;
}

namespace tkd::gui {

// The "会员信息" group of the leave and early-end windows: the card number (a disabled box with the
// picker button beside it when the member is still to be chosen), name, card type, opening date,
// expiry and status.
class LeaveMemberBox : public QGroupBox {
    Q_OBJECT
public:
    explicit LeaveMemberBox(QWidget* parent = nullptr);

    // Empty fields; the picker button shown or not.
    void clear(bool pickable);
    void show(const members::LeaveMember& member);
    QString cardNumber() const;

    QLineEdit* cardEdit() const { return m_card; }
    QToolButton* pickButton() const { return m_pick; }
    QLabel* value(const QString& caption) const { return m_values.value(caption); }

Q_SIGNALS:
    void pickRequested();

private:
    QLineEdit* m_card;
    QToolButton* m_pick;
    QHash<QString, QLabel*> m_values;
};

} // namespace tkd::gui
