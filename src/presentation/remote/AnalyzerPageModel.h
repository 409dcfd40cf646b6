#pragma once
// The Analyzer Mode page: the input decides the range list, the function the
// band list and the limits of the averaging number, and the version the dB
// ranges, the band frequencies, the spectrum lines and whether RMS averaging
// and delta integration can be changed.

#include "presentation/remote/RemotePageModel.h"

namespace orlu {

/// The band names of a version (entry k - 1 is band k).
const std::vector<std::string>& BandNames(bool eVersion);

class AnalyzerPageModel final : public RemotePageModel {
public:
    AnalyzerPageModel(CControlSett& working, CControlSett& committed, UserInteraction& ui);

    void UpdateControls() override;
    bool OnOK() override;
    bool OnApply() override;
    bool OnKillActive() override;
    std::vector<std::string> Describe() const override;

    bool SelectInput(int index);        // 1011
    bool SelectFunction(int index);     // 1002
    bool SelectBand(int index);         // 1010
    bool SelectCFreq(int index);        // 1020
    /// 1004, 1005, 1006, 1007, 1001, 1003, 1014, 1012, 1013: the setting's entry.
    bool SelectEntry(ListState& list, Setting setting, int index);
    bool ClickZoom(bool checked);       // 1018
    bool LeaveAveragingNumber();        // 1021
    bool LeaveTriggerLevel();           // 1015
    bool LeaveTriggerDelay();           // 1017

    bool ValidateAveragingNumber();
    bool ValidateTriggerLevel();
    bool ValidateTriggerDelay();

    ListState rmsAveraging;
    ListState deltaIntegr;
    ListState cFreq;
    ListState trigger;
    ListState filter;
    ListState band;
    ListState range;
    ListState input;
    EditState averagingNumber;
    ListState averaging;
    ListState window;
    ListState record;
    ListState sLines;
    ListState function;
    EditState delay;
    EditState level;
    bool zoom = false;
    bool eVersion = false; ///< the record's version at the last refresh

private:
    bool OctaveSelected() const { return function.selection == 2 || function.selection == 3; }
    bool Refuse(EditState& edit, std::string_view message);
    int LevelTenths() const;
};

} // namespace orlu
