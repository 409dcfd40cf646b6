#pragma once
// What the ASCII download makes of each unit file: the whole file as its
// ASCII view, or the table form of one view (main results, FFT spectra,
// octaves, third octaves, time waveforms) with its decimal point, column
// separator, table form and an optional header. The contents dialog edits a
// copy of these choices; its model holds the dialog's enabling rules.

#include "platform/UserInteraction.h"
#include "presentation/AppSettings.h"

#include <cstdint>
#include <string_view>

namespace orlu {

/// The contents, as the dialog's radio buttons number them (0: the dialog was cancelled).
enum AsciiContent : std::uint8_t {
    kAsciiCancelled = 0,
    kAsciiWholeFiles = 1,
    kAsciiMainResults = 2,
    kAsciiFftSpectra = 3,
    kAsciiOctaves = 4,
    kAsciiThirdOctaves = 5,
    kAsciiWaveforms = 6,
};
inline constexpr int kAsciiContentCount = 6;

/// The table forms: "3 columns", "1 column", "1 row".
inline constexpr int kAsciiTableFormCount = 3;

/// The dialog's texts: the six contents, the lists of the three combos.
inline constexpr std::string_view kAsciiContentLabels[kAsciiContentCount] = {
    "WHOLE FILES", "MAIN RESULTS", "FFT SPECTRA", "1/1 OCTAVES", "1/3 OCTAVES", "TIME WAVEFORMS"};
inline constexpr std::string_view kAsciiDecimalLabels[] = {"dot  < . >", "comma  < , >"};
inline constexpr std::string_view kAsciiSeparatorLabels[] = {
    "tab  < HT >", "comma  < , >", "semicolon  < ; >", "slash  < / >", "space < _ >", "double space < _ _ >",
    "spaces to 10th  <_10>"};
inline constexpr std::string_view kAsciiTableFormLabels[kAsciiTableFormCount] = {"3 columns", "1 column", "1 row"};

/// The view a content renders (kViewNone for 0 or a value beyond the contents).
std::uint8_t ViewKindOfAsciiContent(int content);

struct AsciiChoices {
    std::uint8_t content = kAsciiWholeFiles;
    std::uint8_t header = 0;    ///< 1: the file's header information before the table
    std::uint8_t decimal = 0;   ///< index into DecimalPointChars
    std::uint8_t separator = 0; ///< index into ColumnSeparatorChars
    std::uint8_t tableForm = 0; ///< the table renderers' format or layout
};

/// The choices kept in the settings, each moved into its range.
AsciiChoices AsciiChoicesOf(const AppSettings& settings);
/// Stores accepted choices (content 1 to 6) in the settings.
void StoreAsciiChoices(const AsciiChoices& choices, AppSettings& settings);

/// Each value moved into its range: a content outside 1..6 becomes 1, a
/// header flag 0 or 1, a combo index below 0 the first entry, above its
/// table the last one.
std::uint8_t ClampAsciiContent(int content);
std::uint8_t ClampDecimalIndex(int index);
std::uint8_t ClampSeparatorIndex(int index);
std::uint8_t ClampTableFormIndex(int index);

/// The contents dialog without its window: which controls are enabled, what
/// the clicks change, and the checks of OK and Cancel.
class AsciiContentsModel {
public:
    AsciiContentsModel(std::uint8_t deviceSelector, const AsciiChoices& initial);

    const AsciiChoices& Choices() const { return m_Choices; }

    /// Whether the button of a content can be chosen: FFT spectra not on the
    /// ORLU 545 and 590, time waveforms only on the ORLU 505. A content kept
    /// from another instrument stays chosen, greyed.
    bool ContentEnabled(int content) const;
    /// The decimal point, separator and table form combos, their labels and
    /// the header box: enabled unless the whole files are chosen.
    bool TableControlsEnabled() const { return m_Choices.content != kAsciiWholeFiles; }

    void ChooseContent(int content);
    void ToggleHeader() { m_Choices.header = m_Choices.header ? 0 : 1; }
    /// A combo's index; -1 (no selection) and values beyond the list are moved into it.
    void SetDecimal(int index) { m_Choices.decimal = ClampDecimalIndex(index); }
    void SetSeparator(int index) { m_Choices.separator = ClampSeparatorIndex(index); }
    void SetTableForm(int index) { m_Choices.tableForm = ClampTableFormIndex(index); }

    /// OK: false, after the comma conflict message, while a table content has
    /// a comma as both decimal point and separator (the dialog stays open).
    bool Accept(UserInteraction& ui);
    /// Cancel: the content becomes 0, so no download starts.
    void Cancel() { m_Choices.content = kAsciiCancelled; }

private:
    std::uint8_t m_Selector;
    AsciiChoices m_Choices;
};

} // namespace orlu
