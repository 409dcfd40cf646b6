// The buffer of an ORLU 505 ANALYZER-mode file (kinds 4, 11 and, merged,
// 24). Its time history is the run of numbered spectra: each record holds,
// channel by channel, the record number and the spectrum's values, the bands
// first and the totals last (TOT_A, TOT_C, ...). The broadband levels of the
// time history are those totals: a channel logs one result per total, named
// as the spectrum forms name it, in 0.1 dB without an overload flag.

#include "analysis/statistics/BufferFamily.h"

#include "document/container/FileKindCode.h"
#include "platform/ValueFormat.h"
#include "reports/common/NameTables.h"

#include <limits>

namespace orlu {
namespace {

constexpr std::uint8_t kKindAnalyzerMultifile = 24;

class AnalyzerFamily final : public BufferFamily {
public:
    explicit AnalyzerFamily(CTmDoc& doc) : m_Doc(doc) {}

    bool TimeHistory() const override { return S().timeHistory; }
    std::uint32_t RecordCount() const override { return S().timeHistory ? S().recordCount : 0; }
    double TimeStep() const override { return S().timeStep; }
    LevelCoding Coding() const override { return LevelCoding::Tenths; }
    std::string MultifileName() const override
    {
        return m_Doc.FileKind() == kKindAnalyzerMultifile ? m_Doc.GetSubfileName(m_Doc.AnalyzerSubfile())
                                                          : std::string();
    }

    std::vector<int> ShownChannels(std::uint16_t mask) const override
    {
        const int count = std::min<int>(S().channelCount, static_cast<int>(S().channels.size()));
        if (mask == 0 || count <= 1)
            return {0};
        std::vector<int> channels;
        for (int ch = 0; ch < count; ++ch)
            if (mask & (1u << ch))
                channels.push_back(ch);
        return channels;
    }
    std::uint16_t ChannelMask() const override { return S().channelMask != 0 ? S().channelMask : 1; }
    bool SingleColumnTable() const override { return S().channelCount <= 1; }
    void Select(int ch) override { m_Doc.Select505Channel(ch); }

    BufferColumn ColumnOf(int ch, int n) const override
    {
        const Setup505& s = S();
        BufferColumn c;
        const std::uint32_t extras = s.bandExtras > 0 ? static_cast<std::uint32_t>(s.bandExtras) : 0;
        const std::uint32_t offset = static_cast<std::uint32_t>(ch) * (s.bandEnd + 1u) + 1u + (s.bandEnd - extras) +
                                     static_cast<std::uint32_t>(n);
        constexpr std::uint32_t kWidest = std::numeric_limits<std::int16_t>::max();
        // Only numbered spectra form a time history; a spectrum without totals logs nothing.
        if (!s.timeHistory || static_cast<std::uint32_t>(n) >= extras || extras > s.bandEnd ||
            s.RecordWords() > kWidest || offset >= s.RecordWords()) {
            c.logged = false;
            return c;
        }
        c.column.first = s.SpectrumAt(0);
        c.column.stride = static_cast<std::int16_t>(s.RecordWords());
        c.column.offset = static_cast<std::int16_t>(offset);
        c.resultName = s.totalNames.At(n);
        c.kind = GetAggregationKind(c.resultName);
        c.total = TotalKindOfInput(m_Doc.Channel().inputKind);
        return c;
    }

    const char* ChannelWord() const override { return "Channel"; }
    bool IsVector(int) const override { return false; }
    std::string IntegrationName() const override
    {
        // Octave spectra are averaged over a time in seconds, FFT spectra by a rule.
        if (S().function >= kFunction505Octave)
            return StrPrintf("%d s", static_cast<int>(S().averagingValue));
        return std::string(NameFor(AveragingNames505, S().averaging));
    }
    std::string FunctionName() const override
    {
        std::string_view name = NameFor(FunctionNames505, S().function);
        if (!name.empty() && name.front() == ' ')
            name.remove_prefix(1);
        return std::string(name);
    }
    std::string FilterName() const override { return std::string(NameFor(FilterNames505, m_Doc.Channel().filter505)); }
    std::string DetectorName() const override { return std::string(NameFor(RmsDetectorNames, S().rmsDetectorType)); }

private:
    const Setup505& S() const { return m_Doc.Analyzer(); }
    CTmDoc& m_Doc;
};

} // namespace

std::unique_ptr<BufferFamily> AnalyzerBufferFamily(CTmDoc& doc)
{
    if (FindFileKind(doc.FileKind()).Family != KindFamily::Setup505 || !doc.AnalyzerDecoded())
        return nullptr;
    return std::make_unique<AnalyzerFamily>(doc);
}

} // namespace orlu
