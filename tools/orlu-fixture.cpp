// Writes measurement files for tests, benchmarks and trying the program out.
//
//   orlu-fixture monitor --station TEXT --setup TEXT [--intervals N] [--meteo N]
//                        [--calibrations N] [--classes C,LOW,WIDTH] [--octave-stats]
//                        [--capture] [--buffer FILE] [--stop-record TIME] [--zero-gaps]
//                        [--cut K] [--bad-kind D] OUT
//       a MONITOR station stream in a container of kind 80 (tools/MonitorTools.cpp)
//   orlu-fixture container --kind K [--data-bytes N] [--sub-kind S] OUT
//       (container, legacy and current also take --header-length H, a header of
//       H bytes, and --rt-block BYTES, a reverberation-time block of BYTES
//       pattern bytes after the data: tools/ContainerLayoutOptions.h)
//       a container of kind K whose data are N bytes of a fixed pattern; for
//       the single-file kinds of the current instruments (42 to 50) the data
//       are the sample measurement's record chain instead, lengthened to N
//       bytes by a record no reader knows, so that the file decodes
//   orlu-fixture sample [--fault truncated|overrun|zero-length] OUT
//       a small current-family measurement (kind 45, an ORLU 525 file) of a
//       ten-minute sound measurement; with --fault its record chain is broken
//       (and the file refused): the last record cut off by the end of the
//       file, a record running past the end, or a record of length 0
//   orlu-fixture multifile [--files N | --pattern | --members KIND:DEVICE:FIRMWARE[:ROWS],...
//                          [--logger ROWS [--logger-levels [P=]L[!],...[/...]]]] OUT
//       a Multifile of kind 55 holding N current-family files (default 5)
//       FILE1 to FILEn whose contents repeat every five: histogram and
//       statistics, FFT, 1/3 octave with band statistics, 1/1 octave with band
//       statistics, results only; with --pattern two files of a fixed byte
//       pattern, which the program refuses; with --members one file per
//       member, in order: KIND level (a sound level meter file, devices 515,
//       525, 530, 535), dose (a dose meter file, 515, 525), acc (a vibration
//       file, 530, 535), four (a microphone and three accelerometers, 545,
//       590), legacy (an ORLU 505 METER-mode file, 505, alone or with other
//       legacy members) or rt60 (a reverberation-time measurement of 4
//       third-octave bands, one more for each member before it; 525, 535), FIRMWARE the version x 100; the Multifile's kind is
//       that of the first member's instrument (23 for legacy files); KIND fft is an FFT
//       spectrum of 8 lines, line 3 at 50 dB plus 10 dB per member before it (525, 530, 535);
//       ROWS, or --logger for every member without ROWS, gives
//       a level, dose or acc member a logger of ROWS rows of three profiles with
//       a marker in the middle and a break before the last row, --logger-levels
//       its levels as `current` takes them
//   orlu-fixture multifile --member-options 'OPTIONS|OPTIONS|...' OUT
//       a Multifile of kind 55 of ORLU 525 files FILE1 on, one per group, each
//       with the current command's --function, --spectrum, --histogram,
//       --band-histograms and --stored-levels options of its group
//   orlu-fixture reverb OUT
//       a kind-45 container with a 1/3-octave reverberation-time block
//   orlu-fixture edited OUT
//       an edited legacy file (kind 10): a one-channel buffer of three records
//       kept of five, with its check word and record index 1, 4, 5
//   orlu-fixture dos OUT
//       a DOS *.M file (version 4, sub-kind 1): the one-channel sound
//       measurement of `legacy` with its check word
//   orlu-fixture legacy [--kind 3|10|23] [--dos] [--layout L] [--history ROWS]
//                       [--step-ms MS] [--histogram CLASSES|LOWEST,WIDTH,N0,...] [--no-statistics]
//                       [--format 21|40] [--files N] [--vdv] OUT
//       an ORLU 505 METER-mode file with its check word: a container of kind
//       3 (default), or with --dos a DOS *.M file; kind 10 is the buffer file
//       of an edited measurement (header, channel blocks, buffer and record
//       index; --history default 100); kind 23 a Multifile of N files
//       (default 3) repeating every three: histogram and statistics, a buffer
//       of 500 records at 0.125 s, results only. The layout L is single (one
//       channel, default), v3 (one channel after the prefix word 0x4021), v1
//       or v2 (a microphone and an accelerometer channel after the prefix word
//       0x4010 or 0x4011), vector (a five-channel OR06A probe: three
//       accelerometer axes and their vector sum) or intensity (a five-channel
//       OR08A sound-intensity probe). A sound measurement of Leq 81.5 dB;
//       --histogram adds a histogram of CLASSES 1-dB classes from 30 dB
//       (default 60 for single layouts without --history, else none), or
//       with LOWEST,WIDTH,N0,... every channel's histogram of those counts;
//       --no-statistics shortens the results blocks below the statistical
//       levels; --history a buffer of ROWS records (levels 40 to 100 dB) at a
//       step of 2 s, or --step-ms MS milliseconds; --format 40 writes the
//       newer buffer description (32-bit count, signed 0.1-dB levels);
//       --vdv sets the VDV bit of a multi-channel header's flags word
//   orlu-fixture current --kind K [--device D] [--firmware F] [--input I]
//                        [--function N] [--logger ROWS] [--tonality T] [--rt60 B] OUT
//       a current-family file of kind K (42 to 50, 73, 75 to 79, 99) from
//       device D (default 525), firmware F x 100 (default 300), input kind I
//       (2 microphone, 5 accelerometer); without --logger main results with
//       statistics and a histogram; with --logger ROWS rows of three profiles
//       with markers and breaks; --tonality T adds a tonality record with T
//       tones (use --function 7); --rt60 B adds the RT60 settings and a single
//       measurement of B third-octave bands from 500 Hz (use --function 8);
//       --histogram LOWEST,WIDTH,N0,N1,... gives the histogram record 9 that
//       lowest class and width (0.1 dB) and one count per class
//       [--user-filter NAME,L,L,...[/NAME,L,...]] with --function 2 or 3: the
//       user filters' records 24 and 25 (names of up to 6 characters, levels in 0.1 dB)
//       [--band-histograms LOWEST,WIDTH,N0,...[/M0,...]] [--stored-levels P:L,...]
//       the band histograms record 19 with a counts record for every value of
//       the spectrum (value v takes group v modulo the groups); the statistics
//       record 23 with these percentages and levels (dB)
//       [--spectrum BANDS,TOTALS,LEVEL[,I:LEVEL...]] [--min-max]
//       [--spectra N --spectra-levels L,L,...]
//       with --function 2 or 3: the octave spectrum record (levels in dB, value
//       I from 0 set apart), --min-max adds MIN and MAX 10 dB below and above;
//       --spectra N makes it a logger of N spectra, record r's values at L_r
//   orlu-fixture current ... --fft-spectrum LINES,FLOOR[,LINE:LEVEL...]
//                         [--fft-range HZ] [--fft-window CODE] [--total last] OUT
//       an FFT file (function 6) of one spectrum of LINES lines at FLOOR dB
//       but the listed lines, spanning HZ, the window word of CODE (firmware
//       5.12 on) and with --total last the energy sum of the lines after them;
//       --spectra N [--spectra-levels D,...] makes it a logger of N spectra,
//       record r's lines moved by D_r dB; with --function 7 a tonality file,
//       --short-band (same form) adding its short band, spanning --short-range HZ
//   orlu-fixture four-channel [--kind K] [--device 545|590] [--firmware F]
//                             [--channels N] [--profiles P] [--first mic|acc]
//                             [--function N] [--vector] [--rotation]
//                             [--logger ROWS | --waveform ROWS] [--rt60 B]
//                             [--dose KIND,VARIANT,MINUTES,X,Y,Z] [--seat BASE,SEAT]
//                             [--histogram CH=LOWEST,WIDTH,N0,...[/...]]
//                             [--band-histograms LOWEST,WIDTH,N0,...[/M0,...]] OUT
//       an ORLU 545 or 590 file (kind K, default 42; firmware default 2.17
//       for the 545, 2.20 with a recording or the rotation, 3.02 for the 590) of N channels (default 4) with P
//       profiles each (default 1), the first channel a microphone and the
//       others accelerometers, or (--first acc) the other way round, with the
//       results of a plausible ten-minute measurement (a microphone's Leq
//       81.5 dB, an accelerometer's RMS 1.00 m/s2, 1 dB more a channel and a
//       profile); with
//       --function 2, 3 or 6 every channel has 1/1-octave, 1/3-octave or
//       FFT spectra; --vector takes every channel into a logged vector sum;
//       --rotation logs the rotation (firmware 2.20 on); --logger writes a
//       logger of two results per profile (with 1/1-octave descriptors for
//       function 2, FFT descriptors for 6) with a marker, a break and a
//       dropped value word; --waveform a recording of every channel; --rt60 B
//       (without a time history; use --function 8) the RT60 settings, a single
//       measurement of B third-octave bands from 500 Hz per channel and their mean;
//       --histogram (without a time history) the histograms of the channels CH
//       (from 1) with these lowest class, width (0.1 dB) and counts;
//       --band-histograms (--function 2 or 3) band statistics of every channel,
//       value v of a channel's spectrum taking group v modulo the groups;
//       --dose the vibration dose-meter setup: kind 1 hand-arm or 2 whole-body,
//       limit variant 0 UK, 1 IT, 2 PL, 3 FR or 4 User, the daily exposure time
//       in minutes and the channels (#1 to #N) of the x, y and z axes; --seat
//       the base and seat channels (#1 to #N) of the SEAT ratios; the values of
//       the time history as tools/FourChannelLoggerOptions.h has them:
//       --logger-levels [CH=]L[!],...[/...], --rpm V,..., --samples [CH=]S,...[/...]
//       and the logger's time step --step-ms MS; with --function 2 or 3
//       --spectrum CH=BANDS,TOTALS,LEVEL[/...] gives channel CH its own spectrum
//       (tools/FourChannelSpectrumOption.h); with --function 6 --fft-levels
//       CH=L,L,...[/...] the FFT line levels (0.1 dB) of channel CH, in its
//       record 17 or its logger block, each row --fft-step T tenths lower
//   orlu-fixture analyzer [--kind 4|11|24|dos] [--function 1|2|3|4] [--four-channel]
//                         [--header-length H] [--lines L] [--bands B] [--spectra N]
//                         [--history] [--histogram] [--zoom] [--e-version]
//                         [--sampling S] [--step-eighths E] [--decay LEVEL,FALL[,FLOOR]] OUT
//       an ORLU 505 ANALYZER-mode file with its check word: a container of
//       kind 4, 11 (with the record index 1..N) or 24 (a Multifile of the
//       file and a 1/3-octave file), or a DOS *.A file. Function 1 Time, 2
//       Spectrum (L lines, default 400: 480 and other multiples of 120 make
//       an E-version file, as does --e-version), 3 Octave 1/1 (default 10
//       values of 9 bands), 4 Octave 1/3 (default 31 values of 30 bands);
//       --four-channel writes a probe file (header 76 words for Time and
//       Spectrum, 42 for octaves, or --header-length 52 or 17); --history
//       numbers the spectra of a time history; --histogram adds the
//       histogram block (octaves); --zoom zooms from sampling code S (default
//       10) down to 8; --step-eighths E sets the time step of octave files to
//       E / 8 s (default 16: 2.0 s; 1: 0.125 s); --decay LEVEL,FALL[,FLOOR]
//       fills every band or line with LEVEL dB in the first three spectra,
//       then FALL dB less per spectrum, not below FLOOR dB; --band-histograms
//       LOWEST,WIDTH,N0,N1,... (octaves) adds the histogram block with these
//       classes (0.1 dB) in every histogram, one per value; --spectrum
//       BANDS,TOTALS,LEVEL [--numbered] (tools/AnalyzerSpectrumOption.h)
//   orlu-fixture analyzer ... --waveform N [--channels 1|4] [--complex]
//                         [--tone LINE,AMPLITUDE[,CH]] [--records R] OUT
//       a Time file whose records are waveform blocks of N samples (a
//       multiple of 256 up to 8192; its lines are N x 100 / 256): one
//       channel, four interleaved (--channels 4) or one complex channel
//       (--complex: zoomed, real and imaginary words); the samples sum a
//       cosine of LINE periods per block and peak AMPLITUDE counts, on
//       channel CH (0-based) or every channel, else the block is silent;
//       --records R blocks (default --spectra)

