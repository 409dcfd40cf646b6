// Writes the generated seeds of the fuzz targets into OUT/<target>/, one
// file per seed under a name that says what it is:
//
//   container  measurement files of the fixture builder (current family,
//              four-channel, Multifiles), those the damaged-file tests build
//              (broken chains, cut files, damaged words, malformed containers),
//              and a few over 100 KB so that large blocks and long loggers are
//              reached
//   setup505   ANALYZER-mode instrument files of every function, single and
//              four-channel, with zoom, time history and histograms
//   ini        the program's own settings file and hand-written profiles
//   emf        metafiles of the program's writer and of other programs
//   bmp        .bmp files of the program's writer, with and without a palette
//   plotstate  plot states of the fixture (loggers with a block, one marker,
//              the rotation panel, other sizes, CRLF lines) and refused ones
//
// scripts/fuzz seeds names them by content and adds the new ones to the corpora.

#include "platform/IniProfile.h"
#include "platform/canvas/BmpFile.h"
#include "support/BmpFixture.h"
#include "platform/canvas/EmfFormat.h"
#include "platform/canvas/EmfWriter.h"
#include "platform/canvas/LittleEndian.h"
#include "presentation/AppSettings.h"
#include "support/Analyzer505Fixture.h"
#include "support/DamageSamples.h"
#include "support/EmfBuilder.h"
#include "support/FixtureBuilder.h"
#include "support/FourChannelFixture.h"
#include "support/LegacyFixture.h"
#include "support/MixedMultifile.h"
#include "support/PlotFixture.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace orlu;
using fixture::FixtureBuilder;
using Bytes = std::vector<std::uint8_t>;

class SeedFolder {
public:
    SeedFolder(std::filesystem::path root, const char* target) : m_Folder(std::move(root) / target)
    {
        std::filesystem::create_directories(m_Folder);
    }
    void Add(const std::string& name, const Bytes& bytes) const
    {
        std::ofstream out(m_Folder / name, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out)
            throw std::runtime_error("cannot write " + (m_Folder / name).string());
    }
    void Add(const std::string& name, const std::string& text) const { Add(name, Bytes(text.begin(), text.end())); }

private:
    std::filesystem::path m_Folder;
};

Bytes InContainer(std::uint8_t kind, const Bytes& file)
{
    return FixtureBuilder().ContainerHeader(kind).Bytes(file).Data();
}

fixture::CurrentFileSpec WithSpectrum(fixture::CurrentFileSpec::Spectrum spectrum, std::uint16_t bands)
{
    fixture::CurrentFileSpec spec;
    spec.spectrum = spectrum;
    spec.bands = bands;
    return spec;
}

// A Multifile of an ORLU 525 and an ORLU 535 file, the last one byte longer than its words.
Bytes Multifile57WithOddLastFile()
{
    fixture::CurrentFileSpec orlu535;
    orlu535.deviceType = 535;
    fixture::MultifileMember members[] = {{"FIRST", fixture::SampleCurrentFamilyFile()},
                                          {"ODD", fixture::CurrentMeasurementFile(orlu535)}};
    members[1].bytes.push_back(0xAB);
    return fixture::Multifile(57, members).Data();
}

// A Multifile of a sound file and two loggers with a marker and a break, the last declaring
// more rows than it holds.
Bytes MultifileOfLoggers()
{
    fixture::MemberSpec logger{"level", 525, 300};
    logger.loggerRows = 7;
    fixture::CurrentFileSpec overlong = fixture::ThreeProfileLoggerSpec(5);
    overlong.declaredCount = 40;
    const fixture::MemberSpec members[] = {{"level", 525, 300}, logger};
    std::vector<fixture::MultifileMember> files = fixture::MixedMultifileMembers(members);
    files.push_back({"LONG", fixture::CurrentMeasurementFile(overlong)});
    return fixture::Multifile(55, files).Data();
}

