#pragma once
// The General page: instrument version and mode, state of measurement,
// microphone polarization, calibration and sound beep, and the serial number
// and software version the instrument reported.

#include "presentation/remote/RemotePageModel.h"

namespace orlu {

class GeneralPageModel final : public RemotePageModel {
public:
    GeneralPageModel(CControlSett& working, CControlSett& committed, UserInteraction& ui);

    void UpdateControls() override;
    std::vector<std::string> Describe() const override;

    bool SelectUnitVersion(int index);      // 1029
    bool SelectMode(int index);             // 1024
    bool SelectStartStop(int index);        // 1027
    bool SelectMicPolarization(int index);  // 1028
    bool ClickCalibration(bool checked);    // 1025
    bool ClickSoundBeep(bool checked);      // 1026

    ListState unitVersion;
    ListState mode;
    ListState startStop;
    ListState micPolarization;
    bool calibration = false;
    bool soundBeep = false;
    std::string serialNumber;
    std::string softwareVersion;
};

} // namespace orlu