#include "ContainerLayoutOptions.h"
#include "FourChannelLoggerOptions.h"
#include "FourChannelSpectrumOption.h"
#include "AnalyzerSpectrumOption.h"
#include "GraphForm.h"
#include "PictureTools.h"
#include "MonitorImageFixture.h"
#include "MonitorTools.h"
#include "StatisticsFixtureOptions.h"
#include "OctaveFixtureOptions.h"
#include "Usage.h"
#include "AnalyzerWaveformOptions.h"
#include "CurrentFftOptions.h"
#include "support/Analyzer505Fixture.h"
#include "DecayFixtureOption.h"
#include "RemoteSettingsTools.h"
#include "support/FixtureBuilder.h"
#include "support/FourChannelFixture.h"
#include "support/LegacyFixture.h"
#include "support/MixedMultifile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <algorithm>
#include <initializer_list>
#include <string>
#include <utility>
#include <string_view>
#include <variant>
#include <vector>

namespace {

using orlu::fixture::BrokenChainFile;
using orlu::fixture::ChainFault;
using orlu::fixture::FixtureBuilder;

constexpr char kUsage[] =
    "usage: orlu-fixture container --kind K [--data-bytes N] [--sub-kind S] OUT\n"
    "       (container, legacy, current: [--header-length H] [--rt-block BYTES])\n"
    "       orlu-fixture plot --plot-kind K [--family F] [--panels N] [--points N] [--markers A[,B]] [--cursor C]"
    " [--size S] [--peaks] [--tonality] [--total-bars 0|1|2] [--phase-unit rad|deg|grad] [--set FIELD=VALUE]... OUT.plot\n"
    "           [--waterfall ROWS,COLUMNS [--lines F,T] [--box M] [--totals 0|1]]\n"
    "       orlu-fixture sample [--fault truncated|overrun|zero-length] OUT\n"
    "       orlu-fixture multifile [--files N | --pattern | --members KIND:DEVICE:FIRMWARE[:ROWS],...] OUT\n"
    "       orlu-fixture multifile --members KIND:DEVICE:FIRMWARE,... --logger ROWS [--logger-levels [P=]L[!],...[/...]] OUT\n"
    "       orlu-fixture multifile --member-options 'OPTIONS|...' OUT\n"
    "       orlu-fixture reverb|edited|dos OUT\n"
    "       orlu-fixture legacy [--kind 3|10|23] [--dos] [--layout single|v1|v2|v3|vector|intensity]"
    " [--history ROWS] [--step-ms MS] [--histogram CLASSES|LOWEST,WIDTH,N0,...] [--no-statistics] [--format 21|40] [--files N] [--vdv]"
    " [--buffer-levels L[!],...] [--format-version V] OUT\n"
    "       orlu-fixture current --kind K [--device D] [--firmware F] [--input I] [--function N]"
    " [--logger ROWS] [--tonality T] [--rt60 B] [--logger-levels [P=]L[!],...[/...]] [--step-ms MS]"
    " [--impulse-profiles A,B,C] [--histogram LOWEST,WIDTH,N0,...] [--spectrum BANDS,TOTALS,LEVEL[,I:LEVEL...]]"
    " [--min-max] [--spectra N --spectra-levels L,...]"
    " [--band-histograms LOWEST,WIDTH,N0,...[/M0,...]] [--stored-levels P:L,...]"
    " [--fft-spectrum LINES,FLOOR[,LINE:LEVEL...] [--fft-range HZ]"
    " [--fft-window CODE] [--total last] [--spectra N [--spectra-levels D,...]]"
    " [--short-band LINES,FLOOR[,LINE:LEVEL...] [--short-range HZ]]] [--user-filter NAME,L,...[/...]] OUT\n"
    "       orlu-fixture four-channel [--kind K] [--device 545|590] [--firmware F] [--channels N]"
    " [--profiles P] [--first mic|acc] [--function N] [--vector] [--rotation]"
    " [--logger ROWS | --waveform ROWS] [--rt60 B] [--dose KIND,VARIANT,MINUTES,X,Y,Z]"
    " [--seat BASE,SEAT] [--logger-levels [CH=]L[!],...[/...]] [--rpm V,...] [--samples [CH=]S,...[/...]]"
    " [--step-ms MS] [--histogram CH=LOWEST,WIDTH,N0,...[/...]] [--spectrum CH=BANDS,TOTALS,LEVEL[/...]]"
    " [--band-histograms LOWEST,WIDTH,N0,...[/M0,...]] [--fft-levels CH=L,...[/...] [--fft-step T]] OUT\n"
    "       orlu-fixture analyzer [--kind 4|11|24|dos] [--function N] [--four-channel] [--header-length H]"
    " [--lines L] [--bands B] [--spectra N] [--history] [--histogram] [--zoom] [--e-version]"
    " [--sampling S] [--step-eighths E] [--waveform N [--channels 1|4] [--complex]"
    " [--tone LINE,AMPLITUDE[,CH]] [--records R]] [--decay LEVEL,FALL[,FLOOR]]"
    " [--band-histograms LOWEST,WIDTH,N0,...] [--spectrum BANDS,TOTALS,LEVEL] [--numbered] OUT\n"
    "       orlu-fixture monitor --station TEXT --setup TEXT [--intervals N] [--meteo N] [--calibrations N]"
    " [--classes C,LOW,WIDTH] [--octave-stats] [--capture] [--buffer FILE] [--stop-record TIME] [--zero-gaps]"
    " [--cut K] [--bad-kind D] OUT\n"
    "       orlu-fixture ocf [FIELD=VALUE]... OUT   (a remote-control setup file; SerialNumber=TEXT too)\n"
    "       orlu-fixture bmp --width W --height H --bits B [--size-image 0] [--top-down] OUT\n"
    "       orlu-fixture monitor-image --buffer FILE OUT\n"
    "       orlu-fixture [COMMAND] --help\n";

int Usage(bool asked = false)
{
    return orlu::tools::PrintUsage(kUsage, asked);
}

// An option of a command and where it goes: a number ("--kind 42"), a switch
// ("--vector") or a word ("--first mic").
struct Option {
    std::string_view name;
    std::variant<long*, bool*, std::string*> target;
};

// A whole number, decimal or 0x hexadecimal; false for anything else.
bool ParseNumber(const char* text, long& out)
{
    char* end = nullptr;
    errno = 0;
    out = std::strtol(text, &end, 0);
    return end != text && *end == '\0' && errno == 0;
}

// Reads the options between the command and the output path. False for an
// unknown option, an option without its value or with a value that is no
// number where one is wanted, anything else before the path, or no path (a
// path that looks like an option is taken for a forgotten one, not written).
bool ReadOptions(int argc, char** argv, std::initializer_list<Option> options)
{
    int i = 2;
    while (i + 1 < argc && argv[i][0] == '-') {
        const std::string_view name = argv[i];
        const Option* option =
            std::find_if(options.begin(), options.end(), [name](const Option& o) { return o.name == name; });
        if (option == options.end())
            return false;
        if (bool* const* on = std::get_if<bool*>(&option->target)) {
            **on = true;
            ++i;
            continue;
        }
        if (i + 2 >= argc)
            return false;
        const char* value = argv[i + 1];
        if (long* const* number = std::get_if<long*>(&option->target)) {
            if (!ParseNumber(value, **number))
                return false;
        } else {
            *std::get<std::string*>(option->target) = value;
        }
        i += 2;
    }
    return i + 1 == argc && argv[i][0] != '-';
}

// A record type no instrument writes: readers step over records they do not know.
constexpr std::uint16_t kFillerRecordType = 60;

// The sample measurement's chain with a filler record before its end word, so
// that the data are exactly `dataBytes` long; empty when they cannot be.
std::vector<std::uint8_t> PaddedSampleChain(std::size_t dataBytes)
{
    std::vector<std::uint8_t> chain = orlu::fixture::PlausibleSampleFile();
    const std::size_t withoutEnd = chain.size() - 2;
    if (dataBytes % 2 != 0 || dataBytes < withoutEnd + 2 + 4)
        return {};
    const std::size_t fillerWords = (dataBytes - withoutEnd - 2) / 2;
    if (fillerWords > 0xFFFF)
        return {};
    FixtureBuilder filler;
    // Length in the high byte when it fits, else in the word after the type word.
    if (fillerWords <= 255)
        filler.Le16(static_cast<std::uint16_t>(kFillerRecordType | (fillerWords << 8)));
    else
        filler.Le16(kFillerRecordType).Le16(static_cast<std::uint16_t>(fillerWords));
    while (filler.Data().size() < fillerWords * 2)
        filler.Le16(0);
    chain.resize(withoutEnd);
    chain.insert(chain.end(), filler.Data().begin(), filler.Data().end());
    chain.push_back(0xFF);
    chain.push_back(0xFF);
    return chain;
}

FixtureBuilder Container(unsigned kind, unsigned subKind, std::size_t dataBytes)
{
    FixtureBuilder f;
    f.ContainerHeader(static_cast<std::uint8_t>(kind), static_cast<std::uint8_t>(subKind), 0,
                      static_cast<std::uint32_t>(dataBytes));
    const std::vector<std::uint8_t> chain = kind >= 42 && kind <= 50 ? PaddedSampleChain(dataBytes) : std::vector<std::uint8_t>{};
    if (chain.empty())
        f.Pattern(dataBytes);
    else
        f.Bytes(chain);
    return f;
}

FixtureBuilder Sample(const std::vector<std::uint8_t>& file)
{
    FixtureBuilder f;
    f.ContainerHeader(45, 0, 0, static_cast<std::uint32_t>(file.size())).Bytes(file);
    return f;
}

FixtureBuilder PatternMultifile()
{
    FixtureBuilder f;
    f.ContainerHeader(55, 0, 0, 600);
    f.MultifileEntry("FILE1", 55, 0, 200, 0, 2);
    f.MultifileEntry("FILE2", 55, 200, 400, 1, 0);
    f.Pattern(600);
    return f;
}

FixtureBuilder Reverb()
{
    std::vector<std::uint8_t> records(2 * 120);
    for (std::size_t i = 0; i < records.size(); ++i)
        records[i] = static_cast<std::uint8_t>(i);
    FixtureBuilder f;
    f.ContainerHeader(45, 0, 1, 100).Pattern(100).RtBlock(records);
    return f;
}

FixtureBuilder Edited()
{
    orlu::fixture::LegacyFileSpec spec = orlu::fixture::LegacyHistorySpec(3);
    spec.reduced = true;
    const std::vector<std::uint8_t> file = orlu::fixture::LegacyMeasurementFile(spec);
    FixtureBuilder f;
    f.ContainerHeader(10, 0, 4, static_cast<std::uint32_t>(file.size())).Bytes(file).RecordIndex({1, 4, 5});
    return f;
}

FixtureBuilder Dos()
{
    return orlu::fixture::LegacyDosFile(orlu::fixture::PlausibleLegacySpec(), 1);
}

struct LegacyOptions {
    long kind = 3, history = -1, stepMs = -1, format = 21, files = 3;
    std::string histogram; // CLASSES, or LOWEST,WIDTH,N0,N1,...
    bool dos = false, noStatistics = false, vdv = false;
    std::string layout = "single";
    std::string bufferLevels;
    long formatVersion = -1;
};

// "L,L!,..." : levels in 0.1 dB, '!' marking an overloaded one. False for anything else.
bool ParseLevelList(const std::string& text, std::vector<std::int16_t>& levels, std::vector<bool>& overloads)
{
    levels.clear();
    overloads.clear();
    std::size_t at = 0;
    while (at <= text.size()) {
        const std::size_t comma = std::min(text.find(',', at), text.size());
        std::string item = text.substr(at, comma - at);
        const bool overload = !item.empty() && item.back() == '!';
        if (overload)
            item.pop_back();
        long value = 0;
        if (!ParseNumber(item.c_str(), value) || value < -16384 || value > 16383)
            return false;
        levels.push_back(static_cast<std::int16_t>(value));
        overloads.push_back(overload);
        at = comma + 1;
    }
    return !levels.empty();
}

// "[P=]L,.../[P=]L,...": the levels of one or more logger profiles (profile 1 when not named).
bool ParseLoggerLevels(const std::string& text, std::vector<orlu::fixture::LoggerLevels>& out)
{
    std::size_t at = 0;
    while (at <= text.size()) {
        const std::size_t slash = std::min(text.find('/', at), text.size());
        std::string group = text.substr(at, slash - at);
        orlu::fixture::LoggerLevels levels;
        if (const std::size_t equals = group.find('='); equals != std::string::npos) {
            long profile = 0;
            if (!ParseNumber(group.substr(0, equals).c_str(), profile) || profile < 1 || profile > 3)
                return false;
            levels.profile = static_cast<std::uint16_t>(profile);
            group.erase(0, equals + 1);
        }
        if (!ParseLevelList(group, levels.tenths, levels.overload))
            return false;
        out.push_back(std::move(levels));
        at = slash + 1;
    }
    return true;
}

// The spec of `orlu-fixture legacy`; false for a layout or value it does not know.
bool LegacySpec(const LegacyOptions& o, orlu::fixture::LegacyFileSpec& spec)
{
    using orlu::fixture::LegacyFileSpec;
    if (o.layout == "single" || o.layout == "v3") {
        spec = LegacyFileSpec{};
        spec.prefixWord = o.layout == "v3" ? 0x4021 : 0;
    } else if (o.layout == "v1" || o.layout == "v2") {
        spec = orlu::fixture::LegacyTwoChannelSpec(o.layout == "v1" ? 0x4010 : 0x4011);
    } else if (o.layout == "vector" || o.layout == "intensity") {
        spec = orlu::fixture::LegacyProbeSpec(o.layout == "vector");
    } else {
        return false;
    }
    if (o.format != 21 && o.format != 40)
        return false;
    spec.formatVersion = static_cast<std::uint16_t>(o.format);
    // Any version whose description (as long as the version) holds the words the fixture
    // writes: 17 for the old description (up to 32), 27 for the new one.
    if (o.formatVersion >= 0) {
        if (o.formatVersion < 17 || o.formatVersion > 1000)
            return false;
        spec.formatVersion = static_cast<std::uint16_t>(o.formatVersion);
    }
    if (!o.bufferLevels.empty() && !ParseLevelList(o.bufferLevels, spec.bufferLevels, spec.bufferOverloads))
        return false;
    spec.reduced = o.kind == 10;
    const long history = o.history >= 0 ? o.history : spec.reduced ? 100 : 0;
    if (history > 0xFFFFFF || (o.format == 21 && history > 0xFFFF) || o.stepMs > 0xFFFF)
        return false;
    spec.bufferRecords = static_cast<std::uint32_t>(history);
    if (o.stepMs >= 0)
        spec.stepWords = {0, 0, static_cast<std::uint16_t>(o.stepMs)};
    const bool single = spec.layout == LegacyFileSpec::Layout::Single;
    long classes = single && history == 0 ? 60 : 0;
    if (o.histogram.find(',') != std::string::npos) {
        if (!orlu::tools::ApplyLegacyHistogramOption(o.histogram, spec))
            return false;
        classes = spec.histogramClasses;
    } else if (!o.histogram.empty()) {
        char* end = nullptr;
        classes = std::strtol(o.histogram.c_str(), &end, 10);
        if (*end != '\0' || classes < 0)
            return false;
    }
    if (classes > 1000)
        return false;
    spec.histogramClasses = static_cast<std::uint16_t>(classes);
    if (o.noStatistics)
        spec.statistics = false;
    // The VDV bit lives in the flags word of a multi-channel header.
    if (o.vdv && single)
        return false;
    spec.vdv = o.vdv;
    return true;
}

// `orlu-fixture legacy`: false for options that do not fit together.
bool Legacy(const LegacyOptions& o, FixtureBuilder& file)
{
    if (o.kind == 23) {
        if (o.dos || o.files < 1 || o.files > 1000)
            return false;
        file = orlu::fixture::Multifile(23, orlu::fixture::LegacyMultifileMembers(static_cast<int>(o.files)));
        return true;
    }
    orlu::fixture::LegacyFileSpec spec;
    if ((o.kind != 3 && o.kind != 10) || (o.dos && o.kind != 3) || !LegacySpec(o, spec))
        return false;
    file = o.dos ? orlu::fixture::LegacyDosFile(spec) : orlu::fixture::LegacyContainer(static_cast<std::uint8_t>(o.kind), spec);
    return true;
}

FixtureBuilder Current(unsigned kind, const orlu::fixture::CurrentFileSpec& spec)
{
    std::vector<std::uint8_t> file = orlu::fixture::CurrentMeasurementFile(spec);
    FixtureBuilder f;
    f.ContainerHeader(static_cast<std::uint8_t>(kind), 0, 0, static_cast<std::uint32_t>(file.size())).Bytes(file);
    return f;
}

orlu::fixture::CurrentFileSpec CurrentSpec(long device, long firmware, long input, long function, long loggerRows,
                                           long tones, long rtBands)
{
    orlu::fixture::CurrentFileSpec spec = orlu::fixture::PlausibleMeasurementSpec(
        static_cast<std::uint16_t>(input), static_cast<std::uint16_t>(firmware));
    spec.deviceType = static_cast<std::uint16_t>(device);
    spec.function = static_cast<std::uint16_t>(function);
    if (tones >= 0)
        spec.tonality = orlu::fixture::SampleTonalityWords(static_cast<std::uint16_t>(tones));
    if (rtBands > 0)
        spec.rt60 = orlu::fixture::SampleRt60ThirdOctaves(static_cast<std::uint16_t>(rtBands));
    if (loggerRows <= 0) {
        spec.statistics = true;
        spec.histogramClasses = 4;
        spec.histogramCounts = {10, 20, 30, 40};
        return spec;
    }
    for (std::uint16_t p = 0; p < 3; ++p)
        spec.profiles[p].bufferWord = static_cast<std::uint16_t>(1u << p); // one result each, also for the later models
    spec.rowWords = 3;
    spec.rows = static_cast<std::uint32_t>(loggerRows);
    spec.declaredCount = spec.rows;
    for (std::uint32_t r = 1; r < spec.rows; r += 100) {
        spec.events.push_back({r, false, r % 256});
        if (r > 1)
            spec.events.push_back({r, true, 10});
    }
    return spec;
}

struct FourChannelOptions {
    long kind = 42, device = 545, firmware = -1, channels = 4, profiles = 1, function = 1;
    bool microphoneFirst = true, vector = false, rotation = false;
    long logger = 0, waveform = 0, rtBands = 0;
    std::vector<long> dose, seat; ///< as given: kind, variant, minutes, x, y, z; base, seat
};

// "a,b,c" into exactly `count` numbers; false for anything else.
bool ParseNumberList(const std::string& text, std::size_t count, std::vector<long>& out)
{
    out.clear();
    const char* p = text.c_str();
    while (true) {
        char* end = nullptr;
        out.push_back(std::strtol(p, &end, 10));
        if (end == p)
            return false;
        if (*end == '\0')
            return out.size() == count;
        if (*end != ',')
            return false;
        p = end + 1;
    }
}

// The dose setup and the SEAT pair hold values the file keeps in bytes or
// words, and channels that the file has.
bool DoseAndSeatFit(const FourChannelOptions& o)
{
    const auto channel = [&](long c) { return c >= 1 && c <= o.channels; };
    if (!o.dose.empty() && (o.dose[0] < 0 || o.dose[0] > 255 || o.dose[1] < 0 || o.dose[1] > 255 || o.dose[2] < 0 ||
                            o.dose[2] > 65535 || !channel(o.dose[3]) || !channel(o.dose[4]) || !channel(o.dose[5])))
        return false;
    return o.seat.empty() || (channel(o.seat[0]) && channel(o.seat[1]));
}

orlu::fixture::FourChannelSpec FourChannelSpecOf(const FourChannelOptions& o)
{
    using orlu::fixture::FourChannelSpec;
    const long firmware = o.firmware >= 0 ? o.firmware : o.device == 590 ? 302 : o.waveform > 0 || o.rotation ? 220 : 217;
    FourChannelSpec spec = orlu::fixture::MakeFourChannelSpec(
        static_cast<std::uint16_t>(o.device), static_cast<std::uint16_t>(firmware), static_cast<int>(o.channels),
        static_cast<int>(o.profiles), o.microphoneFirst);
    spec.plausibleLevels = true;
    spec.function = static_cast<std::uint16_t>(o.function);
    const auto all = static_cast<std::uint16_t>((1u << o.channels) - 1u);
    spec.spectrumMask = all;
    spec.histogramMask = o.logger == 0 && o.waveform == 0 ? all : 0;
    if (o.vector) {
        spec.vectorRecord = true;
        spec.vectorInBuffer = 1;
        for (long c = 0; c < o.channels; ++c) {
            spec.coefficients[static_cast<std::size_t>(c)] = 100;
            spec.coefficientUse[static_cast<std::size_t>(c)] = 1;
        }
    }
    spec.rotationInBuffer = o.rotation ? 1 : 0;
    // Channels are given as the reports number them (#1); the file counts from 0.
    if (!o.dose.empty())
        spec.dose = FourChannelSpec::DoseSetup{.axisX = static_cast<std::uint8_t>(o.dose[3] - 1),
                                               .axisY = static_cast<std::uint8_t>(o.dose[4] - 1),
                                               .axisZ = static_cast<std::uint8_t>(o.dose[5] - 1),
                                               .kind = static_cast<std::uint8_t>(o.dose[0]),
                                               .limitVariant = static_cast<std::uint8_t>(o.dose[1]),
                                               .dailyMinutes = static_cast<std::uint16_t>(o.dose[2])};
    if (!o.seat.empty())
        spec.seat = FourChannelSpec::Seat{.base = static_cast<std::uint16_t>(o.seat[0] - 1),
                                          .seat = static_cast<std::uint16_t>(o.seat[1] - 1)};
    if (o.rtBands > 0) {
        spec.rt60 = orlu::fixture::SampleRt60ThirdOctaves(static_cast<std::uint16_t>(o.rtBands));
        for (long c = 0; c < o.channels; ++c)
            spec.rtChannels.push_back(static_cast<std::uint16_t>(c));
        spec.rtMean = true;
    }
    if (o.logger > 0) {
        spec.history = FourChannelSpec::History::Logger;
        spec.rows = static_cast<std::uint32_t>(o.logger);
        spec.declaredCount = spec.rows;
        for (auto& p : spec.profiles)
            p.bufferWord = 0x0005;
        orlu::fixture::LoggerDescriptor descriptor{o.function == 6 ? std::uint8_t{33} : std::uint8_t{9}, {}};
        for (long c = 0; c < o.channels; ++c)
            descriptor.entries.push_back({static_cast<std::uint16_t>(c), static_cast<std::uint16_t>(o.function == 6 ? 8 : 1),
                                          static_cast<std::uint16_t>(o.function == 6 ? 1 : 1)});
        if (o.function == 2 || o.function == 6)
            spec.descriptors.push_back(descriptor);
        spec.loggerWords = {{1, 0x8, 1}, {spec.rows / 2, 0xA, 0x0102}, {spec.rows / 2, 0xB, 10}};
    } else if (o.waveform > 0) {
        spec.history = FourChannelSpec::History::Waveform;
        spec.rows = static_cast<std::uint32_t>(o.waveform);
        spec.declaredCount = spec.rows;
        spec.waveformMask = all;
    }
    return spec;
}

} // namespace

