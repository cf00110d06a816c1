#include "ThyxfForm.h"

#include "SaleFields.h"
#include "TjzdreportForm.h"
#include "TlhjzForm.h"
#include "TxgxfForm.h"
#include "TxjjzForm.h"
#include "app/Session.h"
#include "data/TvelunDMForm.h"
#include "kit/CaptionedValue.h"
#include "kit/Chooser.h"
#include "kit/DataGrid.h"
#include "kit/FormKit.h"
#include "kit/GatewayCalls.h"
#include "kit/Guarded.h"
#include "kit/InputMethodFields.h"
#include "kit/Messages.h"
#include "kit/report/TmypreviewForm.h"
#include "security/TsrmmForm.h"
#include "sms/AutoSms.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace tkd::gui {
namespace {

enum Page { ListPage, GoodsPage, StaffPage };

// Runs once when the watched window is closed by the operator (not when it is merely destroyed at exit).
class AfterClose : public QObject {
public:
    AfterClose(QWidget* watched, std::function<void()> then) : QObject(watched), m_then(std::move(then))
    {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Close && m_then) {
            const auto then = std::move(m_then);
            m_then = nullptr;
            then();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_then;
};

QLabel* valueLabel(QGridLayout* grid, int row, int column, const QString& caption, const char* name)
{
    QWidget* parent = grid->parentWidget();
    auto* value = new QLabel(parent);
    value->setObjectName(QString::fromLatin1(name));
    kit::captionValue(value, caption);
    grid->addWidget(new QLabel(caption, parent), row, column, Qt::AlignRight);
    grid->addWidget(value, row, column + 1);
    return value;
}

QRadioButton* radio(QWidget* parent, const QString& caption, const char* name, QBoxLayout* row)
{
    auto* button = new QRadioButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    row->addWidget(button);
    return button;
}

ChooserSpec staffSpec(TvelunDMForm& dm)
{
    ChooserSpec spec;
    spec.objectName = QStringLiteral("staffChooser");
    spec.caption = QStringLiteral("选择服务员工");
    spec.searchName = "staffSearchEdit";
    spec.gridName = "staffGrid";
    spec.open = [data = &dm] { return goods::serviceStaff(*data); };
    spec.widths = {{QStringLiteral("员工姓名"), 92}, {QStringLiteral("员工职务"), 92}};
    spec.hidden = {QStringLiteral("编号")};
    return spec;
}

} // namespace

ThyxfForm::ThyxfForm(Session& session, SmsState& sms, QWidget* parent)
    : QDialog(parent), m_session(session), m_sms(sms), m_call(kit::nonFreezingGatewayCall(parent ? parent : this)),
      m_list(session.velunDMForm()), m_password(new TsrmmForm(this)), m_editor(new TxgxfForm(session, this)),
      m_cash(new TxjjzForm(this)), m_split(new TlhjzForm(this))
{
    setObjectName(QStringLiteral("hyxfForm"));
    setWindowTitle(QStringLiteral("会员消费"));

    auto* header = new QGroupBox(QStringLiteral("会员信息"), this);
    auto* info = new QGridLayout(header);
    m_card = valueLabel(info, 0, 0, QStringLiteral("会员卡号："), "cardNumberValue");
    m_name = valueLabel(info, 0, 2, QStringLiteral("会员姓名："), "nameValue");
    m_type = valueLabel(info, 0, 4, QStringLiteral("会员类型："), "typeValue");
    m_discount = valueLabel(info, 1, 0, QStringLiteral("会员折扣："), "discountValue");
    m_balance = valueLabel(info, 1, 2, QStringLiteral("卡内余额："), "balanceValue");
    m_totalSpent = valueLabel(info, 1, 4, QStringLiteral("累计消费："), "totalSpentValue");

    auto* searchRow = new QHBoxLayout;
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("searchEdit"));
    InputMethodFields::markFreeText(m_search);
    searchRow->addWidget(kit::captionFor(m_search, QStringLiteral("输入商品编号或名称："), this));
    searchRow->addWidget(m_search, 1);
    QPushButton* query = kit::pushButton(this, QStringLiteral("查询"), "queryButton", searchRow);
    QPushButton* edit = kit::pushButton(this, QStringLiteral("修改"), "editButton", searchRow);
    QPushButton* remove = kit::pushButton(this, QStringLiteral("删除"), "deleteButton", searchRow);

