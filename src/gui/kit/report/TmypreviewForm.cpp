#include "TmypreviewForm.h"

#include "kit/Messages.h"

#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QShortcut>
#include <QSlider>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace tkd::gui {

namespace {

constexpr int kInitialZoomPosition = 33;

} // namespace

TmypreviewForm::TmypreviewForm(Report report, QWidget* parent)
    : QWidget(parent, Qt::Window), m_renderer(std::move(report)),
      m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    setObjectName(QStringLiteral("mypreviewForm"));
    setWindowTitle(QStringLiteral("打印预览"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(1000, 720);

    m_renderer.setUpPrinter(*m_printer);
    m_printer->setDocName(m_renderer.report().title());
    m_preview = new QPrintPreviewWidget(m_printer.get(), this);
    m_preview->setObjectName(QStringLiteral("previewWidget"));
    connect(m_preview, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* printer) {
        QPainter painter(printer);
        m_renderer.paint(painter, *printer);
    });

    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("previewToolBar"));
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    const auto icon = [this](const char* theme, QStyle::StandardPixmap fallback) {
        return QIcon::fromTheme(QString::fromLatin1(theme), style()->standardIcon(fallback));
    };

    auto* fitPageButton = addButton(bar, "fitPageButton", QStringLiteral("按页面高度显示"),
                                    icon("zoom-fit-best", QStyle::SP_TitleBarMaxButton));
    auto* fitWidthButton = addButton(bar, "fitWidthButton", QStringLiteral("按页面宽度显示"),
                                     icon("zoom-fit-width", QStyle::SP_ToolBarHorizontalExtensionButton));
    auto* actualSizeButton = addButton(bar, "actualSizeButton", QStringLiteral("按实际大小显示"),
                                       icon("zoom-original", QStyle::SP_FileDialogContentsView));
    m_zoomSlider = new QSlider(Qt::Horizontal, bar);
    m_zoomSlider->setObjectName(QStringLiteral("zoomSlider"));
    m_zoomSlider->setRange(0, 100);
    m_zoomSlider->setValue(kInitialZoomPosition);
    m_zoomSlider->setToolTip(QStringLiteral("任意比例调节"));
    m_zoomSlider->setStatusTip(m_zoomSlider->toolTip());
    m_zoomSlider->setAccessibleName(m_zoomSlider->toolTip());
    m_zoomSlider->setFixedWidth(160);
    bar->addWidget(m_zoomSlider);
    bar->addSeparator();

    auto* firstPageButton =
        addButton(bar, "firstPageButton", QStringLiteral("第一页"), icon("go-first", QStyle::SP_MediaSkipBackward));
    auto* previousPageButton =
        addButton(bar, "previousPageButton", QStringLiteral("前一页"), icon("go-previous", QStyle::SP_ArrowBack));
    m_pageLabel = new QLabel(bar);
    m_pageLabel->setObjectName(QStringLiteral("pageLabel"));
    m_pageLabel->setContentsMargins(8, 0, 8, 0);
    bar->addWidget(m_pageLabel);
    auto* nextPageButton =
        addButton(bar, "nextPageButton", QStringLiteral("后一页"), icon("go-next", QStyle::SP_ArrowForward));
    auto* lastPageButton =
        addButton(bar, "lastPageButton", QStringLiteral("最后一页"), icon("go-last", QStyle::SP_MediaSkipForward));
    bar->addSeparator();

    auto* pageSetupButton = addButton(bar, "pageSetupButton", QStringLiteral("打印机和页面设置"),
                                      icon("document-page-setup", QStyle::SP_FileDialogDetailedView));
    auto* printButton =
        addButton(bar, "printButton", QStringLiteral("打印"), icon("document-print", QStyle::SP_DialogApplyButton));
    auto* savePdfButton = addButton(bar, "savePdfButton", QStringLiteral("保存为PDF"),
                                    icon("document-save-as", QStyle::SP_DialogSaveButton));
    auto* closeButton =
        addButton(bar, "closeButton", QStringLiteral("关闭"), icon("window-close", QStyle::SP_DialogCloseButton));

    previousPageButton->setShortcut(QKeySequence::MoveToPreviousPage);
    nextPageButton->setShortcut(QKeySequence::MoveToNextPage);
    printButton->setShortcut(QKeySequence::Print);
    // The window's own shortcut: a button pushed into the tool bar's overflow menu takes no keys.
    auto* closeKey = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(closeKey, &QShortcut::activated, this, &QWidget::close);
    // Zooming and paging show their icons alone (each named by its hint), so the bar fits a
    // narrow screen and 打印, 保存为PDF and 关闭 keep their words in sight.
    for (QToolButton* button : {fitPageButton, fitWidthButton, actualSizeButton, firstPageButton, previousPageButton,
                                nextPageButton, lastPageButton, pageSetupButton})
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(m_preview, 1);

    connect(fitPageButton, &QToolButton::clicked, this, &TmypreviewForm::fitPage);
    connect(fitWidthButton, &QToolButton::clicked, this, &TmypreviewForm::fitWidth);
    connect(actualSizeButton, &QToolButton::clicked, this, &TmypreviewForm::actualSize);
    connect(m_zoomSlider, &QSlider::valueChanged, this, &TmypreviewForm::zoomTo);
    connect(firstPageButton, &QToolButton::clicked, this, [this] { goToPage(1); });
    connect(previousPageButton, &QToolButton::clicked, this, [this] { goToPage(currentPage() - 1); });
    connect(nextPageButton, &QToolButton::clicked, this, [this] { goToPage(currentPage() + 1); });
    connect(lastPageButton, &QToolButton::clicked, this, [this] { goToPage(pageCount()); });
    connect(pageSetupButton, &QToolButton::clicked, this, &TmypreviewForm::pageSetup);
    connect(printButton, &QToolButton::clicked, this, &TmypreviewForm::printReport);
    connect(savePdfButton, &QToolButton::clicked, this, &TmypreviewForm::savePdf);
    connect(closeButton, &QToolButton::clicked, this, &QWidget::close);
    // Scrolling through the pages moves the current page too.
    connect(m_preview, &QPrintPreviewWidget::previewChanged, this, &TmypreviewForm::showPageNumber);

    zoomTo(kInitialZoomPosition);
    showPageNumber();
}

