#include "link/remote/CControlSett.h"

#include "platform/canvas/LittleEndian.h"

#include <algorithm>
#include <climits>
#include <cstdio>

namespace orlu {

const std::array<std::string_view, 29> kSettingsMessageTable{
    "Invalid value for setting Unit Version",
    "Invalid value for setting MODE",
    "Invalid value for setting START/STOP",
    "Invalid value for setting MIC. POL.",
    "Invalid value for setting FUNCTION",
    "Invalid value for setting S_LINES",
    "Invalid value for setting RECORD",
    "Invalid value for setting WINDOW",
    "Invalid value for setting AVERAGING",
    "Invalid value for setting AVERAGING NO.",
    "Invalid value for setting RMS AVERAGING",
    "Setting RMS AVERAGING can not be modified in ORLU 505",
    "Invalid value for setting DELTA INTEGR.",
    "Invalid value for setting INPUT",
    "Invalid value for setting RANGE",
    "Invalid value for setting BAND",
    "Invalid value for setting FILTER",
    "Invalid value for setting TRIGGER",
    "Invalid value for setting TRIGGER LEVEL",
    "Invalid value for setting TRIGGER DELAY",
    "Invalid value for setting C.FREQ.",
    "Invalid value for setting FUNCTION",
    "Invalid value for setting RMS AVERAGING",
    "Invalid value for setting INT. TIME",
    "Invalid value for setting UNIT",
    "Invalid value for setting DELTA INTEGR.",
    "Invalid value for setting INPUT",
    "Invalid value for setting RANGE",
    "Invalid value for setting FILTER",
};

namespace {

constexpr int kNoMessage = -1;

/// A setting's name, default and the widest range its setter takes (over
/// every version, function and unit); the setter narrows some of them by the
/// record's other settings.
struct SettingRow {
    std::string_view name;
    int defaultValue;
    int lowest;
    int highest;
    int message; ///< kNoMessage: any value is stored (flags)
};

constexpr SettingRow kRows[kSettingCount] = {
    {"UnitVersion", 1, 0, 2, 0},
    {"Mode", 0, 0, 2, 1},
    {"StartStop", 1, 1, 2, 2},
    {"MicPolarization", 1, 1, 2, 3},
    {"Calibration", 1, INT_MIN, INT_MAX, kNoMessage},
    {"SoundBeep", 1, INT_MIN, INT_MAX, kNoMessage},
    {"AnFunction", 1, 1, 4, 4},
    {"SLines", 1, 1, 5, 5},
    {"Record", 1, 1, 2, 6},
    {"Window", 1, 1, 5, 7},
    {"Averaging", 1, 1, 6, 8},
    {"AveragingNumber", 2, 1, 3599, 9},
    {"AnRmsAveraging", 1, 1, 4, 10},
    {"AnDeltaIntegr", 1, 1, 7, 12},
    {"AnInput", 1, 1, 6, 13},
    {"AnRange", 1, 1, 4, 14},
    {"Band", 1, 1, 16, 15},
    {"AnFilter", 1, 1, 4, 16},
    {"Trigger", 1, 1, 4, 17},
    {"TriggerLevel", 0, -999, 999, 18},
    {"TriggerDelay", 0, -4095, 4096, 19},
    {"Zoom", 0, INT_MIN, INT_MAX, kNoMessage},
    {"CFreq", 2, 2, 14, 20},
    {"MetFunction", 1, 1, 11, 21},
    {"AutoRepeat", 0, INT_MIN, INT_MAX, kNoMessage},
    {"MetRmsAveraging", 1, 1, 4, 22},
    {"IntegrationTime", 1, 1, 59, 23},
    {"IntegrationTimeUnit", 1, 1, 3, 24},
    {"MetDeltaIntegr", 1, 1, 10, 25},
    {"MetInput", 1, 1, 6, 26},
    {"MetRange", 1, 1, 4, 27},
    {"MetFilter", 1, 0, 16, 28},
    {"AutoRange", 0, INT_MIN, INT_MAX, kNoMessage},
};

const SettingRow& RowOf(Setting s)
{
    return kRows[static_cast<std::size_t>(s)];
}

// ---- The identify reply ----

enum class LetterKind { Plain, Flag, Serial, Software, Integration, RmsAfterC, First };

/// How the reply reports a setting: its letter, the setting and the range
/// the reply may carry (flags: 1 on, 2 off).
struct LetterRow {
    char letter;
    LetterKind kind;
    Setting setting;
    int lowest;
    int highest;
};

constexpr LetterRow kLetters[] = {
    {'#', LetterKind::First, Setting::UnitVersion, 1, 1},
    {'A', LetterKind::Plain, Setting::Trigger, 1, 4},
    {'B', LetterKind::Plain, Setting::TriggerLevel, -999, 999},
    {'C', LetterKind::Plain, Setting::Averaging, 1, 6},
    {'D', LetterKind::Plain, Setting::AveragingNumber, 1, 3599},
    {'E', LetterKind::Plain, Setting::AnDeltaIntegr, 1, 7},
    {'F', LetterKind::Plain, Setting::AnFilter, 1, 4},
    {'G', LetterKind::Plain, Setting::AnInput, 1, 6},
    {'H', LetterKind::Plain, Setting::Band, 1, 15},
    {'I', LetterKind::Plain, Setting::Window, 1, 5},
    {'K', LetterKind::Plain, Setting::Record, 1, 2},
    {'L', LetterKind::Plain, Setting::SLines, 1, 5},
    {'M', LetterKind::Plain, Setting::AnFunction, 1, 4},
    {'N', LetterKind::Serial, Setting::UnitVersion, 1, 9999},
    {'P', LetterKind::Flag, Setting::SoundBeep, 1, 2},
    {'Q', LetterKind::Flag, Setting::Calibration, 1, 2},
    {'R', LetterKind::Plain, Setting::AnRange, 1, 4},
    {'S', LetterKind::Plain, Setting::StartStop, 1, 2},
    {'T', LetterKind::Plain, Setting::TriggerDelay, -4095, 4096},
    {'V', LetterKind::Plain, Setting::MicPolarization, 1, 2},
    {'W', LetterKind::Software, Setting::UnitVersion, 1, 30000},
    {'X', LetterKind::Plain, Setting::Mode, 0, 2},
    {'Y', LetterKind::Plain, Setting::CFreq, 2, 14},
    {'Z', LetterKind::Flag, Setting::Zoom, 1, 2},
    {'c', LetterKind::Plain, Setting::MetRmsAveraging, 1, 4},
    {'d', LetterKind::Integration, Setting::IntegrationTime, INT_MIN, INT_MAX},
    {'e', LetterKind::Plain, Setting::MetDeltaIntegr, 1, 10},
    {'f', LetterKind::Plain, Setting::MetFilter, 0, 16},
    {'g', LetterKind::Plain, Setting::MetInput, 1, 6},
    {'k', LetterKind::Flag, Setting::AutoRepeat, 1, 2},
    {'m', LetterKind::Plain, Setting::MetFunction, 1, 11},
    {'r', LetterKind::Plain, Setting::MetRange, 1, 4},
    {'u', LetterKind::Flag, Setting::AutoRange, 1, 2},
    {'x', LetterKind::RmsAfterC, Setting::AnRmsAveraging, 1, 4},
};

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

/// The C library's decimal conversion at `at`: an optional sign and digits
/// (none give 0), saturated to the int range. `at` is not moved.
int NumberAt(std::string_view text, std::size_t at)
{
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+'))
        negative = text[at++] == '-';
    long long value = 0;
    for (; at < text.size() && IsDigit(text[at]); ++at)
        value = std::min<long long>(value * 10 + (text[at] - '0'), 1LL << 32);
    value = negative ? -value : value;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

/// Past one leading minus and the digits: where a token's number ends.
std::size_t PastNumber(std::string_view text, std::size_t at)
{
    if (at < text.size() && text[at] == '-')
        ++at;
    while (at < text.size() && IsDigit(text[at]))
        ++at;
    return at;
}

// ---- Send items ----

/// One send item: its letter and the setting it carries.
struct SendItem {
    char letter;
    Setting setting;
};

constexpr SendItem kGeneralItems[] = {
    {'Q', Setting::Calibration}, {'V', Setting::MicPolarization}, {'P', Setting::SoundBeep}, {'X', Setting::Mode}};
constexpr SendItem kMeterItems[] = {
    {'g', Setting::MetInput}, {'m', Setting::MetFunction},     {'c', Setting::MetRmsAveraging},
    {'d', Setting::IntegrationTime}, {'e', Setting::MetDeltaIntegr}, {'f', Setting::MetFilter},
    {'k', Setting::AutoRepeat}, {'r', Setting::MetRange}};
constexpr SendItem kAnalyzerItems[] = {
    {'G', Setting::AnInput}, {'A', Setting::Trigger},     {'B', Setting::TriggerLevel},
    {'I', Setting::Window},  {'M', Setting::AnFunction},  {'H', Setting::Band},
    {'C', Setting::Averaging}, {'D', Setting::AveragingNumber}, {'R', Setting::AnRange},
    {'F', Setting::AnFilter}, {'K', Setting::Record},     {'L', Setting::SLines},
    {'Z', Setting::Zoom}};

bool IsFlag(Setting s)
{
    return RowOf(s).message == kNoMessage;
}

// ---- Setup files ----

/// The texts of a setup file: a length of one byte, or 0xFF and a 16-bit
/// length, or 0xFF 0xFFFF and a 32-bit length; 0xFF 0xFFFE marks a text
/// stored as UTF-16, which the program never writes.
void AppendText(std::vector<std::uint8_t>& out, const std::string& text)
{
    const std::size_t n = text.size();
    if (n < 0xFF) {
        out.push_back(static_cast<std::uint8_t>(n));
    } else {
        out.push_back(0xFF);
        if (n < 0xFFFE) {
            AppendLe16(out, static_cast<std::uint32_t>(n));
        } else {
            AppendLe16(out, 0xFFFF);
            AppendLe32(out, static_cast<std::uint32_t>(n));
        }
    }
    out.insert(out.end(), text.begin(), text.end());
}

/// Reads a setup file front to back; every read is checked against the bytes left.
class SetupReader {
public:
    explicit SetupReader(std::span<const std::uint8_t> bytes) : m_Bytes(bytes) {}

    bool Int(std::int32_t& value)
    {
        if (Left() < 4)
            return false;
        value = GetLeI32(m_Bytes, m_At);
        m_At += 4;
        return true;
    }

    /// False with the reason when the text cannot be read.
    bool Text(std::string& text, std::string& why)
    {
        std::uint32_t length = 0;
        if (Left() < 1)
            return Cut(why);
        length = m_Bytes[m_At++];
        if (length == 0xFF) {
            if (Left() < 2)
                return Cut(why);
            length = GetLe16(m_Bytes, m_At);
            m_At += 2;
            if (length == 0xFFFE) {
                why = "is stored as Unicode text";
                return false;
            }
            if (length == 0xFFFF) {
                if (Left() < 4)
                    return Cut(why);
                length = GetLe32(m_Bytes, m_At);
                m_At += 4;
            }
        }
        // The length is bounded by the file before anything is taken.
        if (length > Left())
            return Cut(why);
        text.assign(reinterpret_cast<const char*>(m_Bytes.data() + m_At), length);
        m_At += length;
        return true;
    }

private:
    std::size_t Left() const { return m_Bytes.size() - m_At; }
    static bool Cut(std::string& why)
    {
        why = "ends early";
        return false;
    }

    std::span<const std::uint8_t> m_Bytes;
    std::size_t m_At = 0;
};

} // namespace

std::string_view SettingName(Setting setting)
{
    return RowOf(setting).name;
}

std::optional<Setting> SettingByName(std::string_view name)
{
    for (int i = 0; i < kSettingCount; ++i)
        if (kRows[i].name == name)
            return static_cast<Setting>(i);
    return std::nullopt;
}

CControlSett::CControlSett(bool eVersion)
{
    for (int i = 0; i < kSettingCount; ++i)
        m_Values[static_cast<std::size_t>(i)] = kRows[i].defaultValue;
    if (eVersion)
        m_Values[static_cast<std::size_t>(Setting::MetDeltaIntegr)] = 4;
}

SettingOutcome CControlSett::Set(Setting setting, int value)
{
    const SettingRow& row = RowOf(setting);
    int lowest = row.lowest;
    int highest = row.highest;
    int message = row.message;
    const bool eVersion = Get(Setting::UnitVersion) != 0;
    switch (setting) {
    case Setting::AveragingNumber:
        if (Get(Setting::AnFunction) == 1 || Get(Setting::AnFunction) == 2) {
            lowest = 2;
            highest = 2048;
        }
        break;
    case Setting::AnRmsAveraging:
        if (!eVersion)
            return {kSettingsMessageTable[11]};
        break;
    case Setting::MetRmsAveraging:
        highest = eVersion ? 4 : 2;
        break;
    case Setting::MetDeltaIntegr:
        lowest = eVersion ? 4 : 1;
        highest = eVersion ? 10 : 3;
        break;
    case Setting::IntegrationTime: {
        const int unit = Get(Setting::IntegrationTimeUnit);
        if (unit < 1 || unit > 3)
            return {}; // no unit to judge the time by: nothing stored, nothing said
        highest = unit == 3 ? 16 : 59;
        break;
    }
    default:
        break;
    }
    if (message != kNoMessage && (value < lowest || value > highest))
        return {kSettingsMessageTable[static_cast<std::size_t>(message)]};
    m_Values[static_cast<std::size_t>(setting)] = value;
    return {};
}

void CControlSett::ParseUnitSettings(std::string_view reply)
{
    auto& values = m_Values;
    auto put = [&values](Setting s, int v) { values[static_cast<std::size_t>(s)] = v; };
    put(Setting::UnitVersion, 0);
    std::size_t at = 0;
    for (int token = 1; at < reply.size(); ++token) {
        const char letter = reply[at];
        std::size_t numberAt = at + 1;
        int number = NumberAt(reply, numberAt);
        const auto row = std::find_if(std::begin(kLetters), std::end(kLetters),
                                      [letter](const LetterRow& r) { return r.letter == letter; });
        if (row != std::end(kLetters)) {
            switch (row->kind) {
            case LetterKind::First:
                if (token != 1 || number != 1)
                    return;
                break;
            case LetterKind::Serial:
                // "NE1234": the E version, the serial number after the E.
                if (number == 0 && numberAt < reply.size() && reply[numberAt] == 'E') {
                    put(Setting::UnitVersion, 1);
                    number = NumberAt(reply, ++numberAt);
                }
                if (number < row->lowest || number > row->highest)
                    return;
                m_SerialNumber = std::to_string(number);
                break;
            case LetterKind::Software:
                if (number < row->lowest || number > row->highest)
                    return;
                m_SoftwareVersion = std::to_string(number);
                break;
            case LetterKind::Flag:
                if (number < row->lowest || number > row->highest)
                    return;
                put(row->setting, number == 1 ? 1 : 0);
                break;
            case LetterKind::Integration: {
                put(Setting::IntegrationTime, number);
                // The unit letter after the digits belongs to the token.
                numberAt = PastNumber(reply, numberAt);
                const char unit = numberAt < reply.size() ? reply[numberAt] : '\0';
                put(Setting::IntegrationTimeUnit, unit == 'm' ? 2 : unit == 'h' ? 3 : 1);
                if (unit == 'm' || unit == 'h')
                    ++numberAt;
                break;
            }
            case LetterKind::RmsAfterC: {
                // "xC3": nothing after the x, then C and the averaging.
                const std::size_t c = PastNumber(reply, numberAt);
                if (number != 0 || c >= reply.size() || reply[c] != 'C')
                    return;
                numberAt = c + 1;
                number = NumberAt(reply, numberAt);
                if (number < row->lowest || number > row->highest)
                    return;
                put(row->setting, number);
                break;
            }
            case LetterKind::Plain:
                if (number < row->lowest || number > row->highest)
                    return;
                put(row->setting, number);
                break;
            }
        }
        // The token ends after its number, searched from what the letter took.
        at = PastNumber(reply, numberAt);
        if (at >= reply.size() || reply[at] != ',')
            return;
        ++at;
    }
}

int CControlSett::GetSendItemCount(int page)
{
    switch (page) {
    case 0:
        return 5;
    case 1:
        return 8;
    case 2:
        return 13;
    default:
        return 0;
    }
}

std::string CControlSett::FormatSendItem(int page, int item) const
{
    std::span<const SendItem> items;
    if (page == 0)
        items = kGeneralItems;
    else if (page == 1)
        items = kMeterItems;
    else if (page == 2)
        items = kAnalyzerItems;
    if (item < 1 || static_cast<std::size_t>(item) > items.size())
        return {};
    const SendItem& send = items[static_cast<std::size_t>(item - 1)];
    const int value = Get(send.setting);
    std::string text(1, send.letter);
    if (IsFlag(send.setting)) {
        text += value != 0 ? "1" : "2";
    } else {
        text += std::to_string(value);
    }
    if (send.setting == Setting::IntegrationTime) {
        const int unit = Get(Setting::IntegrationTimeUnit);
        text += unit == 1 ? "" : unit == 2 ? "m" : "h";
    }
    return text;
}

std::vector<std::uint8_t> CControlSett::StoreSetup() const
{
    std::vector<std::uint8_t> out;
    out.reserve(134 + m_SerialNumber.size() + m_SoftwareVersion.size());
    for (int i = 0; i < kSettingCount; ++i) {
        if (i == static_cast<int>(Setting::AnFunction)) {
            AppendText(out, m_SerialNumber);
            AppendText(out, m_SoftwareVersion);
        }
        AppendLe32(out, static_cast<std::uint32_t>(m_Values[static_cast<std::size_t>(i)]));
    }
    return out;
}

std::optional<std::string> CControlSett::LoadSetup(std::span<const std::uint8_t> bytes)
{
    CControlSett loaded;
    SetupReader reader(bytes);
    std::string why;
    for (int i = 0; i < kSettingCount; ++i) {
        if (i == static_cast<int>(Setting::AnFunction)) {
            if (!reader.Text(loaded.m_SerialNumber, why))
                return "The serial number " + why + ".";
            if (!reader.Text(loaded.m_SoftwareVersion, why))
                return "The software version " + why + ".";
        }
        std::int32_t value = 0;
        if (!reader.Int(value))
            return "The file ends early, at " + std::string(kRows[i].name) + ".";
        // Every setting is checked before anything indexes a table with it.
        if (value < kRows[i].lowest || value > kRows[i].highest) {
            char text[160];
            std::snprintf(text, sizeof text, "%s holds %d, outside %d to %d.", kRows[i].name.data(),
                          static_cast<int>(value), kRows[i].lowest, kRows[i].highest);
            return std::string(text);
        }
        loaded.m_Values[static_cast<std::size_t>(i)] = value;
    }
    *this = std::move(loaded);
    return std::nullopt;
}

} // namespace orlu
