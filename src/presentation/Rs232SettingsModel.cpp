#include "presentation/Rs232SettingsModel.h"

#include <algorithm>

namespace orlu {
namespace {

std::uint8_t Clamped(int index, std::size_t size)
{
    // A list without a selection gives -1.
    return static_cast<std::uint8_t>(std::clamp(index, 0, static_cast<int>(size) - 1));
}

} // namespace

Rs232SettingsModel::Rs232SettingsModel(SerialLinkSettings& settings, std::uint8_t deviceSelector)
    : m_Settings(settings), m_Selector(deviceSelector)
{
    ReadCurrent();
}

void Rs232SettingsModel::ReadCurrent()
{
    const SerialParameters& c = m_Settings.current;
    port = c.port;
    dataBits = c.dataBits;
    parity = c.parity;
    stopBits = c.stopBits;
    baudRate = std::min<int>(c.baudRate, m_Settings.baudEntries - 1);
}

std::vector<std::string_view> Rs232SettingsModel::BaudLabels() const
{
    return {kBaudRateLabels.begin(), kBaudRateLabels.begin() + m_Settings.baudEntries};
}

void Rs232SettingsModel::Defaults()
{
    m_Settings.RestoreDefaults(m_Selector);
    ReadCurrent();
}

void Rs232SettingsModel::Accept()
{
    SerialParameters& c = m_Settings.current;
    c.port = Clamped(port, kPortNames.size());
    c.dataBits = Clamped(dataBits, kDataBitsTexts.size());
    c.baudRate = Clamped(baudRate, m_Settings.baudEntries);
    c.parity = Clamped(parity, kParityTexts.size());
    c.stopBits = Clamped(stopBits, kStopBitsTexts.size());
    c.writePause = m_Settings.PauseFor(m_Selector);
}

} // namespace orlu
