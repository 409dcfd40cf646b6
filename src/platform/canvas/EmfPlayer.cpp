#include "platform/canvas/EmfPlayer.h"

#include "platform/TextEncoding.h"
#include "platform/ValueFormat.h"
#include "platform/canvas/EmfFormat.h"
#include "platform/canvas/FixedFontMeasure.h"
#include "platform/canvas/LittleEndian.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <variant>

namespace orlu {
namespace {

// Pixel coordinates are kept within +-1e9, so that sizes and sums of them stay within int.
constexpr double kMaxPixel = 1e9;

int ToPixel(double value)
{
    return static_cast<int>(std::lround(std::clamp(value, -kMaxPixel, kMaxPixel)));
}

// Thrown inside the player for a malformed metafile; Load turns it into the error text.
struct MalformedEmf : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Draws nothing: used to check a metafile whole before it is played.
class NullCanvas : public Canvas {
public:
    CanvasTarget Target() const override { return CanvasTarget::Screen; }
    void Rectangle(int, int, int, int) override {}
    void FillRect(int, int, int, int, Rgb) override {}
    void SetPixel(int, int, Rgb) override {}
    void Ellipse(int, int, int, int) override {}
    void TextOut(int, int, std::string_view) override {}
    FontMetrics Metrics() const override { return m_Measure.Metrics(State().font); }
    TextSize TextExtent(std::string_view text) const override { return m_Measure.Extent(State().font, text); }

protected:
    void DrawLine(int, int, int, int) override {}

private:
    FixedFontMeasure m_Measure;
};

struct Point {
    double x = 0;
    double y = 0;
};

Rgb RgbOf(std::uint32_t colorRef)
{
    return {static_cast<std::uint8_t>(colorRef), static_cast<std::uint8_t>(colorRef >> 8),
            static_cast<std::uint8_t>(colorRef >> 16)};
}

// A cosmetic or geometric pen as the metafile gave it, in logical units.
struct PenObject {
    PenStyle style = PenStyle::Solid;
    int width = 0;
    Rgb colour = kBlack;
};

using GdiObject = std::variant<std::monostate, PenObject, Brush, Font>;

const Font kDefaultFont{"", 16, 400};

struct StockEntry {
    std::uint32_t index;
    GdiObject object;
};

const StockEntry kStockObjects[] = {
    {emf::kWhiteBrush, Brush{kWhite, false}},
    {emf::kLightGrayBrush, Brush{{192, 192, 192}, false}},
    {emf::kGrayBrush, Brush{{128, 128, 128}, false}},
    {emf::kDarkGrayBrush, Brush{{64, 64, 64}, false}},
    {emf::kBlackBrush, Brush{kBlack, false}},
    {emf::kNullBrush, Brush{kWhite, true}},
    {emf::kWhitePen, PenObject{PenStyle::Solid, 0, kWhite}},
    {emf::kBlackPen, PenObject{PenStyle::Solid, 0, kBlack}},
    {emf::kNullPen, PenObject{PenStyle::Null, 0, kBlack}},
    {emf::kStockFlag | 10, kDefaultFont}, // the fixed and variable system fonts
    {emf::kStockFlag | 11, kDefaultFont},
    {emf::kStockFlag | 12, kDefaultFont},
    {emf::kStockFlag | 13, kDefaultFont},
    {emf::kDeviceDefaultFont, kDefaultFont},
    {emf::kStockFlag | 16, kDefaultFont},
    {emf::kStockFlag | 17, kDefaultFont},
};

PenStyle PenStyleOf(std::uint32_t style)
{
    switch (style & emf::kPsStyleMask) {
    case emf::kPsNull:
        return PenStyle::Null;
    case emf::kPsSolid:
    case 6: // inside frame
        return PenStyle::Solid;
    default: // dashes and dots of every kind
        return PenStyle::Dot;
    }
}

// The metafile's device context while playing.
struct DcState {
    PenObject pen;
    Brush brush;
    Font font = kDefaultFont;
    Rgb textColour = kBlack;
    Rgb backgroundColour = kWhite;
    BackgroundMode backgroundMode = BackgroundMode::Opaque;
    RasterOp rasterOp = RasterOp::Copy;
    std::uint32_t textAlign = 0;
    std::uint32_t mapMode = emf::kMmText;
    Point windowOrigin, windowExtent{1, 1}, viewportOrigin, viewportExtent{1, 1};
    Point position;
};

// One record, with bounds-checked field reads.
class Record {
public:
    Record(std::span<const std::uint8_t> bytes, std::size_t offset, std::uint32_t number)
        : m_Bytes(bytes), m_Offset(offset), m_Number(number)
    {
    }
    std::uint32_t Type() const { return GetLe32(m_Bytes, 0); }
    std::size_t Size() const { return m_Bytes.size(); }
    void Need(std::uint64_t end) const
    {
        if (end > m_Bytes.size())
            throw MalformedEmf(StrPrintf("Metafile record %lu (type %lu) at byte %lu is too short for its contents.",
                                         static_cast<unsigned long>(m_Number), static_cast<unsigned long>(Type()),
                                         static_cast<unsigned long>(m_Offset)));
    }
    std::uint32_t U32(std::size_t at) const
    {
        Need(at + 4);
        return GetLe32(m_Bytes, at);
    }
    std::int32_t I32(std::size_t at) const { return static_cast<std::int32_t>(U32(at)); }
    std::int16_t I16(std::size_t at) const
    {
        Need(at + 2);
        return static_cast<std::int16_t>(GetLe16(m_Bytes, at));
    }
    std::span<const std::uint8_t> Bytes() const { return m_Bytes; }

private:
    std::span<const std::uint8_t> m_Bytes;
    std::size_t m_Offset;
    std::uint32_t m_Number;
};

class Playback {
public:
    Playback(const EmfHeaderInfo& header, CanvasRect picture, Canvas& canvas, const CanvasRect& dest)
        : m_Canvas(canvas), m_Objects(std::max<std::uint16_t>(header.handleCount, 1))
    {
        // In double: the corners of a metafile's header may lie anywhere in the int range.
        const double width = static_cast<double>(picture.right) - picture.left;
        const double height = static_cast<double>(picture.bottom) - picture.top;
        m_ScaleX = width > 0 ? (static_cast<double>(dest.right) - dest.left) / width : 1;
        m_ScaleY = height > 0 ? (static_cast<double>(dest.bottom) - dest.top) / height : 1;
        m_OffsetX = dest.left - picture.left * m_ScaleX;
        m_OffsetY = dest.top - picture.top * m_ScaleY;
    }

