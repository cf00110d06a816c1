#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace tkd::gui {

// Free-text fields switch the desktop to the configured input method when they get the
// focus. Windows mark their fields when they build them; start-up applies the setting once
// every window exists.
class InputMethodFields : public QObject {
    Q_OBJECT
public:
    static void markFreeText(QWidget* field);
    static bool isFreeText(const QWidget* field);

    explicit InputMethodFields(QString engine, QObject* parent = nullptr);
    // Watches every marked field inside the given windows; returns how many it found.
    int applyTo(const QList<QWidget*>& windows);
    const QString& engine() const { return m_engine; }
    int switches() const { return m_switches; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString m_engine;
    int m_switches = 0;
};

} // namespace tkd::gui
