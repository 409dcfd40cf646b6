#include "presentation/remote/GeneralPageModel.h"

namespace orlu {

GeneralPageModel::GeneralPageModel(CControlSett& working, CControlSett& committed, UserInteraction& ui)
    : RemotePageModel(working, committed, ui)
{
    unitVersion.Fill({"ORLU 505 A", "ORLU 505 E / AE"});
    startStop.Fill({"Start", "Stop"});
    // The state of measurement is shown, not chosen.
    startStop.enabled = false;
    micPolarization.Fill({"OV", "200V"});
}

void GeneralPageModel::UpdateControls()
{
    unitVersion.Select(m_Working.Get(Setting::UnitVersion));
    mode.Fill({"other", "Meter", "Analyzer"});
    mode.Select(m_Working.Get(Setting::Mode));
    SelectMode(mode.selection);
    startStop.Select(m_Working.Get(Setting::StartStop) - 1);
    micPolarization.Select(m_Working.Get(Setting::MicPolarization) - 1);
    calibration = m_Working.Get(Setting::Calibration) != 0;
    soundBeep = m_Working.Get(Setting::SoundBeep) != 0;
    serialNumber = m_Working.SerialNumber();
    softwareVersion = m_Working.SoftwareVersion();
}

bool GeneralPageModel::SelectUnitVersion(int index)
{
    modified = true;
    unitVersion.Select(index);
    return Store(Setting::UnitVersion, index);
}

bool GeneralPageModel::SelectMode(int index)
{
    modified = true;
    mode.Select(index);
    // A unit switched to a mode stops measuring; the stored state stays until chosen.
    if (mode.entries.size() == 3 && (index == 1 || index == 2))
        startStop.Select(1);
    return Store(Setting::Mode, index);
}

bool GeneralPageModel::SelectStartStop(int index)
{
    modified = true;
    startStop.Select(index);
    return Store(Setting::StartStop, index + 1);
}

bool GeneralPageModel::SelectMicPolarization(int index)
{
    modified = true;
    micPolarization.Select(index);
    return Store(Setting::MicPolarization, index + 1);
}

bool GeneralPageModel::ClickCalibration(bool checked)
{
    modified = true;
    calibration = checked;
    return Store(Setting::Calibration, checked ? 1 : 0);
}

bool GeneralPageModel::ClickSoundBeep(bool checked)
{
    modified = true;
    soundBeep = checked;
    return Store(Setting::SoundBeep, checked ? 1 : 0);
}

std::vector<std::string> GeneralPageModel::Describe() const
{
    return {ListLine(1029, "Unit version", unitVersion),
            ListLine(1024, "Instrument mode", mode),
            ListLine(1027, "State of measurement", startStop),
            ListLine(1028, "Microphone polarization", micPolarization),
            CheckLine(1025, "Calibration", calibration),
            CheckLine(1026, "Sound beep", soundBeep),
            EditLine(1022, "Serial number", {serialNumber, serialNumber, 0}, false),
            EditLine(1023, "Internal software ver. number", {softwareVersion, softwareVersion, 0}, false)};
}

} // namespace orlu