    void Play(const Record& record);

private:
    using Handler = void (Playback::*)(const Record&);
    struct HandlerEntry {
        std::uint32_t type;
        Handler handler;
    };
    static const HandlerEntry kHandlers[];

    // Logical coordinates to the canvas's pixels.
    double LogicalScaleX() const
    {
        const DcState& s = m_Dc;
        bool scaled = (s.mapMode == emf::kMmIsotropic || s.mapMode == emf::kMmAnisotropic) && s.windowExtent.x != 0;
        return scaled ? s.viewportExtent.x / s.windowExtent.x : 1;
    }
    double LogicalScaleY() const
    {
        const DcState& s = m_Dc;
        bool scaled = (s.mapMode == emf::kMmIsotropic || s.mapMode == emf::kMmAnisotropic) && s.windowExtent.y != 0;
        return scaled ? s.viewportExtent.y / s.windowExtent.y : 1;
    }
    int X(double x) const
    {
        const double device = (x - m_Dc.windowOrigin.x) * LogicalScaleX() + m_Dc.viewportOrigin.x;
        return ToPixel(device * m_ScaleX + m_OffsetX);
    }
    int Y(double y) const
    {
        const double device = (y - m_Dc.windowOrigin.y) * LogicalScaleY() + m_Dc.viewportOrigin.y;
        return ToPixel(device * m_ScaleY + m_OffsetY);
    }
    int Length(double length, double logicalScale, double scale) const
    {
        return static_cast<int>(std::lround(std::clamp(std::abs(length * logicalScale * scale), 0.0, 1e6)));
    }

