#include "presentation/view/TableOptionsModel.h"

namespace orlu {

void TableOptionsModel::SetLevelsKeepBackup(const StatLevels& levels)
{
    Levels = levels;
    SavedLevels = levels;
}

void TableOptionsModel::ChooseMulti(bool multi)
{
    MultiCheck = multi;
    SingleCheck = !multi;
}

void TableOptionsModel::Defaults(std::uint8_t displayPitch, std::uint8_t printPitch)
{
    DecimalIndex = 0;
    SeparatorIndex = 0;
    ChooseMulti(false);
    DisplayPitch = displayPitch;
    PrintPitch = printPitch;
    if (m_Levels)
        Levels = kDefaultStatLevels;
}

void TableOptionsModel::Cancel()
{
    if (m_Levels)
        Levels = SavedLevels;
}

TableChannelsModel::TableChannelsModel(const std::array<std::uint16_t, kButtons>& inputKinds, std::uint16_t available,
                                       std::uint16_t selected)
    : m_InputKinds(inputKinds), m_Available(available)
{
    for (int i = 0; i < kButtons; ++i)
        m_Checks[static_cast<std::size_t>(i)] = (selected >> i) & 1u;
}

const char* TableChannelsModel::Label(int channel) const
{
    return m_InputKinds[static_cast<std::size_t>(channel - 1)] == kMicrophoneInput ? "Mic" : "Acc";
}

void TableChannelsModel::Toggle(int channel)
{
    if (channel < 1 || channel > kButtons || !ButtonEnabled(channel))
        return;
    auto& check = m_Checks[static_cast<std::size_t>(channel - 1)];
    check = !check;
}

// All five buttons take part: a fifth channel of another input kind must not slip into the table.
bool TableChannelsModel::OkEnabled() const
{
    std::optional<std::uint16_t> kind;
    for (std::size_t i = 0; i < kButtons; ++i) {
        if (!m_Checks[i])
            continue;
        if (kind && *kind != m_InputKinds[i])
            return false;
        kind = m_InputKinds[i];
    }
    return kind.has_value();
}

std::optional<std::uint16_t> TableChannelsModel::Accept() const
{
    if (!OkEnabled())
        return std::nullopt;
    std::uint16_t mask = 0;
    for (std::size_t i = 0; i < kButtons; ++i)
        mask = static_cast<std::uint16_t>(mask | (m_Checks[i] ? 1u << i : 0u));
    return mask;
}

} // namespace orlu
