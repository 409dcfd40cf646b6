#pragma once
// The print loop of the text forms: the lines of a view page by page on a
// paged device (a printer, a print preview or a PDF writer), each page with
// its footer. Sizes are the device's units; the program's printers and PDFs
// run at 600 dpi, which the pitch and margins presume.

#include "document/LineSource.h"

#include <cstdint>
#include <string>

class QPagedPaintDevice;

namespace orlu {

struct TextPrintJob {
    const LineSource* lines = nullptr;
    std::string fileName;  ///< the name the footers show
    int printPitch = 16;   ///< the line font is PrintPitch x 5 units high
    int fromPage = 0;      ///< first page to print (from 1); 0: the first
    int toPage = 0;        ///< last page to print; 0: the last
};

struct TextPrintResult {
    int pageCount = 0;    ///< pages of the whole text
    int pagesPrinted = 0;
    int linesPerPage = 0;
    int lineHeight = 0;
};

/// Prints the job's lines. The view's first line moves page by page while
/// printing and is put back afterwards.
TextPrintResult PrintTextPages(QPagedPaintDevice& device, std::int32_t& firstLine, const TextPrintJob& job);

} // namespace orlu
