#include "presentation/UnitFilesDialogModel.h"

#include "platform/FixedTextDialogs.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace orlu {

UnitFilesDialogModel::UnitFilesDialogModel(UserInteraction& ui, CUnitDirectory& directory, std::uint8_t selector,
                                           UnitFilesChoices& choices, std::string downloadPath, Hooks hooks)
    : m_Ui(ui), m_Directory(directory), m_Selector(selector), m_Choices(choices),
      m_DownloadPath(std::move(downloadPath)), m_Hooks(std::move(hooks))
{
}

void UnitFilesDialogModel::InitDialog()
{
    m_FileName.clear();
    m_Letter = 0;
    FillList();
    m_Result = UnitFilesResult::Open;
}

void UnitFilesDialogModel::FillList()
{
    if (m_Directory.DirectoryStale() && m_Hooks.readDirectory)
        m_Hooks.readDirectory();
    if (m_Selector == kSelector505 && m_Choices.moreDetails && m_Directory.HeadersStale() && m_Hooks.readHeaders)
        m_Hooks.readHeaders();
    UnitListOptions options{m_Choices.details, m_Choices.moreDetails, m_Choices.sortByNames,
                            static_cast<UnitFileFilter>(std::clamp(m_Choices.fileType, 0, 3))};
    m_Lines = BuildUnitFileLines(m_Selector, m_Directory, options);
    // Without any header the 505's More details cannot be shown: switched off here and in the application.
    m_Choices.moreDetails = options.moreDetails;
    m_Widest = 0;
    for (const UnitFileLine& line : m_Lines)
        m_Widest = std::max(m_Widest, line.text.size());
    // The selection the directory keeps is per entry, so it finds its lines whatever their order.
    const std::vector<std::uint8_t>& flags = m_Directory.GetSelectionFlags();
    m_Selected.assign(m_Lines.size(), false);
    for (std::size_t i = 0; i < m_Lines.size(); ++i)
        m_Selected[i] = m_Lines[i].entry < flags.size() && flags[m_Lines[i].entry] != 0;
}

std::vector<std::string> UnitFilesDialogModel::ListTexts() const
{
    if (m_Lines.empty())
        return {std::string(kNoFilesFound)};
    std::vector<std::string> texts;
    texts.reserve(m_Lines.size());
    for (const UnitFileLine& line : m_Lines)
        texts.push_back(line.text);
    return texts;
}

std::size_t UnitFilesDialogModel::SelectedCount() const
{
    if (m_Choices.multichoice)
        return static_cast<std::size_t>(std::count(m_Selected.begin(), m_Selected.end(), true));
    return m_FileName.empty() ? 0 : 1;
}

UnitFilesEnabling UnitFilesDialogModel::Enabling() const
{
    const bool listed = !m_Lines.empty();
    const bool chosen = listed && SelectedCount() > 0;
    UnitFilesEnabling e;
    e.list = e.selectAll = e.deselectAll = e.details = e.moreDetails = e.multichoice = listed;
    e.fileType = true;
    e.open = e.download = e.asciiDownload = e.deleteFiles = chosen;
    e.merge = chosen && m_Choices.multichoice;
    e.fileName = !m_Choices.multichoice;
    return e;
}

std::string UnitFilesDialogModel::TotalText() const
{
    return "Total number of files: " + std::to_string(m_Lines.size());
}

std::string UnitFilesDialogModel::SelectedText() const
{
    return "Number of selected files: " + std::to_string(SelectedCount());
}

std::string UnitFilesDialogModel::ReadAtText() const
{
    const std::time_t t = m_Directory.ReadTime();
    std::tm local{};
    localtime_r(&t, &local);
    char when[64] = "";
    std::strftime(when, sizeof when, "%X", &local);
    return std::string("Read at  ") + when;
}

void UnitFilesDialogModel::DeselectAll()
{
    std::fill(m_Selected.begin(), m_Selected.end(), false);
}

void UnitFilesDialogModel::ChooseLine(std::size_t line)
{
    m_FileName = LineNamePart(m_Lines[line].text);
    m_Letter = UnitLineLetter(m_Lines[line].text);
}

