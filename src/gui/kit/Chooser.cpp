#include "Chooser.h"

#include "DataGrid.h"
#include "FormKit.h"
#include "InputMethodFields.h"
#include "goods/GoodsSearch.h"
#include "lockers/LockerChoice.h"
#include "members/MemberSearch.h"
#include "staff/Staff.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tkd::gui {

ChooserSpec ChooserSpec::members(TvelunDMForm& dm)
{
    ChooserSpec spec;
    spec.objectName = QStringLiteral("xzjsrForm");
    spec.caption = QStringLiteral("选择会员");
    spec.searchCaption = QStringLiteral("输入会员卡号或名称：");
    spec.searchName = "memberSearchEdit";
    spec.gridName = "memberGrid";
    spec.open = [data = &dm] { return members::pickerList(*data); };
    spec.search = members::searchFilter;
    spec.widths = {{QStringLiteral("会员卡号"), 80},
                   {QStringLiteral("会员姓名"), 80},
                   {QStringLiteral("会员类型"), 80},
                   {QStringLiteral("加入时间"), 80},
                   {QStringLiteral("备注说明"), 160}};
    return spec;
}

ChooserSpec ChooserSpec::goods(TvelunDMForm& dm)
{
    ChooserSpec spec;
    spec.objectName = QStringLiteral("goodsChooser");
    spec.caption = QStringLiteral("选择商品");
    spec.searchCaption = QStringLiteral("输入商品编号或名称：");
    spec.searchName = "goodsSearchEdit";
    spec.gridName = "goodsGrid";
    spec.open = [data = &dm] { return goods::saleList(*data); };
    spec.search = goods::searchFilter;
    spec.widths = {{QStringLiteral("商品编号"), 70},
                   {QStringLiteral("商品名称"), 90},
                   {QStringLiteral("单位"), 50},
                   {QStringLiteral("单价"), 50},
                   {QStringLiteral("库存量"), 50}};
    spec.hidden = {QStringLiteral("人工服务")};
    return spec;
}

ChooserSpec ChooserSpec::coaches(TvelunDMForm& dm)
{
    ChooserSpec spec;
    spec.objectName = QStringLiteral("coachChooser");
    spec.caption = QStringLiteral("选择教练");
    spec.gridName = "coachGrid";
    spec.open = [data = &dm] { return staff::coachList(*data); };
    spec.search = staff::coachSearch;
    spec.widths = {{QStringLiteral("姓名"), 100},
                   {QStringLiteral("职务"), 100},
                   {QStringLiteral("状态"), 100},
                   {QStringLiteral("备注"), 180}};
    return spec;
}

ChooserSpec ChooserSpec::lockers(TvelunDMForm& dm, std::function<bool()> showAll)
{
    ChooserSpec spec;
    spec.objectName = QStringLiteral("xzygForm");
    spec.caption = QStringLiteral("选择衣柜");
    spec.searchCaption = QStringLiteral("衣柜编号：");
    spec.searchName = "lockerFilterEdit";
    spec.gridName = "lockerGrid";
    spec.open = [data = &dm] { return lockers::chooserList(*data); };
    spec.search = [showAll = std::move(showAll)](const QString& text) {
        return lockers::chooserFilter(showAll(), text);
    };
    spec.widths = {{QStringLiteral("衣柜编号"), 80},
                   {QStringLiteral("衣柜名称"), 110},
                   {QStringLiteral("押金"), 80},
                   {QStringLiteral("状态"), 80},
                   {QStringLiteral("备注"), 200}};
    spec.hidden = {QStringLiteral("编号")};
    return spec;
}

