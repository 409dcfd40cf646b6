#include "document/CTmDoc.h"
#include "document/DocMessageTable.h"
#include "document/LineList.h"
#include "document/rawviews/FieldCodeStrings.h"
#include "document/rawviews/RawViewTexts.h"
#include "document/rawviews/RawViews.h"
#include "document/rawviews/RecordFieldWriter.h"
#include "document/records/RecordChain.h"
#include "document/records/RecordTypeCodes.h"
#include "platform/ProgressState.h"
#include "platform/TextEncoding.h"
#include "platform/ValueFormat.h"

namespace orlu {
namespace {

constexpr std::uint8_t kKindText = 85;
constexpr std::uint8_t kKindFourChannel = 42;
constexpr std::uint8_t kFourChannelLogger = 24;

/// Bytes between two progress checks of a text document.
constexpr std::uint32_t kTextBytesPerCheck = 1u << 16;

/// A text document: its lines as they are, carriage returns dropped.
void WriteTextLines(const ImageReader& image, LineSink& out, ProgressState* progress)
{
    std::string line;
    for (std::uint32_t b = 0; b < image.ByteCount(); ++b) {
        if (progress && b % kTextBytesPerCheck == 0)
            progress->Checkpoint(b);
        const char c = static_cast<char>(image.Byte(b));
        if (c == '\n')
            out.AddLine(line);
        else if (c != '\r')
            line += c;
    }
    if (!line.empty())
        out.AddLine(line);
}

/// The records of a current-family file, in chain order, up to the end word.
/// False when the chain is broken (a zero length or a record past the image).
bool WriteCurrentRecords(const CTmDoc& doc, const ImageReader& image, AsciiLineWriter& out, ProgressState* progress)
{
    const CurrentHeader& h = doc.Header();
    const bool fourChannel = doc.FileKind() == kKindFourChannel || h.model.FourChannel;
    FieldWalkContext ctx{image};
    ctx.firmware = h.firmware;
    ctx.hundredths = doc.Results().levelDivisor >= 100.0;
    ctx.channelFunction = doc.Channel().function;
    ctx.rowLength = h.rowLength;
    ctx.progress = progress;
    if (h.rotationMeasurement != 0)
        ctx.rpmWord = h.resultsPerBufferRecord;

    FieldCodeQuery query;
    query.firmware = h.firmware;
    query.model = h.model;
    query.function = h.function;
    query.hundredths = ctx.hundredths;

    std::uint32_t dataStart = UINT32_MAX; // four-channel buffer data, found through record 24 or 43
    std::uint32_t pos = 0;
    while (pos < image.WordCount()) {
        if (progress)
            progress->Checkpoint(2ull * pos);
        if (pos >= dataStart) {
            FormatBufferData(ctx, out, pos);
            out.EndRecord(true);
            dataStart = UINT32_MAX;
            continue;
        }
        const std::uint16_t word0 = image.Word(pos);
        if ((word0 & 0xFF) == kRecordEnd) {
            out.Line(StrPrintf("%04Xh;", word0));
            out.Line({});
            return true;
        }
        const RecordView record = ReadRecordAt(image, pos);
        if (record.length == 0 || record.End() > image.WordCount())
            return false;
        query.type = record.Type();
        query.length = record.HighByte();
        const std::span<const std::uint8_t> codes = CurrentFieldCodes(fourChannel, query);
        if (fourChannel && record.Type() == kFourChannelLogger && record.length > 1)
            dataStart = record.Word(1) / 2u; // a byte position
        else if (fourChannel && record.Type() == kRecordWaveform && dataStart == UINT32_MAX) {
            dataStart = record.End(); // the samples follow the recording's record
            ctx.waveform = true;
        }
        if (codes.empty())
            FormatRawWords(ctx, out, pos, record.End());
        else
            FormatRecordFields(ctx, out, codes, pos, record.End());
        query.previousType = record.Type();
    }
    return true;
}

} // namespace

void WriteAsciiForm(const CTmDoc& doc, LineSink& out, UserInteraction& ui, ProgressState* progress)
{
    const RawImage raw = RawViewImage(doc);
    if (progress)
        progress->Start(raw.byteCount);
    const std::string name = doc.PathName().empty() ? doc.FileName() : Utf8ToCp1252(doc.PathName().string());
    std::string line = StrPrintf(kAsciiFormCaption.data(), name.c_str());
    out.AddLine(line);

    const ImageReader image(*raw.image, raw.byteCount);
    if (doc.FileKind() == kKindText) {
        WriteTextLines(image, out, progress);
        return;
    }
    const FileKindInfo kind = FindFileKind(doc.FileKind());
    // Merged documents have no single chain; the legacy, 505 and MONITOR layouts are written by their own walks.
    if (kind.Family != KindFamily::Current || (kind.Traits & kKindMultifile))
        return;

    AsciiLineWriter writer(out);
    if (!WriteCurrentRecords(doc, image, writer, progress)) {
        ui.ShowMessage(DocMessageTable[20], kMessageCaption, MessageButtons::Ok, MessageIcon::Warning);
        writer.Line(std::string(kImproperFileContentsLine));
    }
    if (progress)
        progress->Advance(raw.byteCount); // what follows the end word is not walked
}

} // namespace orlu