    // The picker and the staff chooser lie over the list, one at a time.
    m_pages = new QStackedWidget(this);
    m_pages->setObjectName(QStringLiteral("pages"));
    m_grid = new DataGrid(m_pages);
    m_grid->setObjectName(QStringLiteral("lineGrid"));
    m_grid->setColumnWidths({{QStringLiteral("商品编号"), 70},
                             {QStringLiteral("商品名称"), 90},
                             {QStringLiteral("单位"), 50},
                             {QStringLiteral("单价"), 50},
                             {QStringLiteral("数量"), 50},
                             {QStringLiteral("折扣率"), 50},
                             {QStringLiteral("总金额"), 62},
                             {QStringLiteral("服务员工"), 62}});
    m_grid->hideColumn(QStringLiteral("序号"));
    m_grid->hideColumn(QStringLiteral("人工服务"));
    m_pages->insertWidget(ListPage, m_grid);
    m_pages->insertWidget(GoodsPage, buildGoodsPanel());
    m_pages->insertWidget(StaffPage, buildStaffPanel());

    auto* totals = new QHBoxLayout;
    m_total = new QLineEdit(this);
    m_total->setObjectName(QStringLiteral("totalEdit"));
    m_total->setReadOnly(true);
    totals->addWidget(kit::captionFor(m_total, QStringLiteral("金额合计："), this));
    totals->addWidget(m_total);
    totals->addWidget(new QLabel(QStringLiteral("元"), this));
    totals->addSpacing(16);
    m_pointRate = new QLineEdit(this);
    m_pointRate->setObjectName(QStringLiteral("pointRateEdit"));
    m_pointRate->setReadOnly(true);
    totals->addWidget(kit::captionFor(m_pointRate, QStringLiteral("消费"), this));
    m_pointRate->setAccessibleName(QStringLiteral("消费积分"));
    totals->addWidget(m_pointRate);
    totals->addWidget(new QLabel(QStringLiteral("元积一分"), this));
    m_points = new QLabel(this);
    m_points->setObjectName(QStringLiteral("pointsLabel"));
    totals->addWidget(m_points);
    totals->addStretch();

    auto* meansBox = new QGroupBox(this);
    auto* means = new QHBoxLayout(meansBox);
    m_storedValue = radio(meansBox, QStringLiteral("储值卡结帐"), "storedValueRadio", means);
    m_cashMeans = radio(meansBox, QStringLiteral("现金结帐"), "cashRadio", means);
    m_creditCard = radio(meansBox, QStringLiteral("信用卡结帐"), "creditCardRadio", means);
    m_splitMeans = radio(meansBox, QStringLiteral("联合结帐"), "splitRadio", means);

    auto* bottom = new QHBoxLayout;
    m_remark = new QLineEdit(this);
    m_remark->setObjectName(QStringLiteral("remarkEdit"));
    InputMethodFields::markFreeText(m_remark);
    bottom->addWidget(kit::captionFor(m_remark, QStringLiteral("备    注："), this));
    bottom->addWidget(m_remark, 1);
    QPushButton* pay = kit::pushButton(this, QStringLiteral("收费确定"), "checkoutButton", bottom);
    QPushButton* close = kit::pushButton(this, QStringLiteral("关闭返回"), "closeButton", bottom);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(header);
    layout->addLayout(searchRow);
    layout->addWidget(m_pages, 1);
    layout->addLayout(totals);
    layout->addWidget(meansBox);
    layout->addLayout(bottom);
    resize(620, 520);

    connect(query, &QPushButton::clicked, this, kit::guard(this, [this] { openPicker(); }));
    connect(edit, &QPushButton::clicked, this, kit::guard(this, [this] { editLine(); }));
    connect(m_grid, &DataGrid::rowDoubleClicked, this, kit::guard(this, [this] { editLine(); }));
    connect(remove, &QPushButton::clicked, this, kit::guard(this, [this] { deleteLine(); }));
    connect(pay, &QPushButton::clicked, this, kit::guard(this, [this] { checkout(); }));
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    kit::installEnterMovesFocus(this);
    m_fields.add(goods::field::search, m_search).add(goods::field::quantity, m_quantity);
}

