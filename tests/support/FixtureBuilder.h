#pragma once
// Builds measurement files byte by byte from literal layouts, for tests, the
// fixture tool and the benchmarks. Every layout is written out here from the
// file formats themselves, never through the program's own tables or
// writers, so that a wrong table cannot pass its own test.

#include <array>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orlu::fixture {

class FixtureBuilder {
public:
    FixtureBuilder& Byte(std::uint8_t value);
    FixtureBuilder& Bytes(std::initializer_list<std::uint8_t> values);
    FixtureBuilder& Bytes(std::span<const std::uint8_t> values);
    FixtureBuilder& Le16(std::uint16_t value);
    FixtureBuilder& Le32(std::uint32_t value);
    /// n bytes of the same value.
    FixtureBuilder& Padding(std::size_t n, std::uint8_t value = 0);
    /// The characters, without a terminator.
    FixtureBuilder& Text(std::string_view text);
    /// The characters in a field of width bytes, NUL-padded (cut when longer).
    FixtureBuilder& TextField(std::string_view text, std::size_t width);
    /// n bytes of the deterministic pattern byte i = (i * 7 + 3) & 0xFF.
    FixtureBuilder& Pattern(std::size_t n);

    /// The container header: "OrluPC" 1A 00, header length, kind, sub-kind,
    /// flags, 0, data length, zero up to the header length (at least 18).
    FixtureBuilder& ContainerHeader(std::uint8_t kind, std::uint8_t subKind = 0, std::uint8_t flags = 0,
                                    std::uint32_t dataLength = 0, std::uint16_t headerLength = 32);
    /// A DOS header: letter 'M' or 'A', "-WY-", version digit, an unused byte,
    /// the sub-kind byte, the count N and N skipped bytes (0xEE).
    FixtureBuilder& DosHeader(char letter, char versionDigit, std::uint8_t subKind, std::uint16_t skipped = 0);
    /// One 28-byte Multifile directory entry.
    FixtureBuilder& MultifileEntry(std::string_view name, std::uint8_t kind, std::uint32_t offset,
                                   std::uint32_t length, std::uint32_t previousLink, std::uint32_t nextLink);
    /// A reverberation-time block: 32-bit length, then the bytes.
    FixtureBuilder& RtBlock(std::span<const std::uint8_t> records);
    /// A RecordIndex trailer: one 32-bit value each.
    FixtureBuilder& RecordIndex(std::initializer_list<std::uint32_t> values);
    /// A record of a record chain: the type in the low byte of word 0 and the
    /// length in words (word 0 included) in its high byte; a record longer than
    /// 255 words, or one told to, has high byte 0 and its length in word 1.
    FixtureBuilder& Record(std::uint8_t type, std::initializer_list<std::uint16_t> words, bool lengthInWord1 = false);
    FixtureBuilder& Record(std::uint8_t type, std::span<const std::uint16_t> words, bool lengthInWord1 = false);
    /// Record 1 of a current-family file (12 words): the name in 8 bytes, the setup
    /// mark (0x02) in the high byte of word 5, the creation date and time of a
    /// setup file in words 6 and 7, no second name.
    FixtureBuilder& FileHeaderRecord(std::string_view name, bool setupMark = false, std::uint16_t createdDate = 0,
                                     std::uint16_t createdTime = 0);
    /// Record 3: the title, two characters a word (a blank added to an odd length).
    FixtureBuilder& TitleRecord(std::string_view title);
    /// The end of a record chain: 0xFFFF.
    FixtureBuilder& ChainEnd();
    /// The word that makes the 16-bit sum of all words from byte `from` (even) to here, itself included, 0.
    FixtureBuilder& ChecksumWord(std::size_t from);

    /// Overwrites bytes already written.
    FixtureBuilder& PatchLe16(std::size_t offset, std::uint16_t value);
    FixtureBuilder& PatchLe32(std::size_t offset, std::uint32_t value);

    std::size_t Size() const { return m_Bytes.size(); }
    const std::vector<std::uint8_t>& Data() const { return m_Bytes; }
    /// Writes the bytes to the file (replacing it); throws std::runtime_error on failure.
    void WriteTo(const std::filesystem::path& path) const;

private:
    std::vector<std::uint8_t> m_Bytes;
};

/// A file's bytes; throws std::runtime_error when it cannot be read.
std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path);

