#include "platform/canvas/EmfWriter.h"

#include "platform/FileIo.h"
#include "platform/TextEncoding.h"
#include "platform/canvas/EmfFormat.h"
#include "platform/canvas/LittleEndian.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace orlu {
namespace {

std::uint32_t ColorRefOf(Rgb c)
{
    return emf::ColorRef(c.r, c.g, c.b);
}

std::uint32_t U32(int value)
{
    return static_cast<std::uint32_t>(value);
}

// 0.01 mm per reference pixel.
constexpr double kFrameUnitsX = emf::kDeviceMillimetresX * 100.0 / emf::kDevicePixelsX;
constexpr double kFrameUnitsY = emf::kDeviceMillimetresY * 100.0 / emf::kDevicePixelsY;

} // namespace

EmfWriter::EmfWriter(const FontMeasure* measure) : m_Measure(measure ? measure : &m_FixedMeasure) {}

void EmfWriter::BeginRecord(std::uint32_t type)
{
    m_RecordStart = m_Records.size();
    AppendLe32(m_Records, type);
    AppendLe32(m_Records, 0); // size, set by EndRecord
}

void EmfWriter::Add32(std::uint32_t value)
{
    AppendLe32(m_Records, value);
}

void EmfWriter::EndRecord()
{
    while (m_Records.size() % 4)
        m_Records.push_back(0);
    PutLe32(m_Records, m_RecordStart + 4, static_cast<std::uint32_t>(m_Records.size() - m_RecordStart));
    ++m_RecordCount;
}

void EmfWriter::AddRecord(std::uint32_t type, std::initializer_list<std::uint32_t> fields)
{
    BeginRecord(type);
    for (std::uint32_t f : fields)
        Add32(f);
    EndRecord();
}

std::uint32_t EmfWriter::AllocateHandle()
{
    auto free = std::find(m_HandleUsed.begin(), m_HandleUsed.end(), false);
    auto index = static_cast<std::uint32_t>(free - m_HandleUsed.begin());
    if (free == m_HandleUsed.end())
        m_HandleUsed.push_back(true);
    else
        *free = true;
    return index;
}

// Selects the new object (or a stock one) and deletes the one it replaces,
// so that no more than one pen, brush and font exist at a time.
void EmfWriter::Replace(DcObject& slot, std::uint32_t newHandle, std::uint32_t stockIfNone)
{
    AddRecord(emf::kSelectObject, {newHandle ? newHandle : stockIfNone});
    if (slot.handle) {
        AddRecord(emf::kDeleteObject, {slot.handle});
        m_HandleUsed[slot.handle] = false;
    }
    slot.handle = newHandle;
}

void EmfWriter::UsePen(const Pen& pen)
{
    if (m_DcPen == pen)
        return;
    std::uint32_t handle = 0;
    if (pen.style != PenStyle::Null) {
        handle = AllocateHandle();
        AddRecord(emf::kCreatePen, {handle, pen.style == PenStyle::Dot ? emf::kPsDot : emf::kPsSolid,
                                    U32(std::max(pen.width, 0)), 0, ColorRefOf(pen.colour)});
    }
    Replace(m_PenObject, handle, emf::kNullPen);
    m_DcPen = pen;
}

void EmfWriter::UseBrush(const Brush& brush)
{
    if (m_DcBrush == brush)
        return;
    std::uint32_t handle = 0;
    if (!brush.hollow) {
        handle = AllocateHandle();
        AddRecord(emf::kCreateBrushIndirect, {handle, emf::kBsSolid, ColorRefOf(brush.colour), 0});
    }
    Replace(m_BrushObject, handle, emf::kNullBrush);
    m_DcBrush = brush;
}

void EmfWriter::UseFont(const Font& font)
{
    if (m_DcFont == font)
        return;
    const std::uint32_t handle = AllocateHandle();
    BeginRecord(emf::kExtCreateFontIndirectW);
    Add32(handle);
    Add32(U32(font.height)); // positive: the cell height
    Add32(0);                // width: from the aspect ratio
    Add32(0);                // escapement
    Add32(0);                // orientation
    Add32(U32(font.weight));
    const bool fixed = font.face == kFixedFace;
    // Italic, underline, strike-out, ANSI charset, TrueType precision,
    // TrueType clipping always, default quality, pitch and family.
    Add32(0);
    Add32(4 | 0x20 << 8 | (fixed ? 0x31u : 0u) << 24);
    std::u16string face = Cp1252ToUtf16(font.face.substr(0, 31));
    face.resize(32, u'\0');
    for (size_t i = 0; i < face.size(); i += 2)
        Add32(face[i] | static_cast<std::uint32_t>(face[i + 1]) << 16);
    // The rest of the extended font description is left empty.
    m_Records.resize(m_Records.size() + emf::kLogFontPanoseSize - emf::kLogFontSize, 0);
    EndRecord();
    Replace(m_FontObject, handle, emf::kDeviceDefaultFont);
    m_DcFont = font;
}

