#include "document/rawviews/AsciiFormWalk.h"

#include "document/CTmDoc.h"
#include "document/DocMessageTable.h"
#include "document/rawviews/LegacyAsciiForm.h"
#include "document/rawviews/RawViewTexts.h"
#include "document/rawviews/RawViews.h"
#include "document/rawviews/Setup505AsciiForm.h"
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

ImageReader ReaderOf(const CTmDoc& doc)
{
    const RawImage raw = RawViewImage(doc);
    return ImageReader(*raw.image, raw.byteCount);
}

} // namespace

void AsciiFormWalk::Counter::AddLine(std::string& line)
{
    if (mute) {
        line.clear();
        return;
    }
    ++lines;
    out->AddLine(line);
}

AsciiFormWalk::AsciiFormWalk(const CTmDoc& doc) : m_Doc(doc), m_Image(ReaderOf(doc)), m_Ctx{m_Image}
{
    const CurrentHeader& h = doc.Header();
    m_FourChannel = doc.FileKind() == kKindFourChannel || h.model.FourChannel;
    m_Ctx.firmware = h.firmware;
    // The header's divisor, as the results read it: finding the results record would walk the chain at every block.
    m_Ctx.hundredths = h.fourChannel.levelDivisor >= 100.0;
    m_Ctx.channelFunction = doc.Channel().function;
    m_Ctx.rowLength = h.rowLength;
    if (h.rotationMeasurement != 0)
        m_Ctx.rpmWord = h.resultsPerBufferRecord;
    m_Ctx.stops = this;

    m_Query.firmware = h.firmware;
    m_Query.model = h.model;
    m_Query.function = h.function;
    m_Query.hundredths = m_Ctx.hundredths;
}

std::string AsciiFormWalk::Caption() const
{
    const std::string name = m_Doc.PathName().empty() ? m_Doc.FileName() : Utf8ToCp1252(m_Doc.PathName().string());
    return StrPrintf(kAsciiFormCaption.data(), name.c_str());
}

void AsciiFormWalk::Run(const Mark& from, LineSink& out, UserInteraction* ui, ProgressState* progress,
                        std::vector<Mark>* marks, std::size_t spacing)
{
    m_From = from;
    m_Top = from;
    m_Counter.out = &out;
    m_Counter.lines = from.line;
    // Taken up inside buffer data, the walk writes its record again up to the data unheard.
    m_Counter.mute = from.dataStep != UINT32_MAX;
    m_Progress = progress;
    m_Ctx.progress = progress;
    m_Marks = marks;
    m_Spacing = spacing;
    m_LastMark = from.line;
    if (progress)
        progress->Start(m_Image.ByteCount());

    if (m_Doc.FileKind() == kKindText) {
        WriteTextLines();
        return;
    }
    const FileKindInfo kind = FindFileKind(m_Doc.FileKind());
    if (kind.Family == KindFamily::Legacy && !(kind.Traits & kKindMultifile)) {
        if (m_Doc.LegacyDecoded()) {
            AsciiLineWriter writer(m_Counter);
            WriteLegacyAsciiForm(m_Ctx, writer, m_Doc.Legacy());
        }
        return;
    }
    // Merged documents have no single chain; the MONITOR layout is written by its own walk.
    const bool analyzer = kind.Family == KindFamily::Setup505 && m_Doc.AnalyzerDecoded();
    if ((kind.Family != KindFamily::Current && !analyzer) || (kind.Traits & kKindMultifile))
        return;

    AsciiLineWriter writer(m_Counter);
    writer.Restore(from.pending);
    // An ANALYZER-mode file is small and has no buffer data: its form is written whole, without marks.
    if (!(analyzer ? WriteSetup505Form(m_Doc.Analyzer(), m_Ctx, writer) : WriteRecords(writer))) {
        if (ui)
            ui->ShowMessage(DocMessageTable[20], kMessageCaption, MessageButtons::Ok, MessageIcon::Warning);
        writer.Line(std::string(kImproperFileContentsLine));
    }
    if (progress)
        progress->Advance(m_Image.ByteCount()); // what follows the end word is not walked
}