void UnitFilesDialogModel::OnSelectionChange(const std::vector<std::size_t>& selected, std::size_t clicked)
{
    m_FileName.clear();
    DeselectAll();
    for (std::size_t p : selected)
        if (p < m_Selected.size())
            m_Selected[p] = true;
    if (m_Choices.multichoice || clicked >= m_Lines.size())
        return;
    // A single choice: only the lines that read like the clicked one stay selected.
    for (std::size_t i = 0; i < m_Lines.size(); ++i)
        m_Selected[i] = m_Lines[i].text == m_Lines[clicked].text;
    ChooseLine(clicked);
}

bool UnitFilesDialogModel::OnDoubleClick(std::size_t line)
{
    if (line >= m_Lines.size())
        return false;
    // The double-clicked line is selected as a click selects it, then opened.
    if (m_Choices.multichoice) {
        m_Selected[line] = true;
        ChooseLine(line);
    } else {
        OnSelectionChange({line}, line);
    }
    return OnButton(UnitFilesResult::OpenButton);
}

void UnitFilesDialogModel::OnMultichoice(bool on)
{
    m_Choices.multichoice = on;
    if (!on)
        DeselectAll();
}

void UnitFilesDialogModel::OnSelectAll()
{
    m_Choices.multichoice = true;
    std::fill(m_Selected.begin(), m_Selected.end(), true);
}

void UnitFilesDialogModel::OnDeselectAll()
{
    m_Choices.multichoice = false;
    DeselectAll();
    m_FileName.clear();
}

void UnitFilesDialogModel::OnFileType(int index)
{
    if (index == m_Choices.fileType)
        return;
    m_Choices.fileType = index;
    FillList();
    DeselectAll();
    m_FileName.clear();
}

void UnitFilesDialogModel::OnDetails(bool on)
{
    m_Choices.details = on;
    FillList();
}

void UnitFilesDialogModel::OnMoreDetails(bool on)
{
    m_Choices.moreDetails = on;
    FillList();
}

void UnitFilesDialogModel::OnSortByNames(bool on)
{
    m_Choices.sortByNames = on;
    m_Directory.ClearSelection();
    std::vector<std::uint8_t>& flags = m_Directory.GetSelectionFlags();
    std::fill(flags.begin(), flags.end(), 0);
    FillList();
}

void UnitFilesDialogModel::OnRefresh()
{
    m_Directory.ClearEntries();
    m_Directory.ClearHeaders();
    FillList();
}

void UnitFilesDialogModel::OnFileNameFocus()
{
    DeselectAll();
}

void UnitFilesDialogModel::SetFileName(std::string text)
{
    m_FileName = std::move(text);
}

bool UnitFilesDialogModel::OnButton(UnitFilesResult result)
{
    m_Result = result;
    return OnOK();
}

bool UnitFilesDialogModel::OnAsciiDownload()
{
    if (!m_Hooks.runAsciiContents || !m_Hooks.runAsciiContents())
        return false;
    return OnButton(UnitFilesResult::AsciiDownload);
}

bool UnitFilesDialogModel::OnOK()
{
    std::vector<std::size_t> positions;
    for (std::size_t i = 0; i < m_Selected.size(); ++i)
        if (m_Selected[i])
            positions.push_back(i);
    if (positions.empty()) {
        const TypedNameMatch match = MatchTypedName(m_Lines, m_FileName);
        if (match.result == TypedNameMatch::Result::NotFound) {
            StoreSelection(m_Directory, m_Lines, {});
            ShowFixedText(m_Ui, kNameNotFoundText);
            return false;
        }
        // The first matching line is shown selected either way.
        m_Selected[match.line] = true;
        m_Letter = UnitLineLetter(m_Lines[match.line].text);
        if (match.result == TypedNameMatch::Result::NotUnique) {
            StoreSelection(m_Directory, m_Lines, {});
            ShowFixedText(m_Ui, kNameNotUniqueText);
            return false;
        }
        positions.push_back(match.line);
        if (m_Result == UnitFilesResult::OpenButton)
            m_Result = UnitFilesResult::Open;
    } else {
        m_Letter = UnitLineLetter(m_Lines[positions.front()].text);
    }
    StoreSelection(m_Directory, m_Lines, positions);
    return true;
}

void UnitFilesDialogModel::OnCancel()
{
    m_Letter = 0;
    m_Result = UnitFilesResult::Cancel;
}

} // namespace orlu
