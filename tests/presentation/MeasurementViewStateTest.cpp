// The measurement view without a window: pages kept across kinds and forms,
// the form builders over registered renderers, the table header rewrite, the
// enabling rules of the View items and form buttons, the marked block and
// the scrolling of the text forms.

#include "document/image/PagedFileImage.h"
#include "presentation/view/FormBuilder.h"
#include "presentation/view/TextFormLayout.h"
#include "presentation/view/ViewCommandRules.h"
#include "support/ScriptedInteraction.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orlu {
namespace {

std::vector<std::string> Texts(const LineList& lines)
{
    std::vector<std::string> out;
    for (std::string_view l : lines)
        out.emplace_back(LineText(l));
    return out;
}

void Fill(LineList& lines, std::initializer_list<std::string_view> texts, std::int32_t* widest)
{
    for (std::string_view t : texts) {
        std::string line(t);
        AddLine(lines, line, widest);
    }
}

class ViewFixture : public ::testing::Test {
protected:
    ViewFixture() : m_Doc(m_App), m_Builder(m_Renderers, m_Settings) {}

    void Select(int commandId) { m_Builder.SelectViewKind(m_View, m_Doc, *FindViewCommand(commandId)); }

    ScriptedInteraction m_Ui;
    AppContext m_App{m_Ui};
    CTmDoc m_Doc;
    AppSettings m_Settings;
    FormRendererRegistry m_Renderers;
    FormBuilder m_Builder;
    MeasurementViewState m_View;
};

TEST_F(ViewFixture, SwitchingKindsAndFormsAndBackRestoresEachPage)
{
    Select(32781); // Header info, text by default
    EXPECT_EQ(m_View.CurrentPageIndex(), 0);
    EXPECT_TRUE(m_View.TextShown());
    m_Builder.BuildTableForm(m_View, m_Doc);
    m_View.FirstLine = 7;
    m_View.FirstColumn = 3;
    m_View.CursorIndex = 4;
    m_View.WindowStart = 9;
    m_View.Aggregation = 5;

    Select(32785); // Spectra: its own page, a graph by default with aggregation up to 20
    EXPECT_EQ(m_View.CurrentPageIndex(), 8);
    EXPECT_TRUE(m_View.GraphShown());
    EXPECT_EQ(m_View.FormKind, kFormGraphKept); // built as a graph
    EXPECT_EQ(m_View.MaxAggregation, 20);
    EXPECT_EQ(m_View.Aggregation, 1);
    EXPECT_EQ(m_View.CursorIndex, 0);
    m_View.CursorIndex = 11;

    // Back on Header info: the page comes back as left, the form rebuilt in
    // the page's form (which puts the text back at its top); the window start
    // is not kept and returns as the default.
    m_View.SwitchPageState(0);
    EXPECT_EQ(m_View.FormKind, kFormTable);
    EXPECT_EQ(m_View.FirstLine, 7);
    EXPECT_EQ(m_View.FirstColumn, 3);
    EXPECT_EQ(m_View.CursorIndex, 4);
    EXPECT_EQ(m_View.Aggregation, 5);
    EXPECT_EQ(m_View.WindowStart, 0);
    m_View.SwitchPageState(8);
    EXPECT_EQ(m_View.CursorIndex, 11);
}

TEST(ViewPages, DefaultsFirstSwitchAndSharedLevelsPage)
{
    MeasurementViewState view;
    // The first switch of a new view saves nothing.
    view.FirstLine = 42;
    view.SwitchPageState(21);
    EXPECT_EQ(view.Pages[0].FirstLine, 0);
    // The User's filters page: text form, cursor on, aggregation 1, the rest 0.
    EXPECT_EQ(view.FormKind, kFormText);
    EXPECT_EQ(view.CursorOn, 1);
    EXPECT_EQ(view.Aggregation, 1);
    EXPECT_EQ(view.MaxAggregation, 0);
    EXPECT_EQ(view.FirstLine, 0);
    EXPECT_EQ(view.Profile, 0);

    // Octave levels 1/1 and 1/3 share one page; the histograms variants do not.
    EXPECT_EQ(FindViewCommand(32888)->page, FindViewCommand(32891)->page);
    EXPECT_NE(FindViewCommand(32887)->page, FindViewCommand(32890)->page);
    for (const ViewCommand& c : ViewCommands())
        EXPECT_LT(c.page, kPageCount) << c.id;
}

TEST_F(ViewFixture, FormBuildersCallTheRegisteredRendererWithTheTableOptions)
{
    std::vector<TableOutputOptions> seen;
    m_Renderers.Register(kViewMainResults, FormChoice::Text, [](FormRequest& r) {
        ClearLineList(&r.Lines);
        Fill(r.Lines, {"Main results", "Leq 80.1 dB"}, &r.WidestLine);
    });
    m_Renderers.Register(kViewBufferLogger, FormChoice::Table, [&seen](FormRequest& r) {
        seen.push_back(r.Options);
        Fill(r.Lines, {"row"}, &r.WidestLine);
        r.TableContentKind = 2;
    });
    m_Settings.DecyPoint = 1;
    m_Settings.SeparatorChar = 2;
    m_Settings.ScFormForMR = 1;
    m_Settings.ClipBlockMarkMode = kBlockBox;

    Select(32783);
    m_View.FirstLine = 5;
    for (int press = 0; press < 4; ++press)
        m_Builder.OnTableForm(m_View, m_Doc);
    ASSERT_EQ(seen.size(), 4u);
    // The first press builds the table, each further press steps its layout.
    EXPECT_EQ(seen[0].FormatFlag, 0);
    EXPECT_EQ(seen[3].FormatFlag, 3);
    EXPECT_EQ(seen[3].DecimalIndex, 1);
    EXPECT_EQ(seen[3].SeparatorIndex, 2);
    EXPECT_EQ(m_View.TableSeparatorIndex(), 2);
    EXPECT_EQ(form_flags::Field(m_View.FormFlags, form_flags::kDecimalShift, 1), 1u);
    EXPECT_EQ(m_View.FirstLine, 0);
    EXPECT_EQ(Texts(m_View.Lines), (std::vector<std::string>{"row"}));
    EXPECT_EQ(m_View.TableVariantByKind[kViewBufferLogger], 3);
    Select(32780);
    EXPECT_EQ(Texts(m_View.Lines), (std::vector<std::string>{"Main results", "Leq 80.1 dB"}));
    EXPECT_EQ(m_View.FormFlags & form_flags::kFormBits, form_flags::kText);
    EXPECT_EQ(m_View.BlockMode(), kBlockBox);
    // No Main results table yet: the form says so rather than showing anything else.
    m_Builder.BuildTableForm(m_View, m_Doc);
    EXPECT_EQ(Texts(m_View.Lines), (std::vector<std::string>{std::string(kFormNotAvailableText)}));
    EXPECT_EQ(m_View.TableVariant, 1); // Main results take the ScFormForMR format

}

TEST_F(ViewFixture, RenderersOfTheDocumentsFamilyComeBeforeThoseOfEveryFamily)
{
    const auto say = [](const char* text) {
        return [text](FormRequest& r) {
            ClearLineList(&r.Lines);
            Fill(r.Lines, {text}, &r.WidestLine);
        };
    };
    // A document without a file shows as bytes only (the Hexa-only family).
    m_Renderers.Register(kViewMainResults, FormChoice::Text, say("every family"));
    m_Renderers.Register(kViewMainResults, FormChoice::Text, say("current family"), KindFamily::Current);
    Select(32780);
    EXPECT_EQ(Texts(m_View.Lines), (std::vector<std::string>{"every family"}));
    m_Renderers.Register(kViewMainResults, FormChoice::Text, say("bytes only"), KindFamily::HexaOnly);
    m_Builder.BuildTextForm(m_View, m_Doc);
    EXPECT_EQ(Texts(m_View.Lines), (std::vector<std::string>{"bytes only"}));
    // A family's table does not hide the text of every family.
    m_Renderers.Register(kViewHeaderInfo, FormChoice::Text, say("header"));
    m_Renderers.Register(kViewHeaderInfo, FormChoice::Table, say("header table"), KindFamily::HexaOnly);
    EXPECT_NE(m_Renderers.Find(kViewHeaderInfo, FormChoice::Text, KindFamily::HexaOnly), nullptr);
    EXPECT_EQ(m_Renderers.Find(kViewHeaderInfo, FormChoice::Table, KindFamily::Current), nullptr);
}

TEST_F(ViewFixture, GraphDataRunsOncePerSelectedPanelAndLeavesOutADamagedOne)
{
    std::vector<int> called;
    m_Renderers.RegisterGraphData(kViewBufferLogger, [&called](GraphDataRequest& r) {
        called.push_back(r.Panel);
        if (r.Panel == 3)
            throw ImageRangeError("past the end");
        r.Data.PanelTitles[static_cast<std::size_t>(r.Panel)] = "panel " + std::to_string(r.Panel);
        return r.Panel != 2;
    });
    m_Renderers.RegisterGraphData(kViewBufferLogger, [](GraphDataRequest&) { return true; }, KindFamily::Current);
    m_View.ViewKind = kViewBufferLogger;
    PlotData data;
    m_View.SelectedChannels = 0x1D; // panels 0, 2, 3 and 4
    EXPECT_EQ(m_Builder.BuildGraphData(m_View, m_Doc, data), 0x11);
    EXPECT_EQ(called, (std::vector<int>{0, 2, 3, 4}));
    EXPECT_EQ(data.PanelTitles[4], "panel 4");
    // Without a selection the kind draws one panel.
    called.clear();
    m_View.SelectedChannels = 0;
    EXPECT_EQ(m_Builder.BuildGraphData(m_View, m_Doc, data), 0x01);
    EXPECT_EQ(called, (std::vector<int>{0}));
    // A kind without graph data fills nothing.
    m_View.ViewKind = kViewMainResults;
    EXPECT_EQ(m_Builder.BuildGraphData(m_View, m_Doc, data), 0);
}

TEST_F(ViewFixture, TableWithHeaderInfoInsertedAndKindsWithoutTables)
{
    m_Renderers.Register(kViewHeaderInfo, FormChoice::Text, [](FormRequest& r) {
        ClearLineList(&r.Lines);
        Fill(r.Lines, {"Device type ........... ORLU 550", "------", "Upper limit of the level shown: 120.0 dB", "b", "c",
                       "Range: 30.0 dB to 120.0 dB in five steps of 10.0 dB"},
             &r.WidestLine);
    });
    m_Renderers.Register(kViewSpectra, FormChoice::Table,
                         [](FormRequest& r) { Fill(r.Lines, {"table"}, &r.WidestLine); });
    m_Settings.DecyPoint = 1;
    m_View.InsertHeaderInfo = 1;
    m_Doc.SetFileKind(44);
    Select(32785);
    m_Builder.BuildTableForm(m_View, m_Doc);
    EXPECT_EQ(Texts(m_View.Lines),
              (std::vector<std::string>{"Device_type_____________ORLU_550", "______",
                                        "Upper_limit_of_the_level_shown:_120,0_dB", "b", "c",
                                        "Range:_30_0_dB_to_120_0_dB_in_five_steps_of_", "", "table"}));
    // Header info has text only: its table form is the inserted header alone.
    Select(32781);
    m_Builder.BuildTableForm(m_View, m_Doc);
    EXPECT_EQ(m_View.Lines.Size(), 7u);
}

TEST_F(ViewFixture, HeaderIsInsertedAboveTablesOfSingleFilesOnly)
{
    m_Renderers.Register(kViewHeaderInfo, FormChoice::Text, [](FormRequest& r) {
        ClearLineList(&r.Lines);
        Fill(r.Lines, {"Device type ORLU 550"}, &r.WidestLine);
    });
    m_Renderers.Register(kViewSpectra, FormChoice::Table,
                         [](FormRequest& r) { Fill(r.Lines, {"table"}, &r.WidestLine); });
    m_View.InsertHeaderInfo = 1;
    struct Case {
        std::uint8_t fileKind;
        bool header;
    };
    // Legacy, 505 and current-family files take the header; Multifiles and
    // MONITOR files show the table alone.
    const Case cases[] = {{3, true},   {10, true},  {4, true},   {11, true},  {44, true},
                          {23, false}, {24, false}, {55, false}, {60, false}, {80, false}};
    for (const Case& c : cases) {
        m_Doc.SetFileKind(c.fileKind);
        Select(32785);
        m_Builder.BuildTableForm(m_View, m_Doc);
        const std::vector<std::string> expected =
            c.header ? std::vector<std::string>{"Device_type_ORLU_550", "", "table"}
                     : std::vector<std::string>{"table"};
        EXPECT_EQ(Texts(m_View.Lines), expected) << int(c.fileKind);
    }
}

TEST(ViewCommandRules, FormButtonsAndViewItems)
{
    struct Case {
        const char* what;
        std::uint8_t kind;
        std::uint32_t shownForm;
        std::uint8_t tableContent;
        ViewDocumentFacts doc;
        int id;
        bool enabled;
        bool checked;
    };
    const ViewDocumentFacts plain{0x1003, 45, 0, false, 0, 0, false, false};
    const ViewDocumentFacts monitor{0x1003, 80, 0, false, 0, 0, false, false};
    const ViewDocumentFacts withModel{0x1003, 45, 0x4, true, 3, 1, true, false};
    const ViewDocumentFacts analyzer{0x1003, 4, 0, false, 0, 0, false, false};
    const ViewDocumentFacts merged505{0x1003, 24, 0, false, 0, 0, false, false};
    using namespace form_flags;
    const Case cases[] = {
        {"Text off while text is shown", kViewMainResults, kText, 0, plain, 32790, false, true},
        {"Text on from the table", kViewMainResults, kTable, 1, plain, 32790, true, false},
        {"Text never for Hexa", kViewHexa, kHex, 0, plain, 32790, false, true},
        {"Table from the text form", kViewMainResults, kText, 0, plain, 32789, true, false},
        {"Table not for Header info", kViewHeaderInfo, kText, 0, plain, 32789, false, false},
        {"Table on a Main results table", kViewMainResults, kTable, 1, plain, 32789, false, true},
        {"Table on a densities table", kViewDensities, kTable, 2, plain, 32789, true, true},
        {"Table of MONITOR histograms", kViewHistograms, kTable, 1, monitor, 32789, true, true},
        {"Text of MONITOR spectra", kViewSpectra, kTable, 1, monitor, 32790, false, false},
        {"Third octaves by channel with records", kViewThirdOctaves, kText, 0, withModel, 32789, false, false},
        {"Plot never for Main results", kViewMainResults, kText, 0, plain, 32801, false, false},
        {"Plot of spectra", kViewSpectra, kText, 0, withModel, 32801, true, false},
        {"Plot of one-record time history", kViewBufferLogger, kText, 0, withModel, 32801, false, false},
        {"Plot of header info with model flags", kViewHeaderInfo, kText, 0, withModel, 32801, false, false},
        // The ORLU 505 files draw their band statistics; a Multifile of them has no such graph.
        {"Plot of 505 histograms", kViewHistograms, kText, 0, analyzer, 32801, true, false},
        {"Plot of 505 densities", kViewDensities, kText, 0, analyzer, 32801, true, false},
        {"Plot of 505 Multifile histograms", kViewHistograms, kText, 0, merged505, 32801, false, false},
        {"Plot of 505 Multifile densities", kViewDensities, kText, 0, merged505, 32801, false, false},
        {"Plot of 505 Multifile levels", kViewStatisticalLevels, kText, 0, merged505, 32801, false, false},
        {"Main results item by ViewMask", kViewMainResults, kText, 0, plain, 32780, true, true},
        {"Spectra item without the bit", kViewHeaderInfo, kText, 0, plain, 32785, false, false},
        {"Hexa item", kViewHeaderInfo, kText, 0, plain, 32778, true, false},
        {"Statistics item follows the statistics", kViewHeaderInfo, kText, 0, withModel, 32888, true, false},
    };
    for (const Case& c : cases) {
        MeasurementViewState view;
        view.ViewKind = c.kind;
        view.FormFlags = c.shownForm;
        view.TableContentKind = c.tableContent;
        auto ui = ViewCommandState(c.id, view, c.doc);
        ASSERT_TRUE(ui.has_value()) << c.what;
        EXPECT_EQ(ui->enabled, c.enabled) << c.what;
        EXPECT_EQ(ui->checked, c.checked) << c.what;
    }
    MeasurementViewState view;
    EXPECT_FALSE(ViewCommandState(57601, view, plain).has_value());
}

TEST(ViewHeaderRewrite, DotsBlanksAndDashes)
{
    LineList header;
    Fill(header, {"Leq ....... 81.5 dB", "-- x --", "x", "x", "x", std::string(50, 'y')}, nullptr);
    LineList out;
    RewriteHeaderForTable(header, 0, out, nullptr);
    EXPECT_EQ(Texts(out)[0], "Leq_________81_5_dB");
    EXPECT_EQ(Texts(out)[1], "_______");
    EXPECT_EQ(Texts(out)[5].size(), 44u);
}

// A small table with ';' separators, marked from (column, line) corners.
class BlockFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        Fill(m_View.Lines, {"Time;LAeq;LAmax;LCpeak", "10:00:00;81,5;90,1;110,2", "10:00:01;80,2;88,0;108,0"},
             &m_View.WidestLine);
        m_View.CharWidth = 8;
        m_View.LineHeight = 16;
    }
    void Mark(int ax, int ay, int ex, int ey, std::uint32_t form, std::uint8_t mode, std::uint8_t separator = 2)
    {
        using namespace form_flags;
        m_View.FormFlags = WithField(WithField(form, kBlockModeShift, 2, mode), kSeparatorShift, 3, separator);
        m_View.BlockAnchor = {ax * 8 + 3, ay * 16 + 5};
        m_View.BlockEnd = {ex * 8 + 3, ey * 16 + 5};
        NormalizeBlock(m_View);
    }
    std::string Marked(int line)
    {
        std::string_view text = LineText(m_View.Lines[static_cast<std::size_t>(line)]);
        ColumnSpan span = BlockHighlight(m_View, line, text);
        if (span.start >= span.end)
            return "";
        return std::string(text.substr(static_cast<std::size_t>(span.start),
                                       static_cast<std::size_t>(std::min<int>(span.end, int(text.size())) - span.start)));
    }
    MeasurementViewState m_View;
};

