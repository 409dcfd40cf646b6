#pragma once
// What the three pages of the remote-control sheet share: a drop-down list's
// state, the page's modified mark, and storing a value through the record's
// setter, whose refusal shows its message and abandons the handler.

#include "link/remote/CControlSett.h"
#include "platform/UserInteraction.h"

#include <string>
#include <string_view>
#include <vector>

namespace orlu {

/// A drop-down list: its entries, the selected one (-1 none) and whether it
/// can be used.
struct ListState {
    std::vector<std::string> entries;
    int selection = -1;
    bool enabled = true;

    void Fill(std::vector<std::string> items)
    {
        entries = std::move(items);
        selection = -1;
    }
    /// Selects entry i; an index outside the list selects nothing.
    void Select(int i) { selection = i >= 0 && i < static_cast<int>(entries.size()) ? i : -1; }
    /// The shown text; empty when nothing is selected.
    std::string Shown() const { return selection < 0 ? std::string() : entries[static_cast<std::size_t>(selection)]; }
};

/// An edit field whose last change can be undone, as a refused entry is.
struct EditState {
    std::string text;
    std::string beforeChange;
    std::size_t limit = 0; ///< characters the field takes; 0: any

    /// The user's typing.
    void Type(std::string value)
    {
        beforeChange = text;
        text = std::move(value);
    }
    /// The program's own writing, which leaves nothing to undo.
    void Put(std::string value) { text = beforeChange = std::move(value); }
    void Undo() { text = beforeChange; }
};

/// The C library's leading-number conversions of an edit's text (0 when none).
int LeadingInt(std::string_view text);
double LeadingNumber(std::string_view text);

/// The trigger level's text: to the nearest tenth, "12.3", "-0.5", "0.0".
std::string TriggerLevelText(double value);

class RemotePageModel {
public:
    RemotePageModel(CControlSett& working, CControlSett& committed, UserInteraction& ui)
        : m_Working(working), m_Committed(committed), m_Ui(ui)
    {
    }
    virtual ~RemotePageModel() = default;

    /// Refills every control from the working record.
    virtual void UpdateControls() = 0;
    /// OK (and Apply, which ends in it): false when a value was refused and nothing was committed.
    virtual bool OnOK();
    /// Apply: the checks of leaving the page, then OK.
    virtual bool OnApply() { return OnKillActive() && OnOK(); }
    /// Whether the page may be left.
    virtual bool OnKillActive() { return true; }

    /// Set by every handler: the sheet's Apply button is enabled.
    bool modified = false;

    /// Each control as "id label: entries, selection, enabling" lines.
    virtual std::vector<std::string> Describe() const = 0;

protected:
    /// Stores through the setter; a refusal shows its message and returns false.
    bool Store(Setting setting, int value);
    /// Shows a message box with OK.
    void Tell(std::string_view text);
    void Commit() { m_Committed.CopyFrom(m_Working); }
    static std::string ListLine(int id, std::string_view label, const ListState& list);
    static std::string EditLine(int id, std::string_view label, const EditState& edit, bool enabled = true);
    static std::string CheckLine(int id, std::string_view label, bool checked, bool enabled = true);

    CControlSett& m_Working;
    CControlSett& m_Committed;
    UserInteraction& m_Ui;
};

} // namespace orlu
