#include "document/rawviews/RecordFieldWriter.h"

#include "document/LineSink.h"
#include "document/rawviews/FieldCodeStrings.h"
#include "document/rawviews/RotationSpeed.h"
#include "platform/ProgressState.h"
#include "platform/ValueFormat.h"

#include <algorithm>
#include <iterator>

namespace orlu {
namespace {

constexpr int kItemsPerLine = 16;
constexpr std::size_t kLineBreakWidth = 78;
/// Rows, markers or samples of buffer data between two progress checks.
constexpr std::uint32_t kStepsPerCheck = 4096;

/// How a scalar code writes its item.
enum class Scalar : std::uint8_t {
    Hex,         ///< "%04Xh"
    Unsigned,    ///< "%d" of the unsigned word
    Signed,      ///< "%d" of the signed word
    Tenths,      ///< "%.1f" of the signed word / 10
    Hundredths,  ///< "%.2f" / 100
    Thousandths, ///< "%.3f" / 1000
    Time,        ///< 2-second units since midnight
    Date,        ///< (year - 2000) x 512 + month x 32 + day
    Nul,
    Name8,       ///< up to 8 characters, low byte first
    Name6,       ///< up to 6 characters after leading zero bytes
    Long,        ///< "%luL" of the 32-bit value
    LongTenths,  ///< "%.1fL" of the 32-bit value / 10
    LongHex,     ///< "%08Xh"
    Rpm,         ///< "%.3fL" of the rotation speed
};

/// What a scalar code does besides writing its item.
enum class Effect : std::uint8_t {
    None,
    RepeatFromHighByte, ///< the high byte becomes the repeat count
    RepeatFromValue,    ///< the value becomes the repeat count
    RepeatRestart,      ///< the value becomes the repeat count, counted afresh
    Length,             ///< the value less `lengthOffset` is the count of the record's remaining words
};

struct ScalarCode {
    std::uint8_t code;
    std::uint8_t words;
    Scalar scalar;
    Effect effect = Effect::None;
    std::uint8_t lengthOffset = 0;
};

constexpr ScalarCode kScalarCodes[] = {
    {0, 1, Scalar::Hex},
    {3, 1, Scalar::Hex},
    {9, 1, Scalar::Hex},
    {21, 1, Scalar::Hex, Effect::RepeatFromHighByte},
    {1, 1, Scalar::Unsigned},
    {12, 1, Scalar::Unsigned, Effect::Length, 2},
    {14, 1, Scalar::Unsigned, Effect::Length, 1},
    {22, 1, Scalar::Unsigned, Effect::Length, 2},
    {23, 1, Scalar::Unsigned, Effect::Length, 2},
    {24, 1, Scalar::Unsigned, Effect::RepeatFromValue},
    {25, 1, Scalar::Unsigned, Effect::Length, 1},
    {30, 1, Scalar::Unsigned, Effect::RepeatRestart},
    {2, 1, Scalar::Signed},
    {4, 1, Scalar::Tenths},
    {8, 1, Scalar::Hundredths},
    {26, 1, Scalar::Thousandths},
    {5, 1, Scalar::Time},
    {6, 1, Scalar::Date},
    {7, 1, Scalar::Nul},
    {10, 4, Scalar::Name8},
    {20, 3, Scalar::Name6},
    {11, 2, Scalar::Long},
    {13, 2, Scalar::Long},
    {28, 2, Scalar::LongTenths},
    {33, 2, Scalar::LongHex},
    {27, 2, Scalar::Rpm},
};

const ScalarCode* FindScalar(std::uint8_t code)
{
    auto it = std::find_if(std::begin(kScalarCodes), std::end(kScalarCodes),
                           [code](const ScalarCode& s) { return s.code == code; });
    return it != std::end(kScalarCodes) ? &*it : nullptr;
}

/// Bytes of a name, low byte first, from `first` up to `count` bytes; stops at 0 or 0xFF.
std::string NameText(const ImageReader& image, std::uint32_t word, std::uint32_t words, bool skipLeadingZeros)
{
    std::string text;
    bool leading = skipLeadingZeros;
    for (std::uint32_t b = 2 * word; b < 2 * (word + words); ++b) {
        const std::uint8_t c = image.Byte(b);
        if (leading && c == 0)
            continue;
        leading = false;
        if (c == 0 || (!skipLeadingZeros && c == 0xFF))
            break;
        text += static_cast<char>(c);
    }
    return text;
}

std::string ScalarText(const FieldWalkContext& ctx, Scalar scalar, std::uint32_t pos, std::uint32_t words)
{
    const ImageReader& image = ctx.image;
    const std::uint16_t w = image.Word(pos);
    const auto s = static_cast<std::int16_t>(w);
    switch (scalar) {
    case Scalar::Hex:
        return StrPrintf("%04Xh,", w);
    case Scalar::Unsigned:
        return StrPrintf("%d,", w);
    case Scalar::Signed:
        return StrPrintf("%d,", s);
    case Scalar::Tenths:
        return StrPrintf("%.1f,", s / 10.0);
    case Scalar::Hundredths:
        return StrPrintf("%.2f,", s / 100.0);
    case Scalar::Thousandths:
        return StrPrintf("%.3f,", s / 1000.0);
    case Scalar::Time: {
        const long seconds = 2L * w;
        return StrPrintf("\"%02ld:%02ld:%02ld\",", seconds / 3600, seconds / 60 % 60, seconds % 60);
    }
    case Scalar::Date:
        return StrPrintf("\"%02d/%02d/%02d\",", w >> 9, (w >> 5) & 15, w & 31);
    case Scalar::Nul:
        return "nul,";
    case Scalar::Name8:
        return "\"" + NameText(image, pos, words, false) + "\",";
    case Scalar::Name6:
        return "\"" + NameText(image, pos, words, true) + "\",";
    case Scalar::Long:
        return StrPrintf("%luL,", static_cast<unsigned long>(image.Int32AtWord(pos)));
    case Scalar::LongTenths:
        return StrPrintf("%.1fL,", image.Int32AtWord(pos) / 10.0);
    case Scalar::LongHex:
        return StrPrintf("%08lXh,", static_cast<unsigned long>(image.Int32AtWord(pos)));
    case Scalar::Rpm:
        return StrPrintf("%.3fL,", DecodeRpm(image, pos, ctx.firmware));
    }
    return {};
}

/// A logged level in 0.05 dB as "%.1f," of its value ("*," with the overload
/// bit). The value is a whole number of tenths, so its digits are written
/// straight from the integer: the same text as printf, in a fraction of the
/// time over the millions of levels of a logger.
std::string_view LoggedLevelText(std::uint16_t level, char (&text)[12])
{
    const unsigned tenths = level >> 1; // (level & 0xFFFE) / 20 dB
    char* end = text + sizeof text;
    char* p = end;
    *--p = ',';
    if (level & 1)
        *--p = '*';
    *--p = static_cast<char>('0' + tenths % 10);
    *--p = '.';
    unsigned whole = tenths / 10;
    do {
        *--p = static_cast<char>('0' + whole % 10);
        whole /= 10;
    } while (whole != 0);
    return {p, static_cast<std::size_t>(end - p)};
}

std::string LevelText(const FieldWalkContext& ctx, std::uint16_t w)
{
    const auto s = static_cast<std::int16_t>(w);
    return ctx.hundredths ? StrPrintf("%.2f,", s / 100.0) : StrPrintf("%.1f,", s / 10.0);
}

/// The walk through one record's words by its codes.
class RecordWalk {
public:
    RecordWalk(const FieldWalkContext& ctx, AsciiLineWriter& out, std::uint32_t start, std::uint32_t end)
        : m_Ctx(ctx), m_Out(out), m_Pos(start), m_End(end)
    {
    }