/// A word between the rows of a logger: a marker (0x8000 | number) or a break
/// (0xB000 | low byte of count, then three words with the count's other bytes).
struct LoggerEvent {
    std::uint32_t afterRow = 0; ///< rows written before it
    bool isBreak = false;
    std::uint32_t value = 0;    ///< marker number, or records not stored
};

/// One profile block of record 5.
struct ProfileBlock {
    std::uint16_t detector = 1;
    std::int16_t filter = 2;
    std::uint16_t bufferWord = 0;
    std::int16_t calibration = 0;
    std::uint16_t flags = 0;
};

/// An RT60 results record (27 single, 28 averaged) with the settings record 26.
struct Rt60Results {
    std::uint16_t count = 1;    ///< measurements averaged: 1 single (record 27), else record 28
    std::uint16_t spectrum = 3; ///< 1: octave bands, else third-octave bands
    std::uint16_t firstBand = 0; ///< band index of the first block
    std::uint16_t lastBand = 0;
    std::uint16_t totals = 0;
    /// EDT, RT20, RT30 and RTuser in ms (-1: not valid), per band and then per total value.
    std::vector<std::array<std::int16_t, 4>> times;
};

/// Levels written into one profile's logger column (the profile's only word when each
/// logging profile logs one result), repeated over the rows: 0.1 dB, stored in 0.05 dB
/// with the overload flag in bit 0.
struct LoggerLevels {
    std::uint16_t profile = 1; ///< 1-based
    std::vector<std::int16_t> tenths;
    std::vector<bool> overload; ///< per level; missing entries are clear
};

/// What a current-family instrument file holds. The layout follows the
/// current-family description in docs/formats.md. Its records, in chain order:
/// 1 file header (12 words), 2 unit (10), 3 title, 4 measurement (40; word 3
/// the function, which the sub-file scan reads as the analysis setting), 5
/// profiles (20), then either three results records 7 followed, by the
/// fields, by the statistics 23, a spectrum setup (14, 16 or 17) with its
/// levels 18, the histogram 9 with its counts 11 and the band histogram 19
/// with its counts 20; or the buffer header 15 with the logger rows. Then the
/// end word. Records 11, 18 and 20 carry their length in word 1; the
/// statistics 23 its length in the high byte and g = 3 in the high byte of word 1.
struct CurrentFileSpec {
    enum class Spectrum { None, Octave, ThirdOctave, Fft };

    std::string name = "L0000001";
    std::uint16_t serial = 1234;
    std::uint16_t deviceType = 525;
    std::uint16_t firmware = 300;
    std::uint16_t fileSystem = 0;
    std::uint16_t variant = 0;
    bool setupFile = false;
    std::uint16_t createdDate = 0; ///< a setup file's creation date (packed) and time (2-second units)
    std::uint16_t createdTime = 0;
    std::string title = "Generated file";

    std::uint16_t function = 1; ///< 1 level meter, 2 1/1 octave, 3 1/3 octave, 4 dose meter, 6 FFT
    std::uint16_t inputKind = 2; ///< 2 microphone, 5 accelerometer
    std::uint16_t range = 1;
    std::uint16_t flagsWord = 0;
    std::uint16_t repetitionCycle = 0;
    std::uint32_t integrationSeconds = 60;
    /// Record 4's length in words (40); a shorter record is cut after its first words.
    std::uint16_t measurementRecordWords = 40;
    /// Words of record 4 by position (word 4 on is written from the fields above first).
    std::vector<std::pair<std::uint8_t, std::uint16_t>> measurementWords;

    ProfileBlock profiles[3] = {{1, 2, 0, 0, 0}, {2, 3, 0, 0, 0}, {3, 1, 0, 0, 0}};

    /// Results records 7, one per profile, 14 words each after the type word.
    std::uint32_t measurementSeconds = 600;
    std::uint32_t overloadSeconds = 6;
    std::uint16_t resultsRecordWords = 14; ///< at least 1 (the type word alone)
    std::vector<std::int16_t> levels = {942, 650, 700, 750, 800, 701, 702, 703, 704, 705, 706};
    /// Added to the levels of profile p: p times this step (0.1 dB).
    std::int16_t profileLevelStep = 10;

    /// Tonality record 29, words 1 on (empty: none).
    std::vector<std::uint16_t> tonality;
    /// Rotation record 31, words 1 on (empty: none).
    std::vector<std::uint16_t> rotation;
    /// RT60 settings 26 and results 27 or 28 (none when times is empty).
    Rt60Results rt60;