void EmfWriter::UseRop(RasterOp op)
{
    if (m_DcRop == op)
        return;
    AddRecord(emf::kSetRop2, {op == RasterOp::Xor ? emf::kR2XorPen : emf::kR2CopyPen});
    m_DcRop = op;
}

void EmfWriter::AddBounds(int left, int top, int right, int bottom)
{
    if (!m_Bounds) {
        m_Bounds = CanvasRect{left, top, right, bottom};
        return;
    }
    m_Bounds->left = std::min(m_Bounds->left, left);
    m_Bounds->top = std::min(m_Bounds->top, top);
    m_Bounds->right = std::max(m_Bounds->right, right);
    m_Bounds->bottom = std::max(m_Bounds->bottom, bottom);
}

void EmfWriter::DrawLine(int x1, int y1, int x2, int y2)
{
    UsePen(State().pen);
    UseRop(State().rasterOp);
    if (m_DcPosition != std::pair{x1, y1})
        AddRecord(emf::kMoveToEx, {U32(x1), U32(y1)});
    AddRecord(emf::kLineTo, {U32(x2), U32(y2)});
    m_DcPosition = std::pair{x2, y2};
    if (State().pen.style != PenStyle::Null) {
        const int half = State().pen.width / 2;
        AddBounds(std::min(x1, x2) - half, std::min(y1, y2) - half, std::max(x1, x2) + half,
                  std::max(y1, y2) + half);
    }
}

void EmfWriter::Rectangle(int x1, int y1, int x2, int y2)
{
    UsePen(State().pen);
    UseBrush(State().brush);
    UseRop(State().rasterOp);
    const CanvasRect r = NormalizedRect(x1, y1, x2, y2);
    AddRecord(emf::kRectangle, {U32(r.left), U32(r.top), U32(r.right), U32(r.bottom)});
    const int half = State().pen.style == PenStyle::Null ? 0 : State().pen.width / 2;
    AddBounds(r.left - half, r.top - half, r.right - 1 + half, r.bottom - 1 + half);
}

void EmfWriter::FillRect(int x1, int y1, int x2, int y2, Rgb colour)
{
    // A rectangle drawn with the null pen fills one pixel less on the right
    // and at the bottom, so the box grows by one to fill [x1,x2) x [y1,y2).
    // The fill ignores the raster operation: it is drawn in copy mode.
    UsePen(Pen{PenStyle::Null, 0, kBlack});
    UseBrush(Brush{colour, false});
    UseRop(RasterOp::Copy);
    const CanvasRect r = NormalizedRect(x1, y1, x2, y2);
    AddRecord(emf::kRectangle, {U32(r.left), U32(r.top), U32(r.right + 1), U32(r.bottom + 1)});
    if (r.right > r.left && r.bottom > r.top)
        AddBounds(r.left, r.top, r.right - 1, r.bottom - 1);
}

void EmfWriter::SetPixel(int x, int y, Rgb colour)
{
    AddRecord(emf::kSetPixelV, {U32(x), U32(y), ColorRefOf(colour)});
    AddBounds(x, y, x, y);
}

void EmfWriter::Ellipse(int x1, int y1, int x2, int y2)
{
    UsePen(State().pen);
    UseBrush(State().brush);
    UseRop(State().rasterOp);
    const CanvasRect r = NormalizedRect(x1, y1, x2, y2);
    AddRecord(emf::kEllipse, {U32(r.left), U32(r.top), U32(r.right), U32(r.bottom)});
    const int half = State().pen.style == PenStyle::Null ? 0 : State().pen.width / 2;
    AddBounds(r.left - half, r.top - half, r.right - 1 + half, r.bottom - 1 + half);
}

