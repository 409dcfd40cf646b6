#pragma once
// The program's command vocabulary: identifiers, menu texts, prompts (status
// bar text, then the tooltip after '\n') and keys, the menus built from them
// and the toolbar order. Rows for commands of other parts of the program are
// added here as those parts come.

#include <span>
#include <string_view>

namespace orlu {

/// Command identifiers.
enum CommandId : int {
    kIdViewPitchZoomDefaults = 32800,
    kIdFileNewApp = 32798,
    kIdStartFullScreen = 32792,
    kIdStartSplash = 32794,
    kIdCloseAll = 32865,
    kIdPathForOpen = 32869,
    kIdPathForSaveAs = 32870,
    kIdStartWithMru = 32899,
    kIdMaximizedViewWindow = 32900,
    kIdPathForDownload = 32909,
    kIdFileNew = 57600,
    kIdFileOpen = 57601,
    kIdFileClose = 57602,
    kIdFileSave = 57603,
    kIdFileSaveAs = 57604,
    kIdFilePrintSetup = 57606,
    kIdFilePrint = 57607,
    kIdFilePrintPreview = 57609,
    kIdFileMru1 = 57616, // to 57620 for the five recent files
    kIdEditCopy = 57634,
    kIdEditCut = 57635,
    kIdEditPaste = 57637,
    kIdEditUndo = 57643,
    kIdWindowNew = 57648,
    kIdWindowArrange = 57649,
    kIdWindowCascade = 57650,
    kIdWindowTile = 57651,
    kIdWindowSplit = 57653,
    kIdAppAbout = 57664,
    kIdAppExit = 57665,
    kIdHelpTopics = 57667,
    kIdContextHelp = 57669,
    kIdHelp = 57670,
    kIdViewToolbar = 59392,
    kIdViewStatusBar = 59393,
};

inline constexpr int kRecentFileCommandCount = 5;

struct CommandInfo {
    int id;
    std::string_view text;   ///< menu item text with its '&'
    std::string_view prompt; ///< status-bar prompt, then '\n' and the tooltip
    std::string_view keys;   ///< accelerators, ';'-separated, in Qt's portable notation
};

/// Every row of the table.
std::span<const CommandInfo> AllCommands();
/// The row of a command, or null.
const CommandInfo* FindCommand(int id);

/// The status-bar part of a prompt (before '\n').
std::string_view PromptText(const CommandInfo& info);
/// The tooltip part of a prompt (after '\n'; the menu text without '&' when none).
std::string_view TooltipText(const CommandInfo& info);

struct MenuPopup;

/// One item of a menu: a command (0 for a separator), or a submenu; a menu
/// may show a command with a text of its own.
struct MenuItem {
    int id = 0;
    const MenuPopup* submenu = nullptr;
    std::string_view text = {};
};

/// One popup of a menu: its title and items.
struct MenuPopup {
    std::string_view title;
    std::span<const MenuItem> items;
};

/// The text an item shows in its menu.
std::string_view ItemText(const MenuItem& item);

/// The main frame's menu while no document (or a document without a menu of its own) is active.
std::span<const MenuPopup> MainMenu();
/// The menu of the binary measurement documents (menu 129).
std::span<const MenuPopup> DocumentMenu();
/// The menu of a template (129, 130, 131, 107); 128 for any other.
std::span<const MenuPopup> TemplateMenu(int menuId);
/// The toolbar: command ids in order, 0 for a separator.
std::span<const int> ToolbarCommands();

/// The text of the message pane when no prompt is shown.
inline constexpr std::string_view kIdleStatusText = "For Help, press F1";

} // namespace orlu