// Decodable files of every kind the fixture builder writes, each in its container: those
// the damaged-file tests start from and more.
std::vector<std::pair<std::string, Bytes>> DecodableFiles()
{
    fixture::CurrentFileSpec accelerometer;
    accelerometer.inputKind = 5;
    accelerometer.function = 4;

    // Channels of third octaves starting at different bands.
    fixture::FourChannelSpec channelThirds = fixture::MakeFourChannelSpec(545, 217, 3, 1);
    channelThirds.function = 3;
    channelThirds.spectrumMask = 0b0111;
    channelThirds.channelSpectra = {{0, {31, 3, 800}}, {1, {31, 3, 700}}, {2, {30, 3, 600}}};

    // Band statistics of octave channels starting at different bands, one channel without.
    fixture::FourChannelSpec channelBands = fixture::MakeFourChannelSpec(545, 217, 3, 1);
    channelBands.function = 2;
    channelBands.spectrumMask = 0b0111;
    channelBands.channelSpectra = {{0, {3, 0, 800}}, {2, {5, 1, 700}}};
    channelBands.bandHistograms = {{0, {400, 10, {{0, 10, 0}, {0, 0, 0}, {2, 6, 2}}}},
                                   {2, {400, 20, std::vector<std::vector<std::uint32_t>>(6, {1, 3})}}};

    fixture::FourChannelSpec fftChannels = fixture::MakeFourChannelSpec(545, 217, 3, 1);
    fftChannels.function = 6;
    fftChannels.spectrumMask = 0b011;
    fftChannels.fftLines = 64;
    fftChannels.fftLevels = {{0, {700, 650}}, {1, {500}}};
    fixture::FourChannelSpec channelFftLogger = fixture::MakeFourChannelSpec(590, 302, 2, 1);
    channelFftLogger.function = 6;
    channelFftLogger.spectrumMask = 0b11;
    channelFftLogger.history = fixture::FourChannelSpec::History::Logger;
    channelFftLogger.rows = channelFftLogger.declaredCount = 6;
    for (auto& p : channelFftLogger.profiles)
        p.bufferWord = 0x0005;
    channelFftLogger.descriptors = {{33, {{0, 8, 1}, {1, 8, 1}}}};
    channelFftLogger.fftLevels = {{0, {700}}, {1, {500}}};
    channelFftLogger.fftRowStep = 20;

    fixture::FourChannelSpec waveform = fixture::MakeFourChannelSpec(545, 220, 4, 1);
    waveform.history = fixture::FourChannelSpec::History::Waveform;
    waveform.rows = 16;
    waveform.waveformMask = 0xF;

    using Spectrum = fixture::CurrentFileSpec::Spectrum;
    // Third octaves of the 1/3-octave function: RMS, MIN and MAX records, and a logger of them.
    fixture::CurrentFileSpec thirds = WithSpectrum(Spectrum::ThirdOctave, 31);
    thirds.function = 3;
    thirds.bandExtras = 3;
    thirds.minSpectrumLevels = {700};
    thirds.maxSpectrumLevels = {900, 850};
    fixture::CurrentFileSpec thirdsLogger;
    thirdsLogger.function = 3;
    thirdsLogger.spectraInBuffer = 1;
    thirdsLogger.bands = 31;
    thirdsLogger.bandExtras = 3;
    thirdsLogger.rowWords = 35;
    thirdsLogger.rows = 12;
    thirdsLogger.declaredCount = 12;
    thirdsLogger.loggedSpectrumLevels = {900, 800, 700};
    // A logger of FFT spectra: the FFT setup in the buffer header, a spectrum ending each row.
    fixture::CurrentFileSpec fftLogger = WithSpectrum(Spectrum::Fft, 8);
    fftLogger.function = 6;
    fftLogger.fftLevels.assign(9, 300);
    fftLogger.spectraInBuffer = 1;
    for (auto& profile : fftLogger.profiles)
        profile.bufferWord = 0;
    fftLogger.statistics = false;
    fftLogger.histogramClasses = 0;
    fftLogger.events.clear();
    fftLogger.rowWords = 10;
    fftLogger.rows = 6;
    fftLogger.declaredCount = 6;
    fftLogger.loggedSpectra = {fftLogger.fftLevels, std::vector<std::int16_t>(9, 200)};
    const std::vector<fixture::MemberSpec> fftMembers{{"fft", 525, 300}, {"level", 525, 300}, {"fft", 525, 300}};
    // Band statistics of both octave sets: a histogram per value, every second one empty,
    // and stored levels of their own percentages.
    fixture::CurrentFileSpec thirdBands = thirds;
    thirdBands.histogramClasses = 3;
    thirdBands.histogramCounts = {0, 10, 0};
    thirdBands.bandHistograms = {{0, 10, 0}, {0, 0, 0}, {2, 6, 2}};
    thirdBands.statistics = true;
    thirdBands.storedLevels = {{5, 700}, {50, 605}};
    fixture::CurrentFileSpec octaveBands = WithSpectrum(Spectrum::Octave, 12);
    octaveBands.function = 2;
    octaveBands.bandExtras = 3;
    octaveBands.histogramClasses = 2;
    octaveBands.histogramCounts = {4, 1};
    octaveBands.bandHistograms = {{4, 1}, {0, 0}};
    octaveBands.bandHistogramWidth = 20;
    std::vector<std::pair<std::string, Bytes>> files = {
        {"third-octave-band-statistics-525", InContainer(45, fixture::CurrentMeasurementFile(thirdBands))},
        {"octave-band-statistics-525", InContainer(45, fixture::CurrentMeasurementFile(octaveBands))},
        {"fft-logger-525", InContainer(45, fixture::CurrentMeasurementFile(fftLogger))},
        {"multifile-fft", fixture::Multifile(55, fixture::MixedMultifileMembers(fftMembers)).Data()},
        {"third-octave-function-525", InContainer(45, fixture::CurrentMeasurementFile(thirds))},
        {"third-octave-logger-525", InContainer(45, fixture::CurrentMeasurementFile(thirdsLogger))},
        {"sample-525", InContainer(45, fixture::SampleCurrentFamilyFile())},
        {"dose-accelerometer", InContainer(46, fixture::CurrentMeasurementFile(accelerometer))},
        {"octave-525", InContainer(45, fixture::CurrentMeasurementFile(WithSpectrum(Spectrum::Octave, 9)))},
        {"third-octave-525", InContainer(45, fixture::CurrentMeasurementFile(WithSpectrum(Spectrum::ThirdOctave, 31)))},
        {"fft-525", InContainer(45, fixture::CurrentMeasurementFile(WithSpectrum(Spectrum::Fft, 16)))},
        {"waveform-545", InContainer(42, fixture::FourChannelMeasurementFile(waveform))},
        {"fft-channels-545", InContainer(42, fixture::FourChannelMeasurementFile(fftChannels))},
        {"fft-logger-590", InContainer(42, fixture::FourChannelMeasurementFile(channelFftLogger))},
        {"third-octave-channels-545", InContainer(42, fixture::FourChannelMeasurementFile(channelThirds))},
        {"octave-band-statistics-545", InContainer(42, fixture::FourChannelMeasurementFile(channelBands))},
        {"multifile-5", fixture::Multifile(55, fixture::GeneratedMultifileMembers(5)).Data()},
        {"multifile-legacy-3", fixture::Multifile(23, fixture::LegacyMultifileMembers(3)).Data()},
        {"multifile-57-odd-last", Multifile57WithOddLastFile()},
        {"multifile-loggers", MultifileOfLoggers()},
    };
    for (const fixture::DamageSample& sample : fixture::DamageSamples())
        files.emplace_back(sample.name, InContainer(sample.kind, sample.file));
    return files;
}

