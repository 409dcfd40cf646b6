#pragma once
// Builds MONITOR station streams byte by byte from typed fields, written out
// from the stream layout itself (never through the program's parser or its
// tables). Bytes the program never reads (the character after a record
// number, the gaps before a record's text or length word) are blanks.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orlu::fixture {

/// One sound record's values; a value left empty is not written.
struct MonitorSound {
    std::optional<double> Peak, Max, Min, Spl, Leq, Sel;
    char LeqLetter = 'L'; ///< 'R' from software version 3.15 on
};

/// One meteo record's values; a value left empty is not written.
struct MonitorMeteo {
    std::optional<double> Temp, Press, Humi, WVel, MaxWVel, WDir;
};

/// A station time: minute, hour, day, month, year.
struct MonitorStamp {
    int Minute = 0, Hour = 0, Day = 1, Month = 1, Year = 2009;
};

class MonitorStreamBuilder {
public:
    /// The 15-byte capture header ("STM ", 7 bytes, the big-endian length of what follows);
    /// the length is patched by Data().
    MonitorStreamBuilder& CaptureHeader();
    /// Bytes as they are.
    MonitorStreamBuilder& Raw(std::string_view bytes);
    MonitorStreamBuilder& RawBytes(const std::vector<std::uint8_t>& bytes);
    /// n zero bytes, which the station may leave between records.
    MonitorStreamBuilder& ZeroGap(std::size_t n);
    /// "#8" + the fields + ";".
    MonitorStreamBuilder& Station(std::string_view fields);
    /// "#1" + the fields + ";".
    MonitorStreamBuilder& Setup(std::string_view fields);

    /// The first sound record of interval n: "[nnnn #2", three blanks, the text, ';'.
    MonitorStreamBuilder& Sound(std::uint16_t n, const MonitorSound& values);
    /// A later profile's sound record of the same interval: "#2", two blanks, the text, ';'.
    MonitorStreamBuilder& SoundNext(const MonitorSound& values);
    /// A calibration record: "#1", two blanks, the level with one decimal, ';'.
    MonitorStreamBuilder& Calibration(double level);
    /// A meteo record of interval n: "[nnnn #6", a blank, the text, ';'.
    MonitorStreamBuilder& Meteo(std::uint16_t n, const MonitorMeteo& values);
    /// An octave spectrum: "[nnnn #3", two blanks, the length word, the levels (0.1 dB), ';'.
    /// Without a number, the record of a later profile ("#3"...).
    MonitorStreamBuilder& Octave(std::optional<std::uint16_t> n, const std::vector<std::int16_t>& tenths);
    /// A statistics record with sub-kind byte `subKind`: "[nnnn #5", a blank, the sub-kind,
    /// two blanks, the length word, class count, lowest class, class width, the 32-bit counts, ';'.
    /// Without a number, the record of a later profile ("#5"...).
    MonitorStreamBuilder& Statistics(std::optional<std::uint16_t> n, char subKind, int classes, int lowest,
                                     int width, const std::vector<std::uint32_t>& counts);
    /// The recorded stop time: "#8,Q" + the time value + ";".
    MonitorStreamBuilder& StopRecord(const MonitorStamp& stop);
    /// The end record "#8X" + sub-kind + ";".
    MonitorStreamBuilder& End(char subKind);
    /// The end record "#8X2;" followed by three blanks, "#4,2;", the buffer's 32-bit length and the buffer.
    MonitorStreamBuilder& EmbeddedBuffer(const std::vector<std::uint8_t>& buffer);

    /// The position the next byte is written at.
    std::size_t Size() const { return m_Bytes.size(); }
    /// The stream (with the capture header's length filled in).
    std::vector<std::uint8_t> Data() const;

private:
    MonitorStreamBuilder& Prefix(std::uint16_t n, char kind);
    void Le16(std::uint16_t v);
    void Le32(std::uint32_t v);

    std::vector<std::uint8_t> m_Bytes;
    bool m_Capture = false;
};

/// A station time value as the station writes it: hexadecimal pairs, each followed by separator.
std::string MonitorTimeValue(const MonitorStamp& t, char separator);
/// A sound record's text: the letters P M N S, the Leq letter and U, each with its value ("%.1f").
std::string MonitorSoundText(const MonitorSound& values);

} // namespace orlu::fixture
