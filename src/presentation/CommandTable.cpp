#include "presentation/CommandTable.h"

#include <algorithm>

namespace orlu {
namespace {

const CommandInfo kCommands[] = {
    {kIdStartFullScreen, "Start full screen", "Use the full screen at the program start", ""},
    {kIdStartSplash, "Start splash", "Display splash screen at the program start", ""},
    {kIdFileNewApp, "&New", "Create and display text/graphic document for the form of the current view\nNew", ""},
    {kIdViewPitchZoomDefaults, "&Pitch and zoom defaults...",
     "Default settings of pitch size and/or graphic zoom for newly created windows", ""},
    {kIdCloseAll, "Close A&ll", "Close all documents\nClose all", ""},
    {kIdPathForOpen, "P&ath for Open..", "Selection of the default path for the Open operation", ""},
    {kIdPathForSaveAs, "Path for Save As..", "Selection of the default target path for Save As operation", ""},
    {kIdStartWithMru, "Start with MRU file", "Open the Most Recently Used (MRU) file at the begining", ""},
    {kIdMaximizedViewWindow, "&Maximized view window", "Use the maximized size for the view display", ""},
    {kIdPathForDownload, "Path for Download..", "Selection of the default target path for Download operation", ""},
    {kIdFileNew, "&New\tCtrl+N",
     "Create and display text/graphic document for the form of the current view\nCreate text/graphic document",
     "Ctrl+N"},
    {kIdFileOpen, "&Open...\tCtrl+O", "Open an existing document\nOpen", "Ctrl+O"},
    {kIdFileClose, "&Close", "Close the active document\nClose", ""},
    {kIdFileSave, "&Save\tCtrl+S", "Save the active document\nSave", "Ctrl+S"},
    {kIdFileSaveAs, "Save &As...", "Save the active document with a new name\nSave As", ""},
    {kIdFilePrintSetup, "P&rint Setup...", "Change the printer and printing options\nPage Setup", ""},
    {kIdFilePrint, "&Print...\tCtrl+P", "Print the active document\nPrint", "Ctrl+P"},
    {kIdFilePrintPreview, "Print Pre&view", "Display full pages\nPrint Preview", ""},
    {kIdEditCopy, "&Copy\tCtrl+C", "Copy the selection and put it on the Clipboard\nCopy", "Ctrl+C;Ctrl+Ins"},
    {kIdEditCut, "Cu&t\tCtrl+X", "Cut the selection and put it on the Clipboard\nCut", "Shift+Del;Ctrl+X"},
    {kIdEditPaste, "&Paste\tCtrl+V", "Insert Clipboard contents\nPaste", "Ctrl+V;Shift+Ins"},
    {kIdEditUndo, "&Undo\tCtrl+Z", "Undo the last action\nUndo", "Alt+Backspace;Ctrl+Z"},
    {kIdWindowNew, "&New Window", "Open another window for the active document\nNew Window", ""},
    {kIdWindowArrange, "&Arrange Icons", "Arrange icons at the bottom of the window\nArrange Icons", ""},
    {kIdWindowCascade, "&Cascade", "Arrange windows so they overlap\nCascade Windows", ""},
    {kIdWindowTile, "&Tile", "Arrange windows as non-overlapping tiles\nTile Windows", ""},
    {kIdWindowSplit, "S&plit", "Split the active window into panes\nSplit", ""},
    {kIdAppAbout, "&About OrluPC...", "Display program information, version number and copyright\nAbout", "F9"},
    {kIdAppExit, "E&xit", "Quit the application; prompts to save documents\nExit", ""},
    {kIdHelpTopics, "&Help Topics", "List Help topics\nHelp Topics", ""},
    {kIdContextHelp, "", "Display help for clicked buttons, menus and windows\nHelp", "Shift+F1"},
    {kIdHelp, "", "Display help for current task or command\nHelp", "F1"},
    {kIdViewToolbar, "&Toolbar", "Show or hide the toolbar\nToggle ToolBar", ""},
    {kIdViewStatusBar, "&Status Bar", "Show or hide the status bar\nToggle StatusBar", ""},
    {kIdFileMru1 + 0, "Recent File", "Open this document", ""},
    {kIdFileMru1 + 1, "Recent File", "Open this document", ""},
    {kIdFileMru1 + 2, "Recent File", "Open this document", ""},
    {kIdFileMru1 + 3, "Recent File", "Open this document", ""},
    {kIdFileMru1 + 4, "Recent File", "Open this document", ""},
    // Toolbar buttons and keys of the views and the instrument link.
    {32771, "ORLU &files", "Reading ORLU unit internal files\nORLU files", "F2"},
    {32789, "", "Table form for the current view\nTable", "B"},
    {32790, "", "Text form for the current view\nText", "T"},
    {32801, "", "Graphical form for the current view\nPlot", "G"},
    {32803, "", "Current view options\nView options", "O"},
    {32804, "", " Previous spectrum, histogram or plot\nPrevious", ""},
    {32805, "", "Next spectrum, histogram or plot\nNext", ""},
    {32811, "", "Select view for channel #1  or  profile #1\nChannel/Profile #1", "1"},
    {32812, "", "Select view for channel #2  or  profile #2\nChannel/Profile #2", "2"},
    {32813, "", "Select view for channel #3  or  profile #3\nChannel/Profile #3", "3"},
    {32814, "", "Select view for channel #4  or  profile #4\nChannel/Profile #4", "4"},
    {32823, "&Units change", "Change units for the current view\nChange units", "U"},
    {32833, "", "Save the form of the current view as a disk file\nSave current view", "F3"},
    {32834, "", "Select view for vector or profile #5 or RPM\nVector/Profile #5/RPM", "5"},
    {32851, "", "Zoom plus (decrease aggregation level if possible)\nZoom plus", "F5"},
    {32852, "", "Zoom minus (increase aggregation level if possible)\nZoom minus", "Shift+F5"},
};

constexpr int kMainFile[] = {kIdFileNew, kIdFileOpen, 0, kIdPathForOpen, kIdPathForSaveAs, kIdPathForDownload,
                             0, kIdFilePrintSetup, 0, kIdStartWithMru, 0, kIdFileMru1, 0, kIdAppExit};
constexpr int kMainView[] = {kIdViewPitchZoomDefaults, 0, kIdViewToolbar, kIdViewStatusBar, 0,
                             kIdStartSplash, kIdStartFullScreen, kIdMaximizedViewWindow};
constexpr int kHelp[] = {kIdHelpTopics, 0, kIdAppAbout};
constexpr int kDocFile[] = {kIdFileNew, kIdFileOpen, kIdFileClose, kIdCloseAll, kIdFileSave, kIdFileSaveAs, 0,
                            kIdPathForOpen, kIdPathForSaveAs, kIdPathForDownload, 0, kIdFilePrint,
                            kIdFilePrintPreview, kIdFilePrintSetup, 0, kIdStartWithMru, 0, kIdFileMru1, 0,
                            kIdAppExit};
constexpr int kDocEdit[] = {kIdEditUndo, 0, kIdEditCut, kIdEditCopy, kIdEditPaste};
constexpr int kWindow[] = {kIdWindowNew, kIdWindowCascade, kIdWindowTile, kIdWindowArrange, kIdWindowSplit};

const MenuPopup kMainMenu[] = {{"&File", kMainFile}, {"&View", kMainView}, {"&Help", kHelp}};
const MenuPopup kDocumentMenu[] = {
    {"&File", kDocFile}, {"&Edit", kDocEdit}, {"&View", kMainView}, {"&Window", kWindow}, {"&Help", kHelp}};

// Buttons of other parts of the program keep their places and show disabled
// until their handlers exist.
constexpr int kToolbar[] = {kIdFileOpen, 32771, kIdFileNew, 32833, kIdFileSave, kIdFilePrint, 0,
                            kIdEditCut, kIdEditCopy, kIdEditPaste, 0, 32801, 32790, 32789, 0,
                            32803, 32851, 32852, 0, 32823, 0, 32804, 32805, 0,
                            32811, 32812, 32813, 32814, 32834, 0, kIdAppAbout, kIdContextHelp};

} // namespace

std::span<const CommandInfo> AllCommands() { return kCommands; }

const CommandInfo* FindCommand(int id)
{
    auto it = std::find_if(std::begin(kCommands), std::end(kCommands),
                           [id](const CommandInfo& c) { return c.id == id; });
    return it == std::end(kCommands) ? nullptr : &*it;
}

std::string_view PromptText(const CommandInfo& info) { return info.prompt.substr(0, info.prompt.find('\n')); }

std::string_view TooltipText(const CommandInfo& info)
{
    auto nl = info.prompt.find('\n');
    if (nl != std::string_view::npos)
        return info.prompt.substr(nl + 1);
    return info.text.substr(0, info.text.find('\t'));
}

std::span<const MenuPopup> MainMenu() { return kMainMenu; }
std::span<const MenuPopup> DocumentMenu() { return kDocumentMenu; }
std::span<const int> ToolbarCommands() { return kToolbar; }

} // namespace orlu
