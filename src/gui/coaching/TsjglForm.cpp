#include "TsjglForm.h"

#include "TgmsjForm.h"
#include "TgmsjhzreportForm.h"
#include "TgmsjmxreportForm.h"
#include "TsjxfForm.h"
#include "TsjxfreportForm.h"
#include "TsjxmglForm.h"
#include "app/Session.h"
#include "coaching/CoachingLists.h"
#include "coaching/Items.h"
#include "coaching/Packages.h"
#include "kit/DataGrid.h"
#include "kit/DateRangeBar.h"
#include "kit/FormKit.h"
#include "kit/Guarded.h"
#include "kit/InputMethodFields.h"
#include "kit/Messages.h"
#include "kit/report/TmypreviewForm.h"
#include "staff/Staff.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace tkd::gui {

namespace {

const QString kAllCoaches = QStringLiteral("所有教练");
const QString kAllItems = QStringLiteral("所有项目");
const QString kDetailCaption = QStringLiteral("购买消费私教明细");

QString chosen(const QComboBox* combo)
{
    return combo->currentIndex() > 0 ? combo->currentText() : QString();
}

void refill(QComboBox* combo, const QString& all, const QStringList& values)
{
    const QString was = combo->currentText();
    combo->clear();
    combo->addItem(all);
    combo->addItems(values);
    combo->setCurrentIndex(std::max(0, combo->findText(was)));
}

} // namespace

TsjglForm::TsjglForm(Session& session, Windows windows, QWidget* parent)
    : QDialog(parent), m_session(session), m_windows(std::move(windows))
{
    setObjectName(QStringLiteral("sjglForm"));
    setWindowTitle(QStringLiteral("私教管理"));
    resize(900, 620);
    auto grid = [](QWidget* parent, const char* name, const QString& accessible) {
        auto* g = new DataGrid(parent);
        g->setObjectName(QString::fromLatin1(name));
        g->setAccessibleName(accessible);
        return g;
    };
    auto button = [this](QWidget* parent, const QString& text, const char* name, QHBoxLayout* row, auto action) {
        connect(kit::pushButton(parent, text, name, row), &QPushButton::clicked, this, kit::guard(this, action));
    };

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("coachingTabs"));

    // "私教购买": the summary and the purchase list, one shown at a time.
    auto* buying = new QWidget(m_tabs);
    auto* buyingLayout = new QVBoxLayout(buying);
    auto* buyingButtons = new QHBoxLayout;
    button(buying, QStringLiteral("购买私教"), "buyButton", buyingButtons, [this] { buy(); });
    button(buying, QStringLiteral("删除记录"), "deleteRecordButton", buyingButtons, [this] { deleteRecord(); });
    button(buying, QStringLiteral("打印"), "printPurchasesButton", buyingButtons, [this] { printPurchases(); });
    button(buying, QStringLiteral("项目管理"), "itemsButton", buyingButtons, [this] { manageItems(); });
    button(buying, QStringLiteral("退出"), "exitButton", buyingButtons, [this] { reject(); });
    buyingButtons->addStretch();
    buyingLayout->addLayout(buyingButtons);
    auto* radios = new QHBoxLayout;
    m_summaryRadio = new QRadioButton(QStringLiteral("汇总记录"), buying);
    m_summaryRadio->setObjectName(QStringLiteral("summaryRadio"));
    m_detailRadio = new QRadioButton(QStringLiteral("明细记录"), buying);
    m_detailRadio->setObjectName(QStringLiteral("detailRadio"));
    radios->addWidget(m_summaryRadio);
    radios->addWidget(m_detailRadio);
    radios->addStretch();
    buyingLayout->addLayout(radios);
    m_pages = new QStackedWidget(buying);
    m_pages->setObjectName(QStringLiteral("purchasePages"));
    buyingLayout->addWidget(m_pages, 1);

    auto* summaryPage = new QWidget(m_pages);
    auto* summaryLayout = new QVBoxLayout(summaryPage);
    auto* summaryQuery = new QHBoxLayout;
    m_summaryFilters = makeFilters(summaryPage, "summary", [summaryQuery](QWidget* w) { summaryQuery->addWidget(w); });
    button(summaryPage, QStringLiteral("查询"), "summaryQueryButton", summaryQuery, [this] { querySummary(); });
    summaryQuery->addStretch();
    summaryLayout->addLayout(summaryQuery);
    m_summaryGrid = grid(summaryPage, "summaryGrid", QStringLiteral("私教汇总"));
    summaryLayout->addWidget(m_summaryGrid, 1);
    m_packageBox = new QGroupBox(kDetailCaption, summaryPage);
    m_packageBox->setObjectName(QStringLiteral("packageBox"));
    m_packageGrid = grid(m_packageBox, "packageGrid", kDetailCaption);
    m_packageGrid->hideColumn(QStringLiteral("编号"));
    (new QVBoxLayout(m_packageBox))->addWidget(m_packageGrid);
    summaryLayout->addWidget(m_packageBox, 1);
    m_pages->addWidget(summaryPage);

    auto* detailPage = new QWidget(m_pages);
    auto* detailLayout = new QVBoxLayout(detailPage);
    m_purchaseDates = new DateRangeBar(QStringLiteral("购买日期："), detailPage);
    m_purchaseDates->setObjectName(QStringLiteral("purchaseDates"));
    m_purchaseDates->setStartRule(DateRangeBar::daysAgo(30));
    m_purchaseFilters = makeFilters(detailPage, "purchase", [this](QWidget* w) { m_purchaseDates->addWidget(w); });
    detailLayout->addWidget(m_purchaseDates);
    m_purchaseGrid = grid(detailPage, "purchaseGrid", QStringLiteral("私教购买记录"));
    m_purchaseGrid->hideColumn(QStringLiteral("编号"));
    detailLayout->addWidget(m_purchaseGrid, 1);
    m_pages->addWidget(detailPage);
    m_tabs->addTab(buying, QStringLiteral("私教购买"));

    // "私教消费": the lessons of the chosen days.
    auto* lessons = new QWidget(m_tabs);
    auto* lessonLayout = new QVBoxLayout(lessons);
    auto* lessonButtons = new QHBoxLayout;
    button(lessons, QStringLiteral("增加消费"), "addLessonButton", lessonButtons, [this] { addLessons(); });
    button(lessons, QStringLiteral("打印"), "printLessonsButton", lessonButtons, [this] { printLessons(); });
    button(lessons, QStringLiteral("退出"), "exitLessonsButton", lessonButtons, [this] { reject(); });
    lessonButtons->addStretch();
    lessonLayout->addLayout(lessonButtons);
    m_lessonDates = new DateRangeBar(QStringLiteral("消费日期："), lessons);
    m_lessonDates->setObjectName(QStringLiteral("lessonDates"));
    m_lessonDates->setStartRule(DateRangeBar::daysAgo(30));
    m_lessonFilters = makeFilters(lessons, "lesson", [this](QWidget* w) { m_lessonDates->addWidget(w); });
    lessonLayout->addWidget(m_lessonDates);
    m_lessonGrid = grid(lessons, "lessonGrid", QStringLiteral("私教消费记录"));
    m_lessonGrid->hideColumn(QStringLiteral("编号"));
    lessonLayout->addWidget(m_lessonGrid, 1);
    m_tabs->addTab(lessons, QStringLiteral("私教消费"));

    (new QVBoxLayout(this))->addWidget(m_tabs);

    connect(m_summaryRadio, &QRadioButton::clicked, this, [this] { showSummaryPage(true); });
    connect(m_detailRadio, &QRadioButton::clicked, this, [this] { showSummaryPage(false); });
    connect(m_summaryGrid, &DataGrid::currentRowChanged, this,
            kit::guard(this, [this](int row) { showMemberOf(row); }));
    connect(m_purchaseDates, &DateRangeBar::queryRequested, this, kit::guard(this, [this] { queryPurchases(); }));
    connect(m_lessonDates, &DateRangeBar::queryRequested, this, kit::guard(this, [this] { queryLessons(); }));
    for (QLineEdit* card : {m_summaryFilters.card, m_purchaseFilters.card, m_lessonFilters.card})
        kit::markEnterSubmits(card);
    connect(m_summaryFilters.card, &QLineEdit::returnPressed, this, kit::guard(this, [this] { querySummary(); }));
    connect(m_purchaseFilters.card, &QLineEdit::returnPressed, this, kit::guard(this, [this] { queryPurchases(); }));
    connect(m_lessonFilters.card, &QLineEdit::returnPressed, this, kit::guard(this, [this] { queryLessons(); }));
}