// The logger options of `orlu-fixture current`: levels, time step and impulse profiles; false
// for a value it does not read, or logger options without a logger.
bool CurrentLoggerOptions(const std::string& levels, long stepMs, const std::string& impulseProfiles,
                          orlu::fixture::CurrentFileSpec& spec)
{
    const bool any = !levels.empty() || stepMs >= 0 || !impulseProfiles.empty();
    if (any && spec.rows == 0)
        return false;
    // Impulse profiles first: they choose which profiles log, and so the columns of the levels.
    if (!impulseProfiles.empty()) {
        std::vector<std::int16_t> profiles;
        std::vector<bool> marks;
        if (!ParseLevelList(impulseProfiles, profiles, marks) || profiles.size() != 3 ||
            std::any_of(profiles.begin(), profiles.end(), [](std::int16_t p) { return p < 1 || p > 3; }) ||
            std::any_of(marks.begin(), marks.end(), [](bool m) { return m; }))
            return false;
        orlu::fixture::SetImpulseProfiles(spec, static_cast<std::uint16_t>(profiles[0]),
                                          static_cast<std::uint16_t>(profiles[1]),
                                          static_cast<std::uint16_t>(profiles[2]));
    }
    if (!levels.empty() && !ParseLoggerLevels(levels, spec.loggerLevels))
        return false;
    if (stepMs >= 0) {
        spec.stepSeconds = static_cast<std::uint16_t>(stepMs / 1000);
        spec.stepMillis = static_cast<std::uint16_t>(stepMs % 1000);
    }
    return true;
}

