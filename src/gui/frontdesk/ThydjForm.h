#pragma once

#include <QDialog>

class QLabel;
class QTextEdit;

namespace tkd::gui {

// "会员登记": the member's photo and every notice, confirmed before an attended check-in.
class ThydjForm : public QDialog {
    Q_OBJECT
public:
    explicit ThydjForm(QWidget* parent = nullptr);
    void prepare(const QString& notices, const QString& photoPath);
    QString noticeText() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* m_photo;
    QTextEdit* m_notices;
};

} // namespace tkd::gui
