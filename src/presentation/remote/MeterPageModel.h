#pragma once
// The Meter Mode page: the input decides the functions offered, the function
// the range and filter lists, the version and the RMS averaging the delta
// integration list, and the time unit the limits of the integration time.

#include "presentation/remote/RemotePageModel.h"

namespace orlu {

class MeterPageModel final : public RemotePageModel {
public:
    /// eFlag: the E flag of the last instrument contact, which decides the RMS averaging list.
    MeterPageModel(CControlSett& working, CControlSett& committed, UserInteraction& ui, bool eFlag);

    void UpdateControls() override;
    bool OnOK() override;
    bool OnKillActive() override { return ValidateIntegrationTime(); }
    std::vector<std::string> Describe() const override;

    bool SelectInput(int index);            // 1011
    bool SelectFunction(int index);         // 1002
    bool SelectRange(int index);            // 1012
    bool SelectFilter(int index);           // 1013
    bool ClickAutoRepeat(bool checked);     // 1003
    bool ClickAutoRange(bool checked);      // 1014
    bool SelectRmsAveraging(int index);     // 1004
    bool SelectDeltaIntegr(int index);      // 1010
    bool SelectUnit(int index);             // 1008
    /// 1000 losing the focus: the typed time is checked and stored.
    bool LeaveIntegrationTime();
    /// Accepts the time in the edit for the selected unit, or shows the limits,
    /// undoes the last change and returns false.
    bool ValidateIntegrationTime();

    ListState function;
    ListState rmsAveraging;
    ListState unit;
    ListState deltaIntegr;
    ListState input;
    ListState range;
    ListState filter;
    EditState integrationTime;
    int spinLowest = 1;
    int spinHighest = 59;
    bool autoRepeat = false;
    bool autoRange = false;
    bool eVersion = false; ///< the record's version at the last refresh

private:
    int FirstFunctionCode() const;
    void FillDeltaIntegr();

    bool m_EFlag;
};

} // namespace orlu
