#pragma once

#include "kit/FieldMap.h"

#include <QDialog>

class QLineEdit;

namespace tkd {
class Session;
}

namespace tkd::gui {

// "商品类别": names a new category under a node of the catalogue tree, or renames one.
class TeditlbForm : public QDialog {
    Q_OBJECT
public:
    explicit TeditlbForm(Session& session, QWidget* parent = nullptr);

    // A new category under the parent (0: the root).
    void prepareAdd(qint64 parentId);
    void prepareRename(qint64 id, const QString& name);

    bool isAdding() const { return m_adding; }
    // After "确定": the category's id (the new one when adding) and its name as stored.
    qint64 savedId() const { return m_savedId; }
    const QString& savedName() const { return m_savedName; }

private:
    void save();

    Session& m_session;
    bool m_adding = true;
    // The parent when adding, the category itself when renaming.
    qint64 m_nodeId = 0;
    qint64 m_savedId = 0;
    QString m_savedName;
    QLineEdit* m_name;
    kit::FieldMap m_fields;
};

} // namespace tkd::gui
