#pragma once
// Sub-files of a document. A Multifile holds several instrument files one
// after another in its image, listed by its MultifileEntry directory; every
// locator and renderer addresses a numbered sub-file instead of the image:
//
//   0    the whole image; in a Multifile the first file
//   n>=1 the n-th directory entry (from 1): start = its byte offset / 2 (a word
//        index), length = its byte length
//   -1   the embedded file: a stretch of the image the document keeps as a start
//        byte and a byte length (the Buffer inside a MONITOR file, which may
//        begin at any byte); its start word is the word holding that byte
//
// The scans record, per sub-file, which kinds of result it holds (its content
// bits) and, per group of results, the first and last sub-file that has it;
// the views keep their selected sub-file inside that range.

#include "document/ViewKind.h"
#include "document/container/ContainerHeader.h"
#include "document/records/RecordLocators.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace orlu {

inline constexpr int kSubfileEmbedded = -1;

/// The file carried inside the image: its first byte and its length in bytes.
struct EmbeddedFile {
    std::uint32_t startByte = 0;
    std::uint32_t length = 0;
};

/// Where a sub-file lies: its first word and its length in bytes.
struct SubfilePlace {
    std::uint32_t start = 0;
    std::uint32_t length = 0;
};

/// The sub-files of one document as the accessors see them.
struct SubfileDirectory {
    std::span<const MultifileEntry> list; ///< empty: a single file
    std::uint32_t byteCount = 0;          ///< bytes of the image
    EmbeddedFile embedded;
};

/// Start and length of sub-file n. A number past the list names no file: start 0, length 0.
SubfilePlace LocateSubfile(const SubfileDirectory& dir, int n);
/// The byte length of sub-file n: 0 for n >= 1 without a list, for numbers below -1 and past the list.
std::uint32_t SubfileLength(const SubfileDirectory& dir, int n);
/// The name of sub-file n without trailing blanks; empty for 0, -1 and numbers outside the list.
std::string SubfileName(const SubfileDirectory& dir, int n);

/// One record of a sub-file's chain.
struct RecordEntry {
    std::uint32_t start = 0;  ///< word index of its word 0
    std::uint8_t type = 0;
    std::uint32_t length = 0; ///< words
};
/// The records of a sub-file from its first word to its end word or its end.
/// Throws RecordChainError at a record of length 0 or one that runs past the
/// sub-file or the image; nothing outside them is read.
std::vector<RecordEntry> ListRecords(const ImageReader& image, SubfileSpan sub);

/// Groups of results a sub-file can hold.
enum class ContentGroup : std::uint8_t {
    Histogram,      ///< A (legacy: a histogram or a time history)
    Statistics,     ///< B statistical levels
    Buffer,         ///< C a buffer (legacy Multifiles) or a logger (record 15 of other current-family files)
    Octave,         ///< D 1/1-octave spectra
    ThirdOctave,    ///< E 1/3-octave spectra
    Fft,            ///< F FFT spectra
    OctaveStats,    ///< G 1/1-octave band statistics
    OtherBandStats, ///< H other band statistics
};
inline constexpr std::size_t kContentGroupCount = 8;

/// The content bits of a group (a sub-file has group A when any of its three bits is set).
std::uint16_t ContentBitsOf(ContentGroup group);

/// The first and last sub-file (from 1) holding a group.
struct GroupRange {
    bool found = false;
    int first = 0; ///< 0 while not set
    int last = 0;
};

/// What the scan of a Multifile found.
struct SubfileContents {
    std::vector<std::uint16_t> bits; ///< per sub-file, sub-file 1 first
    std::array<GroupRange, kContentGroupCount> groups{};
    std::uint32_t largestRecordCount = 0; ///< legacy: the most records of a sub-file with a buffer

    /// The content bits of sub-file n (0 before a scan or outside the list).
    std::uint16_t BitsOf(int n) const;
    const GroupRange& Group(ContentGroup g) const { return groups[static_cast<std::size_t>(g)]; }
    GroupRange& Group(ContentGroup g) { return groups[static_cast<std::size_t>(g)]; }
};

/// What decoding the header of one legacy sub-file tells the scan.
struct LegacyFileContents {
    bool histogram = false;
    bool statistics = false;
    bool timeHistory = false;
    std::uint32_t recordCount = 0; ///< declared records of the time history
};
/// Decodes the header of legacy sub-file n (from 1); nothing when it cannot be decoded.
using LegacyHeaderProbe = std::function<std::optional<LegacyFileContents>(int n)>;

/// The scan of a legacy Multifile: each sub-file in list order through the decoder.
SubfileContents ScanLegacySubfiles(int subfileCount, const LegacyHeaderProbe& decode);

/// The scan of a current-family Multifile: walks each sub-file's chain (at most
/// 32 records, never past the sub-file) and sorts the records it meets into groups.
/// flags.fourChannel selects the ORLU 545 and 590 record types; their firmware
/// below 2.20 ends a walk at record 26.
SubfileContents ScanMergedSubfiles(const ImageReader& image, std::span<const MultifileEntry> list,
                                   const ChainFlags& flags);

/// Kinds 53 to 60: Multifiles of current-family files.
bool IsCurrentMultifileKind(std::uint8_t fileKind);

/// A view's sub-file selection.
struct SubfileSelection {
    int selected = 0;  ///< in and out
    int first = 0;     ///< out
    int last = 0;      ///< out
    int record = 0;    ///< in and out: 1 when a spectra view moves to another sub-file
    std::string name;  ///< out: the name of the selected sub-file
};

/// The band-statistics switches of the statistics views.
struct BandStatistics {
    bool octave = false; ///< 1/1-octave band statistics
    bool other = false;  ///< other band statistics
};

/// Keeps a view's selection inside the sub-files that can show the view kind:
/// current-family Multifiles (kinds 53 to 60) and legacy Multifiles (23) by
/// their groups; any other document only gets the name. Returns 1.
int ClampSubfileSelection(const SubfileDirectory& dir, const SubfileContents& contents, std::uint8_t fileKind,
                          int viewKind, SubfileSelection& selection, BandStatistics bandStatistics);

} // namespace orlu
