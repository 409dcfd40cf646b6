#include "support/MonitorStreamBuilder.h"

#include <cstdio>

namespace orlu::fixture {
namespace {

std::string Field(char letter, const std::optional<double>& value)
{
    if (!value)
        return {};
    char text[48];
    std::snprintf(text, sizeof text, "%c%.1f ", letter, *value);
    return text;
}

std::string RecordNumber(std::uint16_t n)
{
    char text[8];
    std::snprintf(text, sizeof text, "%04X", n);
    return text;
}

} // namespace

std::string MonitorTimeValue(const MonitorStamp& t, char separator)
{
    char text[32];
    std::snprintf(text, sizeof text, "%02X%c%02X%c%02X%c%02X%c%02X", t.Minute, separator, t.Hour, separator, t.Day,
                  separator, t.Month, separator, t.Year - 2000);
    return text;
}

std::string MonitorSoundText(const MonitorSound& v)
{
    return Field('P', v.Peak) + Field('M', v.Max) + Field('N', v.Min) + Field('S', v.Spl) + Field(v.LeqLetter, v.Leq) +
           Field('U', v.Sel);
}

void MonitorStreamBuilder::Le16(std::uint16_t v)
{
    m_Bytes.push_back(static_cast<std::uint8_t>(v));
    m_Bytes.push_back(static_cast<std::uint8_t>(v >> 8));
}

void MonitorStreamBuilder::Le32(std::uint32_t v)
{
    Le16(static_cast<std::uint16_t>(v));
    Le16(static_cast<std::uint16_t>(v >> 16));
}

MonitorStreamBuilder& MonitorStreamBuilder::CaptureHeader()
{
    m_Capture = true;
    Raw("STM ");
    Raw("       ");
    return Raw(std::string(4, '\0'));
}

MonitorStreamBuilder& MonitorStreamBuilder::Raw(std::string_view bytes)
{
    m_Bytes.insert(m_Bytes.end(), bytes.begin(), bytes.end());
    return *this;
}

MonitorStreamBuilder& MonitorStreamBuilder::RawBytes(const std::vector<std::uint8_t>& bytes)
{
    m_Bytes.insert(m_Bytes.end(), bytes.begin(), bytes.end());
    return *this;
}

MonitorStreamBuilder& MonitorStreamBuilder::ZeroGap(std::size_t n)
{
    m_Bytes.insert(m_Bytes.end(), n, 0);
    return *this;
}

MonitorStreamBuilder& MonitorStreamBuilder::Station(std::string_view fields)
{
    return Raw("#8").Raw(fields).Raw(";");
}

MonitorStreamBuilder& MonitorStreamBuilder::Setup(std::string_view fields)
{
    return Raw("#1").Raw(fields).Raw(";");
}

MonitorStreamBuilder& MonitorStreamBuilder::Prefix(std::uint16_t n, char kind)
{
    return Raw("[").Raw(RecordNumber(n)).Raw(" #").Raw(std::string(1, kind));
}

MonitorStreamBuilder& MonitorStreamBuilder::Sound(std::uint16_t n, const MonitorSound& values)
{
    return Prefix(n, '2').Raw("   ").Raw(MonitorSoundText(values)).Raw(";");
}

MonitorStreamBuilder& MonitorStreamBuilder::SoundNext(const MonitorSound& values)
{
    return Raw("#2  ").Raw(MonitorSoundText(values)).Raw(";");
}

MonitorStreamBuilder& MonitorStreamBuilder::Calibration(double level)
{
    char text[32];
    std::snprintf(text, sizeof text, "#1  %.1f;", level);
    return Raw(text);
}

MonitorStreamBuilder& MonitorStreamBuilder::Meteo(std::uint16_t n, const MonitorMeteo& v)
{
    return Prefix(n, '6')
        .Raw(" ")
        .Raw(Field('T', v.Temp) + Field('P', v.Press) + Field('H', v.Humi) + Field('V', v.WVel) +
             Field('M', v.MaxWVel) + Field('D', v.WDir))
        .Raw(";");
}

MonitorStreamBuilder& MonitorStreamBuilder::Octave(std::optional<std::uint16_t> n,
                                                   const std::vector<std::int16_t>& tenths)
{
    if (n)
        Prefix(*n, '3');
    else
        Raw("#3");
    Raw("  ");
    Le16(static_cast<std::uint16_t>(2 * tenths.size()));
    for (std::int16_t v : tenths)
        Le16(static_cast<std::uint16_t>(v));
    return Raw(";");
}

MonitorStreamBuilder& MonitorStreamBuilder::Statistics(std::optional<std::uint16_t> n, char subKind, int classes,
                                                       int lowest, int width, const std::vector<std::uint32_t>& counts)
{
    if (n)
        Prefix(*n, '5');
    else
        Raw("#5");
    Raw(" ").Raw(std::string(1, subKind)).Raw("  ");
    Le16(static_cast<std::uint16_t>(6 + 4 * counts.size()));
    Le16(static_cast<std::uint16_t>(classes));
    Le16(static_cast<std::uint16_t>(lowest));
    Le16(static_cast<std::uint16_t>(width));
    for (std::uint32_t c : counts)
        Le32(c);
    return Raw(";");
}

MonitorStreamBuilder& MonitorStreamBuilder::StopRecord(const MonitorStamp& stop)
{
    return Raw("#8,Q").Raw(MonitorTimeValue(stop, '.')).Raw(";");
}

MonitorStreamBuilder& MonitorStreamBuilder::End(char subKind)
{
    return Raw("#8X").Raw(std::string(1, subKind)).Raw(";");
}

MonitorStreamBuilder& MonitorStreamBuilder::EmbeddedBuffer(const std::vector<std::uint8_t>& buffer)
{
    End('2').Raw("   ").Raw("#4,2;");
    Le32(static_cast<std::uint32_t>(buffer.size()));
    return RawBytes(buffer);
}

std::vector<std::uint8_t> MonitorStreamBuilder::Data() const
{
    std::vector<std::uint8_t> bytes = m_Bytes;
    if (m_Capture) {
        const auto length = static_cast<std::uint32_t>(bytes.size() - 15);
        for (int i = 0; i < 4; ++i)
            bytes[11 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(length >> (24 - 8 * i));
    }
    return bytes;
}

} // namespace orlu::fixture
