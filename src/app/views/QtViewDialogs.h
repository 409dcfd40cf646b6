#pragma once
// The dialogs the measurement view's controllers open, as windows: the
// spectra functions, the block operations with "Draw in the block", and the
// channels of a table. Each runs through the program's dialog runner, so a
// test can answer it through its widgets; a dialog the runner leaves open
// counts as cancelled. More options has dialogs of its own (MoreOptionsDialogs).

#include "presentation/view/ViewController.h"

#include <functional>

class QDialog;
class QWidget;

namespace orlu {

class CTmApp;
class CTmView;

class QtViewDialogs : public CancelDialogs {
public:
    using DialogRunner = std::function<int(QDialog&)>;

    QtViewDialogs(const CTmDoc& doc, QWidget* parent, DialogRunner run);

    void RunSpectraFunctions(SpectraFunctionsModel& dialog) override;
    void RunBlockOperations(BlockOperationsModel& dialog) override;
    std::optional<std::uint16_t> RunTableChannels(std::uint16_t offered, std::uint16_t selected) override;

private:
    const CTmDoc& m_Doc;
    QWidget* m_Parent;
    DialogRunner m_Run;
};

/// Gives the view its dialogs through the program's runner and the Tools
/// command "Spectra functions..." that opens the first of them.
void RegisterViewDialogs(CTmView& view, CTmApp& app);

} // namespace orlu
