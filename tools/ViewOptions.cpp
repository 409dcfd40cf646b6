#include "ViewOptions.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <string_view>

namespace orlu::tools {
namespace {

// A whole number in min..max; false for anything else.
bool Number(std::string_view text, long min, long max, long& value)
{
    const std::string s(text);
    char* end = nullptr;
    errno = 0;
    value = std::strtol(s.c_str(), &end, 10);
    return !s.empty() && *end == '\0' && errno == 0 && value >= min && value <= max;
}

constexpr std::string_view kBlockStatNames[] = {"leq", "max", "min", "sel"};

bool BlockStats(std::string_view text, std::array<std::int32_t, 4>& switches)
{
    switches = {};
    while (true) {
        const std::size_t comma = std::min(text.find(','), text.size());
        const std::string_view name = text.substr(0, comma);
        const auto* at = std::find(std::begin(kBlockStatNames), std::end(kBlockStatNames), name);
        if (at == std::end(kBlockStatNames))
            return false;
        switches[static_cast<std::size_t>(at - std::begin(kBlockStatNames))] = 1;
        if (comma == text.size())
            return true;
        text.remove_prefix(comma + 1);
    }
}

bool Result(std::string_view text, std::array<int, 5>& results)
{
    const std::size_t colon = text.find(':');
    long channel = 0, n = 0;
    if (colon == std::string_view::npos || !Number(text.substr(0, colon), 1, 5, channel) ||
        !Number(text.substr(colon + 1), 0, 255, n))
        return false;
    results[static_cast<std::size_t>(channel - 1)] = static_cast<int>(n);
    return true;
}

// "ROWS,FIRST,LAST": ROWS and FIRST from 1, LAST above FIRST.
bool Multi(std::string_view text, ViewOptions& o)
{
    const std::size_t first = text.find(',');
    const std::size_t last = first == std::string_view::npos ? first : text.find(',', first + 1);
    long rows = 0, from = 0, to = 0;
    if (last == std::string_view::npos || !Number(text.substr(0, first), 1, 0xFFFF, rows) ||
        !Number(text.substr(first + 1, last - first - 1), 1, 0x7FFFFFFF, from) ||
        !Number(text.substr(last + 1), from + 1, 0x7FFFFFFF, to))
        return false;
    o.multiRows = static_cast<int>(rows);
    o.multiFirst = static_cast<int>(from);
    o.multiLast = static_cast<int>(to);
    return true;
}

} // namespace

bool ViewOptions::Any() const
{
    return record >= 0 || degree > 0 || totals || multiRows > 0 ||
           std::any_of(results.begin(), results.end(), [](int n) { return n >= 0; }) ||
           std::any_of(blockStats.begin(), blockStats.end(), [](std::int32_t s) { return s != 0; });
}

int ReadViewOption(int argc, char** argv, int& i, ViewOptions& o)
{
    const std::string_view option = argv[i];
    if (option == "--totals") {
        o.totals = true;
        return 1;
    }
    if (option == "--nonmetric") {
        o.nonMetric = true;
        return 1;
    }
    const bool valued =
        option == "--record" || option == "--degree" || option == "--result" || option == "--block-stats" ||
        option == "--multi";
    if (!valued)
        return 0;
    if (i + 1 >= argc)
        return -1;
    const std::string_view value = argv[++i];
    long number = 0;
    bool ok = false;
    if (option == "--record") {
        ok = Number(value, 1, 0x7FFFFFFF, number);
        o.record = static_cast<int>(number);
    } else if (option == "--degree") {
        ok = Number(value, 1, 0x7FFFFFFF, number);
        o.degree = static_cast<int>(number);
    } else if (option == "--multi") {
        ok = Multi(value, o);
    } else if (option == "--result") {
        ok = Result(value, o.results);
    } else {
        ok = BlockStats(value, o.blockStats);
    }
    return ok ? 1 : -1;
}

void ApplyViewOptions(const ViewOptions& o, MeasurementViewState& view)
{
    if (o.record >= 0 && view.CurrentRecordPtr)
        *view.CurrentRecordPtr = o.record;
    if (o.degree > 0)
        view.Aggregation = o.degree;
    if (o.totals)
        view.PlotTotalLine = 1;
    for (std::size_t k = 0; k < o.results.size(); ++k)
        if (o.results[k] >= 0)
            view.PanelResultIndex[k] = static_cast<std::uint8_t>(o.results[k]);
    if (std::any_of(o.blockStats.begin(), o.blockStats.end(), [](std::int32_t s) { return s != 0; }))
        view.BlockResultSwitches = o.blockStats;
    if (o.markerA >= 0) {
        // One marker is a block of its one record, as the block dialog takes it.
        const long b = o.markerB >= 0 ? o.markerB : o.markerA;
        view.MarkState = 2;
        view.MarkedRange = {static_cast<std::int32_t>(std::min(o.markerA, b)),
                            static_cast<std::int32_t>(std::max(o.markerA, b))};
    }
    if (o.multiRows > 0)
        view.MultiElement = 1;
}

void ApplyMultiChoice(const ViewOptions& o, PlotData& data)
{
    if (o.multiRows <= 0)
        return;
    data.Grid.Rows = o.multiRows;
    data.Grid.FirstRecord = static_cast<std::uint32_t>(o.multiFirst);
    data.Grid.LastRecord = static_cast<std::uint32_t>(o.multiLast);
}

} // namespace orlu::tools