TsjglForm::Filters TsjglForm::makeFilters(QWidget* parent, const char* prefix, const std::function<void(QWidget*)>& add)
{
    const QString name = QString::fromLatin1(prefix);
    Filters filters;
    filters.card = new QLineEdit(parent);
    filters.card->setObjectName(name + QStringLiteral("CardEdit"));
    filters.coach = new QComboBox(parent);
    filters.coach->setObjectName(name + QStringLiteral("CoachCombo"));
    filters.item = new QComboBox(parent);
    filters.item->setObjectName(name + QStringLiteral("ItemCombo"));
    add(kit::captionFor(filters.card, QStringLiteral("会员卡号："), parent));
    add(filters.card);
    add(kit::captionFor(filters.coach, QStringLiteral("教练姓名："), parent));
    add(filters.coach);
    add(kit::captionFor(filters.item, QStringLiteral("项目名称："), parent));
    add(filters.item);
    return filters;
}

Filter TsjglForm::filterOf(const Filters& filters, const QString& coachColumn) const
{
    return coaching::listFilter(filters.card->text(), chosen(filters.coach), chosen(filters.item), coachColumn);
}

void TsjglForm::fillChoices()
{
    TvelunDMForm& dm = m_session.velunDMForm();
    const QStringList coaches = staff::coachNames(dm);
    const QStringList items = coaching::itemNames(dm);
    for (const Filters* filters : {&m_summaryFilters, &m_purchaseFilters, &m_lessonFilters}) {
        refill(filters->coach, kAllCoaches, coaches);
        refill(filters->item, kAllItems, items);
    }
}