ChooserPanel::ChooserPanel(const ChooserSpec& spec, SearchPlace place, QWidget* parent)
    : QWidget(parent), m_open(spec.open), m_filterFor(spec.search), m_search(new QLineEdit(this)),
      m_grid(new DataGrid(this)), m_row(new QHBoxLayout)
{
    m_search->setObjectName(QString::fromLatin1(spec.searchName));
    InputMethodFields::markFreeText(m_search);
    m_grid->setObjectName(QString::fromLatin1(spec.gridName));
    for (const auto& [column, width] : spec.widths)
        m_grid->setColumnWidth(column, width);
    for (const QString& column : spec.hidden)
        m_grid->hideColumn(column);

    if (spec.searchCaption.isEmpty()) {
        // Hidden, yet still an input of the window: a screen reader names it after the list.
        m_search->setAccessibleName(spec.caption);
        m_search->hide();
    } else {
        if (place == SearchPlace::Below)
            m_row->addStretch();
        m_row->addWidget(kit::captionFor(m_search, spec.searchCaption, this));
        m_row->addWidget(m_search, 1);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (place == SearchPlace::Above)
        layout->addLayout(m_row);
    layout->addWidget(m_grid, 1);
    if (place == SearchPlace::Below)
        layout->addLayout(m_row);

    connect(m_search, &QLineEdit::textChanged, this, &ChooserPanel::refilter);
    connect(m_search, &QLineEdit::returnPressed, this, &ChooserPanel::pickRequested);
    connect(m_grid, &DataGrid::rowDoubleClicked, this, &ChooserPanel::pickRequested);
    connect(m_grid, &DataGrid::currentRowChanged, this, [this](int row) {
        if (!m_refilling)
            Q_EMIT shownRowChanged(row);
    });
}

void ChooserPanel::open()
{
    m_rows = m_open ? m_open() : ResultSet();
    {
        const QSignalBlocker quiet(m_search);
        m_search->clear();
    }
    refilter();
    m_grid->selectRow(0);
}

void ChooserPanel::refilter()
{
    if (!m_rows.columns().isEmpty())
        m_rows.setFilter(m_filterFor ? m_filterFor(m_search->text()) : Filter());
    // The grid keeps its row number while the rows under it change: whatever row is current
    // now is announced, moved or not.
    m_refilling = true;
    m_grid->setResult(m_rows);
    m_refilling = false;
    Q_EMIT shownRowChanged(m_grid->currentRowIndex());
}

void ChooserPanel::close()
{
    m_rows = ResultSet();
    m_refilling = true;
    m_grid->setResult(m_rows);
    m_refilling = false;
}

int ChooserPanel::shownRow() const
{
    return m_grid->currentRowIndex();
}

Value ChooserPanel::shownValue(const QString& column) const
{
    return m_grid->currentValue(column);
}

Chooser::Chooser(const ChooserSpec& spec, QWidget* parent)
    : QDialog(parent), m_panel(new ChooserPanel(spec, ChooserPanel::SearchPlace::Above, this))
{
    setObjectName(spec.objectName);
    setWindowTitle(spec.caption);
    resize(spec.size);
    QPushButton* choose = kit::pushButton(this, QStringLiteral("选中"), "pickButton", m_panel->searchRow());
    QPushButton* cancel = kit::pushButton(this, QStringLiteral("取消"), "cancelButton", m_panel->searchRow());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_panel);
    // Enter in the search box picks, as the picker always did.
    kit::markEnterSubmits(m_panel->searchEdit());
    connect(choose, &QPushButton::clicked, this, &Chooser::pick);
    connect(m_panel, &ChooserPanel::pickRequested, this, &Chooser::pick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

DataGrid* Chooser::grid() const
{
    return m_panel->grid();
}

void Chooser::prepare()
{
    m_picked = ResultSet();
    m_panel->open();
    // A chooser without a search (the coaches) starts on its list, so the keyboard can pick.
    if (m_panel->searchEdit()->isHidden())
        m_panel->grid()->setFocus();
    else
        m_panel->searchEdit()->setFocus();
}

void Chooser::pick()
{
    const int row = m_panel->shownRow();
    if (row < 0)
        return;
    const ResultSet& rows = m_panel->rows();
    std::vector<ColumnType> types;
    std::vector<Value> values;
    for (int column = 0; column < rows.columns().size(); ++column) {
        types.push_back(rows.columnType(column));
        values.push_back(rows.value(row, column));
    }
    m_picked = ResultSet(rows.columns(), std::move(types), {std::move(values)});
    accept();
}

Value Chooser::picked(const QString& column) const
{
    // Before a pick there is no row; after one a misspelt column throws like any other read.
    return m_picked.columns().isEmpty() ? Value() : m_picked.first(column);
}

void Chooser::done(int result)
{
    m_panel->close();
    QDialog::done(result);
}

} // namespace tkd::gui
