// What a measurement view selects in documents made from generated files: the
// channels it opens with and hands to the reports, the sub-file a merged
// document decodes before a build, record counts and band conversion between
// the octave sets, channel stepping, the one-record switch to the text form,
// and the enabling rules over the facts of decoded documents.

#include "document/DocumentTestSupport.h"
#include "presentation/view/FormBuilder.h"
#include "presentation/view/TextFormLayout.h"
#include "presentation/view/ViewCommandRules.h"
#include "presentation/view/ViewSelection.h"
#include "support/FourChannelFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace orlu {
namespace {

using fixture::CurrentFileSpec;
using fixture::FixtureBuilder;

constexpr std::uint8_t kKind525 = 45;
constexpr std::uint8_t kKind515Text = 43;
constexpr std::uint8_t kKindFourChannel = 42;
constexpr std::uint8_t kKindMerged525 = 55;

FixtureBuilder Container(std::uint8_t kind, const std::vector<std::uint8_t>& file)
{
    FixtureBuilder b;
    b.ContainerHeader(kind).Bytes(file);
    return b;
}

FixtureBuilder CurrentFile(const CurrentFileSpec& spec, std::uint8_t kind = kKind525)
{
    return Container(kind, fixture::CurrentMeasurementFile(spec));
}

FixtureBuilder FourChannelFile(int channels)
{
    return Container(kKindFourChannel, fixture::FourChannelMeasurementFile(fixture::MakeFourChannelSpec(545, 217, channels, 1)));
}

// A logger of `rows` rows; with `thirdOctaves` each row holds a 1/3-octave spectrum of 31 bands and 3 totals.
CurrentFileSpec LoggerSpec(std::uint32_t rows, bool thirdOctaves)
{
    CurrentFileSpec spec;
    spec.profiles[0].bufferWord = 3;
    spec.rowWords = 1;
    if (thirdOctaves) {
        spec.function = 3;
        spec.spectraInBuffer = 1;
        spec.bands = 31;
        spec.bandExtras = 3;
        spec.lowestBand = 200;
        spec.rowWords = 1 + 31 + 3 + 1; // the logged result, the bands and one word
    }
    spec.rows = rows;
    spec.declaredCount = rows;
    return spec;
}

std::vector<std::string> Texts(const LineList& lines)
{
    std::vector<std::string> out;
    for (std::string_view l : lines)
        out.emplace_back(LineText(l));
    return out;
}

class ViewSelection : public DocumentTest {
protected:
    ViewSelection() : builder(renderers, settings) {}

    std::unique_ptr<CTmDoc> OpenFile(const std::string& name, const FixtureBuilder& file)
    {
        auto doc = Open(Write(name, file));
        OpenView(view, *doc);
        return doc;
    }
    void Select(CTmDoc& doc, int id) { builder.SelectViewKind(view, doc, *FindViewCommand(id)); }

