#include "presentation/CommandTarget.h"

namespace orlu {

void CommandTarget::OnCommandRange(int first, int last, const std::function<void(int)>& handler)
{
    for (int id = first; id <= last; ++id)
        m_Handlers[id] = [handler, id] { handler(id); };
}

void CommandTarget::OnUpdateRange(int first, int last, const std::function<void(int, CommandUi&)>& handler)
{
    for (int id = first; id <= last; ++id)
        m_Updaters[id] = [handler, id](CommandUi& ui) { handler(id, ui); };
}

bool CommandTarget::Execute(int id)
{
    auto it = m_Handlers.find(id);
    if (it == m_Handlers.end())
        return false;
    // A copy: the handler may replace its own registration while it runs.
    Handler handler = it->second;
    handler();
    return true;
}

bool CommandTarget::Update(int id, CommandUi& ui) const
{
    auto it = m_Updaters.find(id);
    if (it == m_Updaters.end())
        return false;
    it->second(ui);
    return true;
}

CommandRoute::CommandRoute(std::vector<CommandTarget*> targets)
{
    for (CommandTarget* target : targets)
        if (target)
            m_Targets.push_back(target);
}

bool CommandRoute::Execute(int id) const
{
    for (CommandTarget* target : m_Targets)
        if (target->Execute(id))
            return true;
    return false;
}

CommandUi CommandRoute::Update(int id) const
{
    CommandUi ui;
    for (const CommandTarget* target : m_Targets)
        if (target->Update(id, ui))
            break;
    bool handled = false;
    for (const CommandTarget* target : m_Targets)
        handled = handled || target->HasCommand(id);
    if (!handled)
        ui.enabled = false;
    return ui;
}

} // namespace orlu
