#include "presentation/UploadNameModel.h"

#include "link/SerialLinkSettings.h"
#include "platform/FixedTextDialogs.h"
#include "presentation/UnitFileLines.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <ctime>

namespace orlu {
namespace {

constexpr int kRequestOther505 = 2;

/// The ORLU 505's File type filter; any other selection lists everything.
bool Listed505(char letter, int fileType)
{
    switch (fileType) {
    case 0:
        return letter == 'm';
    case 1:
        return letter == 'a';
    case 2:
        return letter != 'm' && letter != 'a';
    default:
        return true;
    }
}

/// A line's characters up to its first '.' or '<'.
std::string_view LineStem(std::string_view line)
{
    return line.substr(0, std::min(line.find('.'), line.find('<')));
}

bool EqualIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

} // namespace

bool UploadNameValid(std::string_view name)
{
    return !name.empty() && name.size() <= kUploadNameLength && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '@' || c == '$';
    });
}

UploadNameModel::UploadNameModel(std::uint8_t selector, CUnitDirectory& directory, std::function<bool()> readDirectory,
                                 int requestKind, char letter, bool details)
    : m_Selector(selector), m_Directory(directory), m_ReadDirectory(std::move(readDirectory)),
      m_RequestKind(requestKind), m_FileType(requestKind), m_Letter(letter), m_Details(details)
{
}

void UploadNameModel::FillList()
{
    if (m_Directory.DirectoryStale() && m_ReadDirectory)
        m_ReadDirectory();
    m_Lines.clear();
    m_FileCount = 0;
    m_Longest = 0;
    for (std::size_t i = 0; i < m_Directory.GetEntryCount(); ++i) {
        const UnitDirEntry& e = m_Directory.GetEntry(i);
        if (e.IsEmpty())
            continue;
        std::string name = e.RawName();
        name.resize(std::min(name.find('\0'), name.size()));
        if (m_Details)
            std::replace(name.begin(), name.end(), ' ', '.');
        else
            name.resize(std::min(name.find(' '), name.size()));
        const char letter = UnitFileLetter(m_Selector, e);
        if (m_Selector == kSelector505 && !Listed505(letter, m_FileType))
            continue;
        char text[64];
        if (m_Details)
            std::snprintf(text, sizeof text, "%s.<%c>..%lu", name.c_str(), letter, static_cast<unsigned long>(e.Size()));
        else
            std::snprintf(text, sizeof text, "%s<%c>", name.c_str(), letter);
        m_Lines.emplace_back(text);
        m_Longest = std::max(m_Longest, m_Lines.back().size());
        ++m_FileCount;
    }
    if (m_Lines.empty())
        m_Lines.emplace_back(kNoFilesFound);
    // The list is sorted, as the dialog's list box sorts its lines.
    if (m_FileCount > 0)
        std::sort(m_Lines.begin(), m_Lines.end());
}

void UploadNameModel::Refresh()
{
    m_Directory.ClearEntries();
    m_Directory.ClearHeaders();
    FillList();
}

void UploadNameModel::SetDetails(bool details)
{
    m_Details = details;
    FillList();
}

void UploadNameModel::SetFileType(int fileType)
{
    m_FileType = fileType;
    FillList();
}

void UploadNameModel::SetName(std::string_view typed)
{
    m_Name.clear();
    for (char c : typed.substr(0, std::min(typed.size(), kUploadNameLength)))
        m_Name.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
}

void UploadNameModel::SelectLine(std::size_t line)
{
    if (line >= m_Lines.size() || m_FileCount == 0)
        return;
    const std::string& text = m_Lines[line];
    const std::size_t start = std::min(text.find_first_not_of(' '), text.size());
    const std::size_t end = std::min(text.find_first_of(".<", start), text.size());
    SetName(std::string_view(text).substr(start, end - start));
    const std::size_t lt = text.find('<');
    if (lt != std::string::npos && lt + 1 < text.size())
        m_Letter = text[lt + 1];
}

bool UploadNameModel::DoubleClickLine(std::size_t line, UserInteraction& ui)
{
    if (line >= m_Lines.size() || m_FileCount == 0)
        return false;
    SelectLine(line);
    m_Chosen = true;
    return Ok(ui);
}

bool UploadNameModel::NameExists() const
{
    if (m_Name.empty() || m_FileCount == 0)
        return false;
    // On the ORLU 505 a file of another letter is another file, except that
    // a setup upload asks about any file of its name.
    const bool byLetter = m_Selector == kSelector505 && m_RequestKind != kRequestOther505;
    return std::any_of(m_Lines.begin(), m_Lines.end(), [&](const std::string& line) {
        if (!EqualIgnoringCase(LineStem(line), m_Name))
            return false;
        const std::size_t lt = line.find('<');
        return !byLetter || (lt != std::string::npos && lt + 1 < line.size() && line[lt + 1] == m_Letter);
    });
}

bool UploadNameModel::Ok(UserInteraction& ui)
{
    const bool exists = m_Chosen || NameExists();
    m_Chosen = false;
    if (exists) {
        switch (ui.AskQuestion(kOverwriteQuestion)) {
        case QuestionAnswer::Yes:
            return true;
        case QuestionAnswer::Cancel:
            m_Name.clear();
            return true;
        default:
            return false;
        }
    }
    if (UploadNameValid(m_Name))
        return true;
    ShowFixedText(ui, kNameInvalidText);
    return false;
}

std::string UploadNameModel::TotalText() const
{
    return "Total number of files: " + std::to_string(m_FileCount);
}

std::string UploadNameModel::ReadAtText() const
{
    char when[64] = "";
    const std::time_t t = m_Directory.ReadTime();
    std::strftime(when, sizeof when, "%X", std::localtime(&t));
    return std::string("Read at  ") + when;
}

} // namespace orlu
