#include "document/ExtractRequest.h"

#include "document/CTmDoc.h"
#include "document/DocMessageTable.h"
#include "document/headers/CurrentHeaderDecoder.h"

#include <algorithm>

namespace orlu {
namespace {

// The eight-character name in record 1 of a current-family file; empty when
// the file holds no readable record 1.
std::string HeaderFileName(const CTmDoc& source, SubfilePlace place)
{
    const ImageReader image = source.Reader();
    const SubfileSpan span{place.start, std::min(place.start + place.length / 2, image.WordCount())};
    CurrentHeader header;
    try {
        if (DecodeIdentity(image, span, header))
            return header.fileName;
    } catch (const ImageRangeError&) {
    }
    return {};
}

void SetExtract(AppContext& app, const CTmDoc& source, std::uint8_t pending, std::uint32_t start,
                std::uint32_t words, std::string name)
{
    if (name.size() > kExtractNameLength)
        name.resize(kExtractNameLength);
    app.ExtractSource = &source;
    app.ExtractStart = start;
    app.ExtractLength = words;
    app.PendingExtractName = std::move(name);
    app.PendingDocSource = pending;
}

} // namespace

bool RequestSubfileExtract(AppContext& app, const CTmDoc& source, int subfile)
{
    if (subfile < 1 || subfile > source.SubfileCount())
        return false;
    const SubfilePlace place = source.PlaceOfSubfile(subfile);
    if (2ull * place.start + place.length > source.ByteCount()) {
        app.Ui->ShowMessage(DocMessageTable[kMsgImproperContents], kMessageCaption, MessageButtons::Ok,
                            MessageIcon::Warning);
        return false;
    }
    const KindFamily family = FindFileKind(source.FileKind()).Family;
    const bool analyzer505 = family == KindFamily::Legacy || family == KindFamily::Setup505;
    SetExtract(app, source, kPendingMultifileItem, place.start, place.length / 2,
               analyzer505 ? source.GetSubfileName(subfile) : HeaderFileName(source, place));
    return true;
}

bool RequestBufferExtract(AppContext& app, const CTmDoc& monitor)
{
    // The Buffer may begin at any byte of the stream: it is addressed in bytes.
    const EmbeddedFile& place = monitor.Embedded();
    if (place.length == 0)
        return false;
    // The name is read no further than the Buffer, whether or not a zero byte ends it.
    const ImageReader image = monitor.Reader();
    const std::uint64_t end = std::min<std::uint64_t>(image.ByteCount(), std::uint64_t{place.startByte} + place.length);
    std::string name;
    for (std::uint64_t b = place.startByte + 2ull; b < end && name.size() < kExtractNameLength; ++b) {
        const std::uint8_t c = image.Byte(static_cast<std::uint32_t>(b));
        if (c == 0)
            break;
        name += static_cast<char>(c);
    }
    SetExtract(app, monitor, kPendingMonitorBuffer, place.startByte, place.length, std::move(name));
    return true;
}

} // namespace orlu