    void ApplyShapeState()
    {
        const PenObject& p = m_Dc.pen;
        const int width = p.width <= 0 ? 1 : std::max(1, Length(p.width, LogicalScaleX(), m_ScaleX));
        m_Canvas.SelectPen(Pen{p.style, width, p.colour});
        m_Canvas.SelectBrush(m_Dc.brush);
        m_Canvas.SetRasterOp(m_Dc.rasterOp);
    }
    void LineTo(Point to)
    {
        m_Canvas.Line(X(m_Dc.position.x), Y(m_Dc.position.y), X(to.x), Y(to.y));
        m_Dc.position = to;
    }

    std::vector<Point> ReadPoints(const Record& r, std::size_t countAt, bool small) const
    {
        const std::uint32_t count = r.U32(countAt);
        const std::size_t pointSize = small ? 4 : 8;
        r.Need(countAt + 4 + static_cast<std::uint64_t>(count) * pointSize);
        std::vector<Point> points;
        points.reserve(count);
        for (std::size_t i = 0, at = countAt + 4; i < count; ++i, at += pointSize)
            points.push_back(small ? Point{static_cast<double>(r.I16(at)), static_cast<double>(r.I16(at + 2))}
                                   : Point{static_cast<double>(r.I32(at)), static_cast<double>(r.I32(at + 4))});
        return points;
    }
    static Point PointAt(const Record& r, std::size_t at)
    {
        return {static_cast<double>(r.I32(at)), static_cast<double>(r.I32(at + 4))};
    }

    // Handle table slot, or nothing when the index is outside the table.
    GdiObject* Slot(std::uint32_t index)
    {
        return index > 0 && index < m_Objects.size() ? &m_Objects[index] : nullptr;
    }

    void Polyline(const Record& r, bool small, bool fromCurrent, bool closed)
    {
        const std::vector<Point> points = ReadPoints(r, 24, small);
        if (points.empty())
            return;
        ApplyShapeState();
        std::size_t first = 0;
        if (!fromCurrent)
            m_Dc.position = points[first++];
        const Point start = m_Dc.position;
        for (std::size_t i = first; i < points.size(); ++i)
            LineTo(points[i]);
        if (closed)
            LineTo(start);
    }
    void Bezier(const Record& r, bool small, bool fromCurrent)
    {
        const std::vector<Point> points = ReadPoints(r, 24, small);
        std::size_t i = 0;
        if (!fromCurrent) {
            if (points.empty())
                return;
            m_Dc.position = points[i++];
        }
        ApplyShapeState();
        // Each cubic segment as eight straight segments.
        for (; i + 3 <= points.size(); i += 3) {
            const Point p0 = m_Dc.position, p1 = points[i], p2 = points[i + 1], p3 = points[i + 2];
            for (int k = 1; k <= 8; ++k) {
                const double t = k / 8.0, u = 1 - t;
                const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
                LineTo({a * p0.x + b * p1.x + c * p2.x + d * p3.x, a * p0.y + b * p1.y + c * p2.y + d * p3.y});
            }
            m_Dc.position = p3;
        }
    }

    void OnPolyline16(const Record& r) { Polyline(r, true, false, false); }
    void OnPolyline(const Record& r) { Polyline(r, false, false, false); }
    void OnPolylineTo16(const Record& r) { Polyline(r, true, true, false); }
    void OnPolylineTo(const Record& r) { Polyline(r, false, true, false); }
    void OnPolygon16(const Record& r) { Polyline(r, true, false, true); }
    void OnPolygon(const Record& r) { Polyline(r, false, false, true); }
    void OnPolyBezier16(const Record& r) { Bezier(r, true, false); }
    void OnPolyBezier(const Record& r) { Bezier(r, false, false); }
    void OnPolyBezierTo16(const Record& r) { Bezier(r, true, true); }
    void OnPolyBezierTo(const Record& r) { Bezier(r, false, true); }

