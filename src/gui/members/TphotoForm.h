#pragma once

#include <QDialog>

class QLabel;

namespace tkd::gui {

// "会员照片": a member's photo at its natural size, centred over the main window.
class TphotoForm : public QDialog {
    Q_OBJECT
public:
    explicit TphotoForm(QWidget* parent = nullptr);
    // False (after "该会员照片不存在！") when there is no readable photo; the window is then not shown.
    bool prepare(const QString& path, const QWidget* mainWindow);
    // Prepares and shows it modally.
    static void enlarge(QWidget* parent, const QString& path);

private:
    QLabel* m_picture;
};

} // namespace tkd::gui
