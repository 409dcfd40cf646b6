#pragma once
// The measurement view's commands, keys and mouse without a window: each
// runs the controller of its part (stepping, channels, units, markers,
// level scale, zoom, the held-button repetition, the dialogs of the spectra
// functions and of a marked block) and then has the form built again or
// repainted. The window, or orlu-dump, passes the Shift/Ctrl/Alt state of
// the event with every call.

#include "document/GraphGeometry.h"
#include "presentation/AppSettings.h"
#include "presentation/CommandTarget.h"
#include "presentation/view/BlockOperationsModel.h"
#include "presentation/view/FormBuilder.h"
#include "presentation/view/GraphControlFields.h"
#include "presentation/view/MeasurementViewState.h"
#include "presentation/view/MoreOptionsCommand.h"
#include "presentation/view/RepeatSchedule.h"
#include "presentation/view/SpectraFunctionsModel.h"
#include "presentation/view/ViewOptionsCommand.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace orlu {

class CTmDoc;

/// The dialogs the controllers open. Each run ends its model (OK, Cancel or an action).
class ViewDialogs {
public:
    virtual ~ViewDialogs() = default;
    virtual void RunSpectraFunctions(SpectraFunctionsModel& dialog) = 0;
    virtual void RunBlockOperations(BlockOperationsModel& dialog) = 0;
    /// The channels of one input kind a table shows; none: Cancel.
    virtual std::optional<std::uint16_t> RunTableChannels(std::uint16_t offered, std::uint16_t selected) = 0;
    /// "More options" of a graph.
    virtual void RunMoreOptions() = 0;
};

/// Dialogs not built yet answer Cancel (Esc for the block operations).
class CancelDialogs : public ViewDialogs {
public:
    void RunSpectraFunctions(SpectraFunctionsModel& dialog) override { dialog.Cancel(); }
    void RunBlockOperations(BlockOperationsModel& dialog) override { dialog.Escape(); }
    std::optional<std::uint16_t> RunTableChannels(std::uint16_t, std::uint16_t) override { return std::nullopt; }
    void RunMoreOptions() override {}
};

enum class ViewKey : std::uint8_t { N, P, Enter, Esc, Plus, Minus, Star, Up, Down, Left, Right, Home, End, PgUp, PgDn };

/// A key by its name (N, P, Enter, Esc, +, -, *, Up, Down, Left, Right, Home, End, PgUp, PgDn).
std::optional<ViewKey> ViewKeyNamed(std::string_view name);

inline constexpr int kPreviousCommand = 32804;
inline constexpr int kNextCommand = 32805;
inline constexpr int kPlotCommand = 32801;
inline constexpr int kTableCommand = 32789;
inline constexpr int kTextCommand = 32790;
inline constexpr int kZoomPlusCommand = 32851;
inline constexpr int kZoomMinusCommand = 32852;
inline constexpr int kSpectraFunctionsCommand = 32866;
inline constexpr int kMoreOptionsCommand = 32850;
inline constexpr int kViewOptionsCommand = 32803;
inline constexpr int kViewOptionsMenuCommand = 32799;

class ViewController {
public:
    ViewController(MeasurementViewState& view, CTmDoc& doc, const FormBuilder& builder, AppSettings& settings,
                   ViewDialogs& dialogs)
        : m_View(view), m_Doc(doc), m_Builder(builder), m_Settings(settings), m_Dialogs(dialogs)
    {
    }

    /// The graph geometry the zoom and the mouse work on (the builder's record of the kind shown).
    void SetGeometry(GraphGeometry* geometry) { m_Geometry = geometry; }
    /// The option dialogs of View options and More options; without them both are cancelled.
    void SetOptionDialogs(ViewOptionsDialogs* options, MoreOptionsDialogs* more)
    {
        m_OptionDialogs = options;
        m_MoreDialogs = more;
    }
    /// The user's answers to the Tools commands' questions and messages.
    void SetInteraction(UserInteraction* ui) { m_Ui = ui; }

    /// The client area the text forms scroll in, pixels.
    void SetClientSize(int width, int height)
    {
        m_ClientWidth = width;
        m_ClientHeight = height;
    }

    /// A menu or toolbar command; false when it is not one of the view's or is disabled.
    bool Command(int id, KeyModifiers keys);
    /// Enabled and checked state of a Tools or Edit command of the view; none for other commands.
    std::optional<CommandUi> ToolsState(int id) const;
    /// Whether Zoom minus (or plus) acts on the graph shown.
    bool ZoomEnabled(bool minus) const;
    /// A key on the view.
    void Key(ViewKey key, KeyModifiers keys);
    /// Left button pressed and released at (x, y) of the client area.
    void Click(int x, int y);
    /// Left button down or up, and the mouse moving with it.
    void LeftButton(bool down, int x, int y);
    /// Right button: "More options" on a graph.
    void RightButton();
    /// A double click inside the plot's width acts as Enter on the graphs that mark blocks.
    void DoubleClick(int x, int y);
    /// The wheel scrolls the lines (negative delta down), else the columns.
    void Wheel(int delta);

    /// A tick of the held-button timer: Previous or Next held on the toolbar, or
    /// the left button on a plot, with the Shift/Ctrl/Alt held. True when a step acted.
    bool RepeatTick(bool previousHeld, bool nextHeld, KeyModifiers keys = {});
    RepeatSchedule& Repeat() { return m_Repeat; }

private:
    void Rebuild();
    bool Step(bool next, KeyModifiers keys);
    bool HitPanel(int x, int y, bool move);
    void ScrollKey(ViewKey key);
    void MarkAtCursor();
    void RunBlockDialog();
    void SelectChannelButton(int n, KeyModifiers keys);
    void OpenSpectraFunctions();
    bool Zoom(bool minus);
    bool ToolsCommand(int id);
    bool ViewOptions();
    bool MoreOptions();
    /// Enter and Esc of the reverberation procedure; false when it is not running.
    bool ReverbKey(ViewKey key);

    MeasurementViewState& m_View;
    CTmDoc& m_Doc;
    const FormBuilder& m_Builder;
    AppSettings& m_Settings;
    ViewDialogs& m_Dialogs;
    GraphGeometry* m_Geometry = nullptr;
    int m_ClientWidth = 640;
    int m_ClientHeight = 480;
    RepeatSchedule m_Repeat;
    ViewOptionsDialogs* m_OptionDialogs = nullptr;
    MoreOptionsDialogs* m_MoreDialogs = nullptr;
    UserInteraction* m_Ui = nullptr;
};

} // namespace orlu
