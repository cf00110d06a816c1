#pragma once

#include <QToolBox>

class QAction;
class QToolButton;

namespace tkd::gui {

// The bar of command groups on the left of the main window: a click on a group's title
// opens it, a click on an item runs its command.
class OutlookBar : public QToolBox {
    Q_OBJECT
public:
    explicit OutlookBar(QWidget* parent = nullptr);
    void addGroup(const QString& title, const QList<QAction*>& items);
    // The item of a group that runs the action, for tests and keyboard users.
    QToolButton* item(const QString& group, const QString& caption) const;
};

} // namespace tkd::gui
