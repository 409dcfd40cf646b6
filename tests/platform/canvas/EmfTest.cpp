#include "platform/canvas/EmfFormat.h"
#include "platform/canvas/EmfPlayer.h"
#include "platform/canvas/EmfWriter.h"
#include "platform/canvas/LittleEndian.h"
#include "platform/canvas/RecordingCanvas.h"
#include "support/EmfBuilder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <regex>
#include <sstream>

namespace orlu {
namespace {

using fixture::EmfBuilder;

using Bytes = std::vector<std::uint8_t>;

struct RecordView {
    std::uint32_t type;
    std::size_t offset;
    std::uint32_t size;
};

// Walks the records the way an independent reader would.
std::vector<RecordView> Walk(const Bytes& bytes)
{
    std::vector<RecordView> records;
    for (std::size_t at = 0; at + 8 <= bytes.size();) {
        RecordView r{GetLe32(bytes, at), at, GetLe32(bytes, at + 4)};
        records.push_back(r);
        if (r.size < 8 || r.type == emf::kEof)
            break;
        at += r.size;
    }
    return records;
}

CanvasRect RectAt(const Bytes& bytes, std::size_t at)
{
    return {GetLeI32(bytes, at), GetLeI32(bytes, at + 4), GetLeI32(bytes, at + 8), GetLeI32(bytes, at + 12)};
}

// A plot-like sequence of calls that uses every primitive and state.
void DrawSample(Canvas& c)
{
    c.FillRect(0, 0, 200, 100, kWhite);
    c.Rectangle(10, 10, 190, 90);
    c.Line(20, 80, 180, 80);
    c.LineTo(180, 20);
    const Pen old = c.SelectPen({PenStyle::Dot, 1, {255, 0, 0}});
    c.Line(20, 50, 180, 50);
    c.SelectPen({PenStyle::Solid, 3, {0, 0, 255}});
    c.Line(30, 30, 60, 70);
    const Brush oldBrush = c.SelectBrush({{0, 128, 0}, false});
    c.Rectangle(100, 60, 110, 80);
    c.Ellipse(40, 40, 47, 47);
    c.SelectBrush({kWhite, true});
    c.Ellipse(50, 40, 57, 47);
    c.SelectPen({PenStyle::Solid, 1, {72, 72, 72}});
    const RasterOp op = c.SetRasterOp(RasterOp::Xor);
    c.Line(120, 15, 120, 85);
    c.SelectBrush({{72, 72, 72}, false});
    c.Rectangle(130, 15, 134, 85);
    c.FillRect(140, 15, 144, 20, {0, 255, 255}); // ignores XOR
    c.SetRasterOp(op);
    c.SetPixel(180, 80, kBlack);
    c.SelectFont({std::string(kFixedFace), 14, 700});
    c.TextOut(12, 12, "Lev=45.0dB  20\xBA""C  Pa\xB2s \x80");
    const Rgb oldBg = c.SetBackgroundColour({0, 255, 0});
    c.SetTextColour({255, 0, 0});
    c.TextOut(12, 92, "B");
    c.SelectFont({"", 12, 400});
    c.SetBackgroundMode(BackgroundMode::Transparent);
    c.TextOut(150, 92, "%");
    c.SetBackgroundMode(BackgroundMode::Opaque);
    c.SetBackgroundColour(oldBg);
    c.SetTextColour(kBlack);
    c.SelectBrush(oldBrush);
    c.SelectPen(old);
}

TEST(EmfWriter, HeaderCountsSizesAndBoundsMatchTheRecords)
{
    EmfWriter writer;
    DrawSample(writer);
    const Bytes bytes = writer.Bytes();
    const std::vector<RecordView> records = Walk(bytes);

    ASSERT_GE(records.size(), 2u);
    EXPECT_EQ(records.front().type, emf::kHeader);
    EXPECT_EQ(records.front().size, emf::kHeaderSize);
    EXPECT_EQ(GetLe32(bytes, 40), emf::kSignature);
    EXPECT_EQ(GetLe32(bytes, 48), bytes.size());         // nBytes
    EXPECT_EQ(GetLe32(bytes, 52), records.size());       // nRecords
    EXPECT_EQ(records.back().type, emf::kEof);
    EXPECT_EQ(records.back().offset + records.back().size, bytes.size());
    std::uint32_t highestHandle = 0;
    for (const RecordView& r : records) {
        EXPECT_EQ(r.size % 4, 0u) << "record type " << r.type;
        if (r.type == emf::kCreatePen || r.type == emf::kCreateBrushIndirect || r.type == emf::kExtCreateFontIndirectW)
            highestHandle = std::max(highestHandle, GetLe32(bytes, r.offset + 8));
    }
    // Objects are deleted when replaced, so at most a pen, a brush and a font live at once.
    EXPECT_EQ(GetLe16(bytes, 56), highestHandle + 1);
    EXPECT_LE(highestHandle, 3u);

    // Bounds: the drawn pixels, inclusive; the long text (24 characters of 8
    // pixels from x = 12) and the text at y = 92 (14 high) reach past the fill.
    EXPECT_EQ(RectAt(bytes, 8), (CanvasRect{0, 0, 203, 105}));
    EXPECT_EQ(writer.Bounds(), (CanvasRect{0, 0, 203, 105}));
    // Frame: the same pixels in 0.01 mm at 96 dpi (2540 / 96 per pixel):
    // 204 pixels are 5397.5, 106 are 2804.6.
    EXPECT_EQ(RectAt(bytes, 24), (CanvasRect{0, 0, 5397, 2804}));
}

TEST(EmfWriter, BoundsFollowWhatIsDrawnOnly)
{
    EmfWriter writer;
    EXPECT_EQ(RectAt(writer.Bytes(), 8), (CanvasRect{0, 0, -1, -1})); // nothing drawn
    writer.Line(10, 20, 30, 20);
    writer.SetPixel(5, 40, kBlack);
    writer.SelectPen({PenStyle::Null, 1, kBlack});
    writer.Line(0, 0, 500, 500); // a null pen draws nothing
    EXPECT_EQ(RectAt(writer.Bytes(), 8), (CanvasRect{5, 20, 30, 40}));
}

TEST(EmfWriter, TextIsStoredAsUtf16WithAdvanceWidths)
{
    EmfWriter writer;
    writer.SelectFont({std::string(kFixedFace), 14, 400});
    writer.TextOut(3, 4, "\xB5m/s\xB2\x80");
    const Bytes bytes = writer.Bytes();
    for (const RecordView& r : Walk(bytes)) {
        if (r.type == emf::kExtCreateFontIndirectW) {
            EXPECT_EQ(GetLeI32(bytes, r.offset + 12), 14);
            EXPECT_EQ(GetLe16(bytes, r.offset + 40), u'C'); // "Courier New"
        }
        if (r.type != emf::kExtTextOutW)
            continue;
        EXPECT_EQ(GetLeI32(bytes, r.offset + 36), 3);
        EXPECT_EQ(GetLeI32(bytes, r.offset + 40), 4);
        ASSERT_EQ(GetLe32(bytes, r.offset + 44), 6u);
        const std::size_t text = r.offset + GetLe32(bytes, r.offset + 48);
        const std::u16string expected = u"\u00B5m/s\u00B2\u20AC";
        for (std::size_t i = 0; i < expected.size(); ++i)
            EXPECT_EQ(GetLe16(bytes, text + 2 * i), expected[i]);
        const std::size_t dx = r.offset + GetLe32(bytes, r.offset + 72);
        EXPECT_EQ(GetLe32(bytes, dx), 8u);
        EXPECT_LE(dx + 6 * 4, r.offset + r.size);
        return;
    }
    ADD_FAILURE() << "no text record";
}

TEST(EmfRoundTrip, PlayingBackGivesTheSameCalls)
{
    RecordingCanvas direct(CanvasTarget::Metafile);
    DrawSample(direct);
    EmfWriter writer;
    DrawSample(writer);
    EmfPlayer player;
    std::string error;
    ASSERT_TRUE(player.Load(writer.Bytes(), &error)) << error;
    RecordingCanvas played;
    const CanvasState before = played.State();
    player.Play(played, player.PictureRect());
    EXPECT_EQ(played.Lines(), direct.Lines());
    EXPECT_EQ(played.State(), before);
    EXPECT_EQ(player.PictureRect(), (CanvasRect{0, 0, 204, 106}));
}

TEST(EmfRoundTrip, PlayingIntoALargerRectangleScalesEverything)
{
    EmfWriter writer;
    writer.FillRect(0, 0, 100, 50, kWhite);
    writer.SelectPen({PenStyle::Solid, 2, kBlack});
    writer.Line(10, 10, 90, 10);
    writer.SelectFont({std::string(kFixedFace), 14, 400});
    writer.TextOut(20, 20, "x");
    EmfPlayer player;
    ASSERT_TRUE(player.Load(writer.Bytes()));
    RecordingCanvas played;
    player.Play(played, {100, 100, 300, 200});
    const std::vector<std::string> expected = {
        "fill 100,100-300,200 #FFFFFF",
        "line 120,120-280,120 pen=solid/4/#000000 rop=copy",
        "text 140,140 \"x\" font=Courier New/28/400 fg=#000000 bg=#FFFFFF",
    };
    EXPECT_EQ(played.Lines(), expected);
}

std::vector<std::string> Play(const Bytes& bytes, CanvasRect dest = {0, 0, 100, 100})
{
    EmfPlayer player;
    std::string error;
    EXPECT_TRUE(player.Load(bytes, &error)) << error;
    RecordingCanvas canvas;
    player.Play(canvas, dest);
    return canvas.Lines();
}

TEST(EmfPlayer, PlaysCommonRecordsOfOtherPrograms)
{
    EmfBuilder b;
    b.Record(emf::kCreatePen, {1, emf::kPsDash, 0, 0, emf::ColorRef(0, 0, 255)});
    b.Record(emf::kSelectObject, {1});
    b.Poly16(emf::kPolyline16, {{0, 0}, {10, 0}, {10, 10}});
    b.Record(200, {1, 2, 3}); // unknown: skipped
    b.Record(emf::kSaveDc, {});
    b.Record(emf::kSetMapMode, {emf::kMmAnisotropic});
    b.Record(emf::kSetWindowExtEx, {1000, 1000});
    b.Record(emf::kSetViewportExtEx, {100, 100});
    b.Record(emf::kSetWindowOrgEx, {static_cast<std::uint32_t>(-100), 0});
    b.Record(emf::kSelectObject, {emf::kNullPen});
    b.Record(emf::kSelectObject, {emf::kBlackBrush});
    b.Record(emf::kRectangle, {0, 0, 200, 100}); // null pen: a fill one pixel short
    b.Record(emf::kRestoreDc, {static_cast<std::uint32_t>(-1)});
    b.Poly16(emf::kPolygon16, {{20, 20}, {30, 20}, {30, 30}});
    b.Record(emf::kMoveToEx, {50, 50});
    b.Poly16(emf::kPolylineTo16, {{60, 50}});
    b.Record(emf::kSetTextAlign, {emf::kTaRight | emf::kTaBottom});
    b.Record(emf::kSetBkMode, {emf::kTransparent});
    b.Record(emf::kExtTextOutW, {0, 0, 0, 0, 1, 0, 0, 90, 90, 2, 76, 0, 0, 0, 0, 0, 0,
                                 'O' | 'K' << 16});
    b.Record(emf::kDeleteObject, {1});
    b.Record(emf::kSelectObject, {1}); // deleted: no change
    b.Record(emf::kSelectObject, {99}); // outside the table: ignored
    b.Record(emf::kLineTo, {50, 60});

    const std::vector<std::string> expected = {
        "line 0,0-10,0 pen=dot/1/#0000FF rop=copy",
        "line 10,0-10,10 pen=dot/1/#0000FF rop=copy",
        "fill 10,0-30,10 #000000", // logical [0,199) x [0,99) at a tenth, from x = 100
        "line 20,20-30,20 pen=dot/1/#0000FF rop=copy",
        "line 30,20-30,30 pen=dot/1/#0000FF rop=copy",
        "line 30,30-20,20 pen=dot/1/#0000FF rop=copy",
        "line 50,50-60,50 pen=dot/1/#0000FF rop=copy",
        "text 72,74 \"OK\" font=/16/400 fg=#000000 bg=transparent",
        "line 60,50-50,60 pen=dot/1/#0000FF rop=copy",
    };
    EXPECT_EQ(Play(b.Finish()), expected);
}

TEST(EmfPlayer, FlattensBezierCurvesIntoLines)
{
    EmfBuilder b;
    b.Poly16(emf::kPolyBezier16, {{0, 0}, {0, 80}, {80, 80}, {80, 0}});
    const std::vector<std::string> lines = Play(b.Finish());
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines.front().rfind("line 0,0-", 0), 0u);
    EXPECT_NE(lines.back().find("-80,0 "), std::string::npos);
}

TEST(EmfPlayer, RefusesMalformedMetafilesWithAReason)
{
    EmfWriter writer;
    DrawSample(writer);
    const Bytes good = writer.Bytes();
    const std::size_t firstRecord = emf::kHeaderSize;
    std::size_t textRecord = 0;
    for (const RecordView& r : Walk(good))
        if (r.type == emf::kExtTextOutW)
            textRecord = r.offset;

    struct Case {
        const char* name;
        std::function<void(Bytes&)> damage;
        const char* reason;
    };
    const Case cases[] = {
        {"empty", [](Bytes& b) { b.clear(); }, "too short"},
        {"not a metafile", [](Bytes& b) { b[40] = 'X'; }, "not an enhanced metafile"},
        {"cut short", [](Bytes& b) { b.resize(b.size() - 24); }, "truncated"},
        {"size not a multiple of 4", [&](Bytes& b) { PutLe32(b, firstRecord + 4, 14); }, "invalid size"},
        {"size below 8", [&](Bytes& b) { PutLe32(b, firstRecord + 4, 4); }, "invalid size"},
        {"size zero", [&](Bytes& b) { PutLe32(b, firstRecord + 4, 0); }, "invalid size"},
        {"size past the end", [&](Bytes& b) { PutLe32(b, firstRecord + 4, 0x7FFFFFF0); }, "past the end"},
        {"header size past the end", [](Bytes& b) { PutLe32(b, 4, 0xFFFFFFFC); }, "past the end"},
        {"huge character count", [&](Bytes& b) { PutLe32(b, textRecord + 44, 0x7FFFFFFF); }, "too short"},
        {"string offset past the record", [&](Bytes& b) { PutLe32(b, textRecord + 48, 0xFFFFFFF0); }, "too short"},
        {"no end record",
         [](Bytes& b) {
             b.resize(b.size() - 20);
             PutLe32(b, 48, static_cast<std::uint32_t>(b.size()));
         },
         "no end record"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes bytes = good;
        c.damage(bytes);
        EmfPlayer player;
        std::string error;
        EXPECT_FALSE(player.Load(bytes, &error));
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
        RecordingCanvas canvas;
        player.Play(canvas, {0, 0, 10, 10});
        EXPECT_TRUE(canvas.Lines().empty());
    }
}

TEST(EmfPlayer, RefusesHugePointCountsAndEveryTruncation)
{
    EmfBuilder b;
    b.Poly16(emf::kPolyline16, {{0, 0}, {5, 5}});
    Bytes bytes = b.Finish();
    PutLe32(bytes, emf::kHeaderSize - 20 + 24, 0x40000000); // count of the polyline
    std::string error;
    EmfPlayer player;
    EXPECT_FALSE(player.Load(bytes, &error));
    EXPECT_NE(error.find("too short"), std::string::npos) << error;

    // Every prefix of a good metafile is refused, never read past.
    EmfWriter writer;
    DrawSample(writer);
    const Bytes good = writer.Bytes();
    for (std::size_t n = 0; n < good.size(); ++n)
        ASSERT_FALSE(player.Load(std::span(good).first(n))) << n;
}

TEST(EmfPlayer, HeaderCornersAtTheEndsOfTheIntRangeAreKeptWithinPixels)
{
    EmfBuilder b;
    b.Record(emf::kMoveToEx, {0, 0});
    b.Record(emf::kLineTo, {10, 0});
    Bytes bytes = b.Finish();
    // Bounds over the whole int range, and a frame turned inside out so that the bounds count.
    PutLe32(bytes, 8, 0x80000000u);
    PutLe32(bytes, 16, 0x7FFFFFFFu);
    PutLe32(bytes, 24, 10);
    PutLe32(bytes, 32, 0);
    EmfPlayer player;
    ASSERT_TRUE(player.Load(bytes));
    EXPECT_EQ(player.PictureRect(), (CanvasRect{-1000000000, 0, 1000000000, 100}));
    RecordingCanvas canvas;
    player.Play(canvas, {0, 0, 200, 100}); // a tenth of a millionth of a pixel per unit: the middle
    EXPECT_EQ(canvas.Lines(), std::vector<std::string>{"line 100,0-100,0 pen=solid/1/#000000 rop=copy"});
}

// The independent reader: Debian's emf2svg converter.
TEST(EmfWriter, AnIndependentReaderFindsTheDrawnShapes)
{
    if (std::system("command -v emf2svg-conv >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "emf2svg-conv is not installed (package emf2svg)";
    EmfWriter writer;
    writer.FillRect(0, 0, 300, 200, kWhite);
    writer.SelectPen({PenStyle::Solid, 1, {255, 0, 0}});
    writer.Line(17, 23, 251, 23);
    writer.SelectPen({PenStyle::Solid, 1, kBlack});
    writer.SelectBrush({{0, 0, 255}, false});
    writer.Rectangle(40, 60, 140, 110);
    writer.SelectFont({std::string(kFixedFace), 14, 400});
    writer.TextOut(50, 150, "Pa\xB2s");
    const std::string emfPath = ORLU_BINARY_DIR "/canvas-emf2svg-check.emf";
    const std::string svgPath = ORLU_BINARY_DIR "/canvas-emf2svg-check.svg";
    std::string error;
    ASSERT_TRUE(writer.WriteFile(emfPath, &error)) << error;
    std::remove(svgPath.c_str());
    ASSERT_EQ(std::system(("emf2svg-conv -i '" + emfPath + "' -o '" + svgPath + "'").c_str()), 0);
    std::ifstream in(svgPath);
    std::stringstream svg;
    svg << in.rdbuf();
    const std::string text = svg.str();
    const auto has = [&](const char* pattern) { return std::regex_search(text, std::regex(pattern)); };
    EXPECT_TRUE(has("17(\\.0*)?,23(\\.0*)? L 251(\\.0*)?,23(\\.0*)?")) << text; // the line
    EXPECT_TRUE(has("#FF0000"));                                                 // in red
    EXPECT_TRUE(has("x=\"40(\\.0*)?\" y=\"60(\\.0*)?\" width=\"100(\\.0*)?\""));   // the rectangle
    EXPECT_TRUE(has("fill=\"#0000FF\""));                                         // filled blue
    EXPECT_TRUE(has("Courier New"));
    EXPECT_TRUE(has("Pa\xC2\xB2s")); // the text, as UTF-8
}

} // namespace
} // namespace orlu
