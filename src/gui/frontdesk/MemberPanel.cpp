#include "MemberPanel.h"

#include "frontdesk/MemberLookup.h"
#include "kit/CaptionedValue.h"
#include "kit/InputMethodFields.h"
#include "kit/Photo.h"

#include <QAction>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

namespace tkd::gui {

namespace {

struct Caption {
    const char16_t* text;
    const char* objectName;
};

const std::vector<Caption>& captionTable()
{
    static const std::vector<Caption> all = {
        {u"会员卡号：", "cardNumberValue"},   {u"会员名称：", "nameValue"},       {u"会员类型：", "typeValue"},
        {u"会员状态：", "statusValue"},       {u"累计刷卡：", "swipeCountValue"}, {u"卡内余额：", "balanceValue"},
        {u"会员积分：", "pointsValue"},       {u"剩余次数：", "visitsLeftValue"}, {u"开卡日期：", "openedValue"},
        {u"到期日期：", "expiryValue"},       {u"有效时段：", "timeSlotValue"},   {u"上次来访：", "lastVisitValue"},
        {u"教练姓名：", "coachValue"},        {u"会籍顾问：", "consultantValue"}, {u"衣柜编号：", "lockerValue"},
        {u"衣柜效期：", "lockerExpiryValue"}, {u"移动电话：", "mobileValue"},     {u"固定电话：", "phoneValue"},
        {u"提示信息：", "warningValue"},
    };
    return all;
}

// The photo's column: its fixed width, and at most the panel's height.
constexpr QSize kPhotoArea(150, 190);

QPixmap placeholder()
{
    QPixmap pixmap(150, 170);
    pixmap.fill(QColor(235, 238, 243));
    QPainter p(&pixmap);
    p.setPen(QColor(150, 160, 175));
    p.setBrush(QColor(205, 211, 220));
    p.drawEllipse(QRect(50, 30, 50, 50));
    p.drawRoundedRect(QRect(35, 88, 80, 55), 20, 20);
    p.drawText(QRect(0, 148, 150, 20), Qt::AlignCenter, QStringLiteral("（会员照片）"));
    return pixmap;
}

} // namespace

const QStringList& MemberPanel::captions()
{
    static const QStringList all = [] {
        QStringList list;
        for (const Caption& c : captionTable())
            list << QString::fromUtf16(c.text);
        return list;
    }();
    return all;
}

MemberPanel::MemberPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("memberPanel"));
    setFixedHeight(kPhotoArea.height());

    m_cardEdit = new QLineEdit(this);
    m_cardEdit->setObjectName(QStringLiteral("cardNumberEdit"));
    m_cardEdit->setFixedWidth(120);
    m_cardEdit->setAccessibleName(QStringLiteral("输入会员卡号"));
    InputMethodFields::markFreeText(m_cardEdit);
    auto* cardCaption = new QLabel(QStringLiteral("输入会员卡号："), this);
    cardCaption->setBuddy(m_cardEdit);
    connect(m_cardEdit, &QLineEdit::returnPressed, this, [this] { Q_EMIT cardNumberEntered(m_cardEdit->text()); });

    auto* top = new QHBoxLayout;
    top->addWidget(cardCaption);
    top->addWidget(m_cardEdit);
    top->addWidget(addButton(QStringLiteral("浏览会员"), "browseMembersButton"));
    top->addWidget(addButton(QStringLiteral("添加会员"), "addMemberButton"));
    top->addWidget(addButton(QStringLiteral("修改会员"), "editMemberButton"));
    top->addWidget(addButton(QStringLiteral("清除信息"), "clearPanelButton"));
    top->addStretch();

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    const auto& table = captionTable();
    const int perColumn = 6;
    for (size_t i = 0; i + 1 < table.size(); ++i) {
        const QString caption = QString::fromUtf16(table[i].text);
        auto* value = new QLabel(this);
        value->setObjectName(QString::fromLatin1(table[i].objectName));
        kit::captionValue(value, caption);
        value->setMinimumWidth(90);
        auto* label = new QLabel(caption, this);
        label->setBuddy(value);
        m_values.insert(caption, value);
        const int row = static_cast<int>(i) % perColumn;
        const int column = static_cast<int>(i) / perColumn * 3;
        grid->addWidget(label, row, column, Qt::AlignRight);
        auto* cell = new QHBoxLayout;
        cell->setContentsMargins(0, 0, 0, 0);
        cell->addWidget(value, 1);
        if (caption == QStringLiteral("教练姓名："))
            cell->addWidget(addButton(QStringLiteral("…"), "coachButton"));
        if (caption == QStringLiteral("衣柜编号："))
            cell->addWidget(addButton(QStringLiteral("…"), "lockerButton"));
        grid->addLayout(cell, row, column + 1);
    }
    const Caption& warning = table.back();
    auto* warningValue = new QLabel(this);
    warningValue->setObjectName(QString::fromLatin1(warning.objectName));
    kit::captionValue(warningValue, QString::fromUtf16(warning.text));
    warningValue->setStyleSheet(QStringLiteral("color: rgb(220, 30, 30);"));
    auto* warningLabel = new QLabel(QString::fromUtf16(warning.text), this);
    warningLabel->setBuddy(warningValue);
    m_values.insert(QString::fromUtf16(warning.text), warningValue);
    grid->addWidget(warningLabel, perColumn, 0, Qt::AlignRight);
    grid->addWidget(warningValue, perColumn, 1, 1, 8);

    m_photo = new QLabel(this);
    m_photo->setObjectName(QStringLiteral("photoLabel"));
    m_photo->setAccessibleName(QStringLiteral("会员照片"));
    m_photo->setFixedWidth(kPhotoArea.width());
    m_photo->setScaledContents(true);
    showPlaceholderPhoto();

    auto* left = new QVBoxLayout;
    left->addLayout(top);
    left->addLayout(grid);
    left->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(left, 1);
    layout->addWidget(m_photo);
}