QWidget* ThyxfForm::buildGoodsPanel()
{
    auto* panel = new QWidget(m_pages);
    panel->setObjectName(QStringLiteral("goodsPanel"));
    ChooserSpec spec = ChooserSpec::goods(m_session.velunDMForm());
    // The window's own search text narrows the list when it opens.
    spec.searchCaption.clear();
    m_goods = new ChooserPanel(spec, ChooserPanel::SearchPlace::Below, panel);
    m_quantity = new QLineEdit(panel);
    m_quantity->setObjectName(QStringLiteral("saleQuantityEdit"));
    quantityOnly(m_quantity);
    auto* row = new QHBoxLayout;
    row->addWidget(kit::captionFor(m_quantity, QStringLiteral("消费数量："), panel));
    row->addWidget(m_quantity);
    row->addStretch();
    QPushButton* ok = kit::pushButton(panel, QStringLiteral("确定"), "pickGoodsButton", row);
    QPushButton* cancel = kit::pushButton(panel, QStringLiteral("取消"), "cancelGoodsButton", row);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_goods, 1);
    layout->addLayout(row);
    connect(ok, &QPushButton::clicked, this, kit::guard(this, [this] { pickGoods(); }));
    connect(m_goods, &ChooserPanel::pickRequested, this, kit::guard(this, [this] { pickGoods(); }));
    connect(cancel, &QPushButton::clicked, this, [this] { closePicker(); });
    return panel;
}

QWidget* ThyxfForm::buildStaffPanel()
{
    auto* panel = new QGroupBox(QStringLiteral("选择服务员工"), m_pages);
    panel->setObjectName(QStringLiteral("staffPanel"));
    auto* labels = new QGridLayout;
    auto* holder = new QWidget(panel);
    holder->setLayout(labels);
    m_serviceCode = valueLabel(labels, 0, 0, QStringLiteral("服务编号："), "serviceCodeValue");
    m_serviceName = valueLabel(labels, 0, 2, QStringLiteral("服务名称："), "serviceNameValue");
    m_staff = new ChooserPanel(staffSpec(m_session.velunDMForm()), ChooserPanel::SearchPlace::Below, panel);
    auto* row = new QHBoxLayout;
    row->addStretch();
    QPushButton* ok = kit::pushButton(panel, QStringLiteral("选中"), "pickStaffButton", row);
    QPushButton* cancel = kit::pushButton(panel, QStringLiteral("取消"), "cancelStaffButton", row);
    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(holder);
    layout->addWidget(m_staff, 1);
    layout->addLayout(row);
    connect(ok, &QPushButton::clicked, this, kit::guard(this, [this] { pickStaff(); }));
    connect(m_staff, &ChooserPanel::pickRequested, this, kit::guard(this, [this] { pickStaff(); }));
    connect(cancel, &QPushButton::clicked, this, [this] { closeStaffChooser(); });
    return panel;
}

bool ThyxfForm::prepare(const QString& cardNumber)
{
    m_sale.reset();
    m_member.reset();
    const auto opened = goods::openSale(m_session.velunDMForm(), cardNumber);
    if (opened.refused()) {
        Messages::refusal(parentWidget(), opened.refusal());
        return false;
    }
    const goods::SaleMember& member = *opened;
    if (!member.password.isEmpty() &&
        !m_password->ask({member.cardNumber, member.name, member.status, member.expiry, member.password}))
        return false;

    m_member = member;
    m_card->setText(member.cardNumber);
    m_name->setText(member.name);
    m_type->setText(member.type);
    m_discount->setText(member.rate.toText());
    m_balance->setText(member.balance.toYuanText());
    m_totalSpent->setText(goods::totalSpentText(member.totalSpent));
    m_pointRate->setText(member.yuanPerPoint.toString());
    m_search->clear();
    m_remark->clear();
    const bool storedValue = goods::offersStoredValue(member.balance);
    m_storedValue->setEnabled(storedValue);
    (storedValue ? m_storedValue : m_cashMeans)->setChecked(true);

    m_list.clear();
    closePicker();
    closeStaffChooser();
    showList();
    m_search->setFocus();
    return true;
}

void ThyxfForm::showList()
{
    m_grid->setResult(m_list.rows(), DataGrid::KeepRow);
    const Money total = m_list.total();
    m_total->setText(total.toString());
    m_points->setText(goods::pointsLine(total, m_member ? m_member->yuanPerPoint : Money()));
}