void ContainerSeeds(const SeedFolder& out)
{
    for (const auto& [name, file] : DecodableFiles()) {
        out.Add(name, file);
        // Cut in the middle, and the word after the container header damaged, as the damaged-file tests do.
        out.Add(name + "-cut", Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(file.size() / 2)));
        Bytes damaged = file;
        damaged[32 + 2 * 7] = 0xFF;
        damaged[32 + 2 * 7 + 1] = 0x7F;
        out.Add(name + "-damaged", damaged);
    }
    for (auto [name, fault] : {std::pair{"truncated", fixture::ChainFault::TruncatedLastRecord},
                               {"overrun", fixture::ChainFault::Overrun},
                               {"zero-length", fixture::ChainFault::ZeroLength}}) {
        const Bytes broken = fixture::BrokenChainFile(fault);
        out.Add(std::string("broken-") + name, InContainer(45, broken));
        const fixture::MultifileMember members[] = {{"A", fixture::SampleCurrentFamilyFile()}, {"BROKEN", broken}};
        out.Add(std::string("multifile-broken-") + name, fixture::Multifile(55, members).Data());
    }

    FixtureBuilder good;
    good.ContainerHeader(5, 0, 0, 40).Pattern(40);
    out.Add("bad-signature", FixtureBuilder(good).PatchLe16(2, 0x5858).Data());
    out.Add("header-length-513", FixtureBuilder(good).PatchLe16(8, 513).Data());
    out.Add("dos-signature-broken", FixtureBuilder().Text("M-XY-3").Padding(20).Data());
    out.Add("rt-length-cut", FixtureBuilder().ContainerHeader(5, 0, 1, 8).Pattern(8).Le16(240).Data());
    out.Add("rt-block-short", FixtureBuilder().ContainerHeader(5, 0, 1, 8).Pattern(8).Le32(240).Pattern(100).Data());
    out.Add("odd-checksum", FixtureBuilder().ContainerHeader(4, 0, 0, 0).Pattern(7).Data());
    const Bytes sample = fixture::SampleCurrentFamilyFile();
    out.Add("multifile-offset-past-data", FixtureBuilder()
                                               .ContainerHeader(55)
                                               .MultifileEntry("A", 55, 0, static_cast<std::uint32_t>(sample.size()), 0, 2)
                                               .MultifileEntry("B", 55, 0xFFFFFFF0u, 0x20, 1, 0)
                                               .Bytes(sample)
                                               .Data());

    // Over 100 KB: an RT block past the memory limit, a long logger, a long four-channel recording.
    out.Add("large-rt-block", FixtureBuilder().ContainerHeader(5, 0, 2, 8).Pattern(8).Le32(102402).Pattern(102402).Data());
    fixture::CurrentFileSpec longLogger;
    longLogger.profiles[0].bufferWord = 3;
    longLogger.rowWords = 3;
    longLogger.rows = 20000;
    longLogger.declaredCount = 20000;
    longLogger.events = {{100, false, 1}, {5000, true, 7}, {19999, false, 2}};
    out.Add("large-logger-525", InContainer(45, fixture::CurrentMeasurementFile(longLogger)));
    fixture::FourChannelSpec longWaveform = fixture::MakeFourChannelSpec(590, 302, 4, 1);
    longWaveform.history = fixture::FourChannelSpec::History::Waveform;
    longWaveform.rows = 16000;
    longWaveform.waveformMask = 0xF;
    out.Add("large-waveform-590", InContainer(42, fixture::FourChannelMeasurementFile(longWaveform)));
}

