#include "app/UnitSettingsCommand.h"

#include "app/CMainFrame.h"
#include "app/CTmApp.h"
#include "presentation/InstrumentOutputCommands.h"

namespace orlu {

UnitSettingsCommand::UnitSettingsCommand(CTmApp& app)
    : m_App(app), m_Link(app.Ui(), app.SerialSettings(), m_Clock), m_Opener(m_Link, m_Progress)
{
}

void UnitSettingsCommand::OnUnitSettings()
{
    AppContext& context = m_App.Context();
    m_Link.deviceSelector = m_App.Settings().DeviceSelector;
    const DocumentFillers before = context.Fillers;
    m_Opener.Install(context);
    OpenUnitSettingsDocument(context);
    context.Fillers = before;
    if (m_App.Settings().DeviceSelector != m_Link.deviceSelector) {
        m_App.Settings().DeviceSelector = m_Link.deviceSelector;
        if (m_App.MainFrame())
            m_App.MainFrame()->UpdateCommandUi();
    }
}

} // namespace orlu
