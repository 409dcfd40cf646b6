// The buffer of an ORLU 505 METER-mode file (kinds 3, 10 and, merged, 23):
// the rows behind the buffer description. Multi-channel records hold every
// logged result of every channel, single-channel records one level word.

#include "analysis/statistics/BufferFamily.h"

#include "document/buffer/BufferColumns.h"
#include "reports/common/NameTables.h"

namespace orlu {
namespace {

class LegacyFamily final : public BufferFamily {
public:
    explicit LegacyFamily(CTmDoc& doc) : m_Doc(doc) {}

    bool TimeHistory() const override { return H().timeHistory; }
    std::uint32_t RecordCount() const override { return H().merged ? H().declaredCount : H().shownRecordCount; }
    double TimeStep() const override { return H().timeStep; }
    LevelCoding Coding() const override { return LevelCodingForVersion(H().formatVersion); }
    std::string MultifileName() const override
    {
        return H().merged ? m_Doc.GetSubfileName(m_Doc.LegacySubfile()) : std::string();
    }

    std::vector<int> ShownChannels(std::uint16_t mask) const override
    {
        if (mask == 0 || H().singleChannel)
            return {0};
        // Channels the file does not hold have no column.
        std::vector<int> channels;
        for (int ch = 0; ch < kLegacyMaxChannels; ++ch)
            if (mask & H().profileMask & (1u << ch))
                channels.push_back(ch);
        return channels;
    }
    std::uint16_t ChannelMask() const override { return H().profileMask; }
    bool SingleColumnTable() const override { return H().singleChannel; }
    void Select(int ch) override { m_Doc.SelectLegacyChannel(ch); }

    BufferColumn ColumnOf(int ch, int n) const override
    {
        const LegacyHeader& h = H();
        BufferColumn c;
        c.column.first = h.bufferDataStart;
        if (h.singleChannel) {
            c.column.stride = 1;
            c.total = TotalKindByFunction(m_Doc.Channel().function, m_Doc.Channel().inputKind);
            return c;
        }
        // The n-th result of channel ch follows those of the channels before it.
        std::array<std::uint8_t, kLegacyMaxChannels> counts{};
        for (int k = 0; k < kLegacyMaxChannels; ++k)
            counts[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(h.Channel(k).bufferBitCount);
        c.column.stride = static_cast<std::int16_t>(h.resultsPerRecord);
        c.column.offset = static_cast<std::int16_t>(SumBytes(counts, ch, static_cast<std::uint16_t>(n)));
        const std::uint16_t slotMask = static_cast<std::uint16_t>(h.Channel(ch).bufferWord & 0xFF);
        const auto slot = FindLoggedResult(std::span(&slotMask, 1), n);
        if (!slot) {
            c.logged = false;
            return c;
        }
        const bool newNames = h.formatVersion > 32;
        c.resultName = std::string(NameFor(newNames ? BufferResultNamesNew : BufferResultNamesOld, slot->bit));
        c.kind = GetAggregationKind(c.resultName);
        if (slot->bit == (newNames ? 4 : 0))
            c.total = TotalKindOfInput(m_Doc.Channel().inputKind);
        return c;
    }

    const char* ChannelWord() const override { return H().channelMode != 0 ? "Channel" : "Profile"; }
    bool IsVector(int ch) const override { return ch == 4 && H().vector; }
    std::string IntegrationName() const override
    {
        return std::string(NameFor(BufferStepNames, m_Doc.Channel().timeConstant));
    }
    std::string FunctionName() const override
    {
        std::string_view name = NameFor(LegacyFunctionNames, m_Doc.Channel().function);
        if (!name.empty() && name.front() == ' ')
            name.remove_prefix(1);
        return std::string(name);
    }
    std::string FilterName() const override { return std::string(LegacyFilterFor(m_Doc.Channel().filter).Name); }
    std::string DetectorName() const override
    {
        return std::string(NameFor(RmsDetectorNames, m_Doc.Channel().rmsDetectorType));
    }

private:
    const LegacyHeader& H() const { return m_Doc.Legacy(); }
    CTmDoc& m_Doc;
};

} // namespace

std::unique_ptr<BufferFamily> LegacyBufferFamily(CTmDoc& doc)
{
    if (!doc.IsLegacyDocument() || !doc.LegacyDecoded())
        return nullptr;
    return std::make_unique<LegacyFamily>(doc);
}

} // namespace orlu