    /// Statistics definition 23 with ten percentages and levels of three profiles.
    bool statistics = false;
    /// Histogram definition 9 with its counts record 11.
    std::uint16_t histogramClasses = 0;
    std::vector<std::uint32_t> histogramCounts;
    std::int16_t histogramLowest = 300; ///< lowest class of record 9, 0.1 dB
    std::int16_t histogramWidth = 10;   ///< class width of record 9, 0.1 dB
    /// Profiles with a histogram: above 1 the counts hold histogramClasses counts of each
    /// profile in turn, and each profile gets a record 11 of its own (the stride of the
    /// next profile's counts is the record's length).
    std::uint16_t histogramProfiles = 1;
    /// Second histogram 19 (band word 1, one class per count) with its counts record 20.
    std::vector<std::uint32_t> bandHistogramCounts;
    /// Band statistics: record 19 (band word 1, the classes, lowest class and width) and a
    /// counts record 20 for every value of the spectrum setup (bands + extras); value v
    /// takes entry v modulo their number, each cut or padded with 0 to the first's classes.
    /// Used in place of bandHistogramCounts when not empty.
    std::vector<std::vector<std::uint32_t>> bandHistograms;
    /// When not 0, the classes record 19 announces in place of those written (a damaged record).
    std::uint16_t bandHistogramDeclaredClasses = 0;
    std::int16_t bandHistogramLowest = 400; ///< 0.1 dB
    std::int16_t bandHistogramWidth = 10;   ///< 0.1 dB
    /// Statistics 23 holding these percentages and levels (0.1 dB, the same for the three
    /// profiles) in place of the generated ten; needs `statistics`.
    std::vector<std::pair<std::uint8_t, std::int16_t>> storedLevels;

    /// User filters of an octave function: record 24 with one 4-word definition per filter
    /// (filter number 3, 4, ... then three 0 words), each followed by its entry 25: the
    /// number, the name in 6 bytes and one level word (0.1 dB) per value.
    struct UserFilter {
        std::string name;
        std::vector<std::int16_t> levels;
    };
    std::vector<UserFilter> userFilters;

    /// Results files: the setup 14 (1/1 octave), 16 (1/3 octave) or 17 (FFT),
    /// whatever the function, with its levels record 18 (bands + extras words).
    Spectrum spectrum = Spectrum::None;
    /// Bands (FFT: lines) and extras of the setup, or of the buffer header 15;
    /// FFT extras other than 0 add the extra line.
    std::uint16_t bands = 0;
    std::uint16_t bandExtras = 0;
    std::uint16_t lowestBand = 0;
    /// Octave spectra (0.1 dB, the bands then the extras): the levels the setup record 14 or 16
    /// carries from its word 5 (empty: 600 + i % 20), and the MIN and MAX spectra, records 38
    /// and 39 (octaves) or 40 and 41 (third octaves) of the same layout, when given.
    std::vector<std::int16_t> spectrumLevels;
    std::vector<std::int16_t> minSpectrumLevels;
    std::vector<std::int16_t> maxSpectrumLevels;
    std::uint32_t samplingRate = 48000; ///< FFT setup 17, words 8 and 9
    std::uint16_t fftWindowWord = 0;    ///< FFT setup 17, word 6 (from firmware 5.12: the window code - 2)
    /// FFT levels of record 18 in 0.1 dB (lines, then the extra line); empty: a plausible ramp.
    std::vector<std::int16_t> fftLevels;
    /// TONALITY (function 7): the short band's setup 22 (its lines in word 3, the sampling rate
    /// in words 8 and 9) and its levels in 0.1 dB after it; empty: none.
    std::vector<std::int16_t> shortBandLevels;
    std::uint32_t shortBandRate = 48000;
    /// ENVELOPING (function 9): record 34 after the FFT setup, word 1 the filter's band code.
    std::optional<std::uint16_t> envelopingFilter;

    /// A logger (buffer header 15 and rows); rowWords 0 means none.
    std::uint16_t rowWords = 0;
    std::uint32_t rows = 0;
    std::uint32_t declaredCount = 0xFFFFFFFF; ///< written as is; the count layout unless sizeLayout
    bool sizeLayout = false;                  ///< an 8-word buffer header holding the data size
    std::uint16_t stepSeconds = 1;
    std::uint16_t stepMillis = 0;
    std::uint16_t spectraInBuffer = 0;
    std::vector<LoggerEvent> events;
    /// Logger levels of profiles, in place of the generated words of their columns.
    std::vector<LoggerLevels> loggerLevels;
    /// A logger of spectra: the last bands + extras words of row r all hold entry r of
    /// these levels (0.1 dB, repeated over the rows); empty: generated words.
    std::vector<std::int16_t> loggedSpectrumLevels;
    /// A logger of spectra whose rows differ line by line: row r ends in entry r of
    /// these spectra (repeated over the rows); takes the place of loggedSpectrumLevels.
    std::vector<std::vector<std::int16_t>> loggedSpectra;
};

