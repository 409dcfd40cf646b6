#include "app/views/ViewPrinting.h"

#include "app/canvas/GraphPagePrinter.h"
#include "app/canvas/TextPagePrinter.h"
#include "presentation/view/PrintPages.h"

#include <QCoreApplication>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>

#include <memory>

namespace orlu {
namespace {

std::unique_ptr<QPrinter>& PrinterSlot()
{
    static std::unique_ptr<QPrinter> printer;
    return printer;
}

TextPrintJob JobOf(const ViewPrintRequest& request, const QPrinter& printer)
{
    TextPrintJob job;
    job.lines = request.lines;
    job.fileName = request.fileName;
    job.printPitch = request.printPitch;
    if (printer.printRange() == QPrinter::PageRange) {
        job.fromPage = printer.fromPage();
        job.toPage = printer.toPage();
    }
    return job;
}

constexpr std::string_view kPreviewSection = "Settings";
constexpr std::string_view kPreviewKey = "PreviewPages";

int RunPrintDialog(QDialog& dialog, const PrintDialogRunner& run)
{
    return run ? run(dialog) : dialog.exec();
}

// The preview with the page count of the last one, which it keeps in turn.
void RunPreview(QPrintPreviewDialog& dialog, const PrintDialogRunner& run)
{
    auto* pages = dialog.findChild<QPrintPreviewWidget*>();
    if (pages)
        pages->setViewMode(PreviewPages() == 2 ? QPrintPreviewWidget::FacingPagesView
                                               : QPrintPreviewWidget::SinglePageView);
    RunPrintDialog(dialog, run);
    if (pages && pages->viewMode() != QPrintPreviewWidget::AllPagesView)
        PreviewPages() = pages->viewMode() == QPrintPreviewWidget::FacingPagesView ? 2 : 1;
}

} // namespace

int& PreviewPages()
{
    static int pages = 1;
    return pages;
}

void ReadPreviewPages(const IniProfile& profile)
{
    // Anything but two pages side by side shows one.
    PreviewPages() = profile.GetInt(kPreviewSection, kPreviewKey, 1) == 2 ? 2 : 1;
}

void WritePreviewPages(IniProfile& profile)
{
    profile.WriteInt(kPreviewSection, kPreviewKey, PreviewPages());
}

QPrinter& AppPrinter()
{
    std::unique_ptr<QPrinter>& printer = PrinterSlot();
    if (!printer) {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setResolution(kPrintDpi);
        // The printer goes with the application object, before Qt's printing support does.
        QObject::connect(QCoreApplication::instance(), &QObject::destroyed, [] { PrinterSlot().reset(); });
    }
    return *printer;
}

void PrintViewLines(QWidget* parent, const ViewPrintRequest& request)
{
    if (!request.lines || !request.firstLine)
        return;
    QPrinter& printer = AppPrinter();
    printer.setResolution(kPrintDpi);
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    if (dialog.exec() != QDialog::Accepted)
        return;
    PrintTextPages(printer, *request.firstLine, JobOf(request, printer));
}

void PreviewViewLines(QWidget* parent, const ViewPrintRequest& request)
{
    if (!request.lines || !request.firstLine)
        return;
    QPrinter& printer = AppPrinter();
    printer.setResolution(kPrintDpi);
    QPrintPreviewDialog preview(&printer, parent);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, [&](QPrinter* target) {
        TextPrintJob job = JobOf(request, *target);
        job.fromPage = job.toPage = 0;
        PrintTextPages(*target, *request.firstLine, job);
    });
    RunPreview(preview, {});
}

void PrintPicturePage(QWidget* parent, const std::string& fileName, const std::function<void(Canvas&)>& paint,
                      bool preview, const PrintDialogRunner& run)
{
    QPrinter& printer = AppPrinter();
    printer.setResolution(kPrintDpi);
    if (preview) {
        QPrintPreviewDialog dialog(&printer, parent);
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                         [&](QPrinter* target) { PrintGraphPage(*target, fileName, paint); });
        RunPreview(dialog, run);
        return;
    }
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    // One page: there is no range to choose.
    dialog.setMinMax(1, 1);
    if (RunPrintDialog(dialog, run) == QDialog::Accepted)
        PrintGraphPage(printer, fileName, paint);
}

void RunPrintSetup(QWidget* parent)
{
    QPageSetupDialog dialog(&AppPrinter(), parent);
    dialog.exec();
}

} // namespace orlu
