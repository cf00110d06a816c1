#pragma once

#include <QGroupBox>
#include <QHash>

#include <optional>

class QLabel;
class QLineEdit;
class QToolButton;

namespace tkd {
class TvelunDMForm;
}
namespace tkd::coaching {
struct MemberInfo;
}

namespace tkd::gui {

// The "会员信息" group of the purchase and booking windows: the card number (read only), the
// picker button beside it, and the member's name, card type, expiry, open lessons and status.
class CoachingMemberBox : public QGroupBox {
    Q_OBJECT
public:
    explicit CoachingMemberBox(QWidget* parent = nullptr);

    // Empty labels; the picker button shown or not.
    void clear(bool pickable);
    // lessonsShown false leaves "私教次数：" empty, as a pick in the booking window does.
    void show(const coaching::MemberInfo& member, bool lessonsShown = true);
    QString cardNumber() const;
    // The member as stored now; "会员卡号不存在！" over messageParent when the card is gone.
    static std::optional<coaching::MemberInfo> readMember(TvelunDMForm& dm, const QString& cardNumber,
                                                          QWidget* messageParent);

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
