#pragma once

#include "settings/OtherSettings.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace tkd {
class AppContext;
}

namespace tkd::gui {

// "其它设置": points rates, reminder lead times, the daily reminders and the desk's mode.
class TqtszForm : public QDialog {
    Q_OBJECT
public:
    // The points-for-days window opens it too and takes the new rate from it.
    enum class Opener { MainWindow, PointsForDays };

    explicit TqtszForm(AppContext& context, QWidget* parent = nullptr);
    void prepare(Opener opener = Opener::MainWindow);
    Opener opener() const { return m_opener; }

Q_SIGNALS:
    void saved(const tkd::settings::OtherSettings& settings);

private:
    void save();

    AppContext& m_context;
    Opener m_opener = Opener::MainWindow;
    QLineEdit* m_referral;
    QLineEdit* m_consumption;
    QLineEdit* m_points;
    QLineEdit* m_days;
    QLineEdit* m_locker;
    QLineEdit* m_member;
    QLineEdit* m_birthday;
    QLineEdit* m_grading;
    QCheckBox* m_unattended;
    QCheckBox* m_dailyReminders;
};

} // namespace tkd::gui