/// Words 1 on of a tonality record 29: criteria, Kt 4.0 dB, levels, Ftc 999 Hz
/// (df = 1.5 Hz) and `tones` tones of 150, 300, 450 ... Hz.
std::vector<std::uint16_t> SampleTonalityWords(std::uint16_t tones);
/// A single RT60 measurement of `bands` third-octave bands from 500 Hz and two
/// totals; every fourth value is marked not valid.
Rt60Results SampleRt60ThirdOctaves(std::uint16_t bands);

/// The instrument file of a spec: records 1 to 5, results or the logger, the chain end.
std::vector<std::uint8_t> CurrentMeasurementFile(const CurrentFileSpec& spec);

/// The file of a default spec (an ORLU 525, firmware 3.00, main results only):
/// records 1, 2, 3, 4 and 5 and three records 7 from words 0, 12, 22, 30, 70,
/// 90, 104 and 118, then the end word at 132.
std::vector<std::uint8_t> SampleCurrentFamilyFile();

/// A plausible measurement of the default instrument (an ORLU 525) at the
/// firmware: the default spec's records, so its chain has the same layout,
/// started on 2024-05-14 at 14:30'20, with the levels of a ten-minute
/// measurement where the firmware's results layout keeps them: for a
/// microphone (input 2) Peak 104.5, Max 93.4, Min 58.7, Leq 81.5 dB and
/// L10 86.0 dB, with a dose setup; for an accelerometer (input 5) RMS 2.51,
/// MTVV 4.47, Peak 12.0, peak-to-peak 21.9 m/s2 and VDV 14.1 m/s1.75.
CurrentFileSpec PlausibleMeasurementSpec(std::uint16_t inputKind = 2, std::uint16_t firmware = 300);
/// The file of the plausible spec: `orlu-fixture sample`.
std::vector<std::uint8_t> PlausibleSampleFile();
/// A logger of three profiles logging one result each: `rows` rows of 3 words.
CurrentFileSpec ThreeProfileLoggerSpec(std::uint32_t rows);

/// Makes profiles a, b and c (1-based) the impulse-detector, slow and fast profiles of an
/// ORLU 525 logger (firmware 2.11 on): each logs its MAX result (buffer word 2). The file
/// names them only with a microphone, a step of 0.1 s or less and more than 10 rows.
void SetImpulseProfiles(CurrentFileSpec& spec, std::uint16_t a, std::uint16_t b, std::uint16_t c);
/// The words of logger row r (from 0) of a generated file: levels in 0.05 dB
/// with bit 0 clear, never a marker or break word.
std::uint16_t LoggerRowWord(std::uint32_t row, std::uint32_t word);
/// One file of a Multifile: the name of its directory entry and its bytes.
struct MultifileMember {
    std::string name;
    std::vector<std::uint8_t> bytes;
};

/// A Multifile container of `kind`: the header, one directory entry per file
/// (the merged kind in each; links i and i + 2, the last 0), then the files one
/// after another.
FixtureBuilder Multifile(std::uint8_t kind, std::span<const MultifileMember> files);

/// The files of `orlu-fixture multifile --files N`: ORLU 525 files named
/// FILE1, FILE2, ... whose contents repeat every five files: (1) level meter
/// with histogram and statistics, (2) FFT, (3) 1/3 octave with band
/// statistics, (4) 1/1 octave with band statistics, (5) level meter, results only;
/// each starts from the base spec.
std::vector<MultifileMember> GeneratedMultifileMembers(int count, const CurrentFileSpec& base = CurrentFileSpec{});

/// Ways to break the chain of the sample file.
enum class ChainFault {
    TruncatedLastRecord, ///< the file ends five words into its last record
    Overrun,             ///< record 5 gives a length (in word 1) far past the end
    ZeroLength,          ///< record 3 has the high byte 0 and the length 0 in word 1
};
/// The sample file with its chain broken.
std::vector<std::uint8_t> BrokenChainFile(ChainFault fault);

} // namespace orlu::fixture
