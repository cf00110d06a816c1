#include "TjfdhhjForm.h"

#include "app/Session.h"
#include "kit/CaptionedValue.h"
#include "kit/FormKit.h"
#include "kit/Guarded.h"
#include "kit/Messages.h"
#include "security/Permissions.h"
#include "settings/OtherSettings.h"
#include "settings/TqtszForm.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tkd::gui {

namespace {

QLabel* valueLabel(QGridLayout* grid, int row, const QString& caption, const char* name)
{
    QWidget* parent = grid->parentWidget();
    auto* value = new QLabel(parent);
    value->setObjectName(QString::fromLatin1(name));
    kit::captionValue(value, caption);
    grid->addWidget(new QLabel(caption, parent), row, 0, Qt::AlignRight);
    grid->addWidget(value, row, 1);
    return value;
}

} // namespace

TjfdhhjForm::TjfdhhjForm(Session& session, std::function<TqtszForm*()> settings, QWidget* parent)
    : QDialog(parent), m_session(session), m_settings(std::move(settings))
{
    setObjectName(QStringLiteral("jfdhhjForm"));
    setWindowTitle(QStringLiteral("积分换会籍"));

    auto* fields = new QWidget(this);
    auto* grid = new QGridLayout(fields);
    grid->setContentsMargins(0, 0, 0, 0);
    m_available = valueLabel(grid, 0, QStringLiteral("可用积分："), "availableValue");
    m_rate = valueLabel(grid, 1, QStringLiteral("兑换比率："), "rateValue");
    m_points = new QLineEdit(fields);
    m_points->setObjectName(QStringLiteral("pointsEdit"));
    kit::digitsOnly(m_points);
    kit::addRow(grid, 2, 0, QStringLiteral("兑换积分："), m_points);

    m_preview = new QLabel(this);
    m_preview->setObjectName(QStringLiteral("previewLabel"));
    auto* hint = new QLabel(QStringLiteral("提示：会员可根据兑换比率用积分来兑换会籍，换取的会籍会自动\n"
                                           "加到截止日期上。兑换比率可以在系统设置中设置。"),
                            this);
    hint->setObjectName(QStringLiteral("hintLabel"));
    m_link = new QLabel(QStringLiteral("<a href=\"settings\">点击这里设置</a>"), this);
    m_link->setObjectName(QStringLiteral("settingsLink"));
    m_link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    m_link->setAccessibleName(QStringLiteral("点击这里设置"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fields);
    layout->addWidget(m_preview);
    layout->addWidget(hint);
    layout->addWidget(m_link);
    const kit::DialogButtons buttons = kit::addDialogButtons(this, layout);
    buttons.cancel->setText(QStringLiteral("取消"));
    connect(buttons.ok, &QPushButton::clicked, this, kit::guard(this, [this] { confirm(); }));
    connect(m_points, &QLineEdit::textChanged, this, &TjfdhhjForm::showPreview);
    connect(m_link, &QLabel::linkActivated, this, kit::guard(this, [this] { openSettings(); }));
    kit::installEnterMovesFocus(this);
    m_fields.add(points::field::points, m_points);
}

bool TjfdhhjForm::add(points::ExchangeBasket& basket, const points::DaysOffer& offer)
{
    m_basket = &basket;
    m_offer = offer;
    m_added = false;
    m_available->setText(points::pointsText(offer.available));
    m_rate->setText(offer.rate.text());
    m_points->clear();
    showPreview();
    m_points->setFocus();
    exec();
    m_basket = nullptr;
    return m_added;
}

void TjfdhhjForm::showPreview()
{
    m_preview->setText(m_offer.preview(m_points->text()));
}

void TjfdhhjForm::openSettings()
{
    // The settings hold more than the rate: the link opens them only for those who may change them.
    if (const MaybeRefusal refusal = security::checkPermission(m_session.velunDMForm(), m_session.currentOperator(),
                                                               QStringLiteral("其它设置"))) {
        Messages::refusal(this, *refusal);
        return;
    }
    TqtszForm* form = m_settings();
    form->prepare(TqtszForm::Opener::PointsForDays);
    const QMetaObject::Connection taken = connect(form, &TqtszForm::saved, this, &TjfdhhjForm::takeRate);
    form->exec();
    disconnect(taken);
}

void TjfdhhjForm::takeRate(const settings::OtherSettings& saved)
{
    m_offer.rate = {saved.pointsPerExchange, saved.daysPerExchange};
    m_rate->setText(m_offer.rate.text());
    showPreview();
}

void TjfdhhjForm::confirm()
{
    if (!m_basket)
        return;
    const auto line = m_basket->addDays(m_offer, m_points->text());
    if (line.refused()) {
        m_fields.showRefusal(this, line.refusal());
        return;
    }
    m_added = true;
    accept();
}

} // namespace tkd::gui
