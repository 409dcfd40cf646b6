#pragma once
// orlu-dump's answers to the option dialogs of a measurement view:
//   --view-options "k=v,...[;k=v,...]"  one run of the View options dialog per
//       ';' part (the table dialogs come back while comma is both decimal point
//       and separator). Keys: dec, sep, sci, multi, useall, levels=a:b:..,
//       pitch, print, margin, zoom, cursor, totals, noauto, fgrid, tgrid, fvis,
//       tvis, begin, end, first, last, aid, start, t0, defaults, cancel.
//       A graph dialog ends with OK unless cancel is given; a run with no
//       part left is cancelled.
//   --more-options "width=..,count=..,aggr=..,circles=..,radius=..,step=..,solid=..,cancel"
// A value the dialog refuses is reported with the dialog's message and not taken.

#include "presentation/AppSettings.h"
#include "presentation/view/MoreOptionsCommand.h"
#include "presentation/view/ViewOptionsCommand.h"

#include <deque>
#include <string>

namespace orlu::tools {

class ScriptedOptionDialogs : public ViewOptionsDialogs, public MoreOptionsDialogs {
public:
    ScriptedOptionDialogs(std::deque<std::string> viewRuns, std::string more, const AppSettings& settings)
        : m_Runs(std::move(viewRuns)), m_More(std::move(more)), m_Settings(settings)
    {
    }

    void RunGraphOptions(GraphOptionsModel& dialog) override;
    void RunRtGraphOptions(RtGraphOptionsModel& dialog) override;
    void RunTableOptions(TableOptionsModel& dialog) override;
    void RunTextOptions(TextOptionsAnswer& dialog) override;
    void RunCommaConflict() override;
    void RunMoreOptions(MoreOptionsModel& dialog) override;

private:
    std::string NextRun();

    std::deque<std::string> m_Runs;
    std::string m_More;
    const AppSettings& m_Settings;
};

} // namespace orlu::tools
