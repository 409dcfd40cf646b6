#include "ViewChoiceOptions.h"

#include <algorithm>
#include <charconv>
#include <vector>

namespace orlu::tools {
namespace {

bool Whole(const std::string& text, int& out)
{
    const char* end = text.data() + text.size();
    const auto [p, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && p == end && out >= 0;
}

std::vector<std::string> Split(const std::string& text)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t comma; (comma = text.find(',', start)) != std::string::npos; start = comma + 1)
        parts.push_back(text.substr(start, comma - start));
    parts.push_back(text.substr(start));
    return parts;
}

} // namespace

bool ParseRecordChoice(const std::string& text, ViewChoices& choices)
{
    return Whole(text, choices.record) && choices.record >= 1;
}

bool ParseMultiChoice(const std::string& text, ViewChoices& choices)
{
    const std::vector<std::string> parts = Split(text);
    return parts.size() == 3 && Whole(parts[0], choices.multiRows) && Whole(parts[1], choices.multiFirst) &&
           Whole(parts[2], choices.multiLast) && choices.multiRows >= 1 && choices.multiFirst >= 1 &&
           choices.multiLast > choices.multiFirst;
}

void ApplyViewChoices(const ViewChoices& choices, MeasurementViewState& view)
{
    if (choices.record >= 0 && view.CurrentRecordPtr)
        *view.CurrentRecordPtr = choices.record;
    if (choices.markerA >= 0 && choices.markerB >= 0) {
        view.MarkState = 2;
        view.MarkedRange = {std::min(choices.markerA, choices.markerB), std::max(choices.markerA, choices.markerB)};
    }
    if (choices.multiRows > 0)
        view.MultiElement = 1;
}

void ApplyMultiChoice(const ViewChoices& choices, PlotData& data)
{
    if (choices.multiRows <= 0)
        return;
    data.Grid.Rows = choices.multiRows;
    data.Grid.FirstRecord = static_cast<std::uint32_t>(choices.multiFirst);
    data.Grid.LastRecord = static_cast<std::uint32_t>(choices.multiLast);
}

} // namespace orlu::tools
