#include "presentation/dialogs/TextOptionsDialogModel.h"

#include "presentation/AppSettings.h"

#include <algorithm>

namespace orlu {
namespace {

constexpr NumberField kDisplayPitch{PitchPair::kDisplayId, NumberKind::Byte, 1, 48};
constexpr NumberField kPrintPitch{PitchPair::kPrintId, NumberKind::Byte, 1, 48};

template <class Members>
std::vector<std::string> Texts(const Members& members)
{
    std::vector<std::string> texts;
    for (const unsigned* m : members)
        texts.push_back(std::to_string(*m));
    return texts;
}

} // namespace

void LevelPanel::SortAscending() { std::sort(levels.begin(), levels.end()); }

const char* TextOptionsDialogModel::Caption() const
{
    return m_Kind == TextOptionsDialog::StatLevels ? "OPTIONS FOR TEXT FORM OF STATISTICAL LEVELS"
                                                   : "OPTIONS FOR TEXT FORM";
}

std::vector<NumberField> TextOptionsDialogModel::Fields() const
{
    std::vector<NumberField> fields{kDisplayPitch, kPrintPitch};
    if (m_Kind == TextOptionsDialog::TextPitch)
        fields.push_back({kLeftMarginId, NumberKind::Byte, 0, 48});
    if (HasLevelPanel())
        for (int id : LevelPanel::kLevelIds)
            fields.push_back({id, NumberKind::Byte, 1, 99});
    return fields;
}

template <class Self>
auto TextOptionsDialogModel::MembersOf(Self& self)
{
    std::vector<decltype(&self.leftMargin)> members{&self.pitch.displayPitch, &self.pitch.printPitch};
    if (self.m_Kind == TextOptionsDialog::TextPitch)
        members.push_back(&self.leftMargin);
    if (self.HasLevelPanel())
        for (auto& level : self.levelPanel.levels)
            members.push_back(&level);
    return members;
}

std::vector<std::string> TextOptionsDialogModel::FieldTexts() const { return Texts(MembersOf(*this)); }

std::optional<FieldError> TextOptionsDialogModel::Exchange(const std::vector<std::string>& texts)
{
    const std::vector<NumberField> fields = Fields();
    const std::vector<unsigned*> members = MembersOf(*this);
    return ExchangeNumbers(fields, texts, members);
}

void TextOptionsDialogModel::Defaults()
{
    pitch.displayPitch = m_Settings.DispPitchSize;
    pitch.printPitch = m_Settings.PrintPitchSize;
    if (m_Kind == TextOptionsDialog::TextPitch)
        leftMargin = m_Settings.DispTextMargin;
    else
        elements.ClickSingle();
    if (HasLevelPanel())
        levelPanel.levels = LevelPanel::kDefaultLevels;
}

std::optional<FieldError> TextOptionsDialogModel::Ascending(const std::vector<std::string>& texts)
{
    if (std::optional<FieldError> error = Exchange(texts))
        return error;
    levelPanel.SortAscending();
    return std::nullopt;
}

PitchZoomDefaultsModel::PitchZoomDefaultsModel(const AppSettings& settings)
    : displayPitch(settings.DispPitchSize), textMargin(settings.DispTextMargin), printPitch(settings.PrintPitchSize),
      printZoom(settings.PrintGraphZoom)
{
}

std::vector<NumberField> PitchZoomDefaultsModel::Fields()
{
    return {kDisplayPitch, {1082, NumberKind::Byte, 0, 48}, kPrintPitch, {1079, NumberKind::Byte, 1, 16}};
}

std::vector<std::string> PitchZoomDefaultsModel::FieldTexts() const
{
    return Texts(std::vector<const unsigned*>{&displayPitch, &textMargin, &printPitch, &printZoom});
}

std::optional<FieldError> PitchZoomDefaultsModel::Exchange(const std::vector<std::string>& texts)
{
    const std::vector<NumberField> fields = Fields();
    const std::vector<unsigned*> members{&displayPitch, &textMargin, &printPitch, &printZoom};
    return ExchangeNumbers(fields, texts, members);
}

void PitchZoomDefaultsModel::ProgramDefaults()
{
    displayPitch = 16;
    printPitch = 24;
    printZoom = 4;
    textMargin = 0;
}

void PitchZoomDefaultsModel::StoreInto(AppSettings& settings) const
{
    settings.DispPitchSize = static_cast<std::uint8_t>(displayPitch);
    settings.DispTextMargin = static_cast<std::uint8_t>(textMargin);
    settings.PrintPitchSize = static_cast<std::uint8_t>(printPitch);
    settings.PrintGraphZoom = static_cast<std::uint8_t>(printZoom);
}

} // namespace orlu