/// A text document: its lines as they are, carriage returns dropped.
void AsciiFormWalk::WriteTextLines()
{
    std::string line;
    for (std::uint32_t b = m_From.pos; b < m_Image.ByteCount(); ++b) {
        if (m_Progress && b % kTextBytesPerCheck == 0)
            m_Progress->Checkpoint(b);
        const char c = static_cast<char>(m_Image.Byte(b));
        if (c == '\n') {
            m_Counter.AddLine(line);
            m_Top.pos = b + 1;
            if (MarkDue())
                AddMark(UINT32_MAX, {});
        } else if (c != '\r') {
            line += c;
        }
    }
    if (!line.empty())
        m_Counter.AddLine(line);
}

/// The records of a current-family file, in chain order, up to the end word.
/// False when the chain is broken (a zero length or a record past the image).
bool AsciiFormWalk::WriteRecords(AsciiLineWriter& out)
{
    std::uint32_t pos = m_From.pos;
    std::uint32_t dataStart = m_From.dataStart; // four-channel buffer data, found through record 24 or 43
    m_Query.previousType = m_From.previousType;
    m_Ctx.waveform = m_From.waveform;
    while (pos < m_Image.WordCount()) {
        if (m_Progress)
            m_Progress->Checkpoint(2ull * pos);
        m_Top.pos = pos;
        m_Top.dataStart = dataStart;
        m_Top.previousType = m_Query.previousType;
        m_Top.waveform = m_Ctx.waveform;
        if (MarkDue())
            AddMark(UINT32_MAX, out.Save());
        if (pos >= dataStart) {
            FormatBufferData(m_Ctx, out, pos);
            out.EndRecord(true);
            dataStart = UINT32_MAX;
            continue;
        }
        const std::uint16_t word0 = m_Image.Word(pos);
        if ((word0 & 0xFF) == kRecordEnd) {
            out.Line(StrPrintf("%04Xh;", word0));
            out.Line({});
            return true;
        }
        const RecordView record = ReadRecordAt(m_Image, pos);
        if (record.length == 0 || record.End() > m_Image.WordCount())
            return false;
        m_Query.type = record.Type();
        m_Query.length = record.HighByte();
        const std::span<const std::uint8_t> codes = CurrentFieldCodes(m_FourChannel, m_Query);
        if (m_FourChannel && record.Type() == kFourChannelLogger && record.length > 1)
            dataStart = record.Word(1) / 2u; // a byte position
        else if (m_FourChannel && record.Type() == kRecordWaveform && dataStart == UINT32_MAX) {
            dataStart = record.End(); // the samples follow the recording's record
            m_Ctx.waveform = true;
        }
        if (codes.empty())
            FormatRawWords(m_Ctx, out, pos, record.End());
        else
            FormatRecordFields(m_Ctx, out, codes, pos, record.End());
        m_Query.previousType = record.Type();
    }
    return true;
}

void AsciiFormWalk::AddMark(std::uint32_t dataStep, AsciiLineWriter::Pending pending)
{
    Mark mark = m_Top;
    mark.line = m_Counter.lines;
    mark.dataStep = dataStep;
    mark.pending = std::move(pending);
    m_Marks->push_back(std::move(mark));
    m_LastMark = m_Counter.lines;
}

std::uint32_t AsciiFormWalk::Enter(std::uint32_t wordIndex, AsciiLineWriter& out)
{
    if (!m_Counter.mute)
        return wordIndex;
    // The walk taken up inside these data: back at its step, with its line as it was.
    out.Restore(m_From.pending);
    m_Counter.mute = false;
    return m_From.dataStep;
}

void AsciiFormWalk::Step(std::uint32_t p, const AsciiLineWriter& out)
{
    if (MarkDue())
        AddMark(p, out.Save());
}

} // namespace orlu
