#pragma once
// Runs the build of a long form (FormRendererRegistry::RegisterLongForm). The
// form builders run it in place under the wait cursor unless given another
// runner: the desktop program's runs it on a worker thread behind a progress
// dialog with Cancel, so the window never freezes on a large file.

#include "platform/ProgressState.h"
#include "platform/UserInteraction.h"

#include <functional>
#include <string_view>

namespace orlu {

class LongFormRunner {
public:
    virtual ~LongFormRunner() = default;

    /// The work: it writes its lines, shows messages through the given port
    /// (the runner's stand-in when off the GUI thread) and checks the progress
    /// state, which throws OperationCancelled once a stop is asked.
    using Build = std::function<void(UserInteraction& ui, ProgressState& progress)>;

    /// Runs `build` to its end, `label` saying what is being built. True when
    /// it ended, false when it was cancelled; either way nothing is left
    /// running, and its messages have reached `ui`.
    virtual bool Run(std::string_view label, const Build& build, UserInteraction& ui) = 0;
};

/// The runner of headless callers: the build runs on the caller's thread.
class InPlaceFormRunner : public LongFormRunner {
public:
    bool Run(std::string_view, const Build& build, UserInteraction& ui) override
    {
        WaitCursor wait(ui);
        ProgressState progress;
        try {
            build(ui, progress);
        } catch (const OperationCancelled&) {
            return false;
        }
        return true;
    }
};

} // namespace orlu
