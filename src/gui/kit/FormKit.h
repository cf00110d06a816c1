#pragma once

#include <QString>

class QBoxLayout;
class QDialog;
class QFormLayout;
class QPushButton;
class QGridLayout;
class QLabel;
class QLineEdit;
class QWidget;

// What every data-entry window applies to its fields, so that they behave alike.
namespace tkd::gui::kit {

// Return and Enter in a line edit, combo box, spin box, date edit, check box or radio
// button of the window go on to the next field in tab order, as Tab does; on a push button
// they press it; text editors keep them as line breaks. Fields added to the window later
// are covered too. Installing twice on one window changes nothing.
void installEnterMovesFocus(QWidget* window);
// The edit keeps Return for itself (returnPressed), e.g. the card number that looks a member up.
void markEnterSubmits(QLineEdit* edit);
bool entersSubmit(const QWidget* field);

// Input filters. They hold for typing and pasting alike; setText by the program is not checked.
// Only the digits 0-9.
void digitsOnly(QLineEdit* edit);
// Digits with at most one decimal point.
void moneyOnly(QLineEdit* edit);
// As money: discount rates such as 0.85.
void rateOnly(QLineEdit* edit);

// A caption label whose buddy is the field. The field's accessible name becomes the caption
// without its trailing colon, so screen readers announce the field by it.
QLabel* captionFor(QWidget* field, const QString& caption, QWidget* parent = nullptr);
// A caption and its field as one row of a form.
QLabel* addRow(QFormLayout* layout, const QString& caption, QWidget* field);
// The caption in the given cell, right-aligned, and the field in the cells after it.
QLabel* addRow(QGridLayout* layout, int row, int column, const QString& caption, QWidget* field,
               int fieldColumnSpan = 1);

// The OK/Cancel row of a dialog, added to its layout: Cancel rejects the dialog, OK is the
// caller's to connect. Object names are okName and "cancelButton".
struct DialogButtons {
    QPushButton* ok;
    QPushButton* cancel;
};
DialogButtons addDialogButtons(QDialog* dialog, QBoxLayout* layout, const QString& okText = QStringLiteral("确定"),
                               const char* okName = "okButton");

// A push button of a window's button row: caption, object name, no auto-default (Enter
// belongs to the fields), appended to the row when one is given.
QPushButton* pushButton(QWidget* parent, const QString& text, const char* objectName, QBoxLayout* row = nullptr);

// A masked password field.
QLineEdit* passwordEdit(const char* objectName, QWidget* parent);

} // namespace tkd::gui::kit
