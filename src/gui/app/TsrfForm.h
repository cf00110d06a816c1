#pragma once

#include <QDialog>

class QComboBox;

namespace tkd::gui {

// Chooses the input method for free-text fields; the choice takes effect at the next start.
class TsrfForm : public QDialog {
    Q_OBJECT
public:
    TsrfForm(QString iniFile, const QStringList& engines, QWidget* parent = nullptr);

private:
    void save();

    QString m_iniFile;
    QComboBox* m_engines;
};

} // namespace tkd::gui
