#include "reports/text/HeaderReportWriter.h"

#include "document/headers/CurrentHeader.h"
#include "platform/ValueFormat.h"

namespace orlu {
namespace {

constexpr std::size_t kCutWidth = kHeaderLabelWidth + kHeaderColumnWidth;

} // namespace

int HeaderReportWriter::UnitFlag(std::uint16_t inputKind) const
{
    // The view's choice counts as linear whatever its non-zero value.
    const bool chosen = m_UnitOption != 0;
    return (inputKind == kInputMicrophone ? chosen : !chosen) ? 1 : 0;
}

std::string HeaderReportWriter::LevelRef(double levelDb, int mode, bool relative, bool wholeNumber,
                                         std::uint16_t inputKind) const
{
    HeaderLevelContext ctx{m_Doc.Levels(), m_Doc.Channel(), 0.0};
    ctx.channel.inputKind = inputKind;
    return FormatHeaderLevelRef(ctx, levelDb, mode, relative, wholeNumber);
}

void HeaderReportWriter::Add(std::string line)
{
    AddLine(m_Lines, line, m_Widest);
}

void HeaderReportWriter::Item(int item, std::string_view value, bool cutTo12)
{
    std::string line(HeaderItemTable[static_cast<std::size_t>(item)].Label);
    line += value;
    if (cutTo12 && line.size() > kCutWidth)
        line.resize(kCutWidth);
    Add(std::move(line));
}

void HeaderReportWriter::Text(int item, std::string_view text, bool cutTo12)
{
    Item(item, Cell(text), cutTo12);
}

std::string HeaderReportWriter::RuleLine()
{
    const HeaderItem& rule = HeaderItemTable[kItemRule];
    return std::string(rule.Label) + std::string(rule.Format);
}

std::string HeaderReportWriter::Cell(std::string_view text)
{
    return StrPrintf(" %-10.*s ", static_cast<int>(text.size()), text.data());
}

} // namespace orlu
