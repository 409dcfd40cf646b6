#pragma once
// What the unit-files dialog shows and does, without a window: the list of
// the instrument's files (built by UnitFileLines), the selection, the typed
// name, the enabling of every control, the three texts and the result the
// dialog ends with. The Qt dialog only mirrors this model; the application
// runs the chosen action on the directory's selection afterwards.

#include "link/CUnitDirectory.h"
#include "platform/UserInteraction.h"
#include "presentation/UnitFileLines.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace orlu {

/// The choices the application keeps between runs of the dialog (the first
/// four stored in the profile, More details only for the session).
struct UnitFilesChoices {
    int fileType = 3;
    bool details = false;
    bool moreDetails = false;
    bool multichoice = true;
    bool sortByNames = false;
};

/// What the dialog ends with.
enum class UnitFilesResult : int {
    Cancel = 0,
    Open = 1, ///< OK, or a typed name
    Download = 2,
    Merge = 3,
    Delete = 4,
    AsciiDownload = 5,
    OpenButton = 6, ///< the Open button or a double-click
};

/// The controls the dialog enables or disables.
struct UnitFilesEnabling {
    bool list = false;
    bool selectAll = false;
    bool deselectAll = false;
    bool details = false;
    bool moreDetails = false;
    bool multichoice = false;
    bool fileType = true;
    bool open = false; ///< also the default button when enabled
    bool download = false;
    bool asciiDownload = false;
    bool merge = false;
    bool deleteFiles = false;
    bool fileName = false; ///< the edit and its label

    bool operator==(const UnitFilesEnabling&) const = default;
};

class UnitFilesDialogModel {
public:
    struct Hooks {
        /// Reads the directory again (after the reading's own messages); false when it failed.
        std::function<bool()> readDirectory;
        /// Reads the ORLU 505's file headers again; false when it failed.
        std::function<bool()> readHeaders;
        /// Runs the ASCII contents dialog; true when the user chose a content.
        std::function<bool()> runAsciiContents;
    };

    UnitFilesDialogModel(UserInteraction& ui, CUnitDirectory& directory, std::uint8_t selector,
                         UnitFilesChoices& choices, std::string downloadPath, Hooks hooks = {});

    /// The dialog opens: the list is filled, the File name is empty and the result is Open.
    void InitDialog();
    /// Fills the list from the directory (read first when stale) and restores
    /// the selection the directory keeps.
    void FillList();

    // What the dialog shows.
    const std::vector<UnitFileLine>& Lines() const { return m_Lines; }
    /// The list's texts: the lines, or "No files found !" when there are none.
    std::vector<std::string> ListTexts() const;
    /// One flag per line.
    const std::vector<bool>& Selected() const { return m_Selected; }
    const std::string& FileName() const { return m_FileName; }
    UnitFilesEnabling Enabling() const;
    std::string TotalText() const;
    std::string SelectedText() const;
    std::string ReadAtText() const;
    std::string TargetPathButtonText() const { return TargetPathText(m_DownloadPath); }
    /// The download folder chosen with the Target path button.
    void SetDownloadPath(std::string path) { m_DownloadPath = std::move(path); }
    /// The widest line in characters (the list's horizontal extent is its width + 3).
    std::size_t WidestLine() const { return m_Widest; }
    const UnitFilesChoices& Choices() const { return m_Choices; }

    // The user's actions.
    /// The list's selection changed: the positions now selected and the line just clicked.
    void OnSelectionChange(const std::vector<std::size_t>& selected, std::size_t clicked);
    /// A double-click: that line is chosen and opened. True when the dialog ended.
    bool OnDoubleClick(std::size_t line);
    void OnMultichoice(bool on);
    void OnSelectAll();
    void OnDeselectAll();
    void OnFileType(int index);
    void OnDetails(bool on);
    void OnMoreDetails(bool on);
    void OnSortByNames(bool on);
    void OnRefresh();
    /// The File name edit gets the focus: the list is deselected.
    void OnFileNameFocus();
    /// The text typed into File name.
    void SetFileName(std::string text);
    /// Open, Download, Merge or Delete. True when the dialog ended.
    bool OnButton(UnitFilesResult result);
    /// ASCII download: the contents dialog first. True when the dialog ended.
    bool OnAsciiDownload();
    /// OK: the selected lines (or the typed name's line) become the
    /// directory's selection. False, after its message, when the dialog stays.
    bool OnOK();
    void OnCancel();

    UnitFilesResult Result() const { return m_Result; }
    /// The letter of the chosen file (the one after '<' of its line); 0 after Cancel.
    char Letter() const { return m_Letter; }

private:
    std::size_t SelectedCount() const;
    void DeselectAll();
    void ChooseLine(std::size_t line);

    UserInteraction& m_Ui;
    CUnitDirectory& m_Directory;
    std::uint8_t m_Selector;
    UnitFilesChoices& m_Choices;
    std::string m_DownloadPath;
    Hooks m_Hooks;

    std::vector<UnitFileLine> m_Lines;
    std::vector<bool> m_Selected;
    std::size_t m_Widest = 0;
    std::string m_FileName;
    char m_Letter = 0;
    UnitFilesResult m_Result = UnitFilesResult::Open;
};

} // namespace orlu
