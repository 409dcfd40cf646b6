#include "analysis/spectra/ReverbTimeReport.h"

#include "analysis/spectra/ReverbTime.h"
#include "platform/ValueFormat.h"
#include "reports/table/TableWriter.h"

namespace orlu {
namespace {

constexpr char kIncomplete[] = "*.***";
constexpr unsigned kTextWidth = 69;

std::string Caption(const ReverbTimeReport& report)
{
    std::string caption = report.thirdOctaves ? "Reverberation Time in Octave 1/3:" : "Reverberation Time in Octave 1/1:";
    if (report.smoothed)
        caption += " (for smoothed data)";
    return caption;
}

std::string Time(const ReverbTimeRow& row, int method, std::size_t records, const char* format)
{
    const std::optional<double> t = ReverbTimeOf(row.record, method, records);
    return t ? StrPrintf(format, *t) : std::string(kIncomplete);
}

void AddDashes(LineList& lines, int* widest)
{
    std::string dashes(kTextWidth, '-');
    AddLine(lines, dashes, widest);
}

} // namespace

void FormatReverbTimeText(LineList& lines, int* widest, const ReverbTimeReport& report)
{
    ClearLineList(&lines);
    std::string line;
    AddLine(lines, line, widest);
    line = Caption(report);
    AddLine(lines, line, widest);
    AddDashes(lines, widest);
    line = "   f[Hz]         EDT[s]        RT20[s]        RT30[s]      RTuser[s] ";
    AddLine(lines, line, widest);
    AddDashes(lines, widest);
    for (const ReverbTimeRow& row : report.rows) {
        std::string t[4];
        for (int m = kRtEdt; m <= kRtUser; ++m)
            t[m - 1] = Time(row, m, report.records, "%15.3f");
        line = row.totalName.empty()
                   ? StrPrintf("%7.1f%15s%15s%15s%15s", row.centreHz, t[0].c_str(), t[1].c_str(), t[2].c_str(), t[3].c_str())
                   : StrPrintf("%7s%15s%15s%15s%15s", row.totalName.c_str(), t[0].c_str(), t[1].c_str(), t[2].c_str(),
                               t[3].c_str());
        AddLine(lines, line, widest);
    }
    AddDashes(lines, widest);
}

void FormatReverbTimeTable(LineList& lines, int* widest, const ReverbTimeReport& report,
                           const TableOutputOptions& options)
{
    EmitUnderscoredLine(lines, Caption(report), options, false, widest);
    std::string header = "f[Hz]     EDT[s]    RT20[s]   RT30[s]   RTuser[s] ";
    EmitHeaderRow(lines, header, options, widest);
    std::string row;
    for (const ReverbTimeRow& band : report.rows) {
        std::string t[4];
        for (int m = kRtEdt; m <= kRtUser; ++m)
            t[m - 1] = Time(band, m, report.records, "%-10.3f");
        row = band.totalName.empty()
                  ? StrPrintf("%-10.1f%-10s%-10s%-10s%-10s", band.centreHz, t[0].c_str(), t[1].c_str(), t[2].c_str(),
                              t[3].c_str())
                  : StrPrintf("%-10s%-10s%-10s%-10s%-10s", band.totalName.c_str(), t[0].c_str(), t[1].c_str(),
                              t[2].c_str(), t[3].c_str());
        // Every number of the row, "*.***" too, takes the decimal character.
        EmitFieldRow(lines, row, options, widest);
    }
}

} // namespace orlu