// The preview paints through the printer, so it goes before the printer does.
TmypreviewForm::~TmypreviewForm()
{
    delete m_preview;
}

TmypreviewForm* TmypreviewForm::open(const Report& report, QWidget* parent)
{
    auto* form = new TmypreviewForm(report, parent);
    form->showMaximized();
    return form;
}

QToolButton* TmypreviewForm::addButton(QToolBar* bar, const char* name, const QString& text, const QIcon& icon)
{
    auto* button = new QToolButton(bar);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(text);
    button->setToolTip(text);
    button->setStatusTip(text);
    button->setIcon(icon);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    bar->addWidget(button);
    return button;
}

int TmypreviewForm::currentPage() const
{
    return m_preview->currentPage();
}

int TmypreviewForm::pageCount() const
{
    return m_preview->pageCount();
}

qreal TmypreviewForm::zoomFactor() const
{
    return m_preview->zoomFactor();
}

qreal TmypreviewForm::zoomForPosition(int position)
{
    // Position 0 would shrink the page to nothing.
    return qMax(1, position) * 2 / 100.0;
}

void TmypreviewForm::goToPage(int page)
{
    if (pageCount() < 1)
        return;
    m_preview->setCurrentPage(qBound(1, page, pageCount()));
    showPageNumber();
}

void TmypreviewForm::zoomTo(int position)
{
    m_preview->setZoomFactor(zoomForPosition(position));
}

void TmypreviewForm::fitPage()
{
    // The preview widget refits only when the current page does not already lie wholly in
    // view, so at the small opening zoom the button would do nothing. From a zoom at which the
    // page overflows the view, it always fits.
    const QSizeF paperInches = m_renderer.pageSizeMm() / 25.4;
    const qreal across = m_preview->width() / (paperInches.width() * m_preview->logicalDpiX());
    const qreal down = m_preview->height() / (paperInches.height() * m_preview->logicalDpiY());
    m_preview->setZoomFactor(2 * qMax(across, down) + 1);
    m_preview->fitInView();
    showZoomOnSlider();
}

void TmypreviewForm::fitWidth()
{
    m_preview->fitToWidth();
    showZoomOnSlider();
}

void TmypreviewForm::actualSize()
{
    m_preview->setZoomFactor(1.0);
    showZoomOnSlider();
}

// Moving the slider by hand would leave the fitting mode, so it only follows here.
void TmypreviewForm::showZoomOnSlider()
{
    const QSignalBlocker blocker(m_zoomSlider);
    m_zoomSlider->setValue(qRound(m_preview->zoomFactor() * 50));
}

void TmypreviewForm::showPageNumber()
{
    m_pageLabel->setText(QStringLiteral("第 %1 页 / 共 %2 页").arg(qMax(1, currentPage())).arg(m_renderer.pageCount()));
}

void TmypreviewForm::adoptPrinterPaper()
{
    m_renderer.usePageLayout(m_printer->pageLayout());
    m_renderer.setUpPrinter(*m_printer);
    m_preview->updatePreview();
    showPageNumber();
}

void TmypreviewForm::pageSetup()
{
    QPageSetupDialog dialog(m_printer.get(), this);
    dialog.setWindowTitle(QStringLiteral("打印机和页面设置"));
    if (dialog.exec() == QDialog::Accepted)
        adoptPrinterPaper();
}

void TmypreviewForm::printReport()
{
    QPrintDialog dialog(m_printer.get(), this);
    dialog.setWindowTitle(QStringLiteral("打印"));
    dialog.setMinMax(1, m_renderer.pageCount());
    if (dialog.exec() != QDialog::Accepted)
        return;
    adoptPrinterPaper();
    if (!m_renderer.print(m_printer.get()))
        Messages::error(this, QStringLiteral("打印失败，请检查打印机设置！"));
}

void TmypreviewForm::savePdf()
{
    QString name = m_renderer.report().title();
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    if (name.isEmpty())
        name = QStringLiteral("报表");
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("保存为PDF"),
                                                QDir::home().filePath(name + QStringLiteral(".pdf")),
                                                QStringLiteral("PDF 文件 (*.pdf)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    if (!m_renderer.renderToPdf(path))
        Messages::error(this, QStringLiteral("保存PDF文件失败：%1").arg(QDir::toNativeSeparators(path)));
}

} // namespace tkd::gui
