#include "presentation/CaughtOutputDocument.h"

#include "document/container/FileKindCode.h"

namespace orlu {

bool OpenCaughtOutput(AppContext& app, CaughtOutput caught, const CaughtOutputMakers& makers)
{
    if (caught.outcome == CatchOutcome::PrintedOutput)
        return makers.text && makers.text(std::string(caught.bytes.begin(), caught.bytes.end()));
    if (caught.outcome != CatchOutcome::MonitorImage)
        return false;
    app.CaughtOutput = std::move(caught.bytes);
    app.PendingFileKind = kKindMonitor;
    app.PendingDocSource = kPendingInstrument;
    const bool made = makers.monitor && makers.monitor();
    app.CaughtOutput.reset();
    app.PendingDocSource = kPendingNone;
    app.PendingFileKind = 0;
    if (!made)
        app.Ui->ShowMessage(kNotMonitorOutputText, kMessageCaption, MessageButtons::Ok, MessageIcon::Stop);
    return made;
}

} // namespace orlu