std::string ReadText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void IniSeeds(const SeedFolder& out, const std::filesystem::path& scratch)
{
    IniProfile profile(scratch / "OrluPC.INI");
    WriteSettings(profile, AppSettings{});
    if (!profile.Save())
        throw std::runtime_error("cannot write the settings file");
    out.Add("program-settings", ReadText(profile.Path()));
    out.Add("crlf-comments-quotes", std::string("; written by hand\r\n[Settings]\r\nShowSplash = 1 \r\n"
                                                "InputPath=\"  /data/in  \"\r\n\r\n[settings]\r\nshowsplash=0\r\n"));
    out.Add("odd-lines", std::string("Orphan=1\n[Unclosed\nKey=55zz\n=no key\nno equals\n[ Spaced ] tail\n"
                                     "  Key  =  -2147483649  \n[]\nEmpty=\nKey=\"\"\n"));
}

void EmfSeeds(const SeedFolder& out)
{
    EmfWriter writer;
    writer.FillRect(0, 0, 200, 100, kWhite);
    writer.Rectangle(10, 10, 190, 90);
    writer.Line(20, 80, 180, 80);
    writer.LineTo(180, 20);
    writer.SelectPen({PenStyle::Dot, 1, {255, 0, 0}});
    writer.Line(20, 50, 180, 50);
    writer.SelectPen({PenStyle::Null, 1, {0, 0, 0}});
    writer.SelectBrush({{0, 128, 0}, false});
    writer.Rectangle(100, 60, 110, 80);
    writer.SelectPen({PenStyle::Solid, 3, {0, 0, 255}});
    writer.SelectBrush({kWhite, true});
    writer.Ellipse(40, 40, 47, 47);
    writer.SetPixel(5, 5, {1, 2, 3});
    writer.SetRasterOp(RasterOp::Xor);
    writer.Line(0, 0, 50, 50);
    writer.SelectFont({"Courier New", 14, 700});
    writer.SetTextColour({0, 0, 128});
    writer.SetBackgroundMode(BackgroundMode::Transparent);
    writer.TextOut(80, 70, "Pa\xB2s \xE9t\xE9");
    out.Add("writer-plot", writer.Bytes());

    fixture::EmfBuilder other;
    other.Record(emf::kCreatePen, {1, emf::kPsDash, 0, 0, emf::ColorRef(0, 0, 255)});
    other.Record(emf::kSelectObject, {1});
    other.Poly16(emf::kPolyline16, {{0, 0}, {10, 0}, {10, 10}});
    other.Record(emf::kSaveDc, {});
    other.Record(emf::kSetMapMode, {emf::kMmAnisotropic});
    other.Record(emf::kSetWindowExtEx, {1000, 1000});
    other.Record(emf::kSetViewportExtEx, {100, 100});
    other.Record(emf::kSetWindowOrgEx, {static_cast<std::uint32_t>(-100), 0});
    other.Record(emf::kSelectObject, {emf::kBlackBrush});
    other.Record(emf::kRectangle, {0, 0, 200, 100});
    other.Record(emf::kRestoreDc, {static_cast<std::uint32_t>(-1)});
    other.Poly16(emf::kPolygon16, {{20, 20}, {30, 20}, {30, 30}});
    other.Poly16(emf::kPolyBezier16, {{0, 0}, {0, 80}, {80, 80}, {80, 0}});
    other.Record(emf::kMoveToEx, {50, 50});
    other.Poly16(emf::kPolylineTo16, {{60, 50}});
    other.Record(emf::kSetTextAlign, {emf::kTaRight | emf::kTaBottom});
    other.Record(emf::kSetBkMode, {emf::kTransparent});
    other.Record(emf::kExtTextOutW, {0, 0, 0, 0, 1, 0, 0, 90, 90, 2, 76, 0, 0, 0, 0, 0, 0, 'O' | 'K' << 16});
    other.Record(emf::kDeleteObject, {1});
    other.Record(emf::kLineTo, {50, 60});
    out.Add("other-program", other.Finish());
}

