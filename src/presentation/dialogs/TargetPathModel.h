#pragma once
// The TARGET PATH folder chooser: a folder tree loaded on demand under two
// roots ("/" and the home folder), the chosen path shortened for its label,
// and creating, renaming and deleting folders. A new subfolder is named by
// an edited name, the date and time, or a default name made unique
// ("NewFolder(2)"). Folders are listed without following symbolic links, so
// a link back up the tree never makes the tree endless.

#include "platform/UserInteraction.h"

#include <ctime>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orlu {

/// The options the dialog keeps in the program settings.
struct TargetPathOptions {
    bool keepUnchanged = false;
    bool dontUseFloppy = false; ///< kept for the profile; there are no floppy drives to leave out
    bool leaveFocusOnParent = false;
    int subfolderNaming = 3; ///< 1 edited name, 2 date and time, 3 default name
    std::string editedName;
    std::string defaultName;
    friend bool operator==(const TargetPathOptions&, const TargetPathOptions&) = default;
};

/// The label of a path: up to 65 characters as it is; longer, its first 3
/// characters, "..." and its tail from a '/' (the last 59 characters less
/// those before the first '/' among their first 30, else the last 29).
std::string ShortenPathText(const std::string& path);

/// "yymmdd_hhhmm" of a local time: 091231_23h59.
std::string DateTimeFolderName(const std::tm& time);

/// The default name made unique in a folder: the base when no entry is
/// called so, else base(n + 1) for the largest n of "base" (1) and "base(n)".
std::string UniqueFolderName(const std::filesystem::path& folder, const std::string& base);

class TargetPathModel {
public:
    static constexpr const char* kCreateFailed = "Can't create new subfolder.";
    static constexpr const char* kDeleteFailed = "Can't delete nonempty folder.";
    static constexpr const char* kRenameFailed = "Can't rename the folder.";

    struct Node {
        std::string name; ///< a root's whole path, else the folder's name
        int parent = -1;
        std::vector<int> children;
        bool loaded = false;      ///< children listed
        bool hasChildren = false; ///< shows an expand button
        bool removed = false;
    };

    /// `now` gives the local time for the date-and-time name; `roots` stand for the drives.
    TargetPathModel(UserInteraction& ui, std::function<std::tm()> now, std::vector<std::filesystem::path> roots);

    /// Builds the tree and opens it at the initial path (or its deepest existing folder).
    void Open(const std::string& caption, const std::string& initialPath, const TargetPathOptions& options);

    const std::string& Caption() const { return m_Caption; }
    const Node& At(int id) const { return m_Nodes.at(static_cast<std::size_t>(id)); }
    std::vector<int> Roots() const;
    int Selected() const { return m_Selected; }
    void Select(int id);
    /// Lists the folder's subfolders the first time it expands.
    void Expand(int id);
    std::string PathOf(int id) const;

    std::string CurrentPath() const { return m_Selected >= 0 ? PathOf(m_Selected) : std::string(); }
    std::string PathText() const { return ShortenPathText(CurrentPath()); }
    /// Rename and Delete: off on a root.
    bool FolderCommandsEnabled() const;

    const TargetPathOptions& Options() const { return m_Options; }
    void SetKeepUnchanged(bool on) { m_Options.keepUnchanged = on; }
    void SetDontUseFloppy(bool on) { m_Options.dontUseFloppy = on; }
    void SetLeaveFocusOnParent(bool on) { m_Options.leaveFocusOnParent = on; }
    /// Chooses the naming method (1..3); the date-and-time name is taken from the clock again.
    void SetNaming(int method);
    /// The radio button's text: "default name \"NewFolder\"".
    std::string NamingText(int method) const;
    /// The name the next new subfolder gets.
    std::string NewSubfolderName() const;

    /// Create subfolder: with the default name the folder is made at once;
    /// otherwise a new item waits for its name to be edited.
    void CreateSubfolder();
    void RenameFolder();
    void DeleteFolder();
    /// The item whose name is being edited, -1 when none.
    int EditItem() const { return m_EditItem; }
    /// The text the edit starts with.
    std::string EditText() const;
    /// The end of a name edit: the text typed, or nothing when it was cancelled.
    void EndLabelEdit(const std::optional<std::string>& text);

    /// OK: ends a running edit with the text and stays open (false); otherwise true.
    bool Ok(const std::string& editText);
    /// Cancel: cancels a running edit and stays open (false); otherwise the
    /// options go back to the opening ones and the path to the initial one (true).
    bool Cancel();
    /// The chosen folder: the selected one, or the initial one after Cancel.
    std::string ResultPath() const { return m_Result; }

private:
    enum class EditState { None, NewFolder, Rename };

    int AddNode(int parent, std::string name);
    void LoadChildren(int id);
    void SortChildren(int id);
    void RemoveNode(int id);
    bool ValidName(const std::string& name) const;
    void Refresh();

    UserInteraction& m_Ui;
    std::function<std::tm()> m_Now;
    std::vector<std::filesystem::path> m_RootPaths;
    std::vector<Node> m_Nodes;
    std::string m_Caption;
    std::string m_InitialPath;
    std::string m_Result;
    std::string m_DateTimeName;
    TargetPathOptions m_Options;
    TargetPathOptions m_Saved;
    int m_Selected = -1;
    int m_EditItem = -1;
    EditState m_EditState = EditState::None;
};

} // namespace orlu