void TsjglForm::prepare()
{
    for (const Filters* filters : {&m_summaryFilters, &m_purchaseFilters, &m_lessonFilters}) {
        filters->card->clear();
        filters->coach->clear();
        filters->item->clear();
    }
    fillChoices();
    const QDate today = m_session.now().date();
    m_purchaseDates->reset(today);
    m_lessonDates->reset(today);
    showSummaryPage(true);
    readSummary();
    queryPurchases();
    queryLessons();
    m_tabs->setCurrentIndex(0);
}

void TsjglForm::showSummaryPage(bool summary)
{
    m_summaryRadio->setChecked(summary);
    m_detailRadio->setChecked(!summary);
    m_pages->setCurrentIndex(summary ? 0 : 1);
}

void TsjglForm::readSummary()
{
    m_summary = coaching::openSummary(m_session.velunDMForm());
    querySummary();
}

void TsjglForm::querySummary()
{
    m_summary.setFilter(filterOf(m_summaryFilters, QStringLiteral("教练姓名")));
    m_summaryGrid->setResult(m_summary);
    showMemberOf(m_summary.isEmpty() ? -1 : 0);
}

void TsjglForm::showMemberOf(int row)
{
    const ResultSet& shown = m_summaryGrid->result();
    const bool none = row < 0 || row >= shown.rowCount();
    const QString card = none ? coaching::kNoMember : shown.value(row, QStringLiteral("会员卡号")).toText();
    m_packageBox->setTitle(none ? kDetailCaption
                                : QStringLiteral("（") + shown.value(row, QStringLiteral("会员姓名")).toText() +
                                      QStringLiteral("）") + kDetailCaption);
    m_packageGrid->setResult(coaching::memberPackages(m_session.velunDMForm(), card));
}

void TsjglForm::queryPurchases()
{
    m_purchaseDays = {m_purchaseDates->from(), m_purchaseDates->to()};
    m_purchases = coaching::purchases(m_session.velunDMForm(), m_purchaseDates->range());
    m_purchases.setFilter(filterOf(m_purchaseFilters, QStringLiteral("教练姓名")));
    m_purchaseGrid->setResult(m_purchases);
}

void TsjglForm::queryLessons()
{
    m_lessonDays = {m_lessonDates->from(), m_lessonDates->to()};
    m_lessons = coaching::lessons(m_session.velunDMForm(), m_lessonDates->range());
    m_lessons.setFilter(filterOf(m_lessonFilters, QStringLiteral("教练")));
    m_lessonGrid->setResult(m_lessons);
}

void TsjglForm::buy()
{
    if (m_windows.mayBuy && !m_windows.mayBuy())
        return;
    TgmsjForm* form = m_windows.purchase();
    form->prepareToPick();
    if (form->exec() != QDialog::Accepted)
        return;
    readSummary();
    queryPurchases();
}

void TsjglForm::addLessons()
{
    TsjxfForm* form = m_windows.booking();
    form->prepareToPick();
    if (form->exec() != QDialog::Accepted)
        return;
    readSummary();
    queryLessons();
}

void TsjglForm::deleteRecord()
{
    if (m_summaryRadio->isChecked()) {
        Messages::warning(this, QStringLiteral("请在明细记录中选择要删除的记录！"));
        showSummaryPage(false);
        return;
    }
    if (m_purchaseGrid->currentRowIndex() < 0)
        return;
    const qint64 id = m_purchaseGrid->currentValue(QStringLiteral("编号")).toInt();
    if (!Messages::confirmDelete(this))
        return;
    const Outcome<> removed = coaching::removePurchase(m_session.command(), id);
    if (removed.refused())
        Messages::refusal(this, removed.refusal());
    readSummary();
    m_purchases = coaching::purchases(m_session.velunDMForm(), dayRange(m_purchaseDays.first, m_purchaseDays.second));
    m_purchases.setFilter(filterOf(m_purchaseFilters, QStringLiteral("教练姓名")));
    m_purchaseGrid->setResult(m_purchases, DataGrid::KeepRow);
}

void TsjglForm::manageItems()
{
    TsjxmglForm* items = m_windows.items();
    items->prepare();
    items->exec();
    // A renamed or new item is offered by the filters at once.
    fillChoices();
}

void TsjglForm::printPurchases()
{
    if (m_summaryRadio->isChecked()) {
        TmypreviewForm::open(TgmsjhzreportForm::build(m_summaryGrid->result()), this);
        return;
    }
    TmypreviewForm::open(TgmsjmxreportForm::build(m_purchaseGrid->result(), m_purchaseDays.first, m_purchaseDays.second,
                                                  m_session.now()),
                         this);
}

void TsjglForm::printLessons()
{
    TmypreviewForm::open(
        TsjxfreportForm::build(m_lessonGrid->result(), m_lessonDays.first, m_lessonDays.second, m_session.now()), this);
}

void TsjglForm::done(int result)
{
    // Closing drops the lists and their filters; the next opening reads them again.
    m_summary = ResultSet();
    m_purchases = ResultSet();
    m_lessons = ResultSet();
    QDialog::done(result);
}

} // namespace tkd::gui
