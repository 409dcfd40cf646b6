#include "StatisticsDumpOptions.h"

#include "document/AppContext.h"

#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>

namespace orlu::tools {
namespace {

// A whole number in lo..hi; -1 for anything else.
int Number(const std::string& text, int lo, int hi)
{
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    return !text.empty() && *end == '\0' && value >= lo && value <= hi ? static_cast<int>(value) : -1;
}

bool ParsePercentages(const std::string& text, std::array<std::uint8_t, 10>& out)
{
    out = {};
    std::stringstream in(text);
    std::string item;
    std::size_t n = 0;
    while (std::getline(in, item, ',')) {
        const int p = Number(item, 1, 99);
        if (p < 0 || n == out.size())
            return false;
        out[n++] = static_cast<std::uint8_t>(p);
    }
    return n > 0 && text.back() != ',';
}

} // namespace

int ReadStatisticsOption(int argc, char** argv, int i, StatisticsRequest& request)
{
    const std::string_view option = argv[i];
    if (option == "--all-levels") {
        request.allLevels = true;
        return 1;
    }
    const bool known = option == "--oct" || option == "--band" || option == "--level" || option == "--percentages";
    if (!known)
        return 0;
    if (i + 1 >= argc)
        return -1;
    const std::string value = argv[i + 1];
    if (option == "--oct") {
        request.octave = value == "11" ? 11 : value == "13" ? 13 : -1;
        return request.octave < 0 ? -1 : 2;
    }
    if (option == "--band")
        return (request.band = Number(value, 1, 100)) < 0 ? -1 : 2;
    if (option == "--level")
        return (request.level = Number(value, 1, 99)) < 0 ? -1 : 2;
    std::array<std::uint8_t, 10> percentages{};
    if (!ParsePercentages(value, percentages))
        return -1;
    request.percentages = percentages;
    return 2;
}

void ApplyPercentages(const StatisticsRequest& request, AppContext& app)
{
    if (request.percentages)
        app.StatisticalPercentages = *request.percentages;
}

void ApplyStatisticsRequest(const StatisticsRequest& request, int markerA, int markerB, MeasurementViewState& view)
{
    if (request.octave != 0) {
        view.StatOctave0 = 0;
        view.StatOctave1 = request.octave == 11;
        view.StatOctave2 = request.octave == 13;
    }
    if (request.band >= 0)
        view.BandNumber = request.band;
    if (request.level >= 0)
        view.LevelsRecord = request.level;
    view.StatAllLevels = request.allLevels ? 1 : 0;
    if (markerA >= 0) {
        view.MarkState = markerB >= 0 ? 2 : 1;
        view.MarkedRange = {markerA, markerB >= 0 ? markerB : markerA};
    }
}

} // namespace orlu::tools
