#pragma once

#include "kit/FieldMap.h"

#include <QDialog>
#include <optional>

class QLineEdit;

namespace tkd {
class Session;
}

namespace tkd::gui {

// "考核级别设置": adds a level or changes one.
class TbkjbsForm : public QDialog {
    Q_OBJECT
public:
    explicit TbkjbsForm(Session& session, QWidget* parent = nullptr);

    void prepareAdd();
    // False when the level is gone.
    bool prepareEdit(qint64 id);
    bool isEditing() const { return m_editedId.has_value(); }

private:
    void save();

    Session& m_session;
    std::optional<qint64> m_editedId;
    QLineEdit* m_name;
    QLineEdit* m_lessons;
    QLineEdit* m_fee;
    kit::FieldMap m_fields;
};

} // namespace tkd::gui
