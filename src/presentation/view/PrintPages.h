#pragma once
// Printing of the views, without a printer: how the lines of a text form fall
// on pages, the footers, and the first line the screen shows again afterwards.
//
// Printer sizes are in device units of 600 dpi: the line font is PrintPitch x 5
// units high, the footer font 60, and 60 units above and below the lines are
// left for the footer.

#include "document/LineSource.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace orlu {

/// Device units per inch of a printed page.
inline constexpr int kPrintDpi = 600;
/// Room above and below the lines, and the footer font's height.
inline constexpr int kPrintTopMargin = 60;

/// The lines' font height on the printer for a pitch setting.
constexpr int PrintFontHeight(int printPitch) { return printPitch * 5; }

struct TextPageLayout {
    int linesPerPage = 1; ///< at least one, however low the page
    int pageCount = 1;    ///< at least one: an empty text prints its footer
};
/// Pages of `lineCount` lines of `lineHeight` units on a page `pageHeight` units high.
TextPageLayout LayOutTextPages(std::size_t lineCount, int pageHeight, int lineHeight);

/// The name a footer shows: the file's path, or for a document without a file
/// its title up to the first blank, '#', '%', ';', '/' or '\'.
std::string PrintedFileName(std::string_view pathName, std::string_view title);
/// "*** File NAME ***    Page: N" under each page of lines.
std::string TextPageFooter(std::string_view fileName, int page);
/// "*** File NAME ***" under a printed graph.
std::string GraphPageFooter(std::string_view fileName);

/// One printing of a text form: it moves the view's first line page by page
/// and puts the screen's first line back when it ends (also when it is left early).
class TextPrintRun {
public:
    TextPrintRun(std::int32_t& firstLine, std::size_t lineCount, int pageHeight, int lineHeight);
    ~TextPrintRun();
    TextPrintRun(const TextPrintRun&) = delete;
    TextPrintRun& operator=(const TextPrintRun&) = delete;

    const TextPageLayout& Layout() const { return m_Layout; }
    /// Sets the view's first line to page `page`'s (from 1) and returns it.
    std::int32_t StartPage(int page);
    /// The lines on page `page`: from its first line, at most LinesPerPage, not past the end.
    std::size_t LinesOnPage(int page) const;

private:
    std::int32_t& m_FirstLine;
    std::int32_t m_SavedFirstLine;
    std::size_t m_LineCount;
    TextPageLayout m_Layout;
};

} // namespace orlu