int main(int argc, char** argv)
{
    // Asked for help, the tool writes nothing, whatever else the line holds.
    if (std::any_of(argv + 1, argv + argc, [](const char* a) { return std::string_view(a) == "--help"; }))
        return Usage(true);
    if (argc < 3)
        return Usage();
    const std::string command = argv[1];
    if (command == "plot")
        return orlu::tools::RunPlotFixture(argc, argv);
    if (command == "monitor")
        return orlu::tools::RunMonitorFixture(argc, argv);
    if (command == "monitor-image")
        return orlu::tools::RunMonitorImageFixture(argc, argv);
    if (command == "ocf")
        return orlu::tools::RunSetupFixture(argc, argv);
    if (command == "bmp")
        return orlu::tools::RunBmpFixture(argc, argv);
    // The container layout options of the single-file commands.
    orlu::tools::ContainerLayoutOptions layout;
    std::vector<char*> args(argv, argv + argc);
    if (command == "container" || command == "legacy" || command == "current") {
        if (!orlu::tools::TakeContainerLayoutOptions(args, layout))
            return Usage();
        argc = static_cast<int>(args.size());
        argv = args.data();
    }
    try {
        FixtureBuilder file;
        if (command == "container") {
            long kind = -1, dataBytes = 0, subKind = 0;
            if (!ReadOptions(argc, argv, {{"--kind", &kind}, {"--data-bytes", &dataBytes}, {"--sub-kind", &subKind}}))
                return Usage();
            if (kind < 0 || kind > 255 || subKind < 0 || subKind > 255 || dataBytes < 0)
                return Usage();
            file = Container(static_cast<unsigned>(kind), static_cast<unsigned>(subKind),
                             static_cast<std::size_t>(dataBytes));
        } else if (command == "current") {
            long kind = -1, device = 525, firmware = 300, input = 2, function = 1, logger = 0, tones = -1, rtBands = 0;
            long stepMs = -1;
            std::string loggerLevels, impulseProfiles, histogram;
            std::string userFilter;
            std::string bandHistograms, storedLevels;
            orlu::tools::OctaveFixtureOptions octave;
            orlu::tools::CurrentFftOptions fft;
            if (!ReadOptions(argc, argv,
                             {{"--kind", &kind}, {"--device", &device}, {"--firmware", &firmware}, {"--input", &input},
                              {"--function", &function}, {"--logger", &logger}, {"--tonality", &tones},
                              {"--rt60", &rtBands}, {"--logger-levels", &loggerLevels}, {"--step-ms", &stepMs},
                              {"--impulse-profiles", &impulseProfiles}, {"--histogram", &histogram},
                              {"--spectrum", &octave.spectrum}, {"--min-max", &octave.minMax},
                              {"--spectra", &octave.spectra}, {"--spectra-levels", &octave.spectraLevels},
                              {"--fft-spectrum", &fft.spectrum}, {"--fft-range", &fft.rangeHz},
                              {"--fft-window", &fft.window}, {"--total", &fft.total},
                              {"--short-band", &fft.shortBand}, {"--short-range", &fft.shortRangeHz},
                              {"--user-filter", &userFilter},
                              {"--band-histograms", &bandHistograms}, {"--stored-levels", &storedLevels}}))
                return Usage();
            if (kind < 0 || kind > 255 || device < 0 || device > 65535 || firmware < 0 ||
                firmware > 65535 || logger < 0 || logger > 100000000 || tones > 200 || rtBands < 0 || rtBands > 17 ||
                stepMs > 65535 * 1000L)
                return Usage();
            orlu::fixture::CurrentFileSpec spec = CurrentSpec(device, firmware, input, function, logger, tones, rtBands);
            if (function == 6) { // a logger of FFT spectra
                fft.spectra = std::exchange(octave.spectra, 0);
                fft.spectraLevels = std::exchange(octave.spectraLevels, {});
            }
            if (!orlu::tools::ApplyCurrentFftOptions(fft, spec))
                return Usage();
            if (!CurrentLoggerOptions(loggerLevels, stepMs, impulseProfiles, spec) ||
                !orlu::tools::ApplyOctaveFixtureOptions(octave, spec))
                return Usage();
            if (!histogram.empty() && !orlu::tools::ApplyHistogramOption(histogram, spec))
                return Usage();
            if (!userFilter.empty() && !orlu::tools::ApplyUserFilterOption(userFilter, spec))
                return Usage();
            if ((!bandHistograms.empty() && !orlu::tools::ApplyBandHistogramsOption(bandHistograms, spec)) ||
                (!storedLevels.empty() && !orlu::tools::ApplyStoredLevelsOption(storedLevels, spec)))
                return Usage();
            file = Current(static_cast<unsigned>(kind), spec);
        } else if (command == "four-channel") {
            FourChannelOptions o;
            std::string first = "mic", dose, seat, levels, rpm, samples, histogram, spectrum;
            std::string bandHistograms, fftLevels;
            long stepMs = -1, fftStep = 0;
            if (!ReadOptions(argc, argv,
                             {{"--vector", &o.vector}, {"--rotation", &o.rotation}, {"--first", &first},
                              {"--kind", &o.kind}, {"--device", &o.device}, {"--firmware", &o.firmware},
                              {"--channels", &o.channels}, {"--profiles", &o.profiles}, {"--function", &o.function},
                              {"--logger", &o.logger}, {"--waveform", &o.waveform}, {"--rt60", &o.rtBands},
                              {"--dose", &dose}, {"--seat", &seat}, {"--logger-levels", &levels}, {"--rpm", &rpm},
                              {"--samples", &samples}, {"--step-ms", &stepMs}, {"--histogram", &histogram},
                              {"--spectrum", &spectrum}, {"--band-histograms", &bandHistograms},
                              {"--fft-levels", &fftLevels}, {"--fft-step", &fftStep}}))
                return Usage();
            if (first != "mic" && first != "acc")
                return Usage();
            o.microphoneFirst = first == "mic";
            if ((!dose.empty() && !ParseNumberList(dose, 6, o.dose)) || (!seat.empty() && !ParseNumberList(seat, 2, o.seat)))
                return Usage();
            if (!DoseAndSeatFit(o) || o.kind < 0 || o.kind > 255 || (o.device != 545 && o.device != 590) ||
                o.firmware > 65535 || o.channels < 1 || o.channels > 4 || o.profiles < 1 || o.profiles > 3 ||
                o.function < 0 || o.function > 65535 || o.logger < 0 || o.logger > 10000000 || o.waveform < 0 ||
                o.waveform > 10000000 || (o.logger > 0 && o.waveform > 0) || o.rtBands < 0 || o.rtBands > 17)
                return Usage();
            orlu::fixture::FourChannelSpec spec = FourChannelSpecOf(o);
            if (!orlu::tools::ApplyFourChannelSpectra(spectrum, spec) ||
                !orlu::tools::ApplyFourChannelFftLevels(fftLevels, fftStep, spec))
                return Usage();
            if (!orlu::tools::FourChannelLoggerValues(levels, rpm, samples, spec) || stepMs > 65535 * 1000L ||
                (stepMs >= 0 && spec.history != orlu::fixture::FourChannelSpec::History::Logger))
                return Usage();
            if (!histogram.empty() &&
                (spec.history != orlu::fixture::FourChannelSpec::History::None ||
                 !orlu::tools::ApplyFourChannelHistogramOption(histogram, static_cast<int>(o.channels), spec)))
                return Usage();
            if (!bandHistograms.empty() && !orlu::tools::ApplyFourChannelBandHistograms(bandHistograms, spec))
                return Usage();
            if (stepMs >= 0) {
                spec.stepSeconds = static_cast<std::uint16_t>(stepMs / 1000);
                spec.stepMillis = static_cast<std::uint16_t>(stepMs % 1000);
            }
            const std::vector<std::uint8_t> bytes = orlu::fixture::FourChannelMeasurementFile(spec);
            file.ContainerHeader(static_cast<std::uint8_t>(o.kind), 0, 0, static_cast<std::uint32_t>(bytes.size()))
                .Bytes(bytes);
        } else if (command == "analyzer") {
            std::string kind = "4";
            long function = 3, headerLength = 0, lines = -1, bands = -1, spectra = 1, sampling = 10, eighths = 16;
            bool four = false, history = false, histogram = false, zoom = false, eVersion = false;
            std::string decay, spectrum;
            std::string bandHistograms;
            bool numbered = false;
            orlu::tools::WaveformOptions waveform;
            if (!ReadOptions(argc, argv,
                             {{"--kind", &kind}, {"--function", &function}, {"--four-channel", &four},
                              {"--header-length", &headerLength}, {"--lines", &lines}, {"--bands", &bands},
                              {"--spectra", &spectra}, {"--history", &history}, {"--histogram", &histogram},
                              {"--zoom", &zoom}, {"--e-version", &eVersion}, {"--sampling", &sampling},
                              {"--step-eighths", &eighths}, {"--waveform", &waveform.samples},
                              {"--channels", &waveform.channels}, {"--complex", &waveform.complexSamples},
                              {"--tone", &waveform.tone}, {"--records", &waveform.records}, {"--decay", &decay},
                              {"--band-histograms", &bandHistograms}, {"--spectrum", &spectrum},
                              {"--numbered", &numbered}}) ||
                function < 1 || function > 4 || headerLength < 0 || headerLength > 200 || lines > 4000 ||
                bands > 45 || spectra < 1 || spectra > 1000 || sampling < 0 || sampling > 17 || eighths < 1 ||
                eighths > 65535 || (kind != "4" && kind != "11" && kind != "24" && kind != "dos"))
                return Usage();
            orlu::fixture::Analyzer505Spec spec;
            spec.function = static_cast<std::uint16_t>(function);
            const bool octave = function >= 3;
            spec.values = static_cast<std::uint16_t>(lines >= 0 ? lines : !octave ? 400 : function == 3 ? 10 : 31);
            spec.bands = static_cast<std::uint16_t>(bands >= 0 ? bands : function == 3 ? 9 : 30);
            spec.fourChannel = four;
            spec.headerLength = static_cast<std::uint16_t>(headerLength);
            spec.spectra = static_cast<std::uint16_t>(spectra);
            spec.timeHistory = history || numbered;
            spec.histogram = histogram && octave;
            spec.zoom = zoom;
            spec.samplingCode = static_cast<std::uint16_t>(sampling);
            spec.timeStepFixed = static_cast<std::uint32_t>(eighths) << 13;
            if (!orlu::tools::ApplyAnalyzerSpectrum(spectrum, spec))
                return Usage();
            if (!orlu::tools::ApplyWaveformOptions(waveform, spec) ||
                (!decay.empty() && !orlu::tools::ApplyDecayOption(decay, spec)))
                return Usage();
            if (!bandHistograms.empty() && (!octave || !orlu::tools::ApplyAnalyzerBandHistograms(bandHistograms, spec)))
                return Usage();
            const std::uint8_t subKind = eVersion ? 1 : 0;
            if (kind == "dos") {
                file = orlu::fixture::Analyzer505Dos(spec, subKind);
            } else if (kind == "24") {
                orlu::fixture::Analyzer505Spec third;
                third.function = 4;
                third.values = 31;
                third.bands = 30;
                const orlu::fixture::Analyzer505Spec specs[] = {spec, third};
                file = orlu::fixture::Analyzer505Multifile(specs);
            } else {
                file = orlu::fixture::Analyzer505Container(spec, static_cast<std::uint8_t>(std::stoi(kind)), subKind);
            }
        } else if (command == "sample") {
            std::string fault;
            if (!ReadOptions(argc, argv, {{"--fault", &fault}}))
                return Usage();
            if (fault.empty())
                file = Sample(orlu::fixture::PlausibleSampleFile());
            else if (fault == "truncated")
                file = Sample(BrokenChainFile(ChainFault::TruncatedLastRecord));
            else if (fault == "overrun")
                file = Sample(BrokenChainFile(ChainFault::Overrun));
            else if (fault == "zero-length")
                file = Sample(BrokenChainFile(ChainFault::ZeroLength));
            else
                return Usage();
        } else if (command == "multifile") {
            long count = 0; // not given: one file of each of the five contents
            bool pattern = false;
            std::string memberList;
            long loggerRows = 0;
            std::string loggerLevels;
            std::string memberOptions;
            if (!ReadOptions(argc, argv,
                             {{"--files", &count}, {"--pattern", &pattern}, {"--members", &memberList},
                              {"--logger", &loggerRows}, {"--logger-levels", &loggerLevels},
                              {"--member-options", &memberOptions}}) ||
                count < 0 || count > 1000 || (pattern && count != 0) || (!memberList.empty() && (pattern || count != 0)) ||
                loggerRows < 0 || loggerRows > 10000000 || ((loggerRows > 0 || !loggerLevels.empty()) && memberList.empty()))
                return Usage();
            if (!memberOptions.empty() && (pattern || count != 0 || !memberList.empty()))
                return Usage();
            count = count == 0 ? 5 : count;
            if (!memberOptions.empty()) {
                const auto members = orlu::tools::MembersWithOptions(memberOptions);
                if (!members)
                    return Usage();
                file = orlu::fixture::Multifile(55, *members);
            } else if (!memberList.empty()) {
                auto members = orlu::fixture::ParseMemberList(memberList);
                if (!members)
                    return Usage();
                std::vector<orlu::fixture::LoggerLevels> levels;
                if (!loggerLevels.empty() && (loggerRows == 0 || !ParseLoggerLevels(loggerLevels, levels)))
                    return Usage();
                for (auto& member : *members) {
                    // --logger gives every member the rows that its own part does not.
                    if (member.loggerRows == 0)
                        member.loggerRows = static_cast<std::uint32_t>(loggerRows);
                    member.loggerLevels = levels;
                }
                file = orlu::fixture::Multifile(orlu::fixture::MixedMultifileKind(*members),
                                                orlu::fixture::MixedMultifileMembers(*members));
            } else if (pattern) {
                file = PatternMultifile();
            } else {
                const auto members = orlu::fixture::GeneratedMultifileMembers(
                    static_cast<int>(count), orlu::fixture::PlausibleMeasurementSpec());
                file = orlu::fixture::Multifile(55, members);
            }
        } else if (command == "legacy") {
            LegacyOptions o;
            if (!ReadOptions(argc, argv,
                             {{"--kind", &o.kind}, {"--dos", &o.dos}, {"--layout", &o.layout}, {"--history", &o.history},
                              {"--step-ms", &o.stepMs}, {"--histogram", &o.histogram},
                              {"--no-statistics", &o.noStatistics}, {"--format", &o.format}, {"--files", &o.files},
                              {"--vdv", &o.vdv}, {"--buffer-levels", &o.bufferLevels},
                              {"--format-version", &o.formatVersion}}) ||
                !Legacy(o, file))
                return Usage();
        } else if (command == "reverb" || command == "edited" || command == "dos") {
            if (!ReadOptions(argc, argv, {}))
                return Usage();
            file = command == "reverb" ? Reverb() : command == "edited" ? Edited() : Dos();
        } else {
            return Usage();
        }
        if (layout.Changed())
            file = orlu::tools::ApplyContainerLayout(file, layout);
        file.WriteTo(argv[argc - 1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "orlu-fixture: %s\n", e.what());
        return 1;
    }
    return 0;
}
