#pragma once
// File Print, Print Preview and Print Setup of the views. One printer is kept
// for the program's run, so the page set up in Print Setup serves every
// print; it prints at 600 dpi, and printing to a file gives a PDF.

#include "document/LineSource.h"
#include "platform/IniProfile.h"
#include "platform/canvas/Canvas.h"

#include <cstdint>
#include <functional>
#include <string>

class QDialog;
class QPrinter;
class QWidget;

namespace orlu {

/// The program's printer, made on first use and kept until the program ends.
QPrinter& AppPrinter();

/// Runs a print, print preview or page setup dialog modally and returns its
/// result; empty: the dialog's own exec (tests answer in its place).
using PrintDialogRunner = std::function<int(QDialog&)>;

/// How many pages the print preview shows at once: 1, or 2 side by side. The
/// last preview's choice is kept for the next one and, in the profile, for
/// the next run ("Settings", "PreviewPages").
int& PreviewPages();
void ReadPreviewPages(const IniProfile& profile);
void WritePreviewPages(IniProfile& profile);

/// What a view of lines prints.
struct ViewPrintRequest {
    const LineSource* lines = nullptr;
    std::int32_t* firstLine = nullptr; ///< the view's first line, moved while printing and put back
    std::string fileName;             ///< the footers' file name
    int printPitch = 16;
};

/// Prints the lines after the print dialog (Cancel prints nothing).
void PrintViewLines(QWidget* parent, const ViewPrintRequest& request);
/// Shows the pages in the print preview.
void PreviewViewLines(QWidget* parent, const ViewPrintRequest& request);
/// Prints or previews one page painted through the canvas (a graph at the
/// print zoom with the footer naming the file; a picture without footer when
/// the file name is empty).
void PrintPicturePage(QWidget* parent, const std::string& fileName, const std::function<void(Canvas&)>& paint,
                      bool preview, const PrintDialogRunner& run = {});
/// The page setup dialog of the program's printer.
void RunPrintSetup(QWidget* parent);

} // namespace orlu
