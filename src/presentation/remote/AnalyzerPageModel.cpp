#include "presentation/remote/AnalyzerPageModel.h"

#include <algorithm>
#include <cmath>

namespace orlu {

namespace {

constexpr int kOctaveBand = 15;

} // namespace

const std::vector<std::string>& BandNames(bool eVersion)
{
    // The top band of the A version is 1.5625 Hz x 2^15.
    static const std::vector<std::string> a{"1.5625 Hz", "3.125 Hz", "6.25 Hz", "12.5 Hz",  "25 Hz",    "50 Hz",
                                            "100 Hz",    "200 Hz",   "400 Hz",  "800 Hz",   "1.6 kHz",  "3.2 kHz",
                                            "6.4 kHz",   "12.8 kHz", "25.6 kHz", "51.2 kHz"};
    static const std::vector<std::string> e{"1.38 Hz",  "2.76 Hz",  "5.52 Hz",  "11.0 Hz",  "22.1 Hz",  "44.2 Hz",
                                            "88.4 Hz",  "177 Hz",   "354 Hz",   "707 Hz",   "1.41 kHz", "2.83 kHz",
                                            "5.66 kHz", "11.3 kHz", "22.6 kHz", "45.3 kHz"};
    return eVersion ? e : a;
}

AnalyzerPageModel::AnalyzerPageModel(CControlSett& working, CControlSett& committed, UserInteraction& ui)
    : RemotePageModel(working, committed, ui)
{
    function.Fill({"Time", "Spectrum", "1/1 Octave", "1/3 Octave"});
    record.Fill({"Continuous", "Single"});
    window.Fill({"User", "Hanning", "Rectangle", "Flat Top", "Kaiser-Bessel"});
    averaging.Fill({"Fast HM", "Fast LIN", "Off", "Linear", "Exponent", "Hold Max"});
    rmsAveraging.Fill({"Linear", "Impulse", "Fast", "Slow"});
    deltaIntegr.Fill({"1/2 s", "1/4 s", "1/8 s", "1/16 s", "1/32 s", "1/64 s", "1/128 s"});
    trigger.Fill({"Free Run", "Int +", "Int -", "External"});
    input.Fill({"Reference", "Microphone", "Direct", "Charge", "Accelerometer", "OR06"});
    filter.Fill({"Lin", "A", "C", "HP"});
    level.limit = delay.limit = 5;
}

void AnalyzerPageModel::UpdateControls()
{
    eVersion = m_Working.Get(Setting::UnitVersion) != 0;
    input.Select(m_Working.Get(Setting::AnInput) - 1);
    if (!SelectInput(input.selection))
        return;
    function.Select(m_Working.Get(Setting::AnFunction) - 1);
    if (!SelectFunction(function.selection))
        return;
    range.Select(m_Working.Get(Setting::AnRange) - 1);
    if (!SelectEntry(range, Setting::AnRange, range.selection))
        return;
    if (!OctaveSelected())
        band.Select(m_Working.Get(Setting::Band) - 1);
    if (!SelectBand(band.selection))
        return;
    if (eVersion)
        sLines.Fill({"120 (256)", "240 (512)", "480 (1024)", "960 (2048)", "1920 (4096)"});
    else
        sLines.Fill({"100 (256)", "200 (512)", "400 (1024)", "800 (2048)", "1600 (4096)"});
    sLines.Select(m_Working.Get(Setting::SLines) - 1);
    record.Select(m_Working.Get(Setting::Record) - 1);
    window.Select(m_Working.Get(Setting::Window) - 1);
    averaging.Select(m_Working.Get(Setting::Averaging) - 1);
    averagingNumber.Put(std::to_string(m_Working.Get(Setting::AveragingNumber)));
    // The A version's unit fixes both; this overrides the function's enabling until the function changes.
    rmsAveraging.enabled = deltaIntegr.enabled = eVersion;
    rmsAveraging.Select(m_Working.Get(Setting::AnRmsAveraging) - 1);
    deltaIntegr.Select(m_Working.Get(Setting::AnDeltaIntegr) - 1);
    filter.Select(m_Working.Get(Setting::AnFilter) - 1);
    trigger.Select(m_Working.Get(Setting::Trigger) - 1);
    level.Put(TriggerLevelText(m_Working.Get(Setting::TriggerLevel) / 10.0));
    delay.Put(std::to_string(m_Working.Get(Setting::TriggerDelay)));
    zoom = m_Working.Get(Setting::Zoom) != 0;
    const std::vector<std::string>& bands = BandNames(eVersion);
    cFreq.Fill(std::vector<std::string>(bands.begin() + 1, bands.begin() + 14));
    // The list holds bands 2..14, so band CFreq is entry CFreq - 2.
    cFreq.Select(m_Working.Get(Setting::CFreq) - 2);
}

bool AnalyzerPageModel::SelectInput(int index)
{
    modified = true;
    input.Select(index);
    if (!Store(Setting::AnInput, index + 1))
        return false;
    const bool vibration = index >= 3;
    const int lowest = (vibration ? 120 : 80) - (eVersion ? 10 : 0);
    std::vector<std::string> ranges;
    for (int i = 0; i < 4; ++i)
        ranges.push_back(std::to_string(lowest + 20 * i) + " dB");
    range.Fill(std::move(ranges));
    range.Select(m_Working.Get(Setting::AnRange) - 1);
    return true;
}

bool AnalyzerPageModel::SelectFunction(int index)
{
    modified = true;
    function.Select(index);
    if (!Store(Setting::AnFunction, index + 1))
        return false;
    const std::vector<std::string>& bands = BandNames(eVersion);
    const bool octave = OctaveSelected();
    if (octave) {
        band.Fill({bands[kOctaveBand - 1]});
        band.Select(0);
    } else {
        band.Fill(bands);
        band.Select(m_Working.Get(Setting::Band) - 1);
    }
    const int lowest = octave ? 1 : 2;
    const int highest = octave ? 3599 : 2048;
    averagingNumber.Put(std::to_string(std::clamp(LeadingInt(averagingNumber.text), lowest, highest)));
    deltaIntegr.enabled = eVersion && octave;
    return true;
}

bool AnalyzerPageModel::SelectBand(int index)
{
    modified = true;
    band.Select(index);
    return Store(Setting::Band, OctaveSelected() ? kOctaveBand : index + 1);
}

bool AnalyzerPageModel::SelectCFreq(int index)
{
    modified = true;
    cFreq.Select(index);
    return Store(Setting::CFreq, index + 2);
}

bool AnalyzerPageModel::SelectEntry(ListState& list, Setting setting, int index)
{
    modified = true;
    list.Select(index);
    return Store(setting, index + 1);
}

bool AnalyzerPageModel::ClickZoom(bool checked)
{
    modified = true;
    zoom = checked;
    return Store(Setting::Zoom, checked ? 1 : 0);
}

bool AnalyzerPageModel::Refuse(EditState& edit, std::string_view message)
{
    Tell(message);
    edit.Undo();
    return false;
}

bool AnalyzerPageModel::ValidateAveragingNumber()
{
    const int n = LeadingInt(averagingNumber.text);
    if (function.selection == 0 || function.selection == 1) {
        if (n < 2 || n > 2048)
            return Refuse(averagingNumber, "You must type value between [2 .. 2048]");
    } else if (n < 1 || n > 3599) {
        return Refuse(averagingNumber, "You must type value between [1 .. 3599]");
    }
    return true;
}

bool AnalyzerPageModel::ValidateTriggerLevel()
{
    const double value = LeadingNumber(level.text);
    if (value < -99.9 || value > 99.9)
        return Refuse(level, "You must type value between [-99.9 .. +99.9]");
    level.Put(TriggerLevelText(value));
    return true;
}

bool AnalyzerPageModel::ValidateTriggerDelay()
{
    const int value = LeadingInt(delay.text);
    if (value < -4095 || value > 4096)
        return Refuse(delay, "You must type value between [-4095 .. +4096]");
    delay.Put(std::to_string(value));
    return true;
}

int AnalyzerPageModel::LevelTenths() const
{
    return static_cast<int>(std::lround(LeadingNumber(level.text) * 10.0));
}

bool AnalyzerPageModel::LeaveAveragingNumber()
{
    modified = true;
    return ValidateAveragingNumber() && Store(Setting::AveragingNumber, LeadingInt(averagingNumber.text));
}

bool AnalyzerPageModel::LeaveTriggerLevel()
{
    modified = true;
    return ValidateTriggerLevel() && Store(Setting::TriggerLevel, LevelTenths());
}

bool AnalyzerPageModel::LeaveTriggerDelay()
{
    modified = true;
    return ValidateTriggerDelay() && Store(Setting::TriggerDelay, LeadingInt(delay.text));
}

bool AnalyzerPageModel::OnOK()
{
    return Store(Setting::TriggerLevel, LevelTenths()) && Store(Setting::TriggerDelay, LeadingInt(delay.text)) &&
           Store(Setting::AveragingNumber, LeadingInt(averagingNumber.text)) && RemotePageModel::OnOK();
}

bool AnalyzerPageModel::OnKillActive()
{
    return ValidateAveragingNumber() && ValidateTriggerLevel() && ValidateTriggerDelay();
}

bool AnalyzerPageModel::OnApply()
{
    return OnKillActive() && OnOK();
}

std::vector<std::string> AnalyzerPageModel::Describe() const
{
    return {ListLine(1002, "Function", function),
            ListLine(1004, "S.Lines(sampl.)", sLines),
            ListLine(1005, "Record", record),
            ListLine(1006, "Window", window),
            ListLine(1007, "Averaging", averaging),
            EditLine(1021, "Averag. No.", averagingNumber),
            ListLine(1001, "RMS Averag.", rmsAveraging),
            ListLine(1003, "Delta integr.", deltaIntegr),
            ListLine(1014, "Trigger", trigger),
            EditLine(1015, "Level", level) + " %",
            EditLine(1017, "Delay", delay),
            ListLine(1011, "Input", input),
            ListLine(1012, "Range", range),
            ListLine(1010, "Band", band),
            ListLine(1013, "Filter", filter),
            CheckLine(1018, "Zoom", zoom),
            ListLine(1020, "C.Freq.", cFreq)};
}

} // namespace orlu
