#include "presentation/remote/RemotePageModel.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace orlu {

int LeadingInt(std::string_view text)
{
    const std::string s(text);
    const long value = std::strtol(s.c_str(), nullptr, 10);
    return static_cast<int>(std::clamp<long>(value, INT_MIN, INT_MAX));
}

double LeadingNumber(std::string_view text)
{
    const std::string s(text);
    const double value = std::strtod(s.c_str(), nullptr);
    return std::isfinite(value) ? value : 0.0;
}

std::string TriggerLevelText(double value)
{
    const long long tenths = std::llround(value * 10.0);
    const long long magnitude = tenths < 0 ? -tenths : tenths;
    return (tenths < 0 ? "-" : "") + std::to_string(magnitude / 10) + "." + std::to_string(magnitude % 10);
}

bool RemotePageModel::OnOK()
{
    Commit();
    return true;
}

bool RemotePageModel::Store(Setting setting, int value)
{
    const SettingOutcome outcome = m_Working.Set(setting, value);
    if (!outcome)
        Tell(outcome.message);
    return outcome.Accepted();
}

void RemotePageModel::Tell(std::string_view text)
{
    m_Ui.ShowMessage(text, kMessageCaption, MessageButtons::Ok, MessageIcon::Warning);
}

std::string RemotePageModel::ListLine(int id, std::string_view label, const ListState& list)
{
    std::string line = std::to_string(id) + " " + std::string(label) + ":";
    for (std::size_t i = 0; i < list.entries.size(); ++i) {
        const bool selected = static_cast<int>(i) == list.selection;
        line += (i ? ", " : " ") + std::string(selected ? "[" : "") + list.entries[i] + (selected ? "]" : "");
    }
    if (list.selection < 0)
        line += " (none selected)";
    if (!list.enabled)
        line += " (disabled)";
    return line;
}

std::string RemotePageModel::EditLine(int id, std::string_view label, const EditState& edit, bool enabled)
{
    return std::to_string(id) + " " + std::string(label) + ": \"" + edit.text + "\"" + (enabled ? "" : " (disabled)");
}

std::string RemotePageModel::CheckLine(int id, std::string_view label, bool checked, bool enabled)
{
    return std::to_string(id) + " " + std::string(label) + ": " + (checked ? "checked" : "unchecked") +
           (enabled ? "" : " (disabled)");
}

} // namespace orlu
