#pragma once

#include <QWidget>

namespace tkd::gui {

// The borderless picture shown from launch until the login succeeds.
class TSplashForm : public QWidget {
    Q_OBJECT
public:
    explicit TSplashForm(QWidget* parent = nullptr);
    static QPixmap picture();

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tkd::gui
