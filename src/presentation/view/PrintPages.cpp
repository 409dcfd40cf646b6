#include "presentation/view/PrintPages.h"

#include <algorithm>
#include <climits>

namespace orlu {

TextPageLayout LayOutTextPages(std::size_t lineCount, int pageHeight, int lineHeight)
{
    TextPageLayout layout;
    // A page lower than one line still takes a line: a page count divided by zero lines means nothing.
    layout.linesPerPage = std::max(1, (pageHeight - kPrintTopMargin) / std::max(1, lineHeight));
    const std::size_t per = static_cast<std::size_t>(layout.linesPerPage);
    const std::size_t pages = (lineCount + per - 1) / per;
    layout.pageCount = static_cast<int>(std::clamp<std::size_t>(pages, 1, INT_MAX));
    return layout;
}

std::string PrintedFileName(std::string_view pathName, std::string_view title)
{
    if (!pathName.empty())
        return std::string(pathName);
    return std::string(title.substr(0, title.find_first_of(" #%;/\\")));
}

std::string TextPageFooter(std::string_view fileName, int page)
{
    return "*** File " + std::string(fileName) + " ***    Page: " + std::to_string(page);
}

std::string GraphPageFooter(std::string_view fileName) { return "*** File " + std::string(fileName) + " ***"; }

TextPrintRun::TextPrintRun(std::int32_t& firstLine, std::size_t lineCount, int pageHeight, int lineHeight)
    : m_FirstLine(firstLine), m_SavedFirstLine(firstLine), m_LineCount(lineCount),
      m_Layout(LayOutTextPages(lineCount, pageHeight, lineHeight))
{
    m_FirstLine = 0;
}

TextPrintRun::~TextPrintRun() { m_FirstLine = m_SavedFirstLine; }

std::int32_t TextPrintRun::StartPage(int page)
{
    const long long first = static_cast<long long>(std::max(1, page) - 1) * m_Layout.linesPerPage;
    m_FirstLine = static_cast<std::int32_t>(std::min<long long>(first, INT32_MAX));
    return m_FirstLine;
}

std::size_t TextPrintRun::LinesOnPage(int page) const
{
    const std::size_t first = static_cast<std::size_t>(std::max(1, page) - 1) * static_cast<std::size_t>(m_Layout.linesPerPage);
    if (first >= m_LineCount)
        return 0;
    return std::min<std::size_t>(static_cast<std::size_t>(m_Layout.linesPerPage), m_LineCount - first);
}

} // namespace orlu
