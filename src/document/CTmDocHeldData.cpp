// Documents made from data the program already holds: one file of a Multifile,
// the Buffer inside a MONITOR file, or MONITOR output caught from the link.
// Each copies its bytes into the document's pages and decodes them as a file
// loaded from disk would be. A document that cannot be decoded is not made,
// and the user is told so once: by the decoder, or else here.

#include "document/CTmDoc.h"

#include "document/DocMessageTable.h"
#include "document/container/LoadErrors.h"
#include "platform/CountingInteraction.h"

#include <algorithm>
#include <iterator>

namespace orlu {
namespace {

constexpr std::uint8_t kKindLegacyFile = 3;
constexpr std::uint8_t kKindAnalyzerFile = 4;
constexpr std::uint8_t kKindMonitorBuffer = 45; // the kind of an ORLU 525 file
constexpr std::string_view kMonitorUnavailable = "Reading MONITOR files is not available";

// The kind an extracted current-family file takes from its model: the first
// flag set decides, whatever kind the device type alone would give it.
struct ModelKind {
    bool ModelFlags::*flag;
    std::uint8_t kind;
};

constexpr ModelKind kExtractedKinds[] = {
    {&ModelFlags::ModelQera410, 48}, {&ModelFlags::Model550, 49},  {&ModelFlags::FourChannel, 42},
    {&ModelFlags::Family535, 47},    {&ModelFlags::Family530, 46}, {&ModelFlags::Family525, 45},
    {&ModelFlags::Family515, 44},    {&ModelFlags::Family515Text, 43},
};

} // namespace

bool CTmDoc::CopyIntoPages(std::span<const std::uint8_t> bytes)
{
    std::uint32_t fill = m_ByteCount % PagedFileImage::kPageSize;
    std::uint8_t* page = m_Image.Empty() ? AppendPage() : m_Image.WritablePage(m_Image.PageCount() - 1);
    while (page) {
        const std::size_t take = std::min<std::size_t>(PagedFileImage::kPageSize - fill, bytes.size());
        std::copy_n(bytes.begin(), take, page + fill);
        bytes = bytes.subspan(take);
        fill += static_cast<std::uint32_t>(take);
        m_ByteCount += static_cast<std::uint32_t>(take);
        if (fill < PagedFileImage::kPageSize)
            return true;
        // A full page is followed by the next one at once, as a file read from disk is.
        page = AppendPage();
        fill = 0;
    }
    Ui().ShowMessage(DocMessageTable[kMsgNotEnoughMemory], kMessageCaption, MessageButtons::Ok, MessageIcon::Stop);
    return false;
}

bool CTmDoc::CopyImageRange(const PagedFileImage& source, std::uint32_t from, std::uint32_t to)
{
    // A page run at a time: the run never crosses a page of the source.
    for (std::uint32_t b = from; b < to;) {
        const std::uint32_t run = std::min(PagedFileImage::kPageSize - b % PagedFileImage::kPageSize, to - b);
        if (!CopyIntoPages({source.Page(b / PagedFileImage::kPageSize) + b % PagedFileImage::kPageSize, run}))
            return false;
        b += run;
    }
    return true;
}

bool CTmDoc::DecodeExtract(const std::function<bool()>& decode)
{
    UserInteraction& ui = Ui();
    CountingInteraction counting(ui);
    // The document's port is given back however the decode ends.
    struct Restore {
        CTmDoc& doc;
        UserInteraction& ui;
        ~Restore() { doc.SetUi(ui); }
    } restore{*this, ui};
    SetUi(counting);
    bool decoded = false;
    try {
        decoded = decode();
    } catch (const ImageRangeError&) {
        // a header that points past the extracted file rejects it
    }
    if (!decoded && counting.Messages() == 0)
        ReportLoadError(ui, m_App->PendingExtractName, kLoadImproperContents);
    return decoded;
}

bool CTmDoc::ExtractFromMultifile()
{
    const AppContext& app = *m_App;
    const CTmDoc* source = app.ExtractSource;
    const std::uint64_t from = 2ull * app.ExtractStart;
    const std::uint64_t to = from + 2ull * app.ExtractLength;
    // The extract must lie inside the data the source holds: nothing is copied otherwise.
    if (!source || to > source->ByteCount())
        return RefuseNewDocument(DocMessageTable[kMsgImproperContents]);
    if (!CopyImageRange(source->Image(), static_cast<std::uint32_t>(from), static_cast<std::uint32_t>(to)))
        return false;
    const KindFamily family = FindFileKind(source->FileKind()).Family;
    const bool decoded = DecodeExtract([this, family] {
        switch (family) {
        case KindFamily::Legacy:
            m_FileKind = kKindLegacyFile;
            if (!DecodeLegacyHeader(0))
                return false;
            SetViewMaskLegacy();
            return true;
        case KindFamily::Setup505:
            m_FileKind = kKindAnalyzerFile;
            if (!DecodeSetup505(0))
                return false;
            SetViewMask505();
            return true;
        default:
            m_FileKind = kKindDerived;
            if (!DecodeFileHeader(0))
                return false;
            SetViewMaskCurrent();
            return true;
        }
    });
    if (!decoded)
        return false;
    if (family == KindFamily::Legacy || family == KindFamily::Setup505)
        return true;
    const ModelFlags& model = m_Current.header.model;
    const auto row = std::find_if(std::begin(kExtractedKinds), std::end(kExtractedKinds),
                                  [&model](const ModelKind& k) { return model.*k.flag; });
    if (row != std::end(kExtractedKinds))
        m_FileKind = row->kind;
    return true;
}

bool CTmDoc::ExtractBufferFromMonitor()
{
    const AppContext& app = *m_App;
    const CTmDoc* source = app.ExtractSource;
    // The Buffer is its bytes exactly, from any byte of the stream, and never past the stream's end.
    const std::uint64_t from = app.ExtractStart;
    const std::uint64_t to = from + app.ExtractLength;
    if (!source || app.ExtractLength == 0 || to > source->ByteCount())
        return RefuseNewDocument(DocMessageTable[kMsgImproperContents]);
    if (!CopyImageRange(source->Image(), static_cast<std::uint32_t>(from), static_cast<std::uint32_t>(to)))
        return false;
    m_FileKind = kKindMonitorBuffer;
    return DecodeExtract([this] {
        if (!DecodeFileHeader(0))
            return false;
        SetViewMaskCurrent();
        return true;
    });
}

bool CTmDoc::LoadCaughtMonitorOutput()
{
    // Refused before anything is copied, so that no half-made document is left.
    if (!m_App->Fillers.ParseMonitorFile)
        return RefuseNewDocument(kMonitorUnavailable);
    return CopyIntoPages(*m_App->CaughtOutput) && m_App->Fillers.ParseMonitorFile(*this);
}

} // namespace orlu