    void OnMoveTo(const Record& r) { m_Dc.position = PointAt(r, 8); }
    void OnLineTo(const Record& r)
    {
        const Point to = PointAt(r, 8);
        ApplyShapeState();
        LineTo(to);
    }
    void OnRectangle(const Record& r)
    {
        const Point a = PointAt(r, 8), b = PointAt(r, 16);
        const bool nullPen = m_Dc.pen.style == PenStyle::Null;
        if (nullPen && m_Dc.brush.hollow)
            return;
        if (nullPen && m_Dc.rasterOp == RasterOp::Copy) {
            // A fill without outline; the null pen leaves out the last row and
            // column, so the filled area ends one logical unit earlier.
            const CanvasRect box = NormalizedRect(static_cast<int>(a.x), static_cast<int>(a.y),
                                                  static_cast<int>(b.x), static_cast<int>(b.y));
            m_Canvas.FillRect(X(box.left), Y(box.top), X(box.right - 1), Y(box.bottom - 1), m_Dc.brush.colour);
            return;
        }
        ApplyShapeState();
        m_Canvas.Rectangle(X(a.x), Y(a.y), X(b.x), Y(b.y));
    }
    void OnEllipse(const Record& r)
    {
        const Point a = PointAt(r, 8), b = PointAt(r, 16);
        ApplyShapeState();
        m_Canvas.Ellipse(X(a.x), Y(a.y), X(b.x), Y(b.y));
    }
    void OnSetPixel(const Record& r)
    {
        const Point p = PointAt(r, 8);
        m_Canvas.SetPixel(X(p.x), Y(p.y), RgbOf(r.U32(16)));
    }
    void OnExtTextOutW(const Record& r)
    {
        Point reference = PointAt(r, 36);
        const std::uint32_t count = r.U32(44);
        const std::uint32_t offset = r.U32(48);
        r.Need(static_cast<std::uint64_t>(offset) + 2ull * count);
        std::u16string wide;
        wide.reserve(count);
        for (std::uint32_t i = 0; i < count; ++i)
            wide += static_cast<char16_t>(GetLe16(r.Bytes(), offset + 2 * i));
        const std::string text = Utf16ToCp1252(wide);

        const int height = std::max(1, Length(m_Dc.font.height, LogicalScaleY(), m_ScaleY));
        m_Canvas.SelectFont(Font{m_Dc.font.face, height, m_Dc.font.weight});
        m_Canvas.SetTextColour(m_Dc.textColour);
        m_Canvas.SetBackgroundColour(m_Dc.backgroundColour);
        m_Canvas.SetBackgroundMode(m_Dc.backgroundMode);
        const std::uint32_t align = m_Dc.textAlign;
        if (align & emf::kTaUpdateCp)
            reference = m_Dc.position;
        int x = X(reference.x), y = Y(reference.y);
        const int width = m_Canvas.TextExtent(text).width;
        if ((align & emf::kTaCenter) == emf::kTaCenter)
            x -= width / 2;
        else if (align & emf::kTaRight)
            x -= width;
        if ((align & emf::kTaBaseline) == emf::kTaBaseline)
            y -= m_Canvas.Metrics().ascent;
        else if (align & emf::kTaBottom)
            y -= m_Canvas.Metrics().height;
        m_Canvas.TextOut(x, y, text);
        if (align & emf::kTaUpdateCp && LogicalScaleX() * m_ScaleX != 0)
            m_Dc.position.x += width / (LogicalScaleX() * m_ScaleX);
    }

