#pragma once
// Command routing without a window system: every object that handles menu,
// toolbar or key commands keeps a map from command id to its handler and to
// its update handler (which sets the enabled and checked state).

#include <functional>
#include <map>
#include <vector>

namespace orlu {

/// The state an update handler sets for a menu item or toolbar button.
struct CommandUi {
    bool enabled = true;
    bool checked = false;
};

class CommandTarget {
public:
    using Handler = std::function<void()>;
    using UpdateHandler = std::function<void(CommandUi&)>;

    virtual ~CommandTarget() = default;

    /// Registers the handler of a command.
    void OnCommand(int id, Handler handler) { m_Handlers[id] = std::move(handler); }
    /// Registers the update handler of a command.
    void OnUpdate(int id, UpdateHandler handler) { m_Updaters[id] = std::move(handler); }
    /// Both for a range of ids; the handler receives the id.
    void OnCommandRange(int first, int last, const std::function<void(int)>& handler);
    void OnUpdateRange(int first, int last, const std::function<void(int, CommandUi&)>& handler);

    /// The handlers registered for the id, empty when none: a later registration
    /// of the id can hand the cases it leaves on to them.
    Handler HandlerOf(int id) const { return m_Handlers.count(id) ? m_Handlers.at(id) : Handler(); }
    UpdateHandler UpdateHandlerOf(int id) const { return m_Updaters.count(id) ? m_Updaters.at(id) : UpdateHandler(); }

    bool HasCommand(int id) const { return m_Handlers.count(id) != 0; }
    bool HasUpdate(int id) const { return m_Updaters.count(id) != 0; }
    /// Runs the handler; false when this target has none.
    bool Execute(int id);
    /// Runs the update handler; false when this target has none.
    bool Update(int id, CommandUi& ui) const;

private:
    std::map<int, Handler> m_Handlers;
    std::map<int, UpdateHandler> m_Updaters;
};

/// The targets a command passes through, in order: the active view, its
/// document, the child frame, the main frame and the application. Absent
/// targets are left out.
class CommandRoute {
public:
    explicit CommandRoute(std::vector<CommandTarget*> targets);

    /// Runs the first handler on the route; false when none handles the id.
    bool Execute(int id) const;
    /// The first update handler on the route decides; a command that no target
    /// on the route handles is disabled whatever the update handler said.
    CommandUi Update(int id) const;

private:
    std::vector<CommandTarget*> m_Targets;
};

} // namespace orlu
