#include "presentation/CommandTable.h"

#include "presentation/FindById.h"

namespace orlu {
namespace {

const CommandInfo kCommands[] = {
    {kIdStartFullScreen, "Start full screen", "Use the full screen at the program start", ""},
    {kIdStartSplash, "Start splash", "Display splash screen at the program start", ""},
    {kIdFileNewApp, "&New", "Create and display text/graphic document for the form of the current view\nNew", ""},
    {kIdViewPitchZoomDefaults, "&Pitch and zoom defaults...",
     "Default settings of pitch size and/or graphic zoom for newly created windows", ""},
    {kIdCloseAll, "Close A&ll", "Close all documents\nClose all", ""},
    {kIdPathForOpen, "Path for Open..", "Selection of the default path for the Open operation", ""},
    {kIdPathForSaveAs, "Path for Save As..", "Selection of the default target path for Save As operation", ""},
    {kIdStartWithMru, "Start with MRU file", "Open the Most Recently Used (MRU) file at the begining", ""},
    {kIdMaximizedViewWindow, "Maximized view window", "Use the maximized size for the view display", ""},
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
    {kIdViewStatusBar, "Status Ba&r", "Show or hide the status bar\nToggle StatusBar", ""},
    {kIdFileMru1 + 0, "Recent File", "Open this document", ""},
    {kIdFileMru1 + 1, "Recent File", "Open this document", ""},
    {kIdFileMru1 + 2, "Recent File", "Open this document", ""},
    {kIdFileMru1 + 3, "Recent File", "Open this document", ""},
    {kIdFileMru1 + 4, "Recent File", "Open this document", ""},
    // The instrument, the views and the tools.
    {32771, "ORLU &files\tF2", "Reading ORLU unit internal files\nORLU files", "F2"},
    {32774, "&RS232 settings...", "", ""},
    {32775, "&METER mode", "", ""},
    {32776, "&ANALYZER mode", "", ""},
    {32777, "&ORLU settings", "Browse ORLU device current settings", ""},
    {32778, "He&xa", "", ""},
    {32780, "&Main results", "", ""},
    {32781, "Header &info", "", ""},
    {32783, "&Buffer / Logger", "", ""},
    {32784, "Time &waveforms", "", ""},
    {32785, "S&pectra", "", ""},
    {32786, "Octaves 1/&1 ", "", ""},
    {32787, "Octaves 1/&3", "", ""},
    {32788, "S&ettings", "", ""},
    {32789, "", "Table form for the current view\nTable", "B"},
    {32790, "", "Text form for the current view\nText", "T"},
    {32799, "&View options...", "", ""},
    // With Shift, Ctrl or Alt held Plot steps the graph size back: the keys must reach it too.
    {32801, "", "Graphical form for the current view\nPlot", "G;Shift+G;Ctrl+G;Alt+G"},
    {32803, "", "Current view options\nView options", "O"},
    {32804, "", " Previous spectrum, histogram or plot\nPrevious", ""},
    {32805, "", "Next spectrum, histogram or plot\nNext", ""},
    {32806, "&Picture (.bmp)", "", ""},
    {32811, "", "Select view for channel #1  or  profile #1\nChannel/Profile #1", "1"},
    {32812, "", "Select view for channel #2  or  profile #2\nChannel/Profile #2", "2"},
    {32813, "", "Select view for channel #3  or  profile #3\nChannel/Profile #3", "3"},
    {32814, "", "Select view for channel #4  or  profile #4\nChannel/Profile #4", "4"},
    {32818, "&Histograms", "", ""},
    {32819, "Levels", "", ""},
    {32820, "Densities", "", ""},
    {32823, "&Units change", "Change units for the current view\nChange units", "U"},
    {32824, "for Spectra", "", ""},
    {32826, "&Smoothing", "Smoothing data for the time intersection", ""},
    {32827, "&Reverberation time", "Step by step procedure for the reverberation time computing", ""},
    {32828, "&Clear all r. time data ", "Clear all data concernig reverberation time computing", ""},
    {32830, "&Upload file to ORLU",
     "Upload the ORLU file conteined in the current document to the ORLU unit RAM-disk", ""},
    {32831, "Plot total RMS / LE&Q", "Plot total RMS or total LEQ on the buffer contents graph", ""},
    {32833, "", "Save the form of the current view as a disk file\nSave current view", "F3"},
    {32834, "", "Select view for vector or profile #5 or RPM\nVector/Profile #5/RPM", "5"},
    {32841, "&Phase spectrum", "", ""},
    {32842, "USER", "", ""},
    {32843, "Hanning", "", ""},
    {32844, "Rectangle", "", ""},
    {32845, "Flat Top", "", ""},
    {32846, "Kaiser-Bessel", "", ""},
    {32847, "Parzen", "", ""},
    {32848, "Welch", "", ""},
    {32849, "Remote &Control...", "", ""},
    {32850, "Mor&e options...", "", ""},
    {32851, "", "Zoom plus (decrease aggregation level if possible)\nZoom plus", "F5"},
    {32852, "", "Zoom minus (increase aggregation level if possible)\nZoom minus", "Shift+F5"},
    {32856, "Insert &header info into table", "Insert header information into the table form", ""},
    {32858, "ORLU 505", "", ""},
    {32859, "ORLU 515 text display", "", ""},
    {32860, "&Edit options\tCtrl+Enter", "", "Ctrl+Return"},
    {32863, "Select &All\tCtrl+A", "", "Ctrl+A"},
    {32866, "Spectra fu&nctions...", "", ""},
    {32867, "&ASCII", "", ""},
    {32868, "ORLU 525", "", ""},
    {32871, "ORLU 515 graph. disp.", "", ""},
    {32872, "ORLU 530", "", ""},
    {32873, "S. peaks search options...", "Options for searching frequencies with spectrum amplitude peaks", ""},
    {32875, "Show spectrum pea&ks", "", ""},
    {32876, "Catch ORLU printed output...", "", ""},
    {32877, "T&ext (.txt)", "", ""},
    {32878, "Graph. &autoscaling",
     "Enables autoscaling for graphical views of spectra, octaves, time waveforms and time intersections", ""},
    {32882, "ORLU 535", "", ""},
    {32883, "&Tonality analysis", "", ""},
    {32884, "Catch MONITOR output", "", ""},
    {32886, "MONITOR", "", ""},
    {32887, "Oct. 1/1 histograms", "", ""},
    {32888, "Oct. 1/1 levels", "", ""},
    {32889, "Oct. 1/1 densities", "", ""},
    {32890, "Oct. 1/3 histograms", "", ""},
    {32891, "Oct. 1/3 levels", "", ""},
    {32892, "Oct. 1/3 densities", "", ""},
    {32894, "for Octaves 1/1", "", ""},
    {32895, "for Octaves 1/3", "", ""},
    {32896, "based on  MAX(Imp.) - MIN(Slow)", "", ""},
    {32897, "based on  MAX(Fast) - Leq", "", ""},
    {32898, "not applied", "", ""},
    {32901, "ORLU 550", "", ""},
    {32902, "QERA 410", "", ""},
    {32903, "Extract Buffer from MONITOR file", "Creat new window for buffer file contained in MONITOR file", ""},
    {32904, "Extract single file from Multifile", "Create new window for the single file contained in the Multifile",
     ""},
    {32905, "ORLU 545, 590", "", ""},
    {32911, "ORLU 560, 570, 575, 580, 595,  QERA 420", "", ""},
    {32917, "Metric (m/s2, m/s, m)", "", ""},
    {32918, "Nonmetric (g, in/s, in)", "", ""},
    {32920, "&User's filters", "", ""},
    {32931, "Remove block marker(s)", "Remove the markers of the block in the Buffer/Logger view", ""},
    {32932, "Delete the block", "Delete the records of the marked block from the buffer/logger", ""},
    {32933, "Delete outside the block", "Keep only the records of the marked block in the buffer/logger", ""},
    {32934, "Save the block as a file", "Save the records of the marked block as a new measurement file", ""},
    {57680, "", "Switch to the next window pane\nNext Pane", "F6"},
    {57681, "", "Switch back to the previous window pane\nPrevious Pane", "Shift+F6"},
};

// The popups of the five menus ("|" of the resources: id 0).
constexpr MenuItem kFile128[] = {{kIdFileNew}, {kIdFileOpen}, {32771}, {0}, {kIdPathForOpen, nullptr, "P&ath for Open.."},
                                 {kIdPathForSaveAs}, {kIdPathForDownload}, {0}, {kIdFilePrintSetup}, {0},
                                 {kIdStartWithMru}, {0}, {kIdFileMru1}, {0}, {kIdAppExit}};
constexpr MenuItem kFile129[] = {{kIdFileNew}, {kIdFileOpen}, {32771}, {kIdFileClose}, {kIdCloseAll}, {kIdFileSave},
                                 {kIdFileSaveAs}, {0}, {kIdPathForOpen}, {kIdPathForSaveAs}, {kIdPathForDownload},
                                 {0}, {kIdFilePrint}, {kIdFilePrintPreview}, {kIdFilePrintSetup}, {0},
                                 {kIdStartWithMru}, {0}, {kIdFileMru1}, {0}, {kIdAppExit}};
constexpr MenuItem kFile130[] = {{kIdFileNewApp}, {kIdFileOpen}, {32771}, {kIdFileClose}, {kIdCloseAll},
                                 {kIdFileSave}, {kIdFileSaveAs}, {0}, {kIdPathForOpen}, {kIdPathForSaveAs},
                                 {kIdPathForDownload}, {0}, {kIdFilePrint}, {kIdFilePrintPreview},
                                 {kIdFilePrintSetup}, {0}, {kIdStartWithMru}, {0}, {kIdFileMru1}, {0}, {kIdAppExit}};
constexpr MenuItem kOrlu128[] = {{32858}, {32859}, {32871}, {32868}, {32872}, {32882}, {32905}, {32901}, {32911},
                                 {32902}, {32886}, {0}, {32774}, {0}, {32775}, {32776}, {32777}, {32771},
                                 {32849}, {0}, {32876}, {0}, {32884}};
constexpr MenuItem kOrlu129[] = {{32858}, {32859}, {32871, nullptr, "ORLU 515 graph. disp. "}, {32868}, {32872},
                                 {32882}, {32905}, {32901}, {32911}, {32902}, {32886}, {0}, {32774}, {0},
                                 {32775}, {32776}, {32777}, {32771}, {32830}, {32849}, {0}, {32876}, {0}, {32884}};
constexpr MenuItem kEdit129[] = {{kIdEditUndo}, {0}, {kIdEditCut}, {kIdEditCopy}, {kIdEditPaste}, {32863}, {0},
                                 {32860}};
constexpr MenuItem kEdit130[] = {{kIdEditUndo}, {0}, {kIdEditCut}, {kIdEditCopy}, {kIdEditPaste}, {32863}, {0},
                                 {32860, nullptr, "&Edit options\tAlt+Enter"}};
constexpr MenuItem kEditPicture[] = {{kIdEditUndo}, {0}, {kIdEditCut}, {kIdEditCopy}, {kIdEditPaste}};
constexpr MenuItem kViewTail128[] = {{kIdViewPitchZoomDefaults}, {0}, {kIdViewToolbar},
                                     {kIdViewStatusBar, nullptr, "&Status Bar"}, {0}, {kIdStartSplash},
                                     {kIdStartFullScreen}, {kIdMaximizedViewWindow, nullptr, "&Maximized view window"}};
constexpr MenuItem kStatistics[] = {{32818}, {32819}, {32820}, {0}, {32887}, {32888}, {32889}, {0},
                                    {32890}, {32891}, {32892}};
constexpr MenuPopup kStatisticsPopup{"&Statistics", kStatistics};
constexpr MenuItem kIntersections[] = {{32824}, {32894}, {32895}};
constexpr MenuPopup kIntersectionsPopup{"Time interse&ctions", kIntersections};
constexpr MenuItem kView129[] = {{32781}, {32780}, {-1, &kStatisticsPopup}, {32783}, {32784}, {32785}, {32786},
                                 {32787}, {-1, &kIntersectionsPopup}, {32920}, {32788}, {32778}, {32867}, {0},
                                 {32799}, {32850}, {kIdViewPitchZoomDefaults}, {0},
                                 {kIdViewToolbar, nullptr, "T&oolbar"}, {kIdViewStatusBar, nullptr, "Stat&us Bar"},
                                 {0}, {kIdStartSplash}, {kIdStartFullScreen}, {kIdMaximizedViewWindow}};
constexpr MenuItem kView130[] = {{32877}, {32778}, {0}, {32799}, {kIdViewPitchZoomDefaults}, {0}, {kIdViewToolbar},
                                 {kIdViewStatusBar}, {0}, {kIdStartSplash}, {kIdStartFullScreen},
                                 {kIdMaximizedViewWindow}};
constexpr MenuItem kView131[] = {{32806, nullptr, "&Picture (.emf)"}, {0}, {32799}, {kIdViewPitchZoomDefaults}, {0},
                                 {kIdViewToolbar}, {kIdViewStatusBar}, {0}, {kIdStartSplash}, {kIdStartFullScreen},
                                 {kIdMaximizedViewWindow}};
constexpr MenuItem kView107[] = {{32806}, {0}, {32799}, {kIdViewPitchZoomDefaults}, {0}, {kIdViewToolbar},
                                 {kIdViewStatusBar}, {0}, {kIdStartSplash}, {kIdStartFullScreen},
                                 {kIdMaximizedViewWindow}};
constexpr MenuItem kFftWindows[] = {{32842}, {32843}, {32844}, {32845}, {32846}, {32847}, {32848}};
constexpr MenuPopup kFftWindowsPopup{"&FFT smoothing window", kFftWindows};
constexpr MenuItem kImpulse[] = {{32896}, {32897}, {32898}};
constexpr MenuPopup kImpulsePopup{"Impulse analysis", kImpulse};
constexpr MenuItem kBufferBlock[] = {{32931}, {32932}, {32933}, {32934}};
constexpr MenuPopup kBufferBlockPopup{"Buffer &block", kBufferBlock};
constexpr MenuItem kVibrationUnits[] = {{32917}, {32918}};
constexpr MenuPopup kVibrationUnitsPopup{"Vibration units", kVibrationUnits};
constexpr MenuItem kTools129[] = {{32823}, {32826}, {32827}, {32828}, {32831}, {32878}, {-1, &kFftWindowsPopup},
                                  {32875}, {32873}, {32883}, {-1, &kImpulsePopup}, {32841}, {32866},
                                  {32830, nullptr, "Up&Load file to ORLU"}, {32856}, {32904}, {32903},
                                  {-1, &kVibrationUnitsPopup}, {0}, {-1, &kBufferBlockPopup}};
constexpr MenuItem kWindow[] = {{kIdWindowNew}, {kIdWindowCascade}, {kIdWindowTile}, {kIdWindowArrange},
                                {kIdWindowSplit}};
constexpr MenuItem kHelp[] = {{kIdHelpTopics}, {0}, {kIdAppAbout}};

const MenuPopup kMenu128[] = {{"&File", kFile128}, {"&Orlu", kOrlu128}, {"&View", kViewTail128}, {"&Help", kHelp}};
const MenuPopup kMenu129[] = {{"&File", kFile129}, {"&Orlu", kOrlu129}, {"&Edit", kEdit129}, {"&View", kView129},
                              {"&Tools", kTools129}, {"&Window", kWindow}, {"&Help", kHelp}};
const MenuPopup kMenu130[] = {{"&File", kFile130}, {"&Orlu", kOrlu128}, {"&Edit", kEdit130}, {"&View", kView130},
                              {"&Window", kWindow}, {"&Help", kHelp}};
const MenuPopup kMenu131[] = {{"&File", kFile130}, {"&Orlu", kOrlu128}, {"&Edit", kEditPicture},
                              {"&View", kView131}, {"&Window", kWindow}, {"&Help", kHelp}};
const MenuPopup kMenu107[] = {{"&File", kFile130}, {"&Orlu", kOrlu128}, {"&Edit", kEditPicture},
                              {"&View", kView107}, {"&Window", kWindow}, {"&Help", kHelp}};

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
    return FindById(AllCommands(), id);
}

std::string_view PromptText(const CommandInfo& info) { return info.prompt.substr(0, info.prompt.find('\n')); }

std::string_view TooltipText(const CommandInfo& info)
{
    auto nl = info.prompt.find('\n');
    if (nl != std::string_view::npos)
        return info.prompt.substr(nl + 1);
    return info.text.substr(0, info.text.find('\t'));
}

std::span<const MenuPopup> MainMenu() { return kMenu128; }
std::span<const MenuPopup> DocumentMenu() { return kMenu129; }

std::span<const MenuPopup> TemplateMenu(int menuId)
{
    switch (menuId) {
    case 129: return kMenu129;
    case 130: return kMenu130;
    case 131: return kMenu131;
    case 107: return kMenu107;
    default: return kMenu128;
    }
}

std::string_view ItemText(const MenuItem& item)
{
    if (!item.text.empty())
        return item.text;
    const CommandInfo* info = FindCommand(item.id);
    return info ? info->text : std::string_view();
}
std::span<const int> ToolbarCommands() { return kToolbar; }

} // namespace orlu
