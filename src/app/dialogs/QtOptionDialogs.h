#pragma once
// The option dialogs of a measurement view on screen: the View options and
// More options commands run their Qt-free models through this port, which
// shows the dialog that fits each model and runs it with the program's
// dialog runner.

#include "presentation/view/MoreOptionsCommand.h"
#include "presentation/view/ViewOptionsCommand.h"

#include <functional>

class QDialog;
class QWidget;

namespace orlu {

class UserInteraction;

class QtOptionDialogs : public ViewOptionsDialogs, public MoreOptionsDialogs {
public:
    using Runner = std::function<int(QDialog&)>;

    QtOptionDialogs(Runner run, UserInteraction& ui, const AppSettings& settings, QWidget* parent = nullptr)
        : m_Run(std::move(run)), m_Ui(ui), m_Settings(settings), m_Parent(parent)
    {
    }

    void RunGraphOptions(GraphOptionsModel& dialog) override;
    void RunRtGraphOptions(RtGraphOptionsModel& dialog) override;
    void RunTableOptions(TableOptionsModel& dialog) override;
    void RunTextOptions(TextOptionsAnswer& dialog) override;
    void RunCommaConflict() override;
    void RunMoreOptions(MoreOptionsModel& dialog) override;

private:
    Runner m_Run;
    UserInteraction& m_Ui;
    const AppSettings& m_Settings;
    QWidget* m_Parent;
};

} // namespace orlu
