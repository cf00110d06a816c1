#pragma once

#include "kit/report/ReportRenderer.h"

#include <QWidget>
#include <memory>

class QLabel;
class QPrintPreviewWidget;
class QPrinter;
class QSlider;
class QToolBar;
class QToolButton;

namespace tkd::gui {

// The print preview every report and receipt opens. It keeps its own copy of the report,
// so the window that asked for it may close first; closing the preview frees it.
class TmypreviewForm : public QWidget {
    Q_OBJECT
public:
    explicit TmypreviewForm(Report report, QWidget* parent = nullptr);
    ~TmypreviewForm() override;

    // A new preview, shown maximised and not modal.
    static TmypreviewForm* open(const Report& report, QWidget* parent = nullptr);

    const ReportRenderer& renderer() const { return m_renderer; }
    int currentPage() const;
    int pageCount() const;
    qreal zoomFactor() const;
    // The slider's position gives twice its percentage: 50 is actual size.
    static qreal zoomForPosition(int position);

private:
    QToolButton* addButton(QToolBar* bar, const char* name, const QString& text, const QIcon& icon);
    void goToPage(int page);
    void zoomTo(int position);
    void fitPage();
    void fitWidth();
    void actualSize();
    void showZoomOnSlider();
    void showPageNumber();
    void adoptPrinterPaper();
    void pageSetup();
    void printReport();
    void savePdf();

    ReportRenderer m_renderer;
    std::unique_ptr<QPrinter> m_printer;
    QPrintPreviewWidget* m_preview = nullptr;
    QSlider* m_zoomSlider = nullptr;
    QLabel* m_pageLabel = nullptr;
};

} // namespace tkd::gui
