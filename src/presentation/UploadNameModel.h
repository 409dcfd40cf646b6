#pragma once
// What the upload-name dialog shows and decides, without a window: the
// instrument's files as list lines, the name field (upper case, at most 8
// characters), the name rules, and the overwrite question for a name the
// instrument already holds. The dialog returns only a name; an empty name
// abandons the upload.

#include "link/CUnitDirectory.h"
#include "platform/UserInteraction.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orlu {

inline constexpr std::string_view kUploadNameTitle = "Choice the name for the file being uploaded to the ORLU unit ...";
inline constexpr std::string_view kOverwriteQuestion = "The file with this name already exists.\nOverwrite it? ";
/// The most characters the instrument keeps of a file name.
inline constexpr std::size_t kUploadNameLength = 8;

/// Whether the name can be stored in the instrument: 1 to 8 characters, each
/// A-Z, 0-9, '_', '@' or '$'.
bool UploadNameValid(std::string_view name);

class UploadNameModel {
public:
    /// selector: the instrument family; requestKind: the upload's (0 METER,
    /// 1 ANALYZER, 2 other ORLU 505 files; 3, 4, 6 the other instruments),
    /// which is also the File type selection; letter: 'm' for a METER file,
    /// else 'a'. readDirectory reads the instrument's directory anew.
    UploadNameModel(std::uint8_t selector, CUnitDirectory& directory, std::function<bool()> readDirectory,
                    int requestKind, char letter, bool details);

    /// Fills the list: reads the directory first when it is stale.
    void FillList();
    /// Refresh: the directory is read from the instrument again.
    void Refresh();
    void SetDetails(bool details);
    void SetFileType(int fileType);

    /// Text typed into the name field: letters become upper case and a ninth
    /// character is refused (the name keeps its first 8).
    void SetName(std::string_view typed);
    /// A list line was chosen: its name and letter are taken.
    void SelectLine(std::size_t line);
    /// A line was double-clicked: taken as an existing file, then OK.
    bool DoubleClickLine(std::size_t line, UserInteraction& ui);
    /// OK: true when the dialog ends (with Name(), empty after a Cancel in the
    /// overwrite question); false when it stays open.
    bool Ok(UserInteraction& ui);
    /// Cancel: the name is emptied.
    void Cancel() { m_Name.clear(); }

    const std::vector<std::string>& Lines() const { return m_Lines; }
    /// Lines of files (0 when the list shows "No files found !").
    std::size_t FileCount() const { return m_FileCount; }
    /// The list and the Details box are enabled only with files listed.
    bool ListEnabled() const { return m_FileCount > 0; }
    std::size_t LongestLine() const { return m_Longest; }
    const std::string& Name() const { return m_Name; }
    char Letter() const { return m_Letter; }
    bool Details() const { return m_Details; }
    int FileType() const { return m_FileType; }
    std::string TotalText() const;
    /// "Read at  " and the read time in the locale's time format.
    std::string ReadAtText() const;

private:
    bool NameExists() const;

    std::uint8_t m_Selector;
    CUnitDirectory& m_Directory;
    std::function<bool()> m_ReadDirectory;
    int m_RequestKind;
    int m_FileType;
    char m_Letter;
    bool m_Details;
    bool m_Chosen = false; ///< the name came from a double-clicked line
    std::string m_Name;
    std::vector<std::string> m_Lines;
    std::size_t m_FileCount = 0;
    std::size_t m_Longest = 0;
};

} // namespace orlu
