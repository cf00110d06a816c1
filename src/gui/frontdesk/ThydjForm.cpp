#include "ThydjForm.h"

#include "kit/Photo.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextOption>
#include <QVBoxLayout>

namespace tkd::gui {

namespace {

QPixmap placeholder()
{
    QPixmap pixmap(150, 180);
    pixmap.fill(QColor(235, 238, 243));
    QPainter p(&pixmap);
    p.setPen(QColor(150, 160, 175));
    p.drawText(pixmap.rect(), Qt::AlignCenter, QStringLiteral("（无照片）"));
    return pixmap;
}

} // namespace

ThydjForm::ThydjForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("hydjForm"));
    setWindowTitle(QStringLiteral("会员登记"));
    auto* photoGroup = new QGroupBox(QStringLiteral("会员照片"), this);
    m_photo = new QLabel(photoGroup);
    m_photo->setObjectName(QStringLiteral("photoLabel"));
    m_photo->setFixedSize(150, 180);
    m_photo->setScaledContents(true);
    (new QVBoxLayout(photoGroup))->addWidget(m_photo);

    auto* noticeGroup = new QGroupBox(QStringLiteral("会员提醒内容"), this);
    auto* noticeLayout = new QVBoxLayout(noticeGroup);
    noticeLayout->addWidget(new QLabel(QStringLiteral("您确定是否要进行会员登记，点击“确定”按钮"), noticeGroup));
    noticeLayout->addWidget(new QLabel(QStringLiteral("进行登记，否则点“退出”按钮。"), noticeGroup));
    m_notices = new QTextEdit(noticeGroup);
    m_notices->setObjectName(QStringLiteral("noticeText"));
    m_notices->setAccessibleName(QStringLiteral("会员提醒内容"));
    m_notices->setReadOnly(true);
    m_notices->setStyleSheet(QStringLiteral("color: blue; font-weight: bold;"));
    // Every line centred, set once for the document rather than on each line of each text.
    QTextOption centred = m_notices->document()->defaultTextOption();
    centred.setAlignment(Qt::AlignHCenter);
    m_notices->document()->setDefaultTextOption(centred);
    noticeLayout->addWidget(m_notices);

    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    ok->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* body = new QHBoxLayout;
    body->addWidget(photoGroup);
    body->addWidget(noticeGroup, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    setFixedSize(560, 300);
}

void ThydjForm::prepare(const QString& notices, const QString& photoPath)
{
    const QImage image = kit::loadPhoto(photoPath, m_photo->size() * m_photo->devicePixelRatioF());
    m_photo->setPixmap(image.isNull() ? placeholder() : QPixmap::fromImage(image));
    // Line breaks as the notices carry them.
    QString shown = notices;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_notices->setPlainText(shown);
}

void ThydjForm::showEvent(QShowEvent* event)
{
    // Centred on the screen rather than over the main window.
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
}

QString ThydjForm::noticeText() const
{
    return m_notices->toPlainText();
}

} // namespace tkd::gui
