#include "reports/table/MergedResultsTables.h"

#include "platform/ValueFormat.h"
#include "reports/common/ReportCaptionTable.h"
#include "reports/common/SubfileSelectionKeeper.h"
#include "reports/table/MainTableCapture.h"
#include "reports/table/TableWriter.h"
#include "reports/common/MergedMembers.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace orlu {
namespace {

constexpr std::string_view kFileHeader = "File      ";

struct MemberRows {
    int subfile = 0;
    std::vector<std::string> rows;
};

// The tables of the members of one group, under the header of its first member.
struct MergedTable {
    bool dose = false; ///< the table of a dose meter
    int input = -1;    ///< the input kind of its members, where that parts the groups
    std::string caption;
    std::string header;
    std::vector<MemberRows> members;
    std::vector<std::string> footnotes;
};

// A legacy Multifile writes every '.' of its rows with the decimal character,
// the member's name included; the others leave the names as they are.
std::string FileField(const CTmDoc& doc, int subfile, const TableOutputOptions& options)
{
    std::string field = StrPrintf("%-10s", doc.GetSubfileName(subfile).c_str());
    if (doc.IsLegacyDocument())
        std::replace(field.begin(), field.end(), '.', DecimalChar(options.DecimalIndex));
    return field;
}

} // namespace

int TableFormMergedResults(CTmDoc& doc, MainTableRequest& request, std::span<const int> subfiles,
                           std::uint16_t* offeredMask)
{
    WaitCursor wait(doc.Ui());
    request.TableKind = kTableKindMainResults;
    std::vector<MergedTable> tables;
    std::vector<std::pair<int, std::string_view>> refused;
    MergedTableOrder order;
    {
        SubfileSelectionKeeper keeper(doc);
        const bool vdvColumn = MembersHaveVdv(doc, subfiles, request.ChannelMask);
        for (const int n : subfiles) {
            if (!DecodeMember(doc, n, request.ChannelMask)) {
                refused.emplace_back(n, kMemberUnreadableText);
                continue;
            }
            order.Member(doc);
            if (ReverberationMember(doc)) {
                refused.emplace_back(n, kMemberRt60Text);
                continue;
            }
            const MainTableRenderer render = FamilyResultsTable(doc);
            if (!render) {
                refused.emplace_back(n, kMemberWithoutResultsText);
                continue;
            }
            // The member's renderer keeps its tables as fields; lines it writes itself
            // (the empty line between two tables) go to a list nobody reads.
            LineList scratch;
            std::int32_t width = 0;
            std::uint8_t kind = 0;
            MainTableCapture capture;
            MainTableRequest own{scratch, width, kind, request.ChannelMask, request.UnitOption, request.Options,
                                 &capture};
            own.MergedMember = true;
            own.VdvColumn = vdvColumn;
            try {
                render(doc, own);
            } catch (const ImageRangeError&) {
                refused.emplace_back(n, kMemberUnreadableText);
                continue;
            }
            for (CapturedMainTable& t : capture.tables) {
                auto merged = std::find_if(tables.begin(), tables.end(), [&](const MergedTable& m) {
                    return order.SameGroup(m.dose, m.input, m.caption, t.caption);
                });
                if (merged == tables.end()) {
                    tables.push_back({order.DoseMember(), order.MemberInput(), t.caption, t.header, {}, {}});
                    merged = tables.end() - 1;
                }
                merged->members.push_back({n, std::move(t.rows)});
                for (std::string& note : t.footnotes)
                    if (std::find(merged->footnotes.begin(), merged->footnotes.end(), note) == merged->footnotes.end())
                        merged->footnotes.push_back(std::move(note));
            }
        }
    }

    std::vector<int> ranks;
    for (const MergedTable& m : tables)
        ranks.push_back(order.Rank(m.dose, m.caption));
    const std::vector<std::size_t> sequence = MergedTableOrder::Sequence(ranks);
    int widest = 0;
    LineList& lines = request.Lines;
    const TableOutputOptions& options = request.Options;
    std::string line;
    const char separator = SeparatorChar(options.SeparatorIndex);
    // A member without a table says why among the first table's rows, in file order.
    auto next = refused.begin();
    const auto writeRefused = [&](int upTo) {
        for (; next != refused.end() && next->first <= upTo; ++next) {
            line = doc.GetSubfileName(next->first);
            line += separator == kNoSeparator || separator == ' ' ? std::string(" ") : std::string(1, separator);
            line += next->second;
            AddLine(lines, line, &widest);
        }
    };
    const GroupGap gap = order.TableGap();
    const auto writeGap = [&] {
        line.clear();
        AddLine(lines, line, &widest);
    };
    bool firstGroupClosed = false;
    for (std::size_t t = 0; t < sequence.size(); ++t) {
        MergedTable& m = tables[sequence[t]];
        const int rank = ranks[sequence[t]];
        if (gap == GroupGap::AfterFirst && !firstGroupClosed && rank > 0) {
            writeGap();
            firstGroupClosed = true;
        } else if (gap == GroupGap::Between && t > 0) {
            writeGap();
        }
        EmitUnderscoredLine(lines, m.caption, options, false, &widest);
        line = std::string(kFileHeader) + m.header;
        EmitHeaderRow(lines, line, options, &widest);
        for (const MemberRows& member : m.members) {
            if (t == 0)
                writeRefused(member.subfile - 1);
            for (const std::string& row : member.rows) {
                line = FileField(doc, member.subfile, options) + row;
                EmitFieldRow(lines, line, options, &widest);
            }
        }
        if (t == 0)
            writeRefused(0xFFFF);
        for (std::string& note : m.footnotes)
            EmitUnderscoredLine(lines, std::move(note), options, true, &widest);
    }
    // The sound and vibration groups of four-channel files are both there, the second maybe empty.
    if (gap == GroupGap::AfterFirst && !firstGroupClosed)
        writeGap();
    if (tables.empty() && !refused.empty()) {
        EmitUnderscoredLine(lines, std::string(ReportCaptionTable[kCaptionMainResults]), options, false, &widest);
        writeRefused(0xFFFF);
    }
    if (offeredMask && order.LastHasVector())
        *offeredMask |= kVectorColumnBit;
    request.Width = widest;
    return 1;
}

} // namespace orlu
