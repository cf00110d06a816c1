#include "OutlookBar.h"

#include <QAction>
#include <QToolButton>
#include <QVBoxLayout>

namespace tkd::gui {

OutlookBar::OutlookBar(QWidget* parent) : QToolBox(parent)
{
    setObjectName(QStringLiteral("outlookBar"));
    setFixedWidth(150);
}

void OutlookBar::addGroup(const QString& title, const QList<QAction*>& items)
{
    auto* page = new QWidget(this);
    page->setObjectName(title);
    auto* layout = new QVBoxLayout(page);
    layout->setSpacing(2);
    for (QAction* action : items) {
        auto* button = new QToolButton(page);
        button->setDefaultAction(action);
        button->setObjectName(action->objectName().replace(QStringLiteral("Action"), QStringLiteral("Item")));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setIconSize(QSize(32, 32));
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        button->setAutoRaise(true);
        layout->addWidget(button);
    }
    layout->addStretch();
    addItem(page, title);
}

QToolButton* OutlookBar::item(const QString& group, const QString& caption) const
{
    for (int i = 0; i < count(); ++i) {
        if (itemText(i) != group)
            continue;
        for (QToolButton* button : widget(i)->findChildren<QToolButton*>())
            if (button->defaultAction() && button->defaultAction()->text() == caption)
                return button;
    }
    return nullptr;
}

} // namespace tkd::gui