void BmpSeeds(const SeedFolder& out)
{
    RgbImage image(13, 5);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            image.Set(x, y, static_cast<std::uint32_t>(x * 19 << 16 | y * 47 << 8 | (x + y) % 256));
    out.Add("rgb24-13x5", EncodeBmpFile(ImageToDib(image)));
    for (int bits : {1, 4, 8, 16, 32}) {
        const int width = 9, height = 3;
        DibPicture picture{BuildBitmapInfo(width, height, 1, bits), {}};
        picture.bits.assign(GetLe32(picture.info, 20), 0);
        for (std::size_t i = 0; i < picture.bits.size(); ++i)
            picture.bits[i] = static_cast<std::uint8_t>(i * 37 + 11);
        for (std::size_t i = 40; i < picture.info.size(); ++i) // palette entries
            picture.info[i] = static_cast<std::uint8_t>(i * 13);
        out.Add("bits" + std::to_string(bits) + "-9x3", EncodeBmpFile(picture));
    }
    // Top-down rows, and a header without its image size.
    Bytes topDown = EncodeBmpFile(ImageToDib(image));
    PutLe32(topDown, 14 + 8, static_cast<std::uint32_t>(-image.height));
    out.Add("rgb24-top-down", topDown);
    Bytes noSize = EncodeBmpFile(ImageToDib(image));
    PutLe32(noSize, 14 + 20, 0);
    out.Add("rgb24-no-image-size", noSize);
    // One bit per pixel without an image size: rows of 1 byte by the width, 4 on disk.
    out.Add("bits1-no-image-size", fixture::BuildBmp({.width = 8, .height = 6, .bits = 1, .sizeImageZero = true}));
}