QToolButton* MemberPanel::addButton(const QString& caption, const char* objectName)
{
    auto* button = new QToolButton(this);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setText(caption);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_buttons.insert(QString::fromLatin1(objectName), button);
    return button;
}

void MemberPanel::bind(const QString& objectName, QAction* action)
{
    QToolButton* b = m_buttons.value(objectName);
    if (!b)
        return;
    if (b->text() != QStringLiteral("…")) {
        b->setDefaultAction(action);
        return;
    }
    // The small buttons beside the coach and locker keep their own short text: a default action
    // would put its caption back whenever it changes, so they only follow its enabled state.
    b->setToolTip(action->text());
    b->setAccessibleName(action->text());
    b->setEnabled(action->isEnabled());
    connect(b, &QToolButton::clicked, action, &QAction::trigger);
    connect(action, &QAction::changed, b, [b, action] { b->setEnabled(action->isEnabled()); });
}

QString MemberPanel::shownCardNumber() const
{
    return m_values.value(QStringLiteral("会员卡号："))->text();
}

void MemberPanel::clear()
{
    m_cardEdit->clear();
    for (QLabel* value : std::as_const(m_values))
        value->clear();
    showPlaceholderPhoto();
}

void MemberPanel::setValue(const QString& caption, const QString& text)
{
    if (QLabel* label = m_values.value(caption))
        label->setText(text);
}

bool MemberPanel::show(const frontdesk::MemberView& m)
{
    const std::pair<const char16_t*, const QString*> values[] = {
        {u"会员卡号：", &m.cardNumber},   {u"会员名称：", &m.name},       {u"会员类型：", &m.type},
        {u"会员状态：", &m.status},       {u"累计刷卡：", &m.swipes},     {u"卡内余额：", &m.balance},
        {u"会员积分：", &m.points},       {u"剩余次数：", &m.visitsLeft}, {u"开卡日期：", &m.opened},
        {u"到期日期：", &m.expiry},       {u"有效时段：", &m.slot},       {u"上次来访：", &m.lastVisit},
        {u"教练姓名：", &m.coach},        {u"会籍顾问：", &m.consultant}, {u"衣柜编号：", &m.locker},
        {u"衣柜效期：", &m.lockerExpiry}, {u"移动电话：", &m.mobile},     {u"固定电话：", &m.phone},
        {u"提示信息：", &m.warning}};
    for (const auto& [caption, text] : values)
        setValue(QString::fromUtf16(caption), *text);
    return showPhoto(m.photoPath);
}

bool MemberPanel::showPhoto(const QString& path)
{
    const QFileInfo file(path);
    if (!path.isEmpty() && path == m_photoShown && file.exists() && file.lastModified() == m_photoStamp &&
        file.size() == m_photoSize)
        return true;
    // Decoded no larger than the column shows it: a swipe must not wait for pixels nobody sees.
    const QImage image = kit::loadPhoto(path, kPhotoArea * m_photo->devicePixelRatioF());
    if (image.isNull()) {
        showPlaceholderPhoto();
        return false;
    }
    m_photo->setPixmap(QPixmap::fromImage(image));
    m_photoShown = path;
    m_photoStamp = file.lastModified();
    m_photoSize = file.size();
    return true;
}

void MemberPanel::setHint(const QString& hint)
{
    m_cardEdit->setPlaceholderText(hint);
    m_cardEdit->setToolTip(hint);
}

void MemberPanel::showPlaceholderPhoto()
{
    m_photoShown.clear();
    // Made once per panel: a static pixmap would outlive the application object.
    if (m_placeholder.isNull())
        m_placeholder = placeholder();
    m_photo->setPixmap(m_placeholder);
}

} // namespace tkd::gui
