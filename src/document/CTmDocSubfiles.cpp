// The document's sub-file accessors and record locators: each member hands
// the document's image, directory and chain flags to the free functions of
// Subfiles.h and RecordLocators.h.

#include "document/CTmDoc.h"

#include <algorithm>

namespace orlu {

SubfileDirectory CTmDoc::Directory() const
{
    return {m_Subfiles, m_ByteCount, m_Embedded};
}

std::uint32_t CTmDoc::GetSubfileStart(int n)
{
    SubfilePlace place = LocateSubfile(Directory(), n);
    m_CurrentSubfileLength = place.length;
    return place.start;
}

SubfilePlace CTmDoc::PlaceOfSubfile(int n) const
{
    return LocateSubfile(Directory(), n);
}

std::uint32_t CTmDoc::GetSubfileLength(int n) const
{
    return SubfileLength(Directory(), n);
}

std::string CTmDoc::GetSubfileName(int n) const
{
    return SubfileName(Directory(), n);
}

void CTmDoc::ScanLegacySubfiles(const LegacyHeaderProbe& decodeHeader)
{
    m_SubfileContents = orlu::ScanLegacySubfiles(SubfileCount(), decodeHeader);
}

void CTmDoc::ScanMergedSubfiles()
{
    m_SubfileContents = orlu::ScanMergedSubfiles(Reader(), m_Subfiles, m_ChainFlags);
}

int CTmDoc::ClampSubfileSelection(int viewKind, SubfileSelection& selection, BandStatistics bandStatistics)
{
    return orlu::ClampSubfileSelection(Directory(), m_SubfileContents, m_FileKind, viewKind, selection,
                                       bandStatistics);
}

SubfileSpan CTmDoc::SpanOf(int n)
{
    const std::uint32_t start = GetSubfileStart(n);
    const std::uint64_t end = std::uint64_t{start} + m_CurrentSubfileLength / 2;
    return {start, static_cast<std::uint32_t>(std::min<std::uint64_t>(end, m_ByteCount / 2))};
}

std::uint32_t CTmDoc::FindRecord(int n, std::uint8_t type)
{
    return orlu::FindRecord(Reader(), GetSubfileStart(n), type, m_ChainFlags);
}

std::uint32_t CTmDoc::FindRecordFrom(std::uint32_t startWord, std::uint8_t type) const
{
    return orlu::FindRecord(Reader(), startWord, type, m_ChainFlags);
}

std::uint32_t CTmDoc::FindNextRecord(std::uint32_t position, std::uint8_t type) const
{
    return orlu::FindNextRecord(Reader(), position, type, m_ChainFlags);
}

std::uint32_t CTmDoc::FindRecordInHeader(int n, std::uint8_t type)
{
    return orlu::FindRecordInHeader(Reader(), SpanOf(n), m_ChainFlags, type);
}

std::uint32_t CTmDoc::FindResultsRecord(int n)
{
    return orlu::FindResultsRecord(Reader(), SpanOf(n), m_ChainFlags);
}

bool CTmDoc::HasRecord15(int n)
{
    return orlu::HasRecord15(Reader(), SpanOf(n));
}

bool CTmDoc::HasBufferRecord(int n)
{
    return orlu::HasBufferRecord(Reader(), SpanOf(n), m_ChainFlags);
}

std::optional<std::uint16_t> CTmDoc::FindStatisticsDef(int n)
{
    return orlu::FindStatisticsDef(Reader(), SpanOf(n), m_ChainFlags);
}

std::uint32_t CTmDoc::FindRecord9(int n)
{
    return orlu::FindRecord9(Reader(), SpanOf(n), m_ChainFlags);
}

std::uint32_t CTmDoc::FindRecord19(int n)
{
    return orlu::FindRecord19(Reader(), SpanOf(n), m_ChainFlags);
}

std::uint32_t CTmDoc::FindRecord14(int n)
{
    return orlu::FindRecord14(Reader(), SpanOf(n), m_ChainFlags);
}

std::uint32_t CTmDoc::FindRecord16(int n)
{
    return orlu::FindRecord16(Reader(), SpanOf(n), m_ChainFlags);
}

std::uint32_t CTmDoc::FindChannelRecord(int n, std::uint8_t type, int channel, std::uint16_t channelMask)
{
    return orlu::FindChannelRecord(Reader(), SpanOf(n), type, channel, channelMask, Header().channelCount);
}

std::uint32_t CTmDoc::FindRecord24(int n)
{
    return orlu::FindRecord24(Reader(), SpanOf(n));
}

std::uint32_t CTmDoc::FindRecord17or21(int n)
{
    return orlu::FindRecord17or21(Reader(), SpanOf(n), m_ChainFlags);
}

std::uint32_t CTmDoc::FindRecord22(int n)
{
    return orlu::FindRecord22(Reader(), SpanOf(n));
}

std::uint32_t CTmDoc::FindBufferRecord(int n)
{
    return orlu::FindBufferRecord(Reader(), SpanOf(n), m_ChainFlags);
}

std::uint32_t CTmDoc::FindBufferData(int n)
{
    return orlu::FindBufferData(Reader(), SpanOf(n), m_ChainFlags);
}

bool CTmDoc::IsComplete(int n)
{
    return orlu::IsComplete(Reader(), SpanOf(n));
}

bool CTmDoc::HasValidEnd(int n)
{
    return orlu::HasValidEnd(Reader(), SpanOf(n), m_ChainFlags);
}

std::uint32_t CTmDoc::GetRecord17Data(int n)
{
    return orlu::GetRecord17Data(Reader(), SpanOf(n), m_ChainFlags);
}

std::uint32_t CTmDoc::GetRecord22Data(int n)
{
    return orlu::GetRecord22Data(Reader(), SpanOf(n));
}

std::vector<RecordEntry> CTmDoc::ListRecords(int n)
{
    return orlu::ListRecords(Reader(), SpanOf(n));
}

void CTmDoc::SetMerged(std::uint8_t kind, std::uint8_t subKind, std::vector<MultifileEntry> list)
{
    m_FileKind = kind;
    m_SubKind = subKind;
    m_Subfiles = std::move(list);
}

} // namespace orlu
