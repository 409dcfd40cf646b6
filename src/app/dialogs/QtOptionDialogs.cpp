#include "app/dialogs/QtOptionDialogs.h"

#include "app/CRtGraphOptionsDlg.h"
#include "app/dialogs/CBarDisplayOptionsDlg.h"
#include "app/dialogs/CGraphFormOptionsDlg.h"
#include "app/dialogs/CStepDisplayOptionsDlg.h"
#include "app/dialogs/CTableFormOptionsDlg.h"
#include "app/dialogs/OptionDialogs.h"
#include "platform/FixedTextDialogs.h"

namespace orlu {

void QtOptionDialogs::RunGraphOptions(GraphOptionsModel& dialog)
{
    CGraphFormOptionsDlg window(dialog, m_Ui, m_Parent);
    // Closing the window is a Cancel; a runner that returns without either is one too.
    dialog.Cancelled = 1;
    m_Run(window);
}

void QtOptionDialogs::RunRtGraphOptions(RtGraphOptionsModel& dialog)
{
    CRtGraphOptionsDlg window(dialog, m_Parent);
    m_Run(window);
}

void QtOptionDialogs::RunTableOptions(TableOptionsModel& dialog)
{
    CTableFormOptionsDlg window(dialog, m_Ui, m_Settings.DispPitchSize, m_Settings.PrintPitchSize, m_Parent);
    m_Run(window);
}

// The text dialogs keep their own model of the pitch pair, elements and levels.
void QtOptionDialogs::RunTextOptions(TextOptionsAnswer& answer)
{
    const auto kind = static_cast<TextOptionsDialog>(answer.dialog);
    TextOptionsDialogModel model(kind, m_Settings);
    model.pitch = {answer.DisplayPitch, answer.PrintPitch};
    model.leftMargin = answer.TextMargin;
    model.elements = {answer.SingleCheck, answer.MultiCheck, answer.ElementChoiceEnabled};
    std::array<unsigned, 10> levels{};
    std::copy(answer.Levels.begin(), answer.Levels.end(), levels.begin());
    model.levelPanel.SetLevelsKeepBackup(levels);
    model.levelPanel.useAll = answer.UseAll;
    model.levelPanel.useAllEnabled = answer.UseAllEnabled;
    model.levelPanel.levelsEnabled = answer.LevelsEnabled;
    model.levelPanel.ascendingEnabled = answer.LevelsEnabled;
    CTextOptionsDlg window(model, m_Ui, m_Parent);
    m_Run(window);
    answer.DisplayPitch = static_cast<std::uint8_t>(model.pitch.displayPitch);
    answer.PrintPitch = static_cast<std::uint8_t>(model.pitch.printPitch);
    answer.TextMargin = static_cast<std::uint8_t>(model.leftMargin);
    answer.SingleCheck = model.elements.singleCheck;
    answer.MultiCheck = model.elements.multiCheck;
    for (std::size_t i = 0; i < answer.Levels.size(); ++i)
        answer.Levels[i] = static_cast<std::uint8_t>(model.levelPanel.levels[i]);
    answer.UseAll = model.levelPanel.useAll;
}

void QtOptionDialogs::RunCommaConflict() { ShowFixedText(m_Ui, kCommaConflictText); }

void QtOptionDialogs::RunMoreOptions(MoreOptionsModel& dialog)
{
    // Closing the window changes nothing.
    dialog.Cancel();
    if (dialog.Steps()) {
        CStepDisplayOptionsDlg window(dialog, m_Ui, m_Parent);
        m_Run(window);
    } else {
        CBarDisplayOptionsDlg window(dialog, m_Ui, m_Parent);
        m_Run(window);
    }
}

} // namespace orlu
