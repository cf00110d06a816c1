#include "TspxxlrForm.h"

#include "app/Session.h"
#include "goods/Catalogue.h"
#include "goods/Categories.h"
#include "kit/FormKit.h"
#include "kit/Guarded.h"
#include "kit/InputMethodFields.h"
#include "kit/ParentTree.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace tkd::gui {

namespace {
const QString kZero = QStringLiteral("0");
const QString kZeroMoney = QStringLiteral("0.00");
} // namespace

TspxxlrForm::TspxxlrForm(Session& session, QWidget* parent) : QDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("spxxlrForm"));
    setWindowTitle(QStringLiteral("商品信息录入"));
    auto edit = [this](const char* name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        return e;
    };
    auto check = [this](const QString& text, const char* name) {
        auto* box = new QCheckBox(text, this);
        box->setObjectName(QString::fromLatin1(name));
        return box;
    };
    m_category = edit("categoryEdit");
    m_category->setReadOnly(true);
    m_category->setPlaceholderText(QStringLiteral("请点击后面按钮进行类别选择"));
    m_category->setToolTip(m_category->placeholderText());
    m_pickButton = new QToolButton(this);
    m_pickButton->setObjectName(QStringLiteral("pickCategoryButton"));
    m_pickButton->setText(QStringLiteral("…"));
    m_pickButton->setToolTip(QStringLiteral("选择商品类别"));
    m_pickButton->setAccessibleName(QStringLiteral("选择商品类别"));
    m_code = edit("codeEdit");
    m_name = edit("nameEdit");
    InputMethodFields::markFreeText(m_name);
    m_unit = new QComboBox(this);
    m_unit->setObjectName(QStringLiteral("unitCombo"));
    m_unit->setEditable(true);
    m_unit->addItems(goods::unitChoices());
    InputMethodFields::markFreeText(m_unit);
    m_purchasePrice = edit("purchasePriceEdit");
    kit::moneyOnly(m_purchasePrice);
    m_salePrice = edit("salePriceEdit");
    kit::moneyOnly(m_salePrice);
    m_quantity = edit("quantityEdit");
    // Digits and one decimal point, as the stock field has always taken.
    kit::moneyOnly(m_quantity);
    m_exchangeable = check(QStringLiteral("该商品可用积分兑换"), "exchangeableCheck");
    m_points = edit("pointsEdit");
    kit::digitsOnly(m_points);
    m_service = check(QStringLiteral("需要人工服务"), "serviceCheck");
    m_remark = edit("remarkEdit");
    InputMethodFields::markFreeText(m_remark);
    m_counted = check(QStringLiteral("此商品项目参与库存计算"), "countedCheck");

    auto* group = new QGroupBox(QStringLiteral("商品信息"), this);
    auto* grid = new QGridLayout(group);
    auto* categoryRow = new QHBoxLayout;
    categoryRow->addWidget(m_category, 1);
    categoryRow->addWidget(m_pickButton);
    QLabel* categoryCaption = kit::captionFor(m_category, QStringLiteral("商品类别："), group);
    categoryCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(categoryCaption, 0, 0);
    grid->addLayout(categoryRow, 0, 1, 1, 3);
    kit::addRow(grid, 1, 0, QStringLiteral("商品编号："), m_code);
    kit::addRow(grid, 1, 2, QStringLiteral("商品名称："), m_name);
    kit::addRow(grid, 2, 0, QStringLiteral("单    位："), m_unit);
    kit::addRow(grid, 2, 2, QStringLiteral("进货单价："), m_purchasePrice);
    kit::addRow(grid, 3, 0, QStringLiteral("销售单价："), m_salePrice);
    kit::addRow(grid, 3, 2, QStringLiteral("库存数量："), m_quantity);
    grid->addWidget(m_exchangeable, 4, 1);
    kit::addRow(grid, 4, 2, QStringLiteral("兑换积分："), m_points);
    grid->addWidget(m_service, 5, 1);
    kit::addRow(grid, 6, 0, QStringLiteral("备注信息："), m_remark, 3);
    grid->addWidget(m_counted, 7, 1, 1, 3);

    m_pickerPanel = new QGroupBox(QStringLiteral("商品类别"), this);
    m_pickerPanel->setObjectName(QStringLiteral("categoryPickerPanel"));
    m_pickerTree = new ParentTree(m_pickerPanel);
    m_pickerTree->setObjectName(QStringLiteral("categoryPickerTree"));
    m_pickerTree->setAccessibleName(QStringLiteral("商品类别"));
    auto* pickerLayout = new QVBoxLayout(m_pickerPanel);
    pickerLayout->addWidget(m_pickerTree);
    auto* pickerButtons = new QHBoxLayout;
    QPushButton* pickOk = kit::pushButton(m_pickerPanel, QStringLiteral("确定"), "pickerOkButton", pickerButtons);
    QPushButton* pickCancel =
        kit::pushButton(m_pickerPanel, QStringLiteral("取消"), "pickerCancelButton", pickerButtons);
    pickerLayout->addLayout(pickerButtons);
    m_pickerPanel->hide();

    auto* body = new QHBoxLayout;
    body->addWidget(group);
    body->addWidget(m_pickerPanel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    const auto buttons = kit::addDialogButtons(this, layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(buttons.ok, &QPushButton::clicked, this, kit::guard(this, [this] { save(); }));
    connect(m_pickButton, &QToolButton::clicked, this, kit::guard(this, [this] { openPicker(); }));
    connect(pickOk, &QPushButton::clicked, this, [this] { pickCategory(); });
    connect(pickCancel, &QPushButton::clicked, this, [this] { closePicker(); });
    connect(m_pickerTree, &QTreeWidget::itemDoubleClicked, this, [this] { pickCategory(); });
    connect(m_exchangeable, &QCheckBox::clicked, this, &TspxxlrForm::exchangeClicked);
    connect(m_counted, &QCheckBox::clicked, this, &TspxxlrForm::countedClicked);

    const QWidget* order[] = {m_category,      m_pickButton, m_code,     m_name,         m_unit,
                              m_purchasePrice, m_salePrice,  m_quantity, m_exchangeable, m_points,
                              m_service,       m_remark,     m_counted,  buttons.ok,     buttons.cancel};
    for (size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(const_cast<QWidget*>(order[i - 1]), const_cast<QWidget*>(order[i]));
    kit::installEnterMovesFocus(this);
    m_fields.add(goods::itemField::category, m_category)
        .add(goods::itemField::code, m_code)
        .add(goods::itemField::name, m_name)
        .add(goods::itemField::purchasePrice, m_purchasePrice)
        .add(goods::itemField::salePrice, m_salePrice)
        .add(goods::itemField::quantity, m_quantity)
        .add(goods::itemField::points, m_points);
}

void TspxxlrForm::prepareAdd()
{
    m_editedCode.reset();
    m_categoryId.reset();
    closePicker();
    for (QLineEdit* e : {m_category, m_code, m_name, m_remark})
        e->clear();
    m_unit->setCurrentIndex(-1);
    m_unit->clearEditText();
    m_purchasePrice->setText(kZeroMoney);
    m_salePrice->setText(kZeroMoney);
    m_quantity->setText(kZero);
    m_points->setText(kZero);
    for (QCheckBox* box : {m_exchangeable, m_service, m_counted})
        box->setChecked(false);
    m_quantity->setEnabled(false);
    m_points->setEnabled(false);
    m_code->setEnabled(true);
    m_code->setFocus();
}

bool TspxxlrForm::prepareEdit(const QString& code)
{
    const std::optional<goods::ItemEntry> item = goods::itemForEntry(m_session.velunDMForm(), code);
    if (!item)
        return false;
    m_editedCode = item->code;
    m_categoryId = item->categoryId;
    closePicker();
    m_category->setText(item->categoryName);
    m_code->setText(item->code);
    m_name->setText(item->name);
    m_unit->setCurrentIndex(m_unit->findText(item->unit));
    m_unit->setEditText(item->unit);
    m_purchasePrice->setText(item->purchasePrice);
    m_salePrice->setText(item->salePrice);
    m_quantity->setText(item->quantity);
    m_exchangeable->setChecked(item->exchangeable);
    m_points->setText(item->points);
    m_service->setChecked(item->service);
    m_remark->setText(item->remark);
    m_counted->setChecked(item->counted);
    m_points->setEnabled(item->exchangeable);
    // Stock changes only through purchases, returns, sales and exchanges.
    m_code->setEnabled(false);
    m_quantity->setEnabled(false);
    m_name->setFocus();
    return true;
}

void TspxxlrForm::openPicker()
{
    if (m_pickerPanel->isVisible())
        return;
    m_pickerTree->setNodes(goods::categoryTree(m_session.velunDMForm()));
    m_pickerPanel->show();
    m_pickerTree->setFocus();
}

void TspxxlrForm::pickCategory()
{
    QTreeWidgetItem* node = m_pickerTree->currentItem();
    if (!node || node->childCount() > 0)
        return;
    m_categoryId = ParentTree::idOf(node);
    m_category->setText(node->text(0));
    closePicker();
}

void TspxxlrForm::closePicker()
{
    m_pickerPanel->hide();
}

void TspxxlrForm::exchangeClicked(bool on)
{
    if (!on)
        m_points->setText(kZero);
    m_points->setEnabled(on);
}

void TspxxlrForm::countedClicked(bool on)
{
    if (isEditing())
        return;
    if (!on)
        m_quantity->setText(kZero);
    m_quantity->setEnabled(on);
}

void TspxxlrForm::save()
{
    goods::ItemEntry input;
    input.categoryId = m_categoryId;
    input.categoryName = m_category->text();
    input.code = m_code->text();
    input.name = m_name->text();
    input.unit = m_unit->currentText();
    input.purchasePrice = m_purchasePrice->text();
    input.salePrice = m_salePrice->text();
    input.quantity = m_quantity->text();
    input.counted = m_counted->isChecked();
    input.exchangeable = m_exchangeable->isChecked();
    input.points = m_points->text();
    input.service = m_service->isChecked();
    input.remark = m_remark->text();
    if (const Outcome<> saved = goods::saveItem(m_session.command(), input, m_editedCode); saved.refused()) {
        m_fields.showRefusal(this, saved.refusal());
        return;
    }
    accept();
}

} // namespace tkd::gui