TEST_F(BlockFixture, BoxInATableCoversWholeFields)
{
    // From inside LAeq on line 1 to inside LAmax on line 2: whole fields, on both lines only.
    Mark(11, 1, 16, 2, form_flags::kTable, kBlockBox);
    EXPECT_EQ(m_View.BlockStartField, 1);
    EXPECT_EQ(m_View.BlockEndField, 2);
    EXPECT_EQ(Marked(0), "");
    EXPECT_EQ(Marked(1), "81,5;90,1");
    EXPECT_EQ(Marked(2), "80,2;88,0");
    // Full columns: the same fields on every line of the form.
    Mark(11, 1, 16, 2, form_flags::kTable, kBlockFullColumns);
    EXPECT_EQ(Marked(0), "LAeq;LAmax");
}

TEST_F(BlockFixture, UpwardStreamSwapsLinesAndColumnsTogetherBoxOrdersColumns)
{
    Mark(5, 2, 2, 0, form_flags::kText, kBlockStream);
    EXPECT_EQ(m_View.BlockStart, (ViewPoint{2, 0}));
    EXPECT_EQ(m_View.BlockStop, (ViewPoint{5, 2}));
    EXPECT_EQ(Marked(0), "me;LAeq;LAmax;LCpeak"); // start line: to the window edge
    EXPECT_EQ(Marked(1), "10:00:00;81,5;90,1;110,2");
    EXPECT_EQ(Marked(2), "10:00:"); // stop line: through the stop column
    Mark(5, 2, 2, 0, form_flags::kText, kBlockBox);
    EXPECT_EQ(m_View.BlockStart, (ViewPoint{2, 0}));
    EXPECT_EQ(m_View.BlockStop, (ViewPoint{5, 2}));
    EXPECT_EQ(Marked(1), ":00");
    // No block when the corners meet.
    Mark(3, 1, 3, 1, form_flags::kText, kBlockBox);
    EXPECT_EQ(m_View.BlockMarked, 0);
}

