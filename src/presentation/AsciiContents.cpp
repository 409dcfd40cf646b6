#include "presentation/AsciiContents.h"

#include "document/ViewKind.h"
#include "link/SerialLinkSettings.h"
#include "platform/FixedTextDialogs.h"
#include "reports/table/TableOutputOptions.h"

#include <algorithm>

namespace orlu {
namespace {

/// The ORLU 545 and ORLU 590 have no FFT spectra to offer.
constexpr std::uint8_t kSelectorFourChannel = 10;
constexpr int kCommaIndex = 1;

// The views of contents 1 to 6.
constexpr std::uint8_t kContentViews[kAsciiContentCount + 1] = {
    kViewNone, kViewAscii, kViewMainResults, kViewSpectra, kViewOctaves, kViewThirdOctaves, kViewWaveforms};

std::uint8_t ClampIndex(int index, int count)
{
    return static_cast<std::uint8_t>(std::clamp(index, 0, count - 1));
}

} // namespace

std::uint8_t ViewKindOfAsciiContent(int content)
{
    if (content < 0 || content > kAsciiContentCount)
        return kViewNone;
    return kContentViews[content];
}

std::uint8_t ClampAsciiContent(int content)
{
    if (content < kAsciiWholeFiles || content > kAsciiContentCount)
        return kAsciiWholeFiles;
    return static_cast<std::uint8_t>(content);
}

std::uint8_t ClampDecimalIndex(int index)
{
    return ClampIndex(index, static_cast<int>(sizeof DecimalPointChars - 1));
}

std::uint8_t ClampSeparatorIndex(int index)
{
    return ClampIndex(index, static_cast<int>(sizeof ColumnSeparatorChars - 1));
}

std::uint8_t ClampTableFormIndex(int index)
{
    return ClampIndex(index, kAsciiTableFormCount);
}

AsciiChoices AsciiChoicesOf(const AppSettings& s)
{
    return {ClampAsciiContent(s.AsciiFunDefault), static_cast<std::uint8_t>(s.AsciiIHIDefault ? 1 : 0),
            ClampDecimalIndex(s.AsciiDecyPointDefault), ClampSeparatorIndex(s.AsciiSepaCharDefault),
            ClampTableFormIndex(s.AsciiTabFormDefault)};
}

void StoreAsciiChoices(const AsciiChoices& c, AppSettings& s)
{
    s.AsciiFunDefault = ClampAsciiContent(c.content);
    s.AsciiIHIDefault = c.header ? 1 : 0;
    s.AsciiDecyPointDefault = ClampDecimalIndex(c.decimal);
    s.AsciiSepaCharDefault = ClampSeparatorIndex(c.separator);
    s.AsciiTabFormDefault = ClampTableFormIndex(c.tableForm);
}

AsciiContentsModel::AsciiContentsModel(std::uint8_t deviceSelector, const AsciiChoices& initial)
    : m_Selector(deviceSelector),
      m_Choices{ClampAsciiContent(initial.content), static_cast<std::uint8_t>(initial.header ? 1 : 0),
                ClampDecimalIndex(initial.decimal), ClampSeparatorIndex(initial.separator),
                ClampTableFormIndex(initial.tableForm)}
{
}

bool AsciiContentsModel::ContentEnabled(int content) const
{
    switch (content) {
    case kAsciiFftSpectra:
        return m_Selector != kSelectorFourChannel;
    case kAsciiWaveforms:
        return m_Selector == kSelector505;
    default:
        return content >= kAsciiWholeFiles && content <= kAsciiContentCount;
    }
}

void AsciiContentsModel::ChooseContent(int content)
{
    if (ContentEnabled(content))
        m_Choices.content = static_cast<std::uint8_t>(content);
}

bool AsciiContentsModel::Accept(UserInteraction& ui)
{
    if (TableControlsEnabled() && m_Choices.decimal == kCommaIndex && m_Choices.separator == kCommaIndex) {
        ShowFixedText(ui, kCommaConflictText);
        return false;
    }
    return true;
}

} // namespace orlu
