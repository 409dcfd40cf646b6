#include "presentation/view/GraphOptionsModel.h"

namespace orlu {

void GraphOptionsModel::SetLevelsKeepBackup(const StatLevels& levels)
{
    Levels = levels;
    SavedLevels = levels;
}

void GraphOptionsModel::ChooseMulti()
{
    if (SingleCheck)
        SavedCursor = CursorCheck;
    SingleCheck = 0;
    MultiCheck = 1;
    CursorCheck = 0;
    TotalsCheck = SavedTotals;
    SolidBarsCheck = 0;
}

void GraphOptionsModel::ChooseSingle()
{
    SingleCheck = 1;
    MultiCheck = 0;
    CursorCheck = SavedCursor;
    TotalsCheck = 1;
    SolidBarsCheck = SolidBarsOffered && SavedSolidBars;
}

void GraphOptionsModel::Defaults()
{
    SingleCheck = 1;
    MultiCheck = 0;
    CursorCheck = 1;
    TotalsCheck = 1;
    SolidBarsCheck = SolidBarsOffered != 0;
    if (m_Levels) {
        Levels = kDefaultStatLevels;
    } else {
        DateCheck = 0;
        CursorFormatIndex = 0;
        TimeDomainIndex = 0;
    }
}

void GraphOptionsModel::SetCursor(bool on) { CursorCheck = SavedCursor = on; }
void GraphOptionsModel::SetTotals(bool on) { TotalsCheck = SavedTotals = on; }
void GraphOptionsModel::SetSolidBars(bool on) { SolidBarsCheck = SavedSolidBars = on; }
void GraphOptionsModel::SetDate(bool on) { DateCheck = SavedDate = on; }

void GraphOptionsModel::Cancel()
{
    if (m_Levels)
        Levels = SavedLevels;
    Cancelled = 1;
}

} // namespace orlu
