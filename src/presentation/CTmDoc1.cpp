#include "presentation/CTmDoc1.h"

#include "platform/TextEncoding.h"
#include "presentation/TextDumpLines.h"

#include <algorithm>

namespace orlu {
namespace {

constexpr std::string_view kSuffixDisk = " - text (disk file)";
constexpr std::string_view kSuffixViewCopy = " - text (TXT view copy)";
constexpr std::string_view kSuffixPrinted = " - text (ORLU printed output)";

/// Calls f with each line of the bytes, without its end: a CR ends a line and
/// an LF right after it is skipped; any other byte, a lone LF too, joins the line.
template <class F>
void ForEachTextLine(std::string_view bytes, F&& f)
{
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r')
            continue;
        f(bytes.substr(start, i - start));
        if (i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        f(bytes.substr(start));
}

} // namespace

CTmDoc1::CTmDoc1(UserInteraction& ui, TextDocOrigin origin) : DocumentBase(ui), m_Origin(origin) {}

void CTmDoc1::HandOverLines(const LineSource& lines)
{
    std::string& bytes = *m_Bytes;
    bytes.clear();
    std::string buffer;
    for (std::size_t i = 0; i < lines.LineCount(); ++i)
        bytes += lines.Line(i, buffer);
    std::replace(bytes.begin(), bytes.end(), '\xB2', '2');
    // The program's own lines: Windows-1252 inside, UTF-8 in the file.
    m_Utf8 = false;
    m_SaveUtf8 = true;
    m_HandedOver = true;
}

void CTmDoc1::HandOverPrintedOutput(std::string bytes)
{
    *m_Bytes = std::move(bytes);
    m_Utf8 = m_SaveUtf8 = IsValidUtf8(*m_Bytes);
    m_HandedOver = true;
}

bool CTmDoc1::OnNewDocument()
{
    // A copy of a view that has no lines (it was closed, or File New came
    // from a window without lines) makes no document.
    if (m_Origin != TextDocOrigin::None && !m_HandedOver)
        return false;
    m_ViewMask = kTextViewBit | kHexaViewBit;
    return DocumentBase::OnNewDocument();
}

void CTmDoc1::Serialize(Archive& archive)
{
    if (archive.IsStoring()) {
        const std::string text = SavedText();
        archive.Write({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
        return;
    }
    std::string& bytes = *m_Bytes;
    bytes.assign(static_cast<std::size_t>(std::min<std::uint64_t>(archive.BytesLeft(), bytes.max_size())), '\0');
    bytes.resize(archive.Read(bytes.data(), bytes.size()));
    m_Utf8 = m_SaveUtf8 = IsValidUtf8(bytes);
}

std::string CTmDoc1::SavedText() const
{
    std::string out;
    std::int32_t widest = 0;
    if (m_HasView && m_ShownForm == TextForm::Hexa) {
        const auto dump = RenderHexDump(&widest);
        std::string buffer;
        for (std::size_t i = 0; i < dump->LineCount(); ++i)
            out += dump->Line(i, buffer);
        return out;
    }
    out.reserve(m_Bytes->size() + m_Bytes->size() / 32);
    const bool convert = m_SaveUtf8 && !m_Utf8;
    ForEachTextLine(*m_Bytes, [&](std::string_view line) {
        out += convert ? Cp1252ToUtf8(line) : std::string(line);
        out += "\r\n";
    });
    return out;
}

void CTmDoc1::SetTitle(std::string_view title)
{
    std::string_view suffix = kSuffixDisk;
    if (NotFromDisk())
        suffix = m_Origin == TextDocOrigin::ViewCopy        ? kSuffixViewCopy
                 : m_Origin == TextDocOrigin::PrintedOutput ? kSuffixPrinted
                                                            : kSuffixDisk;
    // The suffix tells what the window holds, so the name gives way to it.
    std::string composed(title.substr(0, kMaxTitle - suffix.size()));
    composed += suffix;
    DocumentBase::SetTitle(composed);
}

bool CTmDoc1::SaveModified()
{
    if (!NotFromDisk())
        return true;
    const bool forced = SaveOnClose;
    SaveOnClose = false;
    if (!forced && !NewDocFlag)
        return true;
    for (;;) {
        const QuestionAnswer answer = forced ? QuestionAnswer::Yes : Ui().AskQuestion("Save " + Title() + "?");
        if (answer == QuestionAnswer::Cancel)
            return false;
        if (answer != QuestionAnswer::Yes && answer != QuestionAnswer::YesForAll)
            break;
        const bool saved = SaveAs && SaveAs(*this);
        // A Save As cancelled after Yes asks again; a forced save is not repeated.
        if (saved || forced)
            break;
    }
    NewDocFlag = false;
    return true;
}

std::shared_ptr<const LineList> CTmDoc1::RenderTextLines(std::int32_t* widest) const
{
    auto lines = std::make_shared<LineList>(&Ui());
    *widest = 0;
    lines->Reserve(static_cast<std::size_t>(std::count(m_Bytes->begin(), m_Bytes->end(), '\r')) + 1);
    std::string line;
    ForEachTextLine(*m_Bytes, [&](std::string_view text) {
        line = m_Utf8 ? Utf8ToCp1252(text) : std::string(text);
        AddLine(*lines, line, widest);
    });
    return lines;
}

std::shared_ptr<const LineSource> CTmDoc1::RenderHexDump(std::int32_t* widest) const
{
    auto dump = std::make_shared<TextDumpLines>(m_Bytes);
    *widest = dump->Widest();
    return dump;
}

} // namespace orlu