void PlotStateSeeds(const SeedFolder& out)
{
    PlotFixtureOptions block;
    block.points = 24;
    block.markers = std::array<int, 2>{5, 15};
    block.cursor = 8;
    out.Add("logger-block", WritePlotState(MakePlotFixture(block)));

    PlotFixtureOptions marker = block;
    marker.panels = 1;
    marker.markers = std::array<int, 2>{3, 3};
    marker.sizeIndex = 3;
    out.Add("logger-one-marker-size3", WritePlotState(MakePlotFixture(marker)));

    PlotFixtureOptions four;
    four.panels = 4;
    four.points = 12;
    PlotState rotation = MakePlotFixture(four);
    rotation.doc.FourChannelFamily = rotation.doc.RpmSeries = rotation.doc.RpmChannel = true;
    rotation.view.SelectedChannels = 0x1f;
    rotation.view.RpmValues.Assign({600, 900, 1200, 1500, 1800, 2100, 2400, 2100, 1800, 1500, 1200, 900});
    rotation.settings.UseDate = 1;
    out.Add("four-channel-rotation", WritePlotState(rotation));

    std::string crlf = WritePlotState(MakePlotFixture(PlotFixtureOptions{6, 1, 3, std::nullopt, 1, 0}));
    for (std::size_t i = crlf.find('\n'); i != std::string::npos; i = crlf.find('\n', i + 2))
        crlf.insert(i, "\r");
    out.Add("logger-crlf", crlf);

    out.Add("count-after-list", "BufferValues[0]=1,2,nan\nPointCount=3\nGraphTitle=a\rb\n");
    out.Add("count-lowered-after-list", "PointCount=3\nBufferValues[0]=1,2,3\nPointCount=1\n");
    out.Add("title-carriage-return", "GraphTitle=Level\r\r\nPanelTitles[2]=x\r\r\n");
    out.Add("refused-unknown-field", "PlotKind=6\nColour=3\n");
    out.Add("refused-bad-number", "PointCount=12x\n");
    out.Add("refused-index", "PanelTitles[7]=x\nBufferValues[-1]=1\n");
    out.Add("refused-list-past-count", "PointCount=2\nSeriesB[2]=1,2,3\n");
    out.Add("refused-pairs", "Markers=12:1,30\n");

    // Five four-channel 1/3-octave panels on their channels' own axes, one of them
    // naming a PlotKind past the band kinds.
    PlotFixtureOptions thirds;
    thirds.plotKind = 25;
    thirds.panels = 5;
    PlotState axes = MakePlotFixture(thirds);
    axes.doc.FourChannelFamily = true;
    const std::array<int, 5> kinds{50, 46, 52, 99, 25};
    const std::array<int, 5> points{34, 46, 32, 32, 48};
    for (std::size_t k = 0; k < 5; ++k) {
        axes.doc.ChannelFacts[k].FirstBand13 = static_cast<int>(k * 3);
        axes.doc.ChannelFacts[k].BandCount13 = 31;
        axes.doc.ChannelFacts[k].SpectrumAxis13 = kinds[k];
        axes.doc.ChannelFacts[k].SpectrumPoints13 = points[k];
    }
    out.Add("four-channel-thirds-own-axes", WritePlotState(axes));

    PlotFixtureOptions fft;
    fft.plotKind = 9;
    fft.waterfall = std::array<int, 2>{6, 8};
    out.Add("waterfall-fft", WritePlotState(MakePlotFixture(fft)));
    PlotFixtureOptions octave;
    octave.plotKind = 16;
    octave.waterfall = std::array<int, 2>{4, 0};
    octave.lines = {0, 0};
    octave.totalsShown = 0;
    out.Add("waterfall-octave-lines-off", WritePlotState(MakePlotFixture(octave)));
    out.Add("waterfall-damaged", "ViewKind=11\nPlotKind=19\nMultiElement=1\nGridRows=-4\nGridColumns=900\n"
                                 "GridValues=nan,inf,-inf,1e38,3\nGridLevelLow=-1e300\nGridLevelHigh=1e300\n"
                                 "GridTimeStep=nan\nGridLastRecord=4294967295\n");
}

} // namespace