    void OnCreatePen(const Record& r)
    {
        if (GdiObject* slot = Slot(r.U32(8)))
            *slot = PenObject{PenStyleOf(r.U32(12)), r.I32(16), RgbOf(r.U32(24))};
    }
    void OnExtCreatePen(const Record& r)
    {
        const std::uint32_t style = r.U32(28);
        const bool nullBrush = r.U32(36) == emf::kBsNull;
        if (GdiObject* slot = Slot(r.U32(8)))
            *slot = PenObject{nullBrush ? PenStyle::Null : PenStyleOf(style),
                              static_cast<int>(std::min<std::uint32_t>(r.U32(32), 1000000)), RgbOf(r.U32(40))};
    }
    void OnCreateBrush(const Record& r)
    {
        // Hatched and pattern brushes are played as solid ones of their colour.
        if (GdiObject* slot = Slot(r.U32(8)))
            *slot = Brush{RgbOf(r.U32(16)), r.U32(12) == emf::kBsNull};
    }
    void OnCreateFont(const Record& r)
    {
        r.Need(12 + emf::kLogFontSize);
        std::u16string face;
        for (std::size_t at = 40; at < 40 + 64; at += 2) {
            const char16_t c = GetLe16(r.Bytes(), at);
            if (!c)
                break;
            face += c;
        }
        const int height = static_cast<int>(std::min<std::int64_t>(std::abs(static_cast<std::int64_t>(r.I32(12))), 1000000));
        const int weight = r.I32(28);
        if (GdiObject* slot = Slot(r.U32(8)))
            *slot = Font{Utf16ToCp1252(face), height, weight > 0 ? weight : 400};
    }
    void OnSelectObject(const Record& r)
    {
        const std::uint32_t index = r.U32(8);
        const GdiObject* object = nullptr;
        if (index & emf::kStockFlag) {
            for (const StockEntry& e : kStockObjects)
                if (e.index == index)
                    object = &e.object;
        } else {
            object = Slot(index);
        }
        if (!object)
            return;
        if (auto* pen = std::get_if<PenObject>(object))
            m_Dc.pen = *pen;
        else if (auto* brush = std::get_if<Brush>(object))
            m_Dc.brush = *brush;
        else if (auto* font = std::get_if<Font>(object))
            m_Dc.font = *font;
    }
    void OnDeleteObject(const Record& r)
    {
        if (GdiObject* slot = Slot(r.U32(8)))
            *slot = std::monostate{};
    }
    void OnSetRop2(const Record& r) { m_Dc.rasterOp = r.U32(8) == emf::kR2XorPen ? RasterOp::Xor : RasterOp::Copy; }
    void OnSetTextColor(const Record& r) { m_Dc.textColour = RgbOf(r.U32(8)); }
    void OnSetBkColor(const Record& r) { m_Dc.backgroundColour = RgbOf(r.U32(8)); }
    void OnSetBkMode(const Record& r)
    {
        m_Dc.backgroundMode = r.U32(8) == emf::kTransparent ? BackgroundMode::Transparent : BackgroundMode::Opaque;
    }
    void OnSetTextAlign(const Record& r) { m_Dc.textAlign = r.U32(8); }
    void OnSetMapMode(const Record& r) { m_Dc.mapMode = r.U32(8); }
    void OnSetWindowExt(const Record& r) { m_Dc.windowExtent = PointAt(r, 8); }
    void OnSetWindowOrg(const Record& r) { m_Dc.windowOrigin = PointAt(r, 8); }
    void OnSetViewportExt(const Record& r) { m_Dc.viewportExtent = PointAt(r, 8); }
    void OnSetViewportOrg(const Record& r) { m_Dc.viewportOrigin = PointAt(r, 8); }
    void OnSaveDc(const Record&) { m_Saved.push_back(m_Dc); }
    void OnRestoreDc(const Record& r)
    {
        // Only the relative form: -1 is the state saved last.
        const std::int32_t relative = r.I32(8);
        if (relative >= 0 || static_cast<std::uint64_t>(-static_cast<std::int64_t>(relative)) > m_Saved.size())
            return;
        m_Saved.resize(m_Saved.size() - static_cast<std::size_t>(-static_cast<std::int64_t>(relative)) + 1);
        m_Dc = m_Saved.back();
        m_Saved.pop_back();
    }

