#include "presentation/remote/MeterPageModel.h"

#include <algorithm>
#include <cctype>

namespace orlu {

namespace {

/// The functions offered for each input: the first function code and the names.
struct InputFunctions {
    int firstCode;
    std::vector<std::string> names;
};

const InputFunctions& FunctionsOf(int input)
{
    static const InputFunctions reference{1, {"Ref"}};
    static const InputFunctions microphone{2, {"Spl", "Leq", "SEL", "Ssa"}};
    static const InputFunctions direct{6, {"Dsl", "Dsa"}};
    static const InputFunctions vibration{8, {"Val", "Vel", "Dil1", "Dil3"}};
    switch (input) {
    case 1:
        return reference;
    case 2:
        return microphone;
    case 3:
        return direct;
    default:
        return vibration;
    }
}

/// The lowest range in dB of a function on the A version; the four ranges
/// are 20 dB apart and the E version's lie 10 dB lower.
int LowestRange(int function)
{
    switch (function) {
    case 8:
        return 120;
    case 9:
        return 160;
    case 10:
        return 210;
    case 11:
        return 190;
    default:
        return 80;
    }
}

std::vector<std::string> FiltersOf(int function)
{
    if (function == 1 || function == 6 || function == 7)
        return {"DC", "Lin", "A", "C", "L & A", "C & A", "G", "HP", "W-Bxy", "W-Bz", "H-A", "W-Bc"};
    if (function >= 2 && function <= 5)
        return {"Lin", "A", "C", "L & A", "C & A", "G", "HP"};
    if (function == 8)
        return {"Lin", "HP", "W-Bxy", "W-Bz", "H-A", "W-Bc"};
    return {"HP"};
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           });
}

} // namespace

MeterPageModel::MeterPageModel(CControlSett& working, CControlSett& committed, UserInteraction& ui, bool eFlag)
    : RemotePageModel(working, committed, ui), m_EFlag(eFlag)
{
    input.Fill({"Reference", "Microphone", "Direct", "Charge", "Accelerometer", "OR06"});
    unit.Fill({"sec.", "min.", "hour"});
    integrationTime.limit = 2;
}

int MeterPageModel::FirstFunctionCode() const
{
    return FunctionsOf(input.selection + 1).firstCode;
}

void MeterPageModel::UpdateControls()
{
    eVersion = m_Working.Get(Setting::UnitVersion) != 0;
    input.Select(m_Working.Get(Setting::MetInput) - 1);
    if (!SelectInput(input.selection))
        return;
    function.Select(m_Working.Get(Setting::MetFunction) - FirstFunctionCode());
    if (!SelectFunction(function.selection))
        return;
    range.Select(m_Working.Get(Setting::MetRange) - 1);
    if (!SelectRange(range.selection))
        return;
    // The list's own prefix search: "C" finds "C" before "C & A"; a code in no list leaves the first entry.
    const int code = m_Working.Get(Setting::MetFilter);
    if (code >= 0 && code < static_cast<int>(kFilterCodeTable.size())) {
        const auto found = std::find_if(filter.entries.begin(), filter.entries.end(), [code](const std::string& e) {
            return StartsWithIgnoringCase(e, kFilterCodeTable[static_cast<std::size_t>(code)]);
        });
        if (found != filter.entries.end())
            filter.Select(static_cast<int>(found - filter.entries.begin()));
    }
    autoRepeat = m_Working.Get(Setting::AutoRepeat) != 0;
    if (m_EFlag)
        rmsAveraging.Fill({"Linear", "Impulse", "Fast", "Slow"});
    else
        rmsAveraging.Fill({"Linear", "Exponen."});
    rmsAveraging.Select(m_Working.Get(Setting::MetRmsAveraging) - 1);
    if (!SelectRmsAveraging(rmsAveraging.selection))
        return;
    unit.Select(m_Working.Get(Setting::IntegrationTimeUnit) - 1);
    if (!SelectUnit(unit.selection))
        return;
    integrationTime.Put(std::to_string(m_Working.Get(Setting::IntegrationTime)));
    deltaIntegr.Select(m_Working.Get(Setting::MetDeltaIntegr) - (eVersion ? 4 : 1));
    autoRange = m_Working.Get(Setting::AutoRange) != 0;
}

bool MeterPageModel::SelectInput(int index)
{
    modified = true;
    input.Select(index);
    if (!Store(Setting::MetInput, index + 1))
        return false;
    const InputFunctions& offered = FunctionsOf(index + 1);
    function.Fill(offered.names);
    const int last = offered.firstCode + static_cast<int>(offered.names.size()) - 1;
    const int current = m_Working.Get(Setting::MetFunction);
    if ((current < offered.firstCode || current > last) && !Store(Setting::MetFunction, offered.firstCode))
        return false;
    function.Select(m_Working.Get(Setting::MetFunction) - offered.firstCode);
    return SelectFunction(function.selection);
}