// ANALYZER-mode instrument files (the bytes after the container header).
void Setup505Seeds(const SeedFolder& folder)
{
    auto octave = [](std::uint16_t function, std::uint16_t values, std::uint16_t bands) {
        fixture::Analyzer505Spec s;
        s.function = function;
        s.values = values;
        s.bands = bands;
        return s;
    };
    fixture::Analyzer505Spec time;
    time.function = 1;
    time.zoom = true;
    fixture::Analyzer505Spec spectrum;
    spectrum.function = 2;
    spectrum.values = 480;
    fixture::Analyzer505Spec history = octave(4, 31, 30);
    history.spectra = 3;
    history.timeHistory = true;
    history.histogram = true;
    fixture::Analyzer505Spec probe52 = time;
    probe52.fourChannel = true;
    probe52.headerLength = 52;
    fixture::Analyzer505Spec probeOctave = octave(3, 10, 9);
    probeOctave.fourChannel = true;
    folder.Add("time-zoom", fixture::BuildAnalyzer505File(time));
    folder.Add("spectrum-e", fixture::BuildAnalyzer505File(spectrum));
    folder.Add("octave", fixture::BuildAnalyzer505File(octave(3, 10, 9)));
    folder.Add("third-history-histogram", fixture::BuildAnalyzer505File(history));
    folder.Add("probe-52", fixture::BuildAnalyzer505File(probe52));
    folder.Add("probe-octave-42", fixture::BuildAnalyzer505File(probeOctave));
    // Numbered 1/3 octaves that decay 10 dB per spectrum after three at 80 dB.
    fixture::Analyzer505Spec decay = octave(4, 31, 30);
    decay.spectra = 8;
    decay.timeHistory = true;
    decay.value = [](std::uint32_t r, std::uint32_t, std::uint32_t) {
        return static_cast<std::int16_t>(r <= 2 ? 800 : 800 - 100 * static_cast<std::int32_t>(r - 2));
    };
    folder.Add("third-history-decay", fixture::BuildAnalyzer505File(decay));
    // Band statistics: ten 1/1-octave bands and three totals, each histogram its own counts;
    // and the same block whose counts run past the file's end.
    fixture::Analyzer505Spec bandStatistics = octave(3, 13, 10);
    bandStatistics.histogram = true;
    bandStatistics.histogramClasses = 4;
    bandStatistics.histogramWidth = 10;
    bandStatistics.histogramCount32 = [](std::uint32_t b, std::uint32_t k) { return b * 4 + k; };
    folder.Add("octave-band-statistics", fixture::BuildAnalyzer505File(bandStatistics));
    std::vector<std::uint8_t> shortBlock = fixture::BuildAnalyzer505File(bandStatistics);
    shortBlock[2 * (17 + 13 + 1)] = 40; // the block's histogram count, past what it holds
    folder.Add("octave-band-statistics-short", shortBlock);
    // Waveform blocks: whole ones with a tone, complex and interleaved ones, blocks of 768
    // samples (no power of two) and blocks cut short by the file's end.
    fixture::Analyzer505Spec wave;
    wave.function = 1;
    wave.values = 100;
    wave.spectra = 2;
    wave.waveformBlocks = true;
    wave.tones = {{16, 900.0, -1}};
    fixture::Analyzer505Spec complexWave = wave;
    complexWave.zoom = true;
    fixture::Analyzer505Spec probeWave = wave;
    probeWave.fourChannel = true;
    fixture::Analyzer505Spec oddWave = wave;
    oddWave.values = 300;
    std::vector<std::uint8_t> cut = fixture::BuildAnalyzer505File(wave);
    cut.resize(cut.size() - 200);
    folder.Add("waveform-tone", fixture::BuildAnalyzer505File(wave));
    folder.Add("waveform-complex", fixture::BuildAnalyzer505File(complexWave));
    folder.Add("waveform-probe", fixture::BuildAnalyzer505File(probeWave));
    folder.Add("waveform-768", fixture::BuildAnalyzer505File(oddWave));
    folder.Add("waveform-cut", cut);
}

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: orlu-fuzz-seeds OUT\n");
        return 2;
    }
    try {
        const std::filesystem::path root = argv[1];
        ContainerSeeds(SeedFolder(root, "container"));
        Setup505Seeds(SeedFolder(root, "setup505"));
        IniSeeds(SeedFolder(root, "ini"), root);
        EmfSeeds(SeedFolder(root, "emf"));
        BmpSeeds(SeedFolder(root, "bmp"));
        PlotStateSeeds(SeedFolder(root, "plotstate"));
        std::filesystem::remove(root / "OrluPC.INI");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "orlu-fuzz-seeds: %s\n", e.what());
        return 1;
    }
    return 0;
}