void EmfWriter::TextOut(int x, int y, std::string_view text)
{
    UseFont(State().font);
    if (m_DcTextColour != State().textColour) {
        AddRecord(emf::kSetTextColor, {ColorRefOf(State().textColour)});
        m_DcTextColour = State().textColour;
    }
    if (m_DcBackgroundColour != State().backgroundColour) {
        AddRecord(emf::kSetBkColor, {ColorRefOf(State().backgroundColour)});
        m_DcBackgroundColour = State().backgroundColour;
    }
    if (m_DcBackgroundMode != State().backgroundMode) {
        AddRecord(emf::kSetBkMode,
                  {State().backgroundMode == BackgroundMode::Opaque ? emf::kOpaque : emf::kTransparent});
        m_DcBackgroundMode = State().backgroundMode;
    }
    const std::u16string wide = Cp1252ToUtf16(text);
    const auto count = static_cast<std::uint32_t>(wide.size());
    const TextSize size = TextExtent(text);
    const std::uint32_t stringOffset = 76;
    const std::uint32_t dxOffset = stringOffset + (count * 2 + 3) / 4 * 4;

    BeginRecord(emf::kExtTextOutW);
    for (int v : {x, y, x + size.width - 1, y + size.height - 1}) // bounds, inclusive
        Add32(U32(v));
    Add32(1); // compatible graphics mode
    Add32(std::bit_cast<std::uint32_t>(static_cast<float>(kFrameUnitsX)));
    Add32(std::bit_cast<std::uint32_t>(static_cast<float>(kFrameUnitsY)));
    Add32(U32(x));
    Add32(U32(y));
    Add32(count);
    Add32(stringOffset);
    Add32(0); // no options: the background mode paints the cell
    for (int i = 0; i < 4; ++i)
        Add32(0); // no clipping or opaque rectangle
    Add32(dxOffset);
    for (char16_t c : wide)
        AppendLe16(m_Records, c);
    while ((m_Records.size() - m_RecordStart) % 4)
        m_Records.push_back(0);
    // Advance widths: each character's share of the measured text width.
    int previous = 0;
    for (size_t i = 1; i <= text.size(); ++i) {
        const int width = m_Measure->Extent(State().font, text.substr(0, i)).width;
        Add32(U32(width - previous));
        previous = width;
    }
    EndRecord();
    if (size.width > 0 && size.height > 0)
        AddBounds(x, y, x + size.width - 1, y + size.height - 1);
}

FontMetrics EmfWriter::Metrics() const
{
    return m_Measure->Metrics(State().font);
}

TextSize EmfWriter::TextExtent(std::string_view text) const
{
    return m_Measure->Extent(State().font, text);
}

std::vector<std::uint8_t> EmfWriter::Bytes() const
{
    // Release the objects on a copy, so that recording can go on afterwards.
    EmfWriter end = *this;
    end.m_Measure = m_Measure;
    if (end.m_PenObject.handle)
        end.Replace(end.m_PenObject, 0, emf::kBlackPen);
    if (end.m_BrushObject.handle)
        end.Replace(end.m_BrushObject, 0, emf::kWhiteBrush);
    if (end.m_FontObject.handle)
        end.Replace(end.m_FontObject, 0, emf::kDeviceDefaultFont);
    // End record: no palette entries; its offset field points past the
    // three counts; the last field repeats the record size.
    end.AddRecord(emf::kEof, {0, 16, 20});

    // GDI's convention for an empty picture: right and bottom below left and top.
    const CanvasRect bounds = m_Bounds.value_or(CanvasRect{0, 0, -1, -1});
    // The frame covers the drawn pixels whole, inclusive of its last unit.
    const CanvasRect frame{
        static_cast<int>(std::lround(bounds.left * kFrameUnitsX)),
        static_cast<int>(std::lround(bounds.top * kFrameUnitsY)),
        static_cast<int>(std::lround((bounds.right + 1) * kFrameUnitsX)) - 1,
        static_cast<int>(std::lround((bounds.bottom + 1) * kFrameUnitsY)) - 1,
    };

    std::vector<std::uint8_t> out;
    out.reserve(emf::kHeaderSize + end.m_Records.size());
    AppendLe32(out, emf::kHeader);
    AppendLe32(out, emf::kHeaderSize);
    for (const CanvasRect& r : {bounds, frame})
        for (int v : {r.left, r.top, r.right, r.bottom})
            AppendLe32(out, U32(v));
    AppendLe32(out, emf::kSignature);
    AppendLe32(out, emf::kVersion);
    AppendLe32(out, static_cast<std::uint32_t>(emf::kHeaderSize + end.m_Records.size()));
    AppendLe32(out, end.m_RecordCount + 1);
    AppendLe16(out, static_cast<std::uint32_t>(end.m_HandleUsed.size()));
    AppendLe16(out, 0);
    AppendLe32(out, 0); // no description
    AppendLe32(out, 0);
    AppendLe32(out, 0); // no palette
    for (int v : {emf::kDevicePixelsX, emf::kDevicePixelsY, emf::kDeviceMillimetresX, emf::kDeviceMillimetresY})
        AppendLe32(out, U32(v));
    AppendLe32(out, 0); // no pixel format
    AppendLe32(out, 0);
    AppendLe32(out, 0); // not OpenGL
    AppendLe32(out, U32(emf::kDeviceMillimetresX * 1000));
    AppendLe32(out, U32(emf::kDeviceMillimetresY * 1000));
    out.insert(out.end(), end.m_Records.begin(), end.m_Records.end());
    return out;
}

bool EmfWriter::WriteFile(const std::filesystem::path& path, std::string* error) const
{
    return WriteFileAtomically(path, Bytes(), error);
}

} // namespace orlu
