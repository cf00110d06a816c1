#pragma once

#include <QDateTime>

#include <QMap>
#include <QPixmap>
#include <QWidget>

class QAction;
class QLabel;
class QLineEdit;
class QToolButton;

namespace tkd::frontdesk {
struct MemberView;
}

namespace tkd::gui {

// The band above the history tabs: the card number field, the member's values, the
// warning line and the photo. Every value is a label; the card number label is the
// identity of the member shown for every command.
class MemberPanel : public QWidget {
    Q_OBJECT
public:
    explicit MemberPanel(QWidget* parent = nullptr);

    // The captions of the value labels, in the order they are laid out.
    static const QStringList& captions();

    QLineEdit* cardNumberEdit() const { return m_cardEdit; }
    QLabel* value(const QString& caption) const { return m_values.value(caption); }
    // Empty when no member is shown.
    QString shownCardNumber() const;
    void clear();
    // Fills every value label and the photo (the placeholder when the file cannot be read).
    // Returns whether the member's photo could be shown.
    bool show(const frontdesk::MemberView& member);
    // Shows the photo of the file; false (and the placeholder) when it cannot be read.
    bool showPhoto(const QString& path);
    void setValue(const QString& caption, const QString& text);
    void setHint(const QString& hint);
    void showPlaceholderPhoto();
    QLabel* photo() const { return m_photo; }

    // The panel's buttons (by object name) run the main window's commands.
    void bind(const QString& buttonName, QAction* action);
    QToolButton* button(const QString& buttonName) const { return m_buttons.value(buttonName); }

Q_SIGNALS:
    void cardNumberEntered(const QString& text);

private:
    QToolButton* addButton(const QString& caption, const char* objectName);

    QLineEdit* m_cardEdit;
    QLabel* m_photo;
    // The photo on show, so showing the same member again does not decode the file again.
    QString m_photoShown;
    QDateTime m_photoStamp;
    qint64 m_photoSize = -1;
    QPixmap m_placeholder;
    QMap<QString, QLabel*> m_values;
    QMap<QString, QToolButton*> m_buttons;
};

} // namespace tkd::gui