void ThyxfForm::openPicker()
{
    if (m_pages->currentIndex() == GoodsPage)
        return;
    closeStaffChooser();
    m_goods->open();
    m_goods->searchEdit()->setText(m_search->text().trimmed());
    m_quantity->setText(QStringLiteral("1.00"));
    m_pages->setCurrentIndex(GoodsPage);
    m_goods->grid()->setFocus();
}

void ThyxfForm::pickGoods()
{
    if (!m_member || m_goods->shownRow() < 0)
        return;
    const QString code = m_goods->shownValue(QStringLiteral("商品编号")).toText();
    const auto added = m_list.add(code, m_quantity->text(), m_member->rate);
    if (added.refused()) {
        m_fields.showRefusal(this, added.refusal());
        return;
    }
    closePicker();
    showList();
    m_grid->selectRow(added->number - 1);
    if (added->service)
        openStaffChooser(*added);
}

void ThyxfForm::closePicker()
{
    m_goods->close();
    if (m_pages->currentIndex() == GoodsPage)
        m_pages->setCurrentIndex(ListPage);
}

void ThyxfForm::openStaffChooser(const goods::ShoppingLine& line)
{
    m_staffLine = line.number;
    m_serviceCode->setText(line.code);
    m_serviceName->setText(line.name);
    m_staff->open();
    m_pages->setCurrentIndex(StaffPage);
    m_staff->grid()->setFocus();
}

void ThyxfForm::pickStaff()
{
    if (m_staffLine <= 0 || m_staff->shownRow() < 0)
        return;
    m_list.setStaff(m_staffLine, m_staff->shownValue(QStringLiteral("员工姓名")).toText());
    closeStaffChooser();
    showList();
}

void ThyxfForm::closeStaffChooser()
{
    m_staff->close();
    m_staffLine = 0;
    if (m_pages->currentIndex() == StaffPage)
        m_pages->setCurrentIndex(ListPage);
}

int ThyxfForm::currentLine() const
{
    const Value number = m_grid->currentValue(QStringLiteral("序号"));
    return number.isNull() ? 0 : int(number.toInt());
}

void ThyxfForm::editLine()
{
    const int number = currentLine();
    if (number <= 0)
        return;
    if (m_editor->edit(m_list, number))
        showList();
}

void ThyxfForm::deleteLine()
{
    const int number = currentLine();
    if (number <= 0)
        return;
    m_list.remove(number);
    showList();
}

void ThyxfForm::checkout()
{
    if (!m_member)
        return;
    if (const MaybeRefusal refusal = goods::readyForCheckout(m_list)) {
        m_fields.showRefusal(this, *refusal);
        return;
    }
    if (!Messages::confirm(this, QStringLiteral("确定要结帐吗？")))
        return;
    // Every dialog is answered before the checkout's transaction begins.
    goods::CheckoutInput input;
    input.cardNumber = m_member->cardNumber;
    input.remark = m_remark->text();
    const Money due = m_list.total();
    if (m_cashMeans->isChecked()) {
        input.means = goods::PaymentMeans::Cash;
        if (!m_cash->ask(due))
            return;
        input.cashPaid = m_cash->paid();
    } else if (m_creditCard->isChecked()) {
        input.means = goods::PaymentMeans::CreditCard;
    } else if (m_splitMeans->isChecked()) {
        input.means = goods::PaymentMeans::Split;
        if (!m_split->ask(due, m_member->balance))
            return;
        input.split = m_split->amounts();
    } else {
        input.means = goods::PaymentMeans::StoredValue;
    }
    const auto outcome = goods::checkout(m_session.commandWithSms(m_sms), input);
    if (outcome.refused()) {
        m_fields.showRefusal(this, outcome.refusal());
        return;
    }
    m_sale = *outcome;
    afterSale();
}

void ThyxfForm::afterSale()
{
    if (m_afterSale)
        m_afterSale();
    closePicker();
    closeStaffChooser();
    // The message goes out once the operator has closed the receipt.
    TmypreviewForm* preview = TmypreviewForm::open(TjzdreportForm::build(m_sale->receipt), parentWidget());
    new AfterClose(preview, [self = QPointer<ThyxfForm>(this), mobile = m_sale->mobile, text = m_sale->smsText] {
        if (!self)
            return;
        const auto sent = sms::sendAfterCommand(self->m_session.commandWithSms(self->m_sms),
                                                sms::AutoSwitch::Consumption, mobile, text, self->m_call);
        Messages::smsResult(self->parentWidget(), sent);
    });
    accept();
}

} // namespace tkd::gui