    /// Writes the record; the word after what it wrote.
    std::uint32_t Run(std::span<const std::uint8_t> codes);

private:
    std::uint32_t Left() const { return m_End - m_Pos; }
    std::uint16_t Next() { return m_Ctx.image.Word(m_Pos++); }
    bool WriteScalar(const ScalarCode& code);
    void WriteStructural(std::uint8_t code);
    void EveryWord(std::uint8_t code);
    void CountedBreak(int& counter, int every);
    void WriteQuoted();
    void WriteStatistics();
    void WriteRt60Groups(bool counts);

    const FieldWalkContext& m_Ctx;
    AsciiLineWriter& m_Out;
    std::uint32_t m_Pos;
    std::uint32_t m_End;
    int m_Repeat = 0;      ///< the repeat count of codes 21, 24 and 30
    int m_RepeatItems = 0; ///< items counted against it
    bool m_EndedOn98 = false;
    bool m_DataWritten = false;
};

bool RecordWalk::WriteScalar(const ScalarCode& code)
{
    // A code needing more words than the record has left ends the writing; code 10 takes what there is.
    const std::uint32_t words = code.scalar == Scalar::Name8 ? std::min<std::uint32_t>(code.words, Left()) : code.words;
    if (Left() < words)
        return false;
    const std::uint16_t w = m_Ctx.image.Word(m_Pos);
    m_Out.Item(ScalarText(m_Ctx, code.scalar, m_Pos, words));
    m_Pos += words;
    switch (code.effect) {
    case Effect::None:
        break;
    case Effect::RepeatFromHighByte:
        m_Repeat = w >> 8;
        break;
    case Effect::RepeatFromValue:
        m_Repeat = w;
        break;
    case Effect::RepeatRestart:
        m_Repeat = w;
        m_RepeatItems = 0;
        break;
    case Effect::Length:
        // The record never reaches past its end in the chain: those words are the next record's.
        m_End = std::min<std::uint32_t>(m_End, m_Pos + (w > code.lengthOffset ? w - code.lengthOffset : 0));
        break;
    }
    return true;
}

void RecordWalk::CountedBreak(int& counter, int every)
{
    if (every > 0 && ++counter % every == 0)
        m_Out.Break();
}

void RecordWalk::EveryWord(std::uint8_t code)
{
    int counter = 0;
    while (Left() > 0) {
        switch (code) {
        case kCodeLong:
        case kCodeLongRepeat:
            if (Left() < 2)
                return;
            m_Out.Item(StrPrintf("%ldL,", static_cast<long>(static_cast<std::int32_t>(m_Ctx.image.Int32AtWord(m_Pos)))));
            m_Pos += 2;
            if (code == kCodeLongRepeat)
                CountedBreak(counter, m_Repeat);
            break;
        case kCodeLevels:
            m_Out.Item(LevelText(m_Ctx, Next()));
            break;
        case kCodeNumbers:
            m_Out.Item(StrPrintf("%d,", static_cast<std::int16_t>(Next())));
            break;
        case kCodeNul:
            ++m_Pos;
            m_Out.Item("nul,");
            break;
        case kCodeHexWords:
            m_Out.Item(StrPrintf("%04Xh, ", Next()));
            break;
        case kCodeTenths:
            m_Out.Item(StrPrintf("%.1f,", static_cast<std::int16_t>(Next()) / 10.0));
            break;
        case kCodeHexFours:
            m_Out.Item(StrPrintf("%04X,", Next()));
            CountedBreak(counter, 4);
            break;
        default:
            return;
        }
    }
}

void RecordWalk::WriteQuoted()
{
    // Two characters a word up to the first zero byte, one item.
    std::string text = "\"";
    bool ended = false;
    while (Left() > 0) {
        const std::uint16_t w = Next();
        for (std::uint8_t c : {static_cast<std::uint8_t>(w & 0xFF), static_cast<std::uint8_t>(w >> 8)}) {
            ended = ended || c == 0;
            if (!ended)
                text += static_cast<char>(c);
        }
    }
    m_Out.Item(text + "\",");
}

void RecordWalk::WriteStatistics()
{
    // Groups of a percentage and repeat-count levels, a line each.
    while (Left() > 0) {
        m_Out.Item(StrPrintf(" %d,", Next()));
        for (int i = 0; i < m_Repeat && Left() > 0; ++i)
            m_Out.Item(StrPrintf("%.1f,", static_cast<std::int16_t>(Next()) / 10.0));
        m_Out.Break();
    }
}

void RecordWalk::WriteRt60Groups(bool counts)
{
    // Groups of nine words, a line each: a number, four times, four further values.
    constexpr std::uint16_t kUndefined = 0xFFFF;
    while (Left() > 0) {
        m_Out.Item(StrPrintf("%d,", Next()));
        for (int i = 0; i < 4 && Left() > 0; ++i) {
            const std::uint16_t w = Next();
            m_Out.Item(w == kUndefined ? std::string("undf,") : StrPrintf("%.3f,", static_cast<std::int16_t>(w) / 1000.0));
        }
        for (int i = 0; i < 4 && Left() > 0; ++i) {
            const std::uint16_t w = Next();
            m_Out.Item(!counts ? std::string("nul,") : w == kUndefined ? std::string("undf,") : StrPrintf("%d,", w));
        }
        m_Out.Break();
    }
}

void RecordWalk::WriteStructural(std::uint8_t code)
{
    switch (code) {
    case kCodeBreakNow:
    case kCodeBreakBefore:
        m_Out.Break();
        break;
    case kCodeEndRecord:
        m_EndedOn98 = true;
        m_Pos = m_End;
        break;
    case kCodeQuoted:
        WriteQuoted();
        break;
    case kCodeStatistics:
        WriteStatistics();
        break;
    case kCodeStatisticsTable:
        // The percentages (the first ten entries) as numbers, then levels; a line per repeat count.
        for (int k = 0; Left() > 0; ++k) {
            const std::uint16_t w = Next();
            m_Out.Item(k < 10 ? StrPrintf("%d,", w) : StrPrintf("%.1f,", static_cast<std::int16_t>(w) / 10.0));
            CountedBreak(m_RepeatItems, m_Repeat);
        }
        break;
    case kCodeRt60Groups:
    case kCodeRt60GroupsCounts:
        WriteRt60Groups(code == kCodeRt60GroupsCounts);
        break;
    case kCodeBufferSize:
        if (Left() >= 2) {
            m_Out.Item(StrPrintf("%luL,", static_cast<unsigned long>(m_Ctx.image.Int32AtWord(m_Pos))));
            m_Pos += 2;
        }
        break;
    case kCodeBufferRows:
    case kCodeBufferData: {
        // The rows follow the record, outside its length.
        std::uint32_t data = m_End;
        m_Out.Break();
        FormatBufferData(m_Ctx, m_Out, data);
        m_Pos = m_End = data;
        m_DataWritten = true;
        break;
    }
    default:
        EveryWord(code);
        break;
    }
}

std::uint32_t RecordWalk::Run(std::span<const std::uint8_t> codes)
{
    const std::uint32_t recordEnd = m_End;
    for (std::size_t i = 0; i < codes.size() && !m_EndedOn98; ++i) {
        std::uint8_t code = codes[i];
        // The buffer rows lie after the record: they are written also when its words are used up.
        if (m_Pos >= m_End && code != kCodeBufferRows && code != kCodeBufferData)
            break;
        if (code == kCodeDoseOrNumber)
            code = m_Ctx.channelFunction == 4 ? 4 : kCodeUnsigned;
        if (const ScalarCode* scalar = FindScalar(code)) {
            if (!WriteScalar(*scalar))
                break;
        } else {
            WriteStructural(code);
        }
    }
    m_Out.EndRecord(!m_EndedOn98);
    // Words left when the codes ran out are passed over without output.
    return m_DataWritten ? m_End : recordEnd;
}

} // namespace

void AsciiLineWriter::Flush()
{
    if (!m_Line.empty())
        m_Out->AddLine(m_Line);
    m_Line.clear();
    m_Items = 0;
    m_BreakPending = false;
}

void AsciiLineWriter::Item(std::string_view text)
{
    if (m_BreakPending)
        Flush();
    m_Line += text;
    if (++m_Items >= kItemsPerLine || m_Line.size() >= kLineBreakWidth)
        m_BreakPending = true;
}

void AsciiLineWriter::EndRecord(bool emptyLine)
{
    const std::size_t last = m_Line.find_last_not_of(' ');
    if (last != std::string::npos && m_Line[last] == ',')
        m_Line[last] = ';';
    Flush();
    if (emptyLine) {
        std::string empty;
        m_Out->AddLine(empty);
    }
}

void AsciiLineWriter::Line(std::string text)
{
    Flush();
    m_Out->AddLine(text);
}

void FormatRecordFields(const FieldWalkContext& ctx, AsciiLineWriter& out, std::span<const std::uint8_t> codes,
                        std::uint32_t& wordIndex, std::uint32_t recordEnd)
{
    wordIndex = RecordWalk(ctx, out, wordIndex, recordEnd).Run(codes);
}

void FormatRawWords(const FieldWalkContext& ctx, AsciiLineWriter& out, std::uint32_t& wordIndex, std::uint32_t recordEnd)
{
    const std::uint16_t header = ctx.image.Word(wordIndex);
    out.Item(StrPrintf("%04Xh,", header));
    std::uint32_t pos = wordIndex + 1;
    if ((header >> 8) == 0 && pos < recordEnd)
        out.Item(StrPrintf("%d,", ctx.image.Word(pos++)));
    for (; pos < recordEnd; ++pos)
        out.Item(StrPrintf("%04Xh,", ctx.image.Word(pos)));
    out.EndRecord(true);
    wordIndex = recordEnd;
}

void FormatBufferData(const FieldWalkContext& ctx, AsciiLineWriter& out, std::uint32_t& wordIndex)
{
    const ImageReader& image = ctx.image;
    const std::uint32_t wordCount = image.WordCount();
    std::uint32_t p = ctx.stops ? ctx.stops->Enter(wordIndex, out) : wordIndex;
    for (std::uint32_t step = 0; p < wordCount; ++step) {
        if (ctx.progress && step % kStepsPerCheck == 0)
            ctx.progress->Checkpoint(2ull * p);
        const std::uint16_t w = image.Word(p);
        if (w == 0xFFFF)
            break;
        if (ctx.stops)
            ctx.stops->Step(p, out);
        // Recordings have no markers: every word is sample data.
        const std::uint16_t top = ctx.waveform ? 0 : w >> 12;
        if (top == 0x8) {
            out.Item(StrPrintf("<M:%03Xh>,", w & 0xFFF));
            ++p;
            continue;
        }
        if (top == 0xA || top == 0xB) {
            // A count in the low bytes of this word and of up to three more, as the logger split reads it.
            std::uint32_t count = w & 0xFFu;
            ++p;
            for (int k = 1; k <= 3 && p < wordCount && image.Word(p) != 0xFFFF; ++k, ++p)
                count |= static_cast<std::uint32_t>(image.Word(p) & 0xFFu) << (8 * k);
            out.Item(StrPrintf("<%c:%lu>,", top == 0xA ? 'A' : 'B', static_cast<unsigned long>(count)));
            continue;
        }
        if (ctx.waveform) {
            // Two 24-bit samples in three words.
            if (wordCount - p < 3)
                break;
            for (std::uint32_t b = 2 * p; b < 2 * p + 6; b += 3) {
                std::int32_t sample = image.Byte(b) | (image.Byte(b + 1) << 8) | (image.Byte(b + 2) << 16);
                if (sample & 0x800000)
                    sample -= 0x1000000;
                out.Item(StrPrintf("%ldM,", static_cast<long>(sample)));
            }
            p += 3;
            continue;
        }
        // One row, a line of its own; a row cut by the image end is written as far as it goes.
        const std::uint32_t row = std::min(ctx.rowLength == 0 ? 1u : ctx.rowLength, wordCount - p);
        for (std::uint32_t i = 0; i < row; ++i) {
            if (i == ctx.rpmWord && i + 1 < row) {
                out.Item(StrPrintf("%.3fL,", DecodeRpm(image, p + i, ctx.firmware)));
                ++i;
                continue;
            }
            char text[12];
            out.Item(LoggedLevelText(image.Word(p + i), text));
        }
        if (ctx.rowLength != 0)
            out.Break();
        p += row;
    }
    wordIndex = p;
}

} // namespace orlu
