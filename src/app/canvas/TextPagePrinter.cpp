#include "app/canvas/TextPagePrinter.h"

#include "app/canvas/QtFontMeasure.h"
#include "presentation/view/PrintPages.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace orlu {

TextPrintResult PrintTextPages(QPagedPaintDevice& device, std::int32_t& firstLine, const TextPrintJob& job)
{
    TextPrintResult result;
    if (!job.lines)
        return result;
    QPainter painter(&device);
    if (!painter.isActive())
        return result;
    const QtFontMeasure measure(&device);
    const Font lineFont{std::string(kFixedFace), PrintFontHeight(job.printPitch), 400};
    const Font footerFont{std::string(kFixedFace), kPrintTopMargin, 400};
    const FontMetrics metrics = measure.Metrics(lineFont);
    const int lineHeight = std::max(1, metrics.height + metrics.externalLeading);
    const int charWidth = std::max(1, measure.FixedAdvance(lineFont));
    const int pageHeight = device.height();

    TextPrintRun run(firstLine, job.lines->LineCount(), pageHeight, lineHeight);
    result.pageCount = run.Layout().pageCount;
    result.linesPerPage = run.Layout().linesPerPage;
    result.lineHeight = lineHeight;
    const int from = std::clamp(job.fromPage > 0 ? job.fromPage : 1, 1, result.pageCount);
    const int to = std::clamp(job.toPage > 0 ? job.toPage : result.pageCount, from, result.pageCount);
    painter.setPen(Qt::black);
    std::string buffer;
    for (int page = from; page <= to; ++page) {
        if (page > from && !device.newPage())
            break;
        const std::size_t first = static_cast<std::size_t>(run.StartPage(page));
        const std::size_t count = run.LinesOnPage(page);
        painter.setFont(measure.QtFont(lineFont));
        const int ascent = painter.fontMetrics().ascent();
        for (std::size_t j = 0; j < count; ++j) {
            std::string_view line = job.lines->Line(first + j, buffer);
            if (line.ends_with("\r\n"))
                line.remove_suffix(2);
            const int y = static_cast<int>(j) * lineHeight;
            DrawTextInCells(painter, QPoint(0, y + ascent), QStringFromCp1252(line), charWidth);
        }
        // The footer stands in the room left below the lines.
        painter.setFont(measure.QtFont(footerFont));
        const std::string footer = TextPageFooter(job.fileName, page);
        painter.drawText(QPoint(0, pageHeight - kPrintTopMargin + painter.fontMetrics().ascent()),
                         QStringFromCp1252(footer));
        ++result.pagesPrinted;
    }
    return result;
}

} // namespace orlu