    AppSettings settings;
    FormRendererRegistry renderers;
    FormBuilder builder;
    MeasurementViewState view;
};

TEST_F(ViewSelection, OpeningTakesTheDocumentsChannelsAndFirstRecord)
{
    struct Case {
        const char* what;
        FixtureBuilder file;
        std::uint16_t channels;
        std::int32_t subfile;
        std::int32_t stepping;
        std::int32_t lastRecord;
        const char* subfileName;
    };
    const Case cases[] = {
        {"level meter: three profiles", CurrentFile({}), 0x7, 0, 0, 1, ""},
        {"four channels", FourChannelFile(4), 0xF, 0, 0, 1, ""},
        {"two channels", FourChannelFile(2), 0x3, 0, 0, 1, ""},
        {"Multifile of three files", fixture::Multifile(kKindMerged525, fixture::GeneratedMultifileMembers(3)), 0x7, 1,
         1, 3, "FILE1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MeasurementViewState fresh;
        auto doc = Open(Write("open.orl", c.file));
        OpenView(fresh, *doc);
        EXPECT_EQ(fresh.AvailableChannels, c.channels);
        EXPECT_EQ(fresh.SelectedChannels, c.channels);
        EXPECT_EQ(fresh.SubFileNumber, c.subfile);
        EXPECT_EQ(fresh.CurrentRecordPtr, &fresh.SubFileNumber);
        EXPECT_EQ(fresh.RecordStepping, c.stepping);
        EXPECT_EQ(fresh.LastRecord, c.lastRecord);
        EXPECT_EQ(fresh.SubFileName, c.subfileName);
        EXPECT_TRUE(doc->HeaderDecoded());
    }
}

TEST_F(ViewSelection, MainResultsTableShowsTheChannelsTheViewSelects)
{
    RegisterReportRenderers(renderers);
    auto doc = OpenFile("profiles.orl", CurrentFile({}));
    Select(*doc, 32780);
    builder.BuildTableForm(view, *doc);
    // Header info and Main results offer every profile of the header.
    EXPECT_EQ(view.SelectedChannels, 0x7);
    const std::vector<std::string> all = Texts(view.Lines);

    // Profile 2 left out: one row fewer, the others as they were.
    view.SelectedChannels = 0x5;
    builder.BuildTableForm(view, *doc);
    const std::vector<std::string> two = Texts(view.Lines);
    ASSERT_EQ(two.size() + 1, all.size());
    for (const std::string& line : two)
        EXPECT_NE(std::find(all.begin(), all.end(), line), all.end()) << line;
    // The Main results command takes the header's profiles again.
    Select(*doc, 32780);
    EXPECT_EQ(view.SelectedChannels, 0x7);
}

TEST_F(ViewSelection, ANewViewOpensOnTheFirstFormThatShowsSomething)
{
    // Header info comes first when its report exists; without it the Main
    // results (a Multifile's too, merged).
    const auto header = [](FormRequest& r) {
        ClearLineList(&r.Lines);
        std::string line = "header";
        AddLine(r.Lines, line, &r.WidestLine);
    };
    enum class Header { Program, Test, None };
    struct Case {
        const char* what;
        FixtureBuilder file;
        Header headerReport;
        std::uint8_t kind;
    };
    const Case cases[] = {
        {"program's header report", CurrentFile({}), Header::Program, kViewHeaderInfo},
        {"program's header report of a Multifile",
         fixture::Multifile(kKindMerged525, fixture::GeneratedMultifileMembers(3)), Header::Program, kViewHeaderInfo},
        {"header report", CurrentFile({}), Header::Test, kViewHeaderInfo},
        {"no header report", CurrentFile({}), Header::None, kViewMainResults},
        {"Multifile without header report", fixture::Multifile(kKindMerged525, fixture::GeneratedMultifileMembers(3)),
         Header::None, kViewMainResults},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FormRendererRegistry registry;
        RegisterReportRenderers(registry);
        if (c.headerReport == Header::Test)
            registry.Register(kViewHeaderInfo, FormChoice::Text, header);
        else if (c.headerReport == Header::None)
            registry.Register(kViewHeaderInfo, FormChoice::Text, FormRenderer{});
        const FormBuilder first(registry, settings);
        MeasurementViewState fresh;
        auto doc = Open(Write("first.orl", c.file));
        OpenView(fresh, *doc);
        first.OpenFirstForm(fresh, *doc);
        EXPECT_EQ(fresh.ViewKind, c.kind);
        std::string buffer;
        ASSERT_GT(fresh.ShownLines().LineCount(), 0u);
        EXPECT_NE(LineText(fresh.ShownLines().Line(0, buffer)), kFormNotAvailableText);
    }
}

TEST_F(ViewSelection, MergedDocumentDecodesTheSubfileThatHoldsTheKind)
{
    // FILE1 level meter with statistics, FILE2 FFT, FILE3 1/3 octave, FILE4 1/1 octave, FILE5 level meter.
    auto doc = OpenFile("multi.orl", fixture::Multifile(kKindMerged525, fixture::GeneratedMultifileMembers(5)));
    struct Seen {
        std::int32_t subfile = 0;
        std::uint16_t function = 0;
        std::string name;
    } seen;
    auto record = [&seen](FormRequest& r) {
        seen = {r.View.SubFileNumber, r.Doc.Header().function, r.View.SubFileName};
        ClearLineList(&r.Lines);
    };
    for (int kind : {kViewSpectra, kViewOctaves, kViewThirdOctaves, kViewMainResults})
        renderers.Register(static_cast<std::uint8_t>(kind), FormChoice::Text, record);

    struct Case {
        const char* what;
        int command;
        std::int32_t from;
        std::int32_t subfile;
        std::uint16_t function;
        const char* name;
        std::int32_t first;
        std::int32_t last;
    };
    const Case cases[] = {
        {"spectra from the first file move to the FFT file", 32785, 1, 2, 6, "FILE2", 2, 2},
        {"1/3 octaves from past the last file come back", 32787, 5, 3, 3, "FILE3", 3, 3},
        {"1/1 octaves from the first file move to the 1/1-octave file", 32786, 1, 4, 2, "FILE4", 4, 4},
        {"spectra on the FFT file stay", 32785, 2, 2, 6, "FILE2", 2, 2},
        {"Main results take any file", 32780, 5, 5, 1, "FILE5", 1, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        view.SubFileNumber = c.from;
        view.ChannelNumber = 2;
        view.Pages[static_cast<std::size_t>(FindViewCommand(c.command)->page)].Form = kFormText;
        Select(*doc, c.command);
        EXPECT_EQ(seen.subfile, c.subfile);
        EXPECT_EQ(seen.function, c.function);
        EXPECT_EQ(seen.name, c.name);
        EXPECT_EQ(view.FirstRecord, c.first);
        EXPECT_EQ(view.LastRecord, c.last);
        // A spectra view that moves to another file stands on its first channel.
        EXPECT_EQ(view.ChannelNumber, c.from != c.subfile && c.command != 32780 ? 1 : 2);
        EXPECT_EQ(doc->Channel().channel, view.ChannelNumber - 1);
    }
}

TEST(ViewRecordCount, RecordsAndBandConversionBetweenTheOctaveSets)
{
    // 30 regular 1/3-octave bands (10 regular 1/1) and 2 totals.
    const BandLayout thirds{32, 10, 30, 2, kBandOctave13, false, false};
    BandLayout accelerometer = thirds;
    accelerometer.totals = 3;
    accelerometer.values = 33;
    accelerometer.accelerometer = true;
    const BandLayout fft{401, 0, 0, 1, kBandFft, false, false};
    BandLayout fourChannelFft = fft;
    fourChannelFft.fourChannel = true;

    struct Case {
        const char* what;
        BandLayout bands;
        std::int16_t bandKind;
        std::uint8_t indexKind;
        std::int32_t bandIndex;
        std::int32_t aggregation;
        std::int16_t records;
        std::int32_t newIndex;
        std::uint8_t newIndexKind;
    };
    const Case cases[] = {
        {"1/3 band 7 becomes 1/1 band 2", thirds, kBandOctave11, kViewThirdOctaves, 7, 1, 12, 2, kViewOctaves},
        {"1/1 band 2 becomes 1/3 band 7", thirds, kBandOctave13, kViewOctaves, 2, 1, 32, 7, kViewThirdOctaves},
        {"a 1/3 total keeps its distance", thirds, kBandOctave11, kViewThirdOctaves, 31, 1, 12, 11, kViewOctaves},
        {"a 1/1 total keeps its distance", thirds, kBandOctave13, kViewOctaves, 10, 1, 32, 30, kViewThirdOctaves},
        {"same set: the index stays", thirds, kBandOctave13, kViewThirdOctaves, 7, 1, 32, 7, kViewThirdOctaves},
        {"no octave form yet: the index stays", thirds, kBandOctave11, kNoOctaveSet, 7, 1, 12, 7, kNoOctaveSet},
        {"accelerometers show one total of 1/1", accelerometer, kBandOctave11, kNoOctaveSet, 0, 1, 11, 0, kNoOctaveSet},
        {"accelerometers show one total of 1/3", accelerometer, kBandOctave13, kNoOctaveSet, 0, 1, 31, 0, kNoOctaveSet},
        {"FFT lines and the total line", fft, kBandFft, kNoOctaveSet, 0, 1, 402, 0, kNoOctaveSet},
        {"FFT lines aggregated by 4", fft, kBandFft, kNoOctaveSet, 0, 4, 102, 0, kNoOctaveSet},
        {"four-channel FFT without a total line", fourChannelFft, kBandFft, kNoOctaveSet, 0, 1, 401, 0, kNoOctaveSet},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MeasurementViewState view;
        view.BandKind = c.bandKind;
        view.OctaveIndexKind = c.indexKind;
        view.BandIndex = c.bandIndex;
        view.Aggregation = c.aggregation;
        CountRecords(view, c.bands);
        EXPECT_EQ(view.RecordCount, c.records);
        EXPECT_EQ(view.BandIndex, c.newIndex);
        EXPECT_EQ(view.OctaveIndexKind, c.newIndexKind);
        if (c.indexKind != c.newIndexKind) {
            EXPECT_EQ(view.GraphBandIndex, c.newIndex);
        }
    }

    // ConvertOctaveIndex goes to the document's own set and always sets the band number.
    MeasurementViewState view;
    view.OctaveIndexKind = kViewOctaves;
    view.BandIndex = 2;
    ConvertOctaveIndex(view, thirds);
    EXPECT_EQ(view.BandIndex, 7);
    EXPECT_EQ(view.BandNumber, 8);
    EXPECT_EQ(view.OctaveIndexKind, kViewThirdOctaves);
    ConvertOctaveIndex(view, thirds);
    EXPECT_EQ(view.BandIndex, 7);
}

TEST_F(ViewSelection, OctaveCommandsCountAndKeepTheFrequencyOfALoggedThirdOctaveFile)
{
    auto doc = OpenFile("thirds.orl", CurrentFile(LoggerSpec(4, true)));
    const BandLayout bands = BandLayoutOf(*doc);
    EXPECT_EQ(bands.values, 34);
    EXPECT_EQ(bands.thirdBands, 31);
    EXPECT_EQ(bands.octaveBands, 10);
    EXPECT_EQ(bands.totals, 3);
    Select(*doc, 32787); // Octaves 1/3
    EXPECT_EQ(view.BandKind, kBandOctave13);
    EXPECT_EQ(view.RecordCount, 34);
    EXPECT_EQ(view.OctaveIndexKind, kViewThirdOctaves);
    view.BandIndex = 13;
    Select(*doc, 32786); // Octaves 1/1: the band of the same centre
    EXPECT_EQ(view.RecordCount, 13);
    EXPECT_EQ(view.BandIndex, 4);
    EXPECT_EQ(view.OctaveIndexKind, kViewOctaves);
    Select(*doc, 32895); // time intersections of 1/3 octaves
    EXPECT_EQ(view.BandIndex, 13);
    EXPECT_EQ(view.OctaveIndexKind, kViewThirdOctaves);
}

TEST(ViewChannelStepping, FirstAndNextChannel)
{
    struct Case {
        const char* what;
        bool first; ///< SelectFirstChannel, else SelectNextChannel
        std::uint16_t available;
        std::uint16_t selected;
        std::int16_t channel;
        int count;
        std::uint16_t newSelected;
        std::int16_t newChannel;
    };
    const Case cases[] = {
        {"first: the lowest selected", true, 0xF, 0xC, 1, 4, 0x4, 3},
        {"first: a selection past the count falls back to the available", true, 0x6, 0x10, 1, 4, 0x2, 2},
        {"first: no channel at all is channel 1", true, 0, 0, 0, 3, 0x1, 1},
        {"next: a valid selection stays", false, 0xF, 0x4, 3, 4, 0x4, 3},
        {"next: an unavailable channel moves on", false, 0x9, 0x2, 2, 4, 0x8, 4},
        {"next: the search wraps around", false, 0x1, 0x4, 3, 4, 0x1, 1},
        {"next: channel 0 starts at the first", false, 0x6, 0, 0, 4, 0x2, 2},
        {"next: one channel changes nothing", false, 0x1, 0x1, 5, 1, 0x1, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MeasurementViewState view;
        view.AvailableChannels = c.available;
        view.SelectedChannels = c.selected;
        view.ChannelNumber = c.channel;
        if (c.first)
            SelectFirstChannel(view, c.count);
        else
            SelectNextChannel(view, c.count);
        EXPECT_EQ(view.SelectedChannels, c.newSelected);
        EXPECT_EQ(view.ChannelNumber, c.newChannel);
    }
    MeasurementViewState view;
    view.AvailableChannels = 0x1;
    view.SelectedChannels = 0x1;
    view.ChannelNumber = 1;
    SelectNextProfile(view, 1);
    EXPECT_EQ(view.SelectedChannels, 0x1);
}

TEST_F(ViewSelection, EnablingRulesOverDecodedDocuments)
{
    CurrentFileSpec older;
    older.deviceType = 515;
    older.firmware = 150;
    struct Case {
        const char* what;
        FixtureBuilder file;
        std::uint8_t modelFlags;
        int timeHistoryRecords;
        int spectrumRecords;
        int command; ///< the View command shown first, or 0 for Header info
        std::uint32_t form;
        int id;
        bool enabled;
    };
    using namespace form_flags;
    const Case cases[] = {
        {"older 515: model flag 1", CurrentFile(older, kKind515Text), 0x01, 0, 0, 32780, kText, 32801, false},
        {"525 results: no plot of Main results", CurrentFile({}), 0x04, 0, 0, 32780, kText, 32801, false},
        {"525 results: a table of them", CurrentFile({}), 0x04, 0, 0, 32780, kText, 32789, true},
        {"525 results: no Buffer item", CurrentFile({}), 0x04, 0, 0, 32780, kText, 32783, false},
        {"one logged record: the item", CurrentFile(LoggerSpec(1, false)), 0x04, 1, 0, 32783, kText, 32783, true},
        {"one logged record: no plot", CurrentFile(LoggerSpec(1, false)), 0x04, 1, 0, 32783, kText, 32801, false},
        {"many logged records: a plot", CurrentFile(LoggerSpec(6, false)), 0x04, 6, 0, 32783, kText, 32801, true},
        {"logged 1/3 octaves: intersections of them", CurrentFile(LoggerSpec(4, true)), 0x04, 4, 4, 32787, kText, 32895,
         true},
        {"logged 1/3 octaves: no FFT intersections", CurrentFile(LoggerSpec(4, true)), 0x04, 4, 4, 32787, kText, 32824,
         false},
        {"logged 1/3 octaves: a plot of intersections", CurrentFile(LoggerSpec(4, true)), 0x04, 4, 4, 32895, kText, 32801,
         true},
        {"four channels: model flag 6", FourChannelFile(4), 0x20, 0, 0, 32780, kText, 32801, false},
        {"four channels: a table of results", FourChannelFile(4), 0x20, 0, 0, 32780, kText, 32789, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MeasurementViewState fresh;
        auto doc = Open(Write("rules.orl", c.file));
        OpenView(fresh, *doc);
        builder.SelectViewKind(fresh, *doc, *FindViewCommand(c.command));
        fresh.FormFlags = (fresh.FormFlags & ~kFormBits) | c.form;
        const ViewDocumentFacts facts = FactsOf(*doc);
        EXPECT_EQ(facts.modelFlags, c.modelFlags);
        EXPECT_EQ(facts.timeHistoryRecords, c.timeHistoryRecords);
        EXPECT_EQ(facts.spectrumRecords, c.spectrumRecords);
        const auto ui = ViewCommandState(c.id, fresh, facts);
        ASSERT_TRUE(ui.has_value());
        EXPECT_EQ(ui->enabled, c.enabled);
    }
}

TEST_F(ViewSelection, TimeHistoryOfOneRecordOpensAsText)
{
    renderers.Register(kViewBufferLogger, FormChoice::Text, [](FormRequest& r) {
        ClearLineList(&r.Lines);
        std::string line = "one record";
        AddLine(r.Lines, line, &r.WidestLine);
    });
    {
        auto doc = OpenFile("one.orl", CurrentFile(LoggerSpec(1, false)));
        Select(*doc, 32783);
        EXPECT_TRUE(view.TextShown());
        EXPECT_EQ(Texts(view.Lines), (std::vector<std::string>{"one record"}));
    }
    MeasurementViewState graph;
    auto doc = Open(Write("two.orl", CurrentFile(LoggerSpec(2, false))));
    OpenView(graph, *doc);
    builder.SelectViewKind(graph, *doc, *FindViewCommand(32783));
    EXPECT_TRUE(graph.GraphShown());
}

TEST_F(ViewSelection, AReportMeetingTheEndOfTheFileKeepsItsLines)
{
    auto doc = OpenFile("broken.orl", CurrentFile({}));
    renderers.Register(kViewMainResults, FormChoice::Text, [](FormRequest& r) {
        ClearLineList(&r.Lines);
        std::string line = "written before the end";
        AddLine(r.Lines, line, &r.WidestLine);
        throw ImageRangeError("past the image");
    });
    Select(*doc, 32780);
    EXPECT_EQ(Texts(view.Lines), (std::vector<std::string>{"written before the end"}));
    EXPECT_EQ(view.FirstLine, 0);
}

TEST_F(ViewSelection, CutSettingsAndResultsRecordsNeverLeaveAnEmptyPage)
{
    // The header report reads what the records hold; main results without
    // their levels have no row, and the page says so.
    RegisterReportRenderers(renderers);
    const struct Case {
        const char* name;
        std::uint16_t settingsWords, resultsWords;
        std::string_view mainResults; ///< the first line of the main results page that is not blank
    } cases[] = {
        {"settings of date, time and function only", 4, 14, "Main results:"},
        {"results of their time only", 40, 3, kFormEmptyText},
        {"results of the type word alone", 40, 1, kFormEmptyText},
        {"both cut", 4, 1, kFormEmptyText},
    };
    auto firstLine = [](const std::vector<std::string>& lines) {
        const auto it = std::find_if(lines.begin(), lines.end(),
                                     [](const std::string& l) { return l.find_first_not_of(' ') != std::string::npos; });
        return it == lines.end() ? std::string() : *it;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CurrentFileSpec spec;
        spec.measurementRecordWords = c.settingsWords;
        spec.resultsRecordWords = c.resultsWords;
        auto doc = OpenFile("cut.orl", CurrentFile(spec));
        Select(*doc, 32781);
        EXPECT_EQ(firstLine(Texts(view.Lines)), "Header information:");
        Select(*doc, 32780);
        EXPECT_EQ(firstLine(Texts(view.Lines)), c.mainResults);
    }
}

TEST_F(ViewSelection, AReportThatMeetsTheEndBeforeItsFirstLineSaysWhy)
{
    auto doc = OpenFile("broken.orl", CurrentFile({}));
    renderers.Register(kViewMainResults, FormChoice::Text, [](FormRequest&) { throw ImageRangeError("past the image"); });
    Select(*doc, 32780);
    EXPECT_EQ(Texts(view.Lines), (std::vector<std::string>{std::string(kFormDamagedText)}));
}

} // namespace
} // namespace orlu
