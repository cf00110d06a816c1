#include "TphotoForm.h"

#include "kit/Messages.h"
#include "kit/Photo.h"

#include <QLabel>
#include <QVBoxLayout>

namespace tkd::gui {

TphotoForm::TphotoForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("photoForm"));
    setWindowTitle(QStringLiteral("会员照片"));
    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("pictureLabel"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_picture);
}

bool TphotoForm::prepare(const QString& path, const QWidget* mainWindow)
{
    const QImage image = kit::loadPhoto(path);
    if (image.isNull()) {
        Messages::warning(parentWidget(), QStringLiteral("该会员照片不存在！"));
        return false;
    }
    m_picture->setPixmap(QPixmap::fromImage(image));
    setFixedSize(image.size());
    if (mainWindow) {
        const QRect frame = mainWindow->geometry();
        move(frame.left() + std::max(0, (frame.width() - image.width()) / 2),
             frame.top() + std::max(0, (frame.height() - image.height()) / 2));
    }
    return true;
}

void TphotoForm::enlarge(QWidget* parent, const QString& path)
{
    // Centred over the main window, even when a dialog above it asks.
    QWidget* mainWindow = parent ? parent->window() : nullptr;
    while (mainWindow && mainWindow->parentWidget())
        mainWindow = mainWindow->parentWidget()->window();
    TphotoForm form(parent);
    if (form.prepare(path, mainWindow))
        form.exec();
}

} // namespace tkd::gui
