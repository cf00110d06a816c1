#pragma once

#include "kit/FieldMap.h"
#include "points/ExchangeBasket.h"

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;

namespace tkd {
class Session;
}

namespace tkd::settings {
struct OtherSettings;
}

namespace tkd::gui {

class TqtszForm;

// "积分换会籍": points spent on days of membership, added to the basket as one line. Its link opens the
// settings (for operators allowed to change them) and takes over a rate saved there.
class TjfdhhjForm : public QDialog {
    Q_OBJECT
public:
    TjfdhhjForm(Session& session, std::function<TqtszForm*()> settings, QWidget* parent = nullptr);

    // Modal on the offer; true when a line was added to the basket.
    bool add(points::ExchangeBasket& basket, const points::DaysOffer& offer);
    // "点击这里设置".
    void openSettings();

    QLabel* settingsLink() const { return m_link; }
    // The rate the window ended with: the offer's, or one saved through the link.
    const points::PointsRate& rate() const { return m_offer.rate; }

private:
    void showPreview();
    void takeRate(const settings::OtherSettings& saved);
    void confirm();

    Session& m_session;
    std::function<TqtszForm*()> m_settings;
    points::ExchangeBasket* m_basket = nullptr;
    points::DaysOffer m_offer;
    bool m_added = false;
    QLabel* m_available;
    QLabel* m_rate;
    QLineEdit* m_points;
    QLabel* m_preview;
    QLabel* m_link;
    kit::FieldMap m_fields;
};

} // namespace tkd::gui
