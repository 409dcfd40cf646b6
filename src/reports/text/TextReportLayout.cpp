#include "reports/text/TextReportLayout.h"

#include "platform/ValueFormat.h"

#include <bit>

namespace orlu {

void TitleLine::Add(std::string_view piece)
{
    title += piece;
    rule.append(piece.size(), '-');
}

void AddHeaderBlock(LineList& lines, int* widest, std::string_view caption, const TitleLine& titles,
                    std::string units)
{
    std::string line;
    AddLine(lines, line, widest);
    line = caption;
    AddLine(lines, line, widest);
    line = titles.rule;
    AddLine(lines, line, widest);
    line = titles.title;
    AddLine(lines, line, widest);
    AddLine(lines, units, widest);
    line = titles.rule;
    AddLine(lines, line, widest);
}

void HeadedTable::Add(LineList& lines, int* widest, std::string& row)
{
    if (rows++ == 0)
        AddHeaderBlock(lines, widest, caption, titles, units);
    AddLine(lines, row, widest);
}

void HeadedTable::Close(LineList& lines, int* widest) const
{
    if (rows == 0)
        return;
    std::string rule = titles.rule;
    AddLine(lines, rule, widest);
}

std::string DateCell(std::uint16_t date)
{
    return StrPrintf(" %02d/%02d/%02d ", (date >> 9) & 0x7F, (date >> 5) & 0x0F, date & 0x1F);
}

std::string StartTimeCell(std::uint16_t time)
{
    const int s = 2 * time;
    return StrPrintf(" %02d:%02d'%02d ", s / 3600, (s / 60) % 60, s % 60);
}

std::string UnitCell(const LevelText& level)
{
    std::string word = level.unit.empty() ? std::string() : level.unit.substr(1);
    word = word.substr(0, word.find(' '));
    return StrPrintf("%6s", word.c_str());
}

int FirstChannel(std::uint16_t channelMask)
{
    return channelMask == 0 ? 0 : std::countr_zero(channelMask);
}

bool Selected(std::uint16_t channelMask, int channel)
{
    return (channelMask >> channel) & 1u;
}

std::vector<int> ShownChannels(int channelCount, std::uint16_t channelMask)
{
    if (channelCount <= 1)
        return {FirstChannel(channelMask)};
    std::vector<int> shown;
    for (int c = 0; c < channelCount; ++c)
        if (Selected(channelMask, c))
            shown.push_back(c);
    return shown;
}

void AddRemainder(std::string& row, const DurationText& duration)
{
    if (!duration.Remainder.empty())
        row += StrPrintf("  %s", duration.Remainder.c_str());
}

} // namespace orlu
