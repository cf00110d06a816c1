#pragma once

#include "kit/FieldMap.h"

#include <QDialog>
#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QToolButton;

namespace tkd {
class Session;
}

namespace tkd::gui {

class ParentTree;

// "商品信息录入": adds an item or changes one. The category is picked on a panel of the
// dialog with its own category tree, where only a category without children is taken.
class TspxxlrForm : public QDialog {
    Q_OBJECT
public:
    explicit TspxxlrForm(Session& session, QWidget* parent = nullptr);

    void prepareAdd();
    // False when the item no longer exists.
    bool prepareEdit(const QString& code);
    bool isEditing() const { return m_editedCode.has_value(); }

    // The category picker panel: opens it (ignored while it is open), takes the current node
    // (a node with children is not taken) and closes it.
    void openPicker();
    void pickCategory();
    void closePicker();
    QGroupBox* pickerPanel() const { return m_pickerPanel; }
    ParentTree* pickerTree() const { return m_pickerTree; }

private:
    void exchangeClicked(bool on);
    void countedClicked(bool on);
    void save();

    Session& m_session;
    std::optional<QString> m_editedCode;
    std::optional<qint64> m_categoryId;
    QLineEdit* m_category;
    QToolButton* m_pickButton;
    QLineEdit* m_code;
    QLineEdit* m_name;
    QComboBox* m_unit;
    QLineEdit* m_purchasePrice;
    QLineEdit* m_salePrice;
    QLineEdit* m_quantity;
    QCheckBox* m_exchangeable;
    QLineEdit* m_points;
    QCheckBox* m_service;
    QLineEdit* m_remark;
    QCheckBox* m_counted;
    QGroupBox* m_pickerPanel;
    ParentTree* m_pickerTree;
    kit::FieldMap m_fields;
};

} // namespace tkd::gui