    Canvas& m_Canvas;
    std::vector<GdiObject> m_Objects;
    DcState m_Dc;
    std::vector<DcState> m_Saved;
    double m_ScaleX = 1, m_ScaleY = 1, m_OffsetX = 0, m_OffsetY = 0;
};

const Playback::HandlerEntry Playback::kHandlers[] = {
    {emf::kPolyBezier, &Playback::OnPolyBezier},
    {emf::kPolygon, &Playback::OnPolygon},
    {emf::kPolyline, &Playback::OnPolyline},
    {emf::kPolyBezierTo, &Playback::OnPolyBezierTo},
    {emf::kPolylineTo, &Playback::OnPolylineTo},
    {emf::kSetWindowExtEx, &Playback::OnSetWindowExt},
    {emf::kSetWindowOrgEx, &Playback::OnSetWindowOrg},
    {emf::kSetViewportExtEx, &Playback::OnSetViewportExt},
    {emf::kSetViewportOrgEx, &Playback::OnSetViewportOrg},
    {emf::kSetPixelV, &Playback::OnSetPixel},
    {emf::kSetMapMode, &Playback::OnSetMapMode},
    {emf::kSetBkMode, &Playback::OnSetBkMode},
    {emf::kSetRop2, &Playback::OnSetRop2},
    {emf::kSetTextAlign, &Playback::OnSetTextAlign},
    {emf::kSetTextColor, &Playback::OnSetTextColor},
    {emf::kSetBkColor, &Playback::OnSetBkColor},
    {emf::kMoveToEx, &Playback::OnMoveTo},
    {emf::kSaveDc, &Playback::OnSaveDc},
    {emf::kRestoreDc, &Playback::OnRestoreDc},
    {emf::kSelectObject, &Playback::OnSelectObject},
    {emf::kCreatePen, &Playback::OnCreatePen},
    {emf::kCreateBrushIndirect, &Playback::OnCreateBrush},
    {emf::kDeleteObject, &Playback::OnDeleteObject},
    {emf::kEllipse, &Playback::OnEllipse},
    {emf::kRectangle, &Playback::OnRectangle},
    {emf::kLineTo, &Playback::OnLineTo},
    {emf::kExtCreateFontIndirectW, &Playback::OnCreateFont},
    {emf::kExtTextOutW, &Playback::OnExtTextOutW},
    {emf::kPolyBezier16, &Playback::OnPolyBezier16},
    {emf::kPolygon16, &Playback::OnPolygon16},
    {emf::kPolyline16, &Playback::OnPolyline16},
    {emf::kPolyBezierTo16, &Playback::OnPolyBezierTo16},
    {emf::kPolylineTo16, &Playback::OnPolylineTo16},
    {emf::kExtCreatePen, &Playback::OnExtCreatePen},
};

void Playback::Play(const Record& record)
{
    for (const HandlerEntry& e : kHandlers)
        if (e.type == record.Type()) {
            (this->*e.handler)(record);
            return;
        }
}

EmfHeaderInfo ReadHeader(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < emf::kMinHeaderSize)
        throw MalformedEmf("The file is too short to be a metafile.");
    if (GetLe32(bytes, 0) != emf::kHeader || GetLe32(bytes, 40) != emf::kSignature)
        throw MalformedEmf("The file is not an enhanced metafile.");
    const auto rect = [&](std::size_t at) {
        return CanvasRect{GetLeI32(bytes, at), GetLeI32(bytes, at + 4), GetLeI32(bytes, at + 8),
                          GetLeI32(bytes, at + 12)};
    };
    EmfHeaderInfo h;
    h.bounds = rect(8);
    h.frame = rect(24);
    h.byteCount = GetLe32(bytes, 48);
    h.recordCount = GetLe32(bytes, 52);
    h.handleCount = GetLe16(bytes, 56);
    h.devicePixelsX = GetLeI32(bytes, 72);
    h.devicePixelsY = GetLeI32(bytes, 76);
    h.deviceMillimetresX = GetLeI32(bytes, 80);
    h.deviceMillimetresY = GetLeI32(bytes, 84);
    if (h.byteCount > bytes.size())
        throw MalformedEmf(StrPrintf("The metafile is truncated: it declares %lu bytes but the file holds %lu.",
                                     static_cast<unsigned long>(h.byteCount),
                                     static_cast<unsigned long>(bytes.size())));
    return h;
}

// Walks the records of the first byteCount bytes and hands each to the playback.
void PlayRecords(std::span<const std::uint8_t> bytes, const EmfHeaderInfo& header, Playback& playback)
{
    const std::span<const std::uint8_t> file = bytes.first(header.byteCount);
    std::size_t offset = 0;
    for (std::uint32_t number = 1;; ++number) {
        if (file.size() - offset < 8)
            throw MalformedEmf("The metafile has no end record.");
        const std::uint32_t type = GetLe32(file, offset);
        const std::uint32_t size = GetLe32(file, offset + 4);
        if (size < 8 || size % 4 != 0)
            throw MalformedEmf(StrPrintf("Metafile record %lu at byte %lu has an invalid size %lu.",
                                         static_cast<unsigned long>(number), static_cast<unsigned long>(offset),
                                         static_cast<unsigned long>(size)));
        if (size > file.size() - offset)
            throw MalformedEmf(StrPrintf("Metafile record %lu at byte %lu runs past the end of the file.",
                                         static_cast<unsigned long>(number), static_cast<unsigned long>(offset)));
        if (number == 1 && (type != emf::kHeader || size < emf::kMinHeaderSize))
            throw MalformedEmf("The file is not an enhanced metafile.");
        if (type == emf::kEof)
            return;
        if (number > 1)
            playback.Play(Record(file.subspan(offset, size), offset, number));
        offset += size;
    }
}

} // namespace

