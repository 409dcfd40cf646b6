#include "reports/text/MergedResultsText.h"

#include "platform/ValueFormat.h"
#include "reports/common/ReportCaptionTable.h"
#include "reports/common/SubfileSelectionKeeper.h"
#include "reports/text/LegacyResultsText.h"
#include "reports/text/MainResultsText.h"
#include "reports/text/SlmResultsText.h"
#include "reports/text/VibrationText.h"
#include "reports/text/TextReportLayout.h"

#include <algorithm>
#include <string>
#include <vector>

namespace orlu {
namespace {

// The pieces the File column adds in front of the header block.
constexpr std::string_view kFileRule = "----------";
constexpr std::string_view kFileTitle = " File     ";
constexpr std::string_view kFileUnits = "          ";

// One table of a file's text: its header block, the rows under it and the notes after its closing rule.
struct TextTable {
    std::string caption;
    std::string rule;
    std::string title;
    std::string units;
    std::vector<std::string> rows;
    std::vector<std::string> notes;
};

bool IsRule(std::string_view line)
{
    return !line.empty() && line.find_first_not_of('-') == std::string_view::npos;
}

bool IsResultsCaption(std::string_view line)
{
    // "Main results:", "Main results for sound:" and the others all begin so.
    std::string_view common = ReportCaptionTable[kCaptionMainResults];
    common.remove_suffix(1);
    return line.starts_with(common);
}

// Whether a header block (empty line, caption, rule, title, units, rule) starts at line i.
bool HeaderBlockAt(const std::vector<std::string>& text, std::size_t i)
{
    return i + 5 < text.size() && text[i].empty() && IsResultsCaption(text[i + 1]) && IsRule(text[i + 2]) &&
           text[i + 5] == text[i + 2] && text[i + 4] != text[i + 2];
}

// The Main-results tables of a file's text. The sections that follow them in a
// single file's text (rotation, SEAT ratios, dose meter, tonality) begin after an
// empty line and are not part of a merged report.
std::vector<TextTable> ReadTables(const LineList& lines)
{
    std::vector<std::string> text;
    for (std::string_view stored : lines)
        text.emplace_back(stored.ends_with("\r\n") ? stored.substr(0, stored.size() - 2) : stored);
    std::vector<TextTable> tables;
    std::size_t i = 0;
    while (i < text.size()) {
        if (!HeaderBlockAt(text, i)) {
            ++i;
            continue;
        }
        TextTable t{text[i + 1], text[i + 2], text[i + 3], text[i + 4], {}, {}};
        i += 6;
        while (i < text.size() && text[i] != t.rule)
            t.rows.push_back(text[i++]);
        ++i;
        while (i < text.size() && !text[i].empty())
            t.notes.push_back(text[i++]);
        tables.push_back(std::move(t));
    }
    return tables;
}

// The rows one member gives a merged table, or the line that says why it gives none.
struct MemberBlock {
    int subfile = 0;
    std::vector<std::string> rows;
};

// A merged table: the tables of the members of one group, under the header of its first member.
struct MergedTable {
    bool dose = false; ///< the table of a dose meter
    int input = -1;    ///< the input kind of its members, where that parts the groups
    TextTable head;
    std::vector<MemberBlock> blocks;
    std::vector<std::string> notes;
};

void AddNotes(std::vector<std::string>& to, const std::vector<std::string>& notes)
{
    for (const std::string& note : notes)
        if (std::find(to.begin(), to.end(), note) == to.end())
            to.push_back(note);
}

// The text a member gives the merged report: its family's own, except where
// the merged layout differs (legacy files, the ORLU 515 text display, four-channel files).
ResultsTextRenderer MergedMemberText(const CTmDoc& doc)
{
    if (doc.IsLegacyDocument())
        return doc.LegacyDecoded() ? &FormatLegacyMemberText : nullptr;
    if (doc.HeaderDecoded() && doc.Header().model.Family515Text)
        return &FormatSlmMemberText;
    return FamilyResultsText(doc);
}

std::string FileCell(const CTmDoc& doc, int subfile)
{
    return StrPrintf(" %-8s ", doc.GetSubfileName(subfile).c_str());
}

} // namespace

bool FormatMergedResultsText(CTmDoc& doc, LineList& lines, int* widthOut, std::uint16_t channelMask,
                             std::uint8_t unitOption, std::span<const int> subfiles, std::uint16_t* offeredMask)
{
    WaitCursor wait(doc.Ui());
    ClearLineList(&lines);
    *widthOut = 0;
    std::vector<MergedTable> tables;
    std::vector<std::pair<int, std::string_view>> refused; // the members without rows, and why
    MergedTableOrder order;
    {
        SubfileSelectionKeeper keeper(doc);
        const bool vdvColumn = MembersHaveVdv(doc, subfiles, channelMask);
        for (const int n : subfiles) {
            if (!DecodeMember(doc, n, channelMask)) {
                refused.emplace_back(n, kMemberUnreadableText);
                continue;
            }
            order.Member(doc);
            if (ReverberationMember(doc)) {
                refused.emplace_back(n, kMemberRt60Text);
                continue;
            }
            // Vibration members get the VDV column the Multifile has; four-channel
            // members always have it in their vibration section.
            const CurrentHeader* h = doc.IsLegacyDocument() ? nullptr : &doc.Header();
            const bool vibration = h && (h->model.FourChannel || h->model.Family530 || h->model.Family535);
            const bool memberVdv = h && (h->model.FourChannel || vdvColumn);
            const ResultsTextRenderer render = MergedMemberText(doc);
            if (!render) {
                refused.emplace_back(n, kMemberWithoutResultsText);
                continue;
            }
            LineList own;
            int ownWidth = 0;
            try {
                if (vibration)
                    FormatVibrationMemberText(doc, own, &ownWidth, channelMask, unitOption, memberVdv);
                else
                    render(doc, own, &ownWidth, channelMask, unitOption);
            } catch (const ImageRangeError&) {
                refused.emplace_back(n, kMemberUnreadableText);
                continue;
            }
            for (TextTable& t : ReadTables(own)) {
                auto merged = std::find_if(tables.begin(), tables.end(), [&](const MergedTable& m) {
                    return order.SameGroup(m.dose, m.input, m.head.caption, t.caption);
                });
                if (merged == tables.end()) {
                    tables.push_back({order.DoseMember(), order.MemberInput(), t, {}, {}});
                    merged = tables.end() - 1;
                }
                merged->blocks.push_back({n, std::move(t.rows)});
                AddNotes(merged->notes, t.notes);
            }
        }
    }

    std::vector<int> ranks;
    for (const MergedTable& m : tables)
        ranks.push_back(order.Rank(m.dose, m.head.caption));
    const std::vector<std::size_t> sequence = MergedTableOrder::Sequence(ranks);
    int widest = 0;
    std::string line;
    // A member that gives no table says why where its rows would be: in the first table, in file order.
    auto refusedBefore = refused.begin();
    const auto writeRefused = [&](int upTo, const std::string& rule) {
        for (; refusedBefore != refused.end() && refusedBefore->first <= upTo; ++refusedBefore) {
            line = FileCell(doc, refusedBefore->first) + std::string(refusedBefore->second);
            AddLine(lines, line, &widest);
            if (!rule.empty()) {
                line = rule;
                AddLine(lines, line, &widest);
            }
        }
    };
    for (std::size_t t = 0; t < sequence.size(); ++t) {
        const MergedTable& m = tables[sequence[t]];
        // Every table's header block opens with an empty line; the groups of
        // microphone and accelerometer files have one more between them.
        if (order.TextGap() == GroupGap::Between && t > 0) {
            line.clear();
            AddLine(lines, line, &widest);
        }
        TitleLine titles;
        titles.title = std::string(kFileTitle) + m.head.title;
        titles.rule = std::string(kFileRule) + m.head.rule;
        AddHeaderBlock(lines, &widest, m.head.caption, titles, std::string(kFileUnits) + m.head.units);
        for (const MemberBlock& block : m.blocks) {
            if (t == 0)
                writeRefused(block.subfile - 1, titles.rule);
            for (const std::string& row : block.rows) {
                line = FileCell(doc, block.subfile) + row;
                AddLine(lines, line, &widest);
            }
            line = titles.rule;
            AddLine(lines, line, &widest);
        }
        if (t == 0)
            writeRefused(0xFFFF, titles.rule);
        for (const std::string& note : m.notes) {
            line = note;
            AddLine(lines, line, &widest);
        }
    }
    if (tables.empty() && !refused.empty()) {
        line.clear();
        AddLine(lines, line, &widest);
        line = ReportCaptionTable[kCaptionMainResults];
        AddLine(lines, line, &widest);
        writeRefused(0xFFFF, std::string());
    }
    if (offeredMask && order.LastHasVector())
        *offeredMask |= kVectorColumnBit;
    *widthOut = widest;
    return !tables.empty();
}

} // namespace orlu