TEST_F(BlockFixture, BlankRunsCountOnceAndABoxTakesItsWidthFromItsLastThreeLines)
{
    // Fixed 10-character columns (separator index 6): a run of blanks is one separator.
    ClearLineList(&m_View.Lines);
    Fill(m_View.Lines, {"Time      LAeq      LAmax     LCpeak", "10:00:00  81.5      90.1      110.2",
                        "10:00:01  80.2      88.0      108.0", "end"},
         &m_View.WidestLine);
    Mark(12, 1, 21, 2, form_flags::kTable, kBlockBox, 6);
    EXPECT_EQ(m_View.BlockSeparator, ' ');
    EXPECT_EQ(m_View.BlockStartField, 1);
    EXPECT_EQ(m_View.BlockEndField, 2);
    EXPECT_EQ(Marked(1), "81.5      90.1");
    EXPECT_EQ(Marked(2), "80.2      88.0");
    // The stop line "end" holds no separator; the lines above it within the
    // block still give the box its last field.
    Mark(12, 1, 21, 3, form_flags::kTable, kBlockBox, 6);
    EXPECT_EQ(m_View.BlockEndField, 2);
    EXPECT_EQ(Marked(2), "80.2      88.0");
    // Full lines: every line between the corners, whole.
    Mark(12, 1, 21, 2, form_flags::kTable, kBlockFullLines, 6);
    EXPECT_EQ(Marked(1), "10:00:00  81.5      90.1      110.2");
    EXPECT_EQ(Marked(3), "");
}