bool EmfPlayer::Load(std::span<const std::uint8_t> bytes, std::string* error)
{
    m_Loaded = false;
    try {
        const EmfHeaderInfo header = ReadHeader(bytes);
        NullCanvas check;
        Playback playback(header, CanvasRect{0, 0, 1, 1}, check, CanvasRect{0, 0, 1, 1});
        PlayRecords(bytes, header, playback);
        m_Header = header;
    } catch (const MalformedEmf& e) {
        if (error)
            *error = e.what();
        return false;
    }
    m_Bytes.assign(bytes.begin(), bytes.begin() + m_Header.byteCount);
    m_Loaded = true;
    return true;
}

CanvasRect EmfPlayer::PictureRect() const
{
    const EmfHeaderInfo& h = m_Header;
    if (h.frame.right >= h.frame.left && h.frame.bottom >= h.frame.top && h.devicePixelsX > 0 &&
        h.devicePixelsY > 0 && h.deviceMillimetresX > 0 && h.deviceMillimetresY > 0) {
        const double kx = h.devicePixelsX / (h.deviceMillimetresX * 100.0);
        const double ky = h.devicePixelsY / (h.deviceMillimetresY * 100.0);
        return {ToPixel(h.frame.left * kx), ToPixel(h.frame.top * ky), ToPixel((h.frame.right + 1.0) * kx),
                ToPixel((h.frame.bottom + 1.0) * ky)};
    }
    return {ToPixel(h.bounds.left), ToPixel(h.bounds.top), ToPixel(h.bounds.right + 1.0), ToPixel(h.bounds.bottom + 1.0)};
}

void EmfPlayer::Play(Canvas& canvas, const CanvasRect& dest) const
{
    if (!m_Loaded)
        return;
    const CanvasState before = canvas.State();
    Playback playback(m_Header, PictureRect(), canvas, dest);
    try {
        PlayRecords(m_Bytes, m_Header, playback);
    } catch (const MalformedEmf&) {
        // Cannot happen: Load checked the same records the same way.
    }
    canvas.SetState(before);
}

} // namespace orlu
