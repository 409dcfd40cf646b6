#include "presentation/UnitFileLines.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>

namespace orlu {
namespace {

constexpr std::array<std::string_view, 12> kInputTexts = {
    " UNDEFINED    ", " Reference    ", " Microphone   ", " Direct       ", " Charge       ", " Accelerometer",
    " OR06A        ", " OR06A        ", " OR08A        ", " UNDEFINED    ", " UNDEFINED    ", " UNDEFINED    "};
constexpr std::array<std::string_view, 16> kMeterResults = {
    " UNKNOWN   ", " Ref       ", " SEL       ", " Leq       ", " Spl       ", " Ssa       ",
    " Dsl       ", " Dsa       ", " Val       ", " Vel       ", " Dil1      ", " Dil3      ",
    " UNKNOWN   ", " UNKNOWN   ", " UNKNOWN   ", " UNKNOWN   "};
constexpr std::array<std::string_view, 8> kAnalyzerResults = {
    " UNKNOWN   ", " Time      ", " Spectrum  ", " 1/1 Octave", " 1/3 Octave", " UNKNOWN   ", " UNKNOWN   ", " UNKNOWN   "};
constexpr std::string_view kNoInput = " -----        ";
constexpr std::string_view kUnknownColumns = " unknown              "; // " unknown   " and eleven blanks
constexpr std::size_t kProbeBase = 6;

// Values beyond a table take its last text (all of them "undefined" or "unknown").
template <std::size_t N>
std::string_view Pick(const std::array<std::string_view, N>& table, std::size_t value)
{
    return table[std::min(value, N - 1)];
}

constexpr char kLetters505[] = {'k', 'm', 'a', 's', 'u'};
constexpr char kLetters515Text[] = {'b', 'l', 'o', 'd'};
constexpr char kLettersCurrent[] = {'b', 'l', 'o', 't', 'd', 'u', 'f', 'y', 'r', 'e', 'a'};

std::string HeaderColumns(const UnitDirEntry& entry, const UnitFileHeader* header)
{
    const std::uint8_t type = entry.Type();
    if (entry.Size() == 0)
        return std::string(kUnknownColumns);
    switch (type) {
    case 0:
        return std::string(kNoInput) + " directory ";
    case 3:
        return std::string(kNoInput) + " setup     ";
    case 4:
        return std::string(kNoInput) + " window    ";
    case 16:
        return std::string(kNoInput) + " buffer    ";
    case 1:
    case 2:
        break;
    default:
        return std::string(kUnknownColumns);
    }
    if (!header || !header->Present())
        return std::string(kUnknownColumns);
    char count[32];
    if (header->IsProfile()) {
        std::snprintf(count, sizeof count, " %d-prof.   ", header->Word(5));
        return std::string(Pick(kInputTexts, header->Word(4))) + count;
    }
    if (header->Word(3) == kProbeBase) {
        std::snprintf(count, sizeof count, " %d-chan.   ", header->Word(4));
        return std::string(Pick(kInputTexts, kProbeBase + header->Word(5))) + count;
    }
    const std::string_view result =
        type == 1 ? Pick(kMeterResults, header->Word(4)) : Pick(kAnalyzerResults, header->Word(4));
    return std::string(Pick(kInputTexts, header->Word(3))) + std::string(result);
}

std::string DateColumns(const UnitDirEntry& e)
{
    const int s = e.Seconds();
    char text[48];
    std::snprintf(text, sizeof text, " %02d/%02d/%02d %02d:%02d'%02d", e.Year(), e.Month(), e.Day(), s / 3600,
                  s / 60 % 60, s % 60);
    return text;
}

bool Listed(std::uint8_t selector, char letter, UnitFileFilter filter)
{
    if (selector != kSelector505 || filter == UnitFileFilter::All)
        return true;
    if (letter == 'm')
        return filter == UnitFileFilter::Meter;
    if (letter == 'a')
        return filter == UnitFileFilter::Analyzer;
    return filter == UnitFileFilter::Special;
}

std::string Lower(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

} // namespace

char UnitFileLetter(std::uint8_t selector, const UnitDirEntry& entry)
{
    const std::uint8_t type = entry.Type();
    if (selector == kSelectorMonitor)
        return 'm';
    if (selector == kSelector505) {
        if (type == 16)
            return 'b';
        return type < std::size(kLetters505) ? kLetters505[type] : 'x';
    }
    if (selector == 2)
        return type < std::size(kLetters515Text) ? kLetters515Text[type] : 'x';
    if (type == 0 && entry.Subtype() == 2)
        return 's';
    return type < std::size(kLettersCurrent) ? kLettersCurrent[type] : 'x';
}

std::vector<UnitFileLine> BuildUnitFileLines(std::uint8_t selector, const CUnitDirectory& directory,
                                             UnitListOptions& options)
{
    const std::vector<UnitFileHeader>& headers = directory.GetHeaders();
    if (selector == kSelector505 && headers.empty())
        options.moreDetails = false;
    std::vector<UnitFileLine> lines;
    for (std::size_t i = 0; i < directory.GetEntryCount(); ++i) {
        const UnitDirEntry& e = directory.GetEntry(i);
        if (e.IsEmpty())
            continue;
        const char letter = UnitFileLetter(selector, e);
        if (!Listed(selector, letter, options.fileType))
            continue;
        // The name as a C text: up to a NUL, and up to its first blank without Details.
        std::string name = e.RawName();
        name.resize(std::min(name.find('\0'), name.size()));
        if (!options.details)
            name.resize(std::min(name.find(' '), name.size()));
        char text[64];
        if (options.details) {
            const std::uint64_t size = selector == kSelectorMonitor ? e.MonitorSize() : e.Size();
            std::snprintf(text, sizeof text, "%-8s <%c>%7llu", name.c_str(), letter,
                          static_cast<unsigned long long>(size));
        } else if (options.moreDetails) {
            std::snprintf(text, sizeof text, "%-8s <%c>", name.c_str(), letter);
        } else {
            std::snprintf(text, sizeof text, "%s<%c>", name.c_str(), letter);
        }
        std::string line = text;
        if (options.moreDetails && selector == kSelector505)
            line += HeaderColumns(e, i < headers.size() ? &headers[i] : nullptr);
        else if (options.moreDetails && selector != kSelectorMonitor)
            line += DateColumns(e);
        if (!options.moreDetails)
            std::replace(line.begin(), line.end(), ' ', '.');
        lines.push_back({std::move(line), i, e.ItemData()});
    }
    if (options.sortByNames) {
        // Keys made once, not in every comparison.
        std::vector<std::pair<std::string, std::size_t>> keys;
        keys.reserve(lines.size());
        for (std::size_t i = 0; i < lines.size(); ++i)
            keys.emplace_back(Lower(lines[i].text), i);
        std::stable_sort(keys.begin(), keys.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        std::vector<UnitFileLine> sorted;
        sorted.reserve(lines.size());
        for (const auto& key : keys)
            sorted.push_back(std::move(lines[key.second]));
        lines = std::move(sorted);
    }
    return lines;
}

std::string LineNamePart(std::string_view line)
{
    const std::size_t start = std::min(line.find_first_not_of(' '), line.size());
    const std::string_view rest = line.substr(start);
    return std::string(rest.substr(0, std::min(rest.find_first_of(".< "), rest.size())));
}

TypedNameMatch MatchTypedName(const std::vector<UnitFileLine>& lines, std::string_view typed)
{
    TypedNameMatch match;
    if (typed.empty())
        return match;
    const std::string wanted = Lower(typed);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (Lower(LineNamePart(lines[i].text)) != wanted)
            continue;
        if (match.result == TypedNameMatch::Result::Found)
            return {TypedNameMatch::Result::NotUnique, match.line};
        match = {TypedNameMatch::Result::Found, i};
    }
    return match;
}

void StoreSelection(CUnitDirectory& directory, const std::vector<UnitFileLine>& lines,
                    const std::vector<std::size_t>& positions)
{
    directory.ClearSelection();
    std::vector<std::uint8_t>& flags = directory.GetSelectionFlags();
    std::fill(flags.begin(), flags.end(), 0);
    for (std::size_t p : positions) {
        if (p >= lines.size())
            continue;
        const UnitFileLine& line = lines[p];
        directory.GetSelectedNames().push_back(line.text);
        directory.GetSelectedData().push_back(line.itemData);
        directory.GetSelectedEntries().push_back(line.entry);
        if (line.entry < flags.size())
            flags[line.entry] = 1;
    }
}

std::string TargetPathText(std::string_view path)
{
    if (path.size() <= 60)
        return std::string(path);
    return std::string(path.substr(0, 3)) + "..." + std::string(path.substr(path.size() - 54));
}

} // namespace orlu
