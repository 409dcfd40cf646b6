#include "analysis/statistics/LevelGridTable.h"

#include "analysis/statistics/BandAxis.h"
#include "analysis/statistics/LevelForms.h"
#include "analysis/statistics/StatisticsFamily.h"
#include "document/CTmDoc.h"
#include "platform/ValueFormat.h"
#include "reports/common/SubfileSelectionKeeper.h"
#include "reports/table/TableWriter.h"

#include <algorithm>

namespace orlu {
namespace {

constexpr std::uint16_t kLegacyLevelBits = 0x0080;
constexpr std::uint16_t kCurrentLevelBits = 0x0087;

class GridWriter {
public:
    GridWriter(LineList& lines, int* widest, const TableOutputOptions& options)
        : m_Lines(lines), m_Widest(widest), m_Decimal(DecimalChar(options.DecimalIndex)),
          m_Separator(SeparatorChar(options.SeparatorIndex)), m_Doubled(SeparatorDoubled(options.SeparatorIndex))
    {
    }

    void Grid(std::string caption, const std::vector<NamedLevelRow>& rows)
    {
        std::replace(caption.begin(), caption.end(), ' ', '_');
        Line(std::move(caption));
        const LevelRow* previous = nullptr;
        for (const NamedLevelRow& r : rows) {
            if (!previous) {
                std::string positions = "i         ";
                for (int i = 1; i <= 10; ++i)
                    positions += StrPrintf("%-10d", i);
                Line(std::move(positions));
            } else if (previous->percentages != r.row.percentages) {
                Empty();
            }
            if (!previous || previous->percentages != r.row.percentages) {
                std::string percentages = "ni[%]     ";
                for (std::uint8_t p : r.row.percentages)
                    percentages += StrPrintf("%-10u", static_cast<unsigned>(p));
                Line(std::move(percentages));
            }
            std::string row = StrPrintf("%-10s", r.name.c_str());
            for (double level : r.row.levels)
                row += StrPrintf("%-10.1f", level);
            if (m_Decimal != '.')
                std::replace(row.begin(), row.end(), '.', m_Decimal);
            Line(std::move(row));
            previous = &r.row;
        }
        Empty();
    }

private:
    void Line(std::string line)
    {
        ApplyColumnSeparator(line, m_Separator, m_Doubled);
        AddLine(m_Lines, line, m_Widest);
    }
    void Empty()
    {
        std::string line;
        AddLine(m_Lines, line, m_Widest);
    }

    LineList& m_Lines;
    int* m_Widest;
    char m_Decimal;
    char m_Separator;
    bool m_Doubled;
};

// The caption's part after "Statistical levels:" for the grid of a channel or band.
std::string CaptionPart(CTmDoc& doc, StatisticsFamily family, int channel, const StatisticsChoices& choices)
{
    if (family == StatisticsFamily::Legacy)
        return {};
    if (choices.octave != 0) {
        // The band as the first file with band statistics names it.
        for (int u = 1; u <= doc.SubfileCount(); ++u)
            if (doc.GetSubfileContents().BitsOf(u) & StatisticsContentBits(choices.octave)) {
                const BandAxis axis = BandAxisOfSubfile(doc, u, choices.octave);
                if (axis.Count() != 0)
                    return BandCaption(axis, static_cast<std::size_t>(std::max(choices.band, 1) - 1),
                                       BandLabel(choices.octave, true));
            }
        return {};
    }
    if (family == StatisticsFamily::FourChannel)
        return StrPrintf("  Channel %d:P%d", channel + 1, 1);
    return StrPrintf("  Profile %d", channel + 1);
}

} // namespace

bool TableLevelsGrid(CTmDoc& doc, LineList& lines, int* widest, std::uint8_t& content,
                     const StatisticsChoices& choices, const TableOutputOptions& options)
{
    const StatisticsFamily family = StatisticsFamilyOf(doc);
    if (family == StatisticsFamily::None || doc.SubfileCount() == 0)
        return false;
    content = 1;
    const bool octave = choices.octave != 0 && family == StatisticsFamily::Current;
    const int band = octave ? std::max(choices.band, 1) : 0;
    const std::uint16_t bits = family == StatisticsFamily::Legacy ? kLegacyLevelBits
                               : octave                           ? StatisticsContentBits(choices.octave)
                                                                  : kCurrentLevelBits;
    // A grid per profile of the mask in broadband mode; the bands and legacy files make one.
    std::vector<int> channels{0};
    if (!octave && family != StatisticsFamily::Legacy) {
        StatisticsChoices one = choices;
        one.allFiles = false;
        one.octave = 0;
        channels.clear();
        for (const StatisticsItem& item : StatisticsItems(doc, one))
            channels.push_back(item.channel);
    }
    int width = 0;
    GridWriter writer(lines, &width, options);
    for (int channel : channels) {
        std::vector<NamedLevelRow> rows;
        for (int u = 1; u <= doc.SubfileCount(); ++u)
            if (doc.GetSubfileContents().BitsOf(u) & bits)
                rows.push_back({doc.GetSubfileName(u), LevelsOfFile(doc, {u, channel, band}, LevelMethod::Interpolated).row});
        writer.Grid("Statistical levels:" + CaptionPart(doc, family, channel, choices), rows);
    }
    if (widest)
        *widest = std::max(*widest, width);
    return true;
}

} // namespace orlu
