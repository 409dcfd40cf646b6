#include "OptionDialogScripts.h"

#include "presentation/view/DialogExchange.h"

#include <cstdio>
#include <utility>
#include <vector>

namespace orlu::tools {
namespace {

using Answers = std::vector<std::pair<std::string, std::string>>;

Answers Parse(const std::string& run)
{
    Answers answers;
    std::size_t at = 0;
    while (at <= run.size()) {
        const std::size_t comma = std::min(run.find(',', at), run.size());
        const std::string item = run.substr(at, comma - at);
        if (!item.empty()) {
            const std::size_t eq = item.find('=');
            answers.emplace_back(item.substr(0, eq), eq == std::string::npos ? "" : item.substr(eq + 1));
        }
        at = comma + 1;
    }
    return answers;
}

void Refused(const std::string& key, const std::string& message)
{
    std::fprintf(stderr, "orlu-dump: %s: %s\n", key.c_str(), message.c_str());
}

template <typename T, typename Target>
bool Take(const std::string& key, const Exchanged<T>& e, Target& target)
{
    if (!e.Taken()) {
        Refused(key, e.refusal);
        return false;
    }
    target = static_cast<Target>(e.value);
    return true;
}

bool Flag(const std::string& value) { return value != "0"; }

bool TakeLevels(const std::string& value, StatLevels& levels)
{
    StatLevels read{};
    std::size_t at = 0;
    for (std::size_t i = 0; i < read.size(); ++i) {
        const std::size_t colon = std::min(value.find(':', at), value.size());
        if (!Take("levels", ExchangeByte(value.substr(at, colon - at), 1, 99), read[i]))
            return false;
        at = colon + 1;
    }
    levels = read;
    return true;
}

void Unknown(const std::string& key) { std::fprintf(stderr, "orlu-dump: the dialog has no box '%s'\n", key.c_str()); }

} // namespace

std::string ScriptedOptionDialogs::NextRun()
{
    if (m_Runs.empty())
        return "cancel";
    std::string run = m_Runs.front();
    m_Runs.pop_front();
    return run;
}

void ScriptedOptionDialogs::RunGraphOptions(GraphOptionsModel& d)
{
    bool cancel = false;
    for (const auto& [key, value] : Parse(NextRun())) {
        if (key == "cancel") cancel = true;
        else if (key == "defaults") d.Defaults();
        else if (key == "multi") Flag(value) ? d.ChooseMulti() : d.ChooseSingle();
        else if (key == "zoom") Take(key, ExchangeByte(value, 1, 16), d.PrintZoom);
        else if (key == "cursor") d.SetCursor(Flag(value));
        else if (key == "totals") d.SetTotals(Flag(value));
        else if (key == "solid") d.SetSolidBars(Flag(value));
        else if (key == "noauto") d.NoAutoScaleCheck = Flag(value);
        else if (key == "useall") d.UseAll = Flag(value);
        else if (key == "levels") TakeLevels(value, d.Levels);
        else if (key == "fgrid") Take(key, ExchangeByte(value), d.Multi.freqGrid);
        else if (key == "tgrid") Take(key, ExchangeByte(value), d.Multi.timeGrid);
        else if (key == "fvis") d.Multi.displayFlags[1] = Flag(value);
        else if (key == "tvis") d.Multi.displayFlags[2] = Flag(value);
        else if (key == "begin") Take(key, ExchangeNumber(value), d.Multi.freqBegin);
        else if (key == "end") Take(key, ExchangeNumber(value), d.Multi.freqEnd);
        else if (key == "first") Take(key, ExchangeInteger(value), d.Multi.firstSpectrum);
        else if (key == "last") Take(key, ExchangeInteger(value), d.Multi.lastSpectrum);
        else Unknown(key);
    }
    cancel ? d.Cancel() : d.Ok();
}

void ScriptedOptionDialogs::RunRtGraphOptions(RtGraphOptionsModel& d)
{
    for (const auto& [key, value] : Parse(NextRun())) {
        int method = 0;
        if (key == "cancel") return;
        if (key == "defaults") d.Defaults();
        else if (key == "aid" && Take(key, ExchangeInteger(value, 1, 4), method)) d.ChooseMethod(method);
        else if (key == "zoom") Take(key, ExchangeByte(value, 1, 16), d.PrintZoom);
        else if (key == "noauto") d.NoAutoScaleCheck = Flag(value);
        else if (key == "start") d.StartWithTotalCheck = Flag(value);
        else if (key == "t0") d.ManualT0Check = Flag(value);
        else if (key != "aid") Unknown(key);
    }
}

void ScriptedOptionDialogs::RunTableOptions(TableOptionsModel& d)
{
    for (const auto& [key, value] : Parse(NextRun())) {
        if (key == "cancel") {
            d.Cancel();
            return;
        }
        if (key == "defaults") d.Defaults(m_Settings.DispPitchSize, m_Settings.PrintPitchSize);
        else if (key == "dec") Take(key, ExchangeInteger(value, 0, 1), d.DecimalIndex);
        else if (key == "sep") Take(key, ExchangeInteger(value, 0, 6), d.SeparatorIndex);
        else if (key == "sci" && d.ScientificEnabled) d.Scientific = Flag(value);
        else if (key == "multi" && d.ElementChoiceEnabled) d.ChooseMulti(Flag(value));
        else if (key == "pitch") Take(key, ExchangeByte(value, 1, 48), d.DisplayPitch);
        else if (key == "print") Take(key, ExchangeByte(value, 1, 48), d.PrintPitch);
        else if (key == "useall" && d.UseAllEnabled) d.UseAll = Flag(value);
        else if (key == "levels" && d.LevelsEnabled) TakeLevels(value, d.Levels);
        else if (key != "sci" && key != "multi" && key != "useall" && key != "levels") Unknown(key);
        else std::fprintf(stderr, "orlu-dump: '%s' is disabled in this dialog\n", key.c_str());
    }
}

void ScriptedOptionDialogs::RunTextOptions(TextOptionsAnswer& d)
{
    const StatLevels preset = d.Levels;
    for (const auto& [key, value] : Parse(NextRun())) {
        if (key == "cancel") {
            d.Levels = preset; // the levels dialog restores its levels
            return;
        }
        if (key == "pitch") Take(key, ExchangeByte(value, 1, 48), d.DisplayPitch);
        else if (key == "print") Take(key, ExchangeByte(value, 1, 48), d.PrintPitch);
        else if (key == "margin") Take(key, ExchangeByte(value), d.TextMargin);
        else if (key == "multi" && d.ElementChoiceEnabled) {
            d.MultiCheck = Flag(value);
            d.SingleCheck = !d.MultiCheck;
        } else if (key == "useall" && d.UseAllEnabled) d.UseAll = Flag(value);
        else if (key == "levels" && d.LevelsEnabled) TakeLevels(value, d.Levels);
        else Unknown(key);
    }
}

void ScriptedOptionDialogs::RunCommaConflict()
{
    std::printf("Comma used as 'decimal point'\nand colums separator!\nOne of these must be changed.\n");
}

void ScriptedOptionDialogs::RunMoreOptions(MoreOptionsModel& d)
{
    std::int32_t value = 0;
    for (const auto& [key, text] : Parse(m_More)) {
        if (key == "cancel") {
            d.Cancel();
            return;
        }
        if (key == "width" && Take(key, ExchangeInteger(text), value)) d.Budget.WidthLeft(value);
        else if (key == "count" && Take(key, ExchangeInteger(text), value)) d.Budget.CountLeft(value);
        else if (key == "aggr" && Take(key, ExchangeInteger(text), value)) d.Budget.AggregationLeft(value);
        else if (key == "circles") d.CirclesCheck = Flag(text);
        else if (key == "radius") {
            if (Take(key, ExchangeInteger(text, 1, 3), value))
                d.CircleRadiusIndex = value - 1;
        }
        else if (key == "step") Take(key, ExchangeUnsigned(text, 0, 100), d.CircleMinStep);
        else if (key == "solid") d.SetSolidBars(Flag(text));
        else if (key != "width" && key != "count" && key != "aggr" && key != "radius") Unknown(key);
    }
    d.Ok();
}

} // namespace orlu::tools
