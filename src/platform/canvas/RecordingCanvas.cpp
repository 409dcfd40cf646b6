#include "platform/canvas/RecordingCanvas.h"

#include "platform/ValueFormat.h"

namespace orlu {
namespace {

const char* RopName(RasterOp op)
{
    return op == RasterOp::Xor ? "xor" : "copy";
}

std::string FormatFont(const Font& font)
{
    return StrPrintf("%s/%d/%d", font.face.c_str(), font.height, font.weight);
}

std::string FormatBackground(const CanvasState& state)
{
    return state.backgroundMode == BackgroundMode::Transparent ? "transparent" : FormatRgb(state.backgroundColour);
}

const char* ModeName(BackgroundMode mode)
{
    return mode == BackgroundMode::Transparent ? "transparent" : "opaque";
}

std::string FormatBox(int x1, int y1, int x2, int y2)
{
    CanvasRect r = NormalizedRect(x1, y1, x2, y2);
    return StrPrintf("%d,%d-%d,%d", r.left, r.top, r.right, r.bottom);
}

} // namespace

std::string FormatPen(const Pen& pen)
{
    if (pen.style == PenStyle::Null)
        return "null";
    return StrPrintf("%s/%d/%s", pen.style == PenStyle::Dot ? "dot" : "solid", pen.width,
                     FormatRgb(pen.colour).c_str());
}

std::string FormatBrush(const Brush& brush)
{
    return brush.hollow ? "hollow" : FormatRgb(brush.colour);
}

RecordingCanvas::RecordingCanvas(CanvasTarget target, const FontMeasure* measure)
    : m_Target(target), m_Measure(measure ? measure : &m_FixedMeasure)
{
}

void RecordingCanvas::DrawLine(int x1, int y1, int x2, int y2)
{
    m_Lines.push_back(StrPrintf("line %d,%d-%d,%d pen=%s rop=%s", x1, y1, x2, y2, FormatPen(State().pen).c_str(),
                                RopName(State().rasterOp)));
}

void RecordingCanvas::Rectangle(int x1, int y1, int x2, int y2)
{
    m_Lines.push_back(StrPrintf("rect %s pen=%s brush=%s rop=%s", FormatBox(x1, y1, x2, y2).c_str(),
                                FormatPen(State().pen).c_str(), FormatBrush(State().brush).c_str(),
                                RopName(State().rasterOp)));
}

void RecordingCanvas::FillRect(int x1, int y1, int x2, int y2, Rgb colour)
{
    m_Lines.push_back(StrPrintf("fill %s %s", FormatBox(x1, y1, x2, y2).c_str(), FormatRgb(colour).c_str()));
}

void RecordingCanvas::SetPixel(int x, int y, Rgb colour)
{
    m_Lines.push_back(StrPrintf("pixel %d,%d %s", x, y, FormatRgb(colour).c_str()));
}

void RecordingCanvas::Ellipse(int x1, int y1, int x2, int y2)
{
    m_Lines.push_back(StrPrintf("ellipse %s pen=%s brush=%s rop=%s", FormatBox(x1, y1, x2, y2).c_str(),
                                FormatPen(State().pen).c_str(), FormatBrush(State().brush).c_str(),
                                RopName(State().rasterOp)));
}

void RecordingCanvas::TextOut(int x, int y, std::string_view text)
{
    m_Lines.push_back(StrPrintf("text %d,%d \"%.*s\" font=%s fg=%s bg=%s", x, y, static_cast<int>(text.size()),
                                text.data(), FormatFont(State().font).c_str(), FormatRgb(State().textColour).c_str(),
                                FormatBackground(State()).c_str()));
}

FontMetrics RecordingCanvas::Metrics() const
{
    return m_Measure->Metrics(State().font);
}

TextSize RecordingCanvas::TextExtent(std::string_view text) const
{
    return m_Measure->Extent(State().font, text);
}

std::string DescribeStateChange(const CanvasState& before, const CanvasState& after)
{
    struct Field {
        const char* name;
        std::string was;
        std::string now;
    };
    const Field fields[] = {
        {"pen", FormatPen(before.pen), FormatPen(after.pen)},
        {"brush", FormatBrush(before.brush), FormatBrush(after.brush)},
        {"font", FormatFont(before.font), FormatFont(after.font)},
        {"text colour", FormatRgb(before.textColour), FormatRgb(after.textColour)},
        {"background mode", ModeName(before.backgroundMode), ModeName(after.backgroundMode)},
        {"background colour", FormatRgb(before.backgroundColour), FormatRgb(after.backgroundColour)},
        {"rop", RopName(before.rasterOp), RopName(after.rasterOp)},
    };
    std::string out;
    for (const Field& f : fields) {
        if (f.was == f.now)
            continue;
        if (!out.empty())
            out += "; ";
        out += StrPrintf("%s %s -> %s", f.name, f.was.c_str(), f.now.c_str());
    }
    return out;
}

std::string CheckStateBalance(Canvas& canvas, const std::function<void(Canvas&)>& routine)
{
    const CanvasState before = canvas.State();
    routine(canvas);
    return DescribeStateChange(before, canvas.State());
}

} // namespace orlu
