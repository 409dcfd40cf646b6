#pragma once
// The table form's option dialogs: the decimal point and column separator,
// the element choice, the pitch pair, the scientific format of the main
// results and, in the statistical-levels variant, the level panel. And the
// dialog that picks channels of one input kind for a table.

#include "presentation/view/ViewOptionsRules.h"

#include <array>
#include <cstdint>
#include <optional>

namespace orlu {

class TableOptionsModel {
public:
    explicit TableOptionsModel(bool levels = false) : m_Levels(levels) {}
    bool LevelsVariant() const { return m_Levels; }

    std::int32_t DecimalIndex = -1;
    std::int32_t SeparatorIndex = -1;
    std::int32_t SingleCheck = 1;
    std::int32_t MultiCheck = 0;
    std::int32_t ElementChoiceEnabled = 0;
    std::uint8_t DisplayPitch = 16;
    std::uint8_t PrintPitch = 16;
    std::int32_t Scientific = 0;
    std::int32_t ScientificEnabled = 0;
    StatLevels Levels{};
    StatLevels SavedLevels{};
    std::int32_t LevelsEnabled = 0;
    std::int32_t UseAll = 0;
    std::int32_t UseAllEnabled = 0;

    void SetLevelsKeepBackup(const StatLevels& levels);
    void ChooseMulti(bool multi);
    /// Dot, tab, single element and the program's pitch sizes (the levels variant: the default levels).
    void Defaults(std::uint8_t displayPitch, std::uint8_t printPitch);
    /// The levels variant restores its levels.
    void Cancel();

private:
    bool m_Levels;
};

/// Input kinds of a channel.
inline constexpr std::uint16_t kMicrophoneInput = 2;

class TableChannelsModel {
public:
    static constexpr int kButtons = 5;

    TableChannelsModel(const std::array<std::uint16_t, kButtons>& inputKinds, std::uint16_t available,
                       std::uint16_t selected);

    bool ButtonEnabled(int channel) const { return (m_Available >> (channel - 1)) & 1u; }
    bool Checked(int channel) const { return m_Checks[static_cast<std::size_t>(channel - 1)] != 0; }
    /// "Mic" for a microphone input, else "Acc".
    const char* Label(int channel) const;
    /// A button pressed; a disabled one does nothing.
    void Toggle(int channel);
    /// OK is offered when at least one channel is chosen and all have one input kind.
    bool OkEnabled() const;
    /// The chosen channels (bit 0: channel 1), none while OK is not offered.
    std::optional<std::uint16_t> Accept() const;

private:
    std::array<std::uint16_t, kButtons> m_InputKinds;
    std::uint16_t m_Available;
    std::array<std::int32_t, kButtons> m_Checks{};
};

} // namespace orlu
