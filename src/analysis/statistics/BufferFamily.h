#pragma once
// What the buffer forms read of a file family: where the buffer of the file
// shown lies, which channels it has, which column holds a channel's n-th
// logged result and what that result is called. The forms (BufferForms) lay
// out every family's buffer alike; each family answers these questions from
// its own decoded header: the ORLU 505 METER-mode files (legacy family), its
// ANALYZER-mode files, whose spectra records carry the spectrum totals as
// their time history, and the Multifiles of current-family files, each file
// of which shows its own logger.

#include "analysis/statistics/AggregationKind.h"
#include "analysis/statistics/ResultSlots.h"
#include "document/CTmDoc.h"
#include "document/buffer/ColumnReader.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace orlu {

/// One channel's buffer column and what the forms say of it.
struct BufferColumn {
    TimeHistoryColumn column;
    std::string resultName; ///< empty: the channel's function names the column
    AggregationKind kind = AggregationKind::EnergyMean;
    TotalKind total = TotalKind::None;
    bool logged = true; ///< false: the channel logs no n-th result, and nothing is read
};

class BufferFamily {
public:
    virtual ~BufferFamily() = default;

    /// Whether the file shown has a time history at all.
    virtual bool TimeHistory() const = 0;
    /// The records the buffer declares; the readers stop at the end of the image.
    virtual std::uint32_t RecordCount() const = 0;
    /// Seconds between two records.
    virtual double TimeStep() const = 0;
    virtual LevelCoding Coding() const = 0;
    /// The name of the file shown when the document is a Multifile, else empty.
    virtual std::string MultifileName() const = 0;
    /// The channels a form shows for the view's mask, ascending; mask 0 shows the first.
    virtual std::vector<int> ShownChannels(std::uint16_t mask) const = 0;
    /// Every channel the buffer holds, as a mask.
    virtual std::uint16_t ChannelMask() const = 0;
    /// Whether the table form is one column of position-value pairs (else a column per channel).
    virtual bool SingleColumnTable() const = 0;
    /// Makes channel ch current (the document's CurrentChannel).
    virtual void Select(int ch) = 0;
    /// The column of the n-th logged result of channel ch, once ch is current.
    virtual BufferColumn ColumnOf(int ch, int n) const = 0;
    /// "Channel" or "Profile", as the captions name a column's channel.
    virtual const char* ChannelWord() const = 0;
    /// Whether channel ch is the vector of a probe file.
    virtual bool IsVector(int ch) const = 0;
    /// The integration time of the current channel's results, as the text form names it.
    virtual std::string IntegrationName() const = 0;
    /// The current channel's function, without a leading blank.
    virtual std::string FunctionName() const = 0;
    /// The current channel's filter and detector, as a column of the table heads them.
    virtual std::string FilterName() const = 0;
    virtual std::string DetectorName() const = 0;
};

/// The buffer of the document's family, or null when its forms are not the buffer forms'
/// (current-family single files have their loggers) or its header is not decoded.
std::unique_ptr<BufferFamily> BufferFamilyOf(CTmDoc& doc);

// The families, each in a file of its own; null when the document is not of it.
std::unique_ptr<BufferFamily> LegacyBufferFamily(CTmDoc& doc);
std::unique_ptr<BufferFamily> AnalyzerBufferFamily(CTmDoc& doc);

} // namespace orlu