bool MeterPageModel::SelectFunction(int index)
{
    modified = true;
    function.Select(index);
    const int code = FirstFunctionCode() + std::max(index, 0);
    if (!Store(Setting::MetFunction, code))
        return false;
    // The new function's lists show their first entries; the stored range and filter stay until chosen.
    const int lowest = LowestRange(code) - (eVersion ? 10 : 0);
    std::vector<std::string> ranges;
    for (int i = 0; i < 4; ++i)
        ranges.push_back(std::to_string(lowest + 20 * i) + " dB");
    range.Fill(std::move(ranges));
    range.Select(0);
    filter.Fill(FiltersOf(code));
    filter.Select(0);
    return true;
}

bool MeterPageModel::SelectRange(int index)
{
    modified = true;
    range.Select(index);
    return Store(Setting::MetRange, index + 1);
}

bool MeterPageModel::SelectFilter(int index)
{
    modified = true;
    filter.Select(index);
    const std::string shown = filter.Shown();
    const auto code = std::find(kFilterCodeTable.begin(), kFilterCodeTable.end(), shown);
    if (code == kFilterCodeTable.end())
        return true;
    return Store(Setting::MetFilter, static_cast<int>(code - kFilterCodeTable.begin()));
}

bool MeterPageModel::ClickAutoRepeat(bool checked)
{
    modified = true;
    autoRepeat = checked;
    return Store(Setting::AutoRepeat, checked ? 1 : 0);
}

bool MeterPageModel::ClickAutoRange(bool checked)
{
    modified = true;
    autoRange = checked;
    return Store(Setting::AutoRange, checked ? 1 : 0);
}

void MeterPageModel::FillDeltaIntegr()
{
    if (eVersion)
        deltaIntegr.Fill({"0.01 s", "0.02 s", "0.05 s", "0.1 s", "0.2 s", "0.5 s", "1 s"});
    else if (rmsAveraging.selection == 0)
        deltaIntegr.Fill({"1/1 s", "1/8 s", "1/32 s"});
    else
        deltaIntegr.Fill({"Impulse", "Fast", "Slow"});
    deltaIntegr.Select(m_Working.Get(Setting::MetDeltaIntegr) - (eVersion ? 4 : 1));
}

bool MeterPageModel::SelectRmsAveraging(int index)
{
    modified = true;
    rmsAveraging.Select(index);
    if (!Store(Setting::MetRmsAveraging, index + 1))
        return false;
    FillDeltaIntegr();
    return true;
}

bool MeterPageModel::SelectDeltaIntegr(int index)
{
    modified = true;
    deltaIntegr.Select(index);
    return Store(Setting::MetDeltaIntegr, index + (eVersion ? 4 : 1));
}

bool MeterPageModel::SelectUnit(int index)
{
    modified = true;
    unit.Select(index);
    if (!Store(Setting::IntegrationTimeUnit, index + 1))
        return false;
    int time = std::max(LeadingInt(integrationTime.text.substr(0, 4)), 1);
    spinLowest = 1;
    spinHighest = index == 2 ? 16 : 59;
    time = std::min(time, spinHighest);
    integrationTime.Put(std::to_string(time));
    return true;
}

bool MeterPageModel::ValidateIntegrationTime()
{
    if (unit.selection < 0)
        return true;
    const int time = LeadingInt(integrationTime.text);
    const int highest = unit.selection == 2 ? 16 : 59;
    if (time >= 1 && time <= highest)
        return true;
    Tell(highest == 16 ? "You must type value between 1-16" : "You must type value between 1-59");
    integrationTime.Undo();
    return false;
}

bool MeterPageModel::LeaveIntegrationTime()
{
    modified = true;
    if (!ValidateIntegrationTime())
        return false;
    return Store(Setting::IntegrationTime, LeadingInt(integrationTime.text));
}

bool MeterPageModel::OnOK()
{
    return Store(Setting::IntegrationTime, LeadingInt(integrationTime.text)) && RemotePageModel::OnOK();
}

std::vector<std::string> MeterPageModel::Describe() const
{
    return {ListLine(1011, "Input", input),
            ListLine(1002, "Function", function),
            ListLine(1012, "Range", range),
            ListLine(1013, "Filter", filter),
            CheckLine(1003, "A.Repeat", autoRepeat),
            ListLine(1004, "RMS averag.", rmsAveraging),
            ListLine(1010, "Delta integr.", deltaIntegr),
            EditLine(1000, "Int. time", integrationTime) + " (spin " + std::to_string(spinLowest) + ".." +
                std::to_string(spinHighest) + ")",
            ListLine(1008, "Unit", unit),
            CheckLine(1014, "Auto Range", autoRange)};
}

} // namespace orlu