TEST_F(BlockFixture, TabTableMarksTheFieldsUnderTheScreenColumnsAndShowsThemThere)
{
    ClearLineList(&m_View.Lines);
    m_View.WidestLine = 0;
    Fill(m_View.Lines, {"Time\tLAeq\tSEL\tLn", "10:00:00\t81.5\t107.8\t1", "10:00:01\t80.2\t106.0\t12"},
         &m_View.WidestLine);
    m_View.FormFlags = form_flags::kTable; // separator index 0: TAB
    LayOutTabColumns(m_View);
    std::string buffer;
    ASSERT_EQ(ScreenLineAt(m_View, 0, buffer).text, "Time      LAeq  SEL    Ln");
    // A box from the start of the LAeq column to inside the SEL column: those
    // two fields on every line, whatever their byte positions.
    Mark(10, 0, 17, 2, form_flags::kTable, kBlockBox, 0);
    EXPECT_EQ(m_View.BlockStartField, 1);
    EXPECT_EQ(m_View.BlockEndField, 2);
    EXPECT_EQ(Marked(0), "LAeq\tSEL");
    EXPECT_EQ(Marked(1), "81.5\t107.8");
    // On screen the highlight covers the same fields in their columns.
    const ScreenLine line = ScreenLineAt(m_View, 1, buffer);
    EXPECT_EQ(line.text.substr(static_cast<std::size_t>(line.block.start),
                               static_cast<std::size_t>(line.block.end - line.block.start)),
              "81.5  107.8");
    // The last column is markable.
    Mark(23, 1, 24, 2, form_flags::kTable, kBlockBox, 0);
    EXPECT_EQ(m_View.BlockStartField, 3);
    EXPECT_EQ(Marked(2), "12");
    // A stream over two lines: the corners' screen columns become each line's own characters.
    Mark(10, 0, 18, 1, form_flags::kTable, kBlockStream, 0);
    EXPECT_EQ(Marked(0), "LAeq\tSEL\tLn");
    EXPECT_EQ(Marked(1), "10:00:00\t81.5\t107");
    const ScreenLine stop = ScreenLineAt(m_View, 1, buffer);
    EXPECT_EQ(stop.block, (ColumnSpan{0, 19}));

    // Scrolled to the end, the window shows the last screen column of the widest row.
    const TextScrollInfo info = TextScrollRanges(m_View, 79, 160); // 10 columns
    ScrollText(m_View, false, ScrollCode::Bottom, 0, info);
    EXPECT_EQ(m_View.FirstColumn + info.hPage, 25);
    // Other separators keep one screen column per character.
    m_View.FormFlags = form_flags::WithField(form_flags::kTable, form_flags::kSeparatorShift, 3, 2);
    LayOutTabColumns(m_View);
    EXPECT_TRUE(m_View.TabColumns.Empty());
    EXPECT_EQ(ScreenLineAt(m_View, 0, buffer).text, "Time\tLAeq\tSEL\tLn");
}

TEST(TextScrolling, RangesStepsAndClamps)
{
    MeasurementViewState view;
    for (int i = 0; i < 100; ++i)
        Fill(view.Lines, {"0123456789012345678901234567890123456789"}, &view.WidestLine);
    view.CharWidth = 10;
    view.LineHeight = 20;
    const TextScrollInfo info = TextScrollRanges(view, 199, 199); // 20 columns, 10 lines
    EXPECT_EQ(info.vPage, 10);
    EXPECT_EQ(info.hPage, 20);
    ScrollText(view, true, ScrollCode::PageDown, 0, info);
    EXPECT_EQ(view.FirstLine, 10);
    ScrollText(view, true, ScrollCode::LineUp, 0, info);
    EXPECT_EQ(view.FirstLine, 9);
    ScrollText(view, true, ScrollCode::Bottom, 0, info);
    EXPECT_EQ(view.FirstLine, 91); // the last page ends on the last line
    ScrollText(view, true, ScrollCode::Track, -5, info);
    EXPECT_EQ(view.FirstLine, 0);
    ScrollText(view, false, ScrollCode::Bottom, 0, info);
    EXPECT_EQ(view.FirstColumn, 20); // widest line 42 with CR LF: range end 39
}

} // namespace
} // namespace orlu
