#pragma once
// orlu-dump's switches that run the view's controllers headless before the
// form is printed, in the order given:
//   --cmd ID[+shift|+ctrl|+alt],...   menu and toolbar commands (32805 Next, 32801 Plot,
//                                     32811 channel 1, 32823 units, 32852 zoom minus ...)
//   --keys K,...                      N, P, Enter, Esc, +, -, *, Up, Down, Left, Right, Home,
//                                     End, PgUp, PgDn, each with +shift or +ctrl
//   --click X,Y                       the left button pressed and released at X,Y
//   --answers A,...                   what the dialogs answer, in turn:
//       spectra functions: a1..a5, b1..b5 (channel buttons), f1..f10 (functions),
//         form0..form3, one (the one-spectrum box), now (accept at once), then ok or cancel;
//       block operations: 0 (Esc) or 1..5, or 6 followed by the draw dialog's
//         box clicks (rms, max, min, sel) and ok or cancel (cancel returns to the block dialog).
//     Without answers a dialog is cancelled (the block dialog with Esc).
//   --state                           Name=value lines of the view's state after the run
//   --view-options, --more-options    run the option commands with these answers (OptionDialogScripts.h)
//   --save-new FILE.orl               stores the document a command made (Extract single file,
//                                     Extract Buffer) in FILE.orl, as File Save As would
//   --device-selector N               the instrument chosen in the Orlu menu (1..16), which the
//                                     Upload command (32830) reads; the program sends through the
//                                     link, here the command says whether it is offered

#include "presentation/AppSettings.h"
#include "presentation/view/FormBuilder.h"
#include "presentation/view/MeasurementViewState.h"

#include <deque>
#include <string>
#include <vector>

namespace orlu {
class CTmDoc;
}

namespace orlu::tools {

struct ControlStep {
    enum class Kind : std::uint8_t { Command, Key, Click } kind = Kind::Command;
    int id = 0;         ///< command id, or the key (ViewKey)
    int x = 0;
    int y = 0;
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

struct ControlScript {
    std::vector<ControlStep> steps;
    std::deque<std::string> answers;
    std::deque<std::string> viewOptionRuns; ///< --view-options, one part per run of the dialog
    std::string moreOptions;                ///< --more-options
    std::string saveNew;                    ///< --save-new: where the document a command made goes
    int deviceSelector = 0;                 ///< --device-selector; 0 keeps the settings' choice
    bool state = false;
    bool Any() const { return !steps.empty() || state; }
};

/// Reads the option at argv[i] (and its value, advancing i). 1: read; 0: not one of these;
/// -1: one of these with a value it does not take.
int ReadControlOption(int argc, char** argv, int& i, ControlScript& script);

/// Runs the steps on the view. False when --save-new was given and no command
/// made a document to store, or storing it failed.
bool RunControlScript(const ControlScript& script, MeasurementViewState& view, CTmDoc& doc,
                      const FormBuilder& builder, AppSettings& settings);

} // namespace orlu::tools
