#pragma once
// Where the columns of a current-family logger lie and what they hold. A
// logger row holds, for every channel or profile, the results it logs,
// then the RMS vector and the rotation speed when the file logs them; the
// four-channel recordings hold 24-bit samples ("TIME") instead of levels.
// Three layouts place a result in the row: four-channel files by result
// group and channel, the later models by the results of the profiles
// before, the other models one result per logging profile.

#include "analysis/statistics/AggregationKind.h"
#include "analysis/statistics/ResultSlots.h"
#include "document/CTmDoc.h"
#include "document/LoggerSplit.h"
#include "document/buffer/ColumnReader.h"
#include "document/image/PagePool.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orlu {

/// Row number of the RMS vector and the rotation (the pseudo channel).
inline constexpr int kLoggerPseudoRow = 4;

/// The logger rows of one file of a Multifile, taken out of the file with its marker and
/// break words dropped, for as long as a form reads them: the document keeps its image as
/// it is, every file in its place. The rows start at the same word as in the document.
struct SubfileLoggerRows {
    PagePool pool;
    LoggerSplitResult split;
};

/// The logger of the document's decoded file.
struct LoggerPlace {
    LoggerLayout layout = LoggerLayout::SingleResult;
    std::uint32_t first = 0;     ///< word of row 0
    std::uint16_t rowWords = 0;
    std::size_t records = 0;     ///< rows that lie wholly inside the image
    int channels = 0;            ///< channels, or profiles
    bool samples = false;        ///< a four-channel recording: 24-bit samples
    bool vector = false;         ///< the RMS vector is logged
    bool rotation = false;       ///< the rotation speed is logged
    std::uint16_t loggedRows = 0; ///< bit per channel or profile that logs (bit 4 the pseudo channel)
    std::uint16_t firmware = 0;  ///< x 100
    double timeStep = 0.0;       ///< seconds between rows
    std::uint16_t timeUnit = 0;  ///< how the step reads: 0 seconds, 1 minutes, 2 hours
    /// A Multifile: the rows of its file shown, and the file's name.
    std::shared_ptr<const SubfileLoggerRows> subfileRows;
    std::string multifileName;
};

/// The logger of a current-family file, or of the file of a current-family Multifile the
/// document decoded last (not of four-channel files there), with a time history of results;
/// nullopt for any other document.
std::optional<LoggerPlace> LocateLogger(CTmDoc& doc);

/// The image the logger's columns address: the document's, or the rows of a Multifile's file.
ImageReader LoggerImage(const CTmDoc& doc, const LoggerPlace& place);

/// The 1-based number of every record on the instrument's time line, written into
/// `numbers`: the kept records' after an edit, and past the breaks of a Multifile's logger.
void LoggerRecordNumbers(const CTmDoc& doc, const LoggerPlace& place, std::vector<std::uint32_t>& numbers);

/// What one row of the view (a channel, profile or the pseudo channel) shows.
enum class LoggerContent { Levels, Samples, Vector, Rotation };

struct LoggerColumn {
    LoggerContent content = LoggerContent::Levels;
    int row = 0;
    int profile = 0;            ///< four-channel files: the result group of the result
    TimeHistoryColumn column;   ///< its offset counts bytes for samples
    bool logged = false;        ///< false: the row logs no such result, and nothing is read
    std::string name;           ///< "TIME", "RPM", "RMS_Vect" or the result's name
    AggregationKind kind = AggregationKind::EnergyMean;
    TotalKind total = TotalKind::None;
};

/// The column of result n of a row, with the row made current (the vector's channel is
/// the pseudo channel). Rows at or past the channels are the pseudo channel.
LoggerColumn DescribeLoggerColumn(CTmDoc& doc, const LoggerPlace& place, int row, int n);

/// The rows a form shows for a channel mask and the view's result of each row: the
/// level, sample or vector rows in order, and whether the rotation follows them.
struct LoggerRows {
    std::vector<int> rows;
    bool rotation = false;
};
LoggerRows ShownLoggerRows(const LoggerPlace& place, std::uint16_t mask, const std::array<std::uint8_t, 5>& results);

/// The weighting name and detector name of the current channel as a caption shows them.
std::string LoggerWeightingName(const CTmDoc& doc, const LoggerPlace& place);
std::string LoggerDetectorName(const CTmDoc& doc);

/// Whether a result's caption names the detector. The files give no sign that their RMS
/// and Leq results come from a detector, so only maxima and minima name one.
bool CaptionNamesDetector(std::string_view resultName);

} // namespace orlu

namespace orlu {

/// The values of a column in the view's units, aggregated by the degree, with the
/// overload flag of each window; with totals the running total of a level column
/// instead (no flags). Samples are scaled to the channel's unit; rotation speeds are
/// shown as read. A column that logs nothing has no values.
struct LoggerValues {
    std::vector<double> values;
    std::vector<std::uint8_t> overload;
};
LoggerValues ReadLoggerValues(const CTmDoc& doc, const LoggerPlace& place, const LoggerColumn& column, bool totals,
                              bool linear, int degree);

} // namespace orlu
