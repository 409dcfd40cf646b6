// Daily vibration exposure against the hand-arm (vector sum, A(8)) and
// whole-body (1.4 on x and y, VDV fourth-power rule, eVDV) formulas, with
// every expected value worked out by hand from the inputs; the dose-meter
// setup as the four-channel decoder reads it from record 31.

#include "DocumentTestSupport.h"

#include "document/results/VibrationExposure.h"
#include "support/FourChannelFixture.h"

#include <array>
#include <cmath>
#include <optional>

namespace orlu {
namespace {

struct Axis {
    double rms;
    double vdv;
};

struct ExpectedValue {
    int slot;
    double value;
};

struct ExposureCase {
    const char* name;
    std::uint8_t kind;
    std::uint8_t variant;
    std::array<Axis, 3> axes; ///< x, y, z
    std::uint32_t seconds;    ///< T
    std::uint16_t minutes;    ///< Te / 60
    std::uint16_t validMask;
    std::uint8_t powerFlags;
    std::vector<ExpectedValue> values;
};

std::array<ResultValues, 4> Rows(const ExposureCase& c)
{
    std::array<ResultValues, 4> rows{};
    for (std::size_t k = 0; k < 3; ++k) {
        rows[k].result = c.axes[k].rms;
        rows[k].spl = c.axes[k].vdv;
        rows[k].measurementSeconds = c.seconds;
    }
    return rows;
}

// Worked by hand:
// hand-arm a = sqrt(1.5^2 + 2^2 + 0) = 2.5; CExp = 2.5 sqrt(3600/28800) = 0.883883;
//   action 28800 (2.5/2.5)^2 = 28800, left 25200; limit 28800 (5/2.5)^2 = 115200, left 111600.
// hand-arm a = sqrt(36 + 64) = 10, T = Te = 14400 s: A8 = 10 sqrt(0.5) = 7.071068;
//   action 28800 (0.25)^2 = 1800, limit 28800 (0.5)^2 = 7200, both already passed.
// hand-arm "PL" a = sqrt(4 + 4 + 1) = 3, T = 1800 s, Te = 7200 s: CExp 0.75, A8 1.5;
//   third 28800 (2.8/3)^2 = 25088, left 23288.
// whole-body RMS (0.5, 0.3, 0.6) gives a = max(0.6, 1.4 x 0.5) = 0.7; VDV (5, 4, 6.5)
//   gives v = max(1.4 x 5, 6.5) = 7; T = 3600 s, Te = 28800 s: CExp 0.7 sqrt(1/8) = 0.247487,
//   A8 0.7, DDose 7 x 8^0.25 = 11.772550.
//   "UK": action by the VDV rule (9.1/7)^4 x 3600 = 1.3^4 x 3600 = 10281.96, left 6681.96;
//   limit by the RMS rule 28800 (1.15/0.7)^2 = 77730.6122, left 74130.6122.
//   "IT": action 28800 (0.5/0.7)^2 = 14693.8776, left 11093.8776.
// whole-body "PL": w = sqrt(1.96 (0.25 + 0.09) + 0.36) = sqrt(1.0264) = 1.013114;
//   third 28800 x 0.64 / 1.0264 = 17957.92, left 14357.92.
const ExposureCase kCases[] = {
    {"HandArmUkBelowTheAction", 1, 0, {{{1.5, 0}, {2.0, 0}, {0.0, 0}}}, 3600, 480, 0x0F31, 0,
     {{kHandArmVector, 2.5}, {kCurrentExposure, 0.883883}, {kDailyExposure, 2.5}, {kActionTimeTotal, 28800},
      {kActionTimeLeft, 25200}, {kLimitTimeTotal, 115200}, {kLimitTimeLeft, 111600}}},
    {"HandArmLimitAlreadyExceeded", 1, 3, {{{6, 0}, {8, 0}, {0, 0}}}, 14400, 240, 0x0F31, 0,
     {{kHandArmVector, 10}, {kCurrentExposure, 7.071068}, {kDailyExposure, 7.071068}, {kActionTimeTotal, 1800},
      {kActionTimeLeft, 0}, {kLimitTimeTotal, 7200}, {kLimitTimeLeft, 0}}},
    {"HandArmThirdValueVariant", 1, 2, {{{2, 0}, {2, 0}, {1, 0}}}, 1800, 120, 0x3031, 0,
     {{kHandArmVector, 3}, {kCurrentExposure, 0.75}, {kDailyExposure, 1.5}, {kThirdTimeTotal, 25088},
      {kThirdTimeLeft, 23288}}},
    {"WholeBodyUkActionByVdvLimitByRms", 2, 0, {{{0.5, 5}, {0.3, 4}, {0.6, 6.5}}}, 3600, 480, 0x0FF6, 1,
     {{kWholeBodyVdv, 7}, {kWholeBodyRms, 0.7}, {kCurrentExposure, 0.247487}, {kDailyExposure, 0.7},
      {kCurrentDose, 7}, {kDailyDose, 11.772550}, {kActionTimeTotal, 10281.96}, {kActionTimeLeft, 6681.96},
      {kLimitTimeTotal, 77730.6122}, {kLimitTimeLeft, 74130.6122}}},
    {"WholeBodyItBothByRms", 2, 1, {{{0.5, 5}, {0.3, 4}, {0.6, 6.5}}}, 3600, 480, 0x0FF6, 0,
     {{kWholeBodyRms, 0.7}, {kDailyDose, 11.772550}, {kActionTimeTotal, 14693.8776},
      {kActionTimeLeft, 11093.8776}, {kLimitTimeTotal, 77730.6122}, {kLimitTimeLeft, 74130.6122}}},
    {"WholeBodyThirdValueVariant", 2, 2, {{{0.5, 5}, {0.3, 4}, {0.6, 6.5}}}, 3600, 480, 0x3038, 0,
     {{kWholeBodyVector, 1.013114}, {kCurrentExposure, 0.358190}, {kDailyExposure, 1.013114},
      {kThirdTimeTotal, 17957.92}, {kThirdTimeLeft, 14357.92}}},
    // Values that would divide by zero are left out, the others stay.
    {"HandArmWithoutVibrationHasNoTimes", 1, 0, {{{0, 0}, {0, 0}, {0, 0}}}, 3600, 480, 0x0031, 0,
     {{kHandArmVector, 0}, {kDailyExposure, 0}}},
    {"WholeBodyZeroVdvHasNoVdvTime", 2, 0, {{{0.5, 0}, {0.3, 0}, {0.6, 0}}}, 3600, 480, 0x0CF6, 1,
     {{kDailyDose, 0}, {kLimitTimeTotal, 77730.6122}}},
    {"WholeBodyZeroTimeHasNoDailyDoseNorVdvTime", 2, 0, {{{0.5, 5}, {0.3, 4}, {0.6, 6.5}}}, 0, 480, 0x0C76, 1,
     {{kCurrentExposure, 0}, {kDailyExposure, 0.7}, {kLimitTimeTotal, 77730.6122}, {kLimitTimeLeft, 77730.6122}}},
    {"WholeBodyThirdValueWithoutVibration", 2, 2, {{{0, 0}, {0, 0}, {0, 0}}}, 3600, 480, 0x0038, 0, {}},
};

class Exposure : public ::testing::TestWithParam<ExposureCase> {};

TEST_P(Exposure, FollowsTheFormulas)
{
    const ExposureCase& c = GetParam();
    const ExposureSetup setup{.axisX = 0, .axisY = 1, .axisZ = 2, .kind = c.kind, .limitVariant = c.variant,
                              .dailyMinutes = c.minutes};
    const std::array<ResultValues, 4> rows = Rows(c);
    ExposureResult out;
    out.values.fill(-1.0);
    ASSERT_EQ(ComputeVibrationExposure(setup, rows, out), 1);
    EXPECT_EQ(out.validMask, c.validMask);
    EXPECT_EQ(out.powerFlags, c.powerFlags);
    for (const ExpectedValue& v : c.values) {
        EXPECT_TRUE(out.IsValid(v.slot)) << "slot " << v.slot;
        EXPECT_NEAR(out.values[static_cast<std::size_t>(v.slot)], v.value, 1e-4 * std::max(1.0, v.value))
            << "slot " << v.slot;
    }
    for (double v : out.values)
        EXPECT_TRUE(std::isfinite(v));
}

INSTANTIATE_TEST_SUITE_P(Cases, Exposure, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ExposureSetupChecks, NoKindAnUnknownVariantOrAnAxisOutsideTheChannelsComputeNothing)
{
    std::array<ResultValues, 3> rows{};
    for (ResultValues& r : rows) {
        r.result = 1.0;
        r.spl = 1.0;
        r.measurementSeconds = 60;
    }
    struct Refused {
        ExposureSetup setup;
    } const refused[] = {
        {{.axisX = 0, .axisY = 1, .axisZ = 2, .kind = 0, .limitVariant = 0, .dailyMinutes = 480}},
        {{.axisX = 0, .axisY = 1, .axisZ = 2, .kind = 3, .limitVariant = 0, .dailyMinutes = 480}},
        {{.axisX = 0, .axisY = 1, .axisZ = 2, .kind = 1, .limitVariant = 5, .dailyMinutes = 480}},
        {{.axisX = 0, .axisY = 1, .axisZ = 3, .kind = 1, .limitVariant = 0, .dailyMinutes = 480}},
        {{.axisX = 255, .axisY = 1, .axisZ = 2, .kind = 2, .limitVariant = 0, .dailyMinutes = 480}},
    };
    for (const Refused& r : refused) {
        ExposureResult out;
        out.validMask = 0xABCD;
        out.values.fill(42.0);
        EXPECT_EQ(ComputeVibrationExposure(r.setup, rows, out), 0);
        EXPECT_EQ(out.validMask, 0xABCD);
        EXPECT_EQ(out.values[0], 42.0);
    }
}

TEST(VibrationLimits, VariantsInTheirOrder)
{
    ASSERT_EQ(VibrationLimitTable.size(), 5u);
    const char* names[] = {"UK", "IT", "PL", "FR", "User"};
    for (std::size_t k = 0; k < 5; ++k)
        EXPECT_EQ(VibrationLimitTable[k].name, names[k]);
    EXPECT_EQ(VibrationLimitTable[0].wholeBody.action, 9.1);
    EXPECT_EQ(VibrationLimitTable[0].wholeBodyPowerFlags, 1);
    EXPECT_EQ(VibrationLimitTable[2].handArm.third, 2.8);
    EXPECT_EQ(VibrationLimitTable[2].wholeBody.third, 0.8);
}

class DoseSetupRecord : public DocumentTest {};

TEST_F(DoseSetupRecord, FourChannelFilesKeepTheWholeDailyExposureTime)
{
    fixture::FourChannelSpec spec = fixture::MakeFourChannelSpec(545, 219, 4, 1, false);
    spec.dose = fixture::FourChannelSpec::DoseSetup{.axisX = 3, .axisY = 1, .axisZ = 2, .kind = 2, .limitVariant = 4,
                                                    .dailyMinutes = 510};
    const std::vector<std::uint8_t> file = fixture::FourChannelMeasurementFile(spec);
    fixture::FixtureBuilder container;
    container.ContainerHeader(42, 0, 0, static_cast<std::uint32_t>(file.size())).Bytes(file);
    auto doc = Open(Write("dose.orl", container));
    const FourChannelSetup& f = doc->Header().fourChannel;
    EXPECT_TRUE(f.doseSettingsPresent);
    EXPECT_EQ(f.exposure, (ExposureSetup{.axisX = 3, .axisY = 1, .axisZ = 2, .kind = 2, .limitVariant = 4,
                                         .dailyMinutes = 510}));

    spec.dose.reset();
    const std::vector<std::uint8_t> without = fixture::FourChannelMeasurementFile(spec);
    fixture::FixtureBuilder plain;
    plain.ContainerHeader(42, 0, 0, static_cast<std::uint32_t>(without.size())).Bytes(without);
    auto other = Open(Write("plain.orl", plain));
    EXPECT_FALSE(other->Header().fourChannel.doseSettingsPresent);
    ExposureResult out;
    EXPECT_EQ(other->ComputeVibrationExposure(std::array<ResultValues, 4>{}, out), 0);
}

} // namespace
} // namespace orlu
