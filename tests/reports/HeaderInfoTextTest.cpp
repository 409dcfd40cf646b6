// The Header information text of current-family, four-channel and merged
// files, compared byte for byte with texts written out from the layouts,
// and the rules of its sections that a golden would only show by chance.

#include "document/DocumentTestSupport.h"

#include "reports/common/ReportNumberFormats.h"
#include "reports/text/HeaderInfoText.h"
#include "reports/text/HeaderSettingsSections.h"
#include "support/FourChannelFixture.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace orlu {
namespace {

using fixture::CurrentFileSpec;
using fixture::CurrentMeasurementFile;
using fixture::FixtureBuilder;
using fixture::FourChannelSpec;

constexpr std::uint16_t kDate = (26 << 9) | (3 << 5) | 15;     // 26/03/15
constexpr std::uint16_t kTime = (10 * 3600 + 20 * 60 + 30) / 2; // 10:20'30

std::string Golden(const std::string& name)
{
    std::ifstream in(std::string(ORLU_SOURCE_DIR) + "/tests/golden/" + name, std::ios::binary);
    EXPECT_TRUE(in) << name;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

int WidthOf(const std::string& text)
{
    int widest = 0;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        widest = std::max(widest, static_cast<int>(end - start + 2));
    return widest;
}

// An ORLU 525 at firmware 3.00 measuring levels with three profiles.
CurrentFileSpec LevelMeter525()
{
    CurrentFileSpec spec;
    spec.measurementWords = {{1, kDate}, {2, kTime}};
    return spec;
}

// Two channels of three profiles (profile j = p x 2 + c): the microphone's
// three profiles are on (bit 0 of their flags), the accelerometer's off; the
// vector sums both channels.
FourChannelSpec FourChannelWithVector()
{
    FourChannelSpec spec = fixture::MakeFourChannelSpec(545, 217, 2, 3, true);
    for (std::size_t j = 0; j < spec.profiles.size(); ++j)
        spec.profiles[j].flags = j % 2 == 0 ? 1 : 0;
    spec.vectorRecord = true;
    spec.coefficients = {100, 150, 0, 0};
    spec.coefficientUse = {1, 1, 0, 0};
    return spec;
}

class HeaderInfo : public DocumentTest {
protected:
    std::unique_ptr<CTmDoc> OpenBytes(const std::vector<std::uint8_t>& file, std::uint8_t kind)
    {
        FixtureBuilder f;
        f.ContainerHeader(kind, 0, 0, static_cast<std::uint32_t>(file.size())).Bytes(file);
        return Open(Write("meas.orl", f));
    }
    std::unique_ptr<CTmDoc> OpenSpec(const CurrentFileSpec& spec, std::uint8_t kind = 45)
    {
        return OpenBytes(CurrentMeasurementFile(spec), kind);
    }
    std::unique_ptr<CTmDoc> OpenFour(const FourChannelSpec& spec)
    {
        return OpenBytes(fixture::FourChannelMeasurementFile(spec), 42);
    }

    std::string Render(CTmDoc& doc, HeaderInfoRequest request, int* widest = nullptr)
    {
        LineList lines;
        int width = -1;
        EXPECT_TRUE(FormatHeaderInfo(doc, lines, &width, request));
        if (widest)
            *widest = width;
        return lines.Join();
    }
    void ExpectGolden(CTmDoc& doc, const HeaderInfoRequest& request, const std::string& golden)
    {
        int widest = 0;
        const std::string text = Render(doc, request, &widest);
        const std::string expected = Golden(golden);
        EXPECT_EQ(text, expected);
        EXPECT_EQ(widest, WidthOf(expected));
    }
};

TEST_F(HeaderInfo, LevelMeterOfTheOrlu525)
{
    auto doc = OpenSpec(LevelMeter525());
    ExpectGolden(*doc, {0x0001}, "header-orlu525-level-meter.txt");
}

TEST_F(HeaderInfo, FourChannelProfilesAndVector)
{
    auto doc = OpenFour(FourChannelWithVector());
    std::uint16_t selectable = 0x0003;
    ExpectGolden(*doc, {0x0011, false, 0, 0, &selectable}, "header-four-channel-profiles-vector.txt");
    EXPECT_EQ(selectable, 0x0013); // the vector column becomes selectable
}

TEST_F(HeaderInfo, EachSubfileOfAMultifile)
{
    CurrentFileSpec dose = LevelMeter525();
    dose.function = 4;
    dose.firmware = 512;
    // Exposure 480 min, criterion 85.0 dB, threshold 80.0 dB, exchange rate 3 dB.
    dose.measurementWords.insert(dose.measurementWords.end(), {{23, 480}, {24, 850}, {25, 800}, {26, 3}});
    const std::vector<fixture::MultifileMember> members = {{"LEVEL", CurrentMeasurementFile(LevelMeter525())},
                                                           {"DOSE", CurrentMeasurementFile(dose)}};
    auto doc = Open(Write("multi.orl", fixture::Multifile(55, members)));
    ASSERT_TRUE(doc->DecodeFileHeader(1));
    doc->SelectChannelProfile(1, 0);

    ExpectGolden(*doc, {0x0001, true, 0, 0}, "header-multifile.txt");
    // The user's sub-file and channel are as they were.
    EXPECT_EQ(doc->DecodedSubfile(), 1);
    EXPECT_EQ(doc->Header().fileName, "L0000001");
    EXPECT_EQ(doc->Channel().channel, 1);

    // One sub-file alone is its part of the whole report.
    const std::string all = Golden("header-multifile.txt");
    const std::string second = Render(*doc, {0x0001, false, 2, 0});
    EXPECT_EQ(all.substr(all.size() - second.size()), second);
}

} // namespace
} // namespace orlu
