// The plot a graph form paints for a ViewKind, from the document's band
// layout, model and weighting filter.

#include "presentation/view/PlotKindChoice.h"

#include <gtest/gtest.h>

#include <functional>

namespace orlu {
namespace {

struct Case {
    const char* name;
    std::function<void(PlotKindInputs&)> set;
    PlotKindChoice expected;
};

PlotKindChoice Expect(PlotKind kind, int points, int decimals, PlotValuesKind values)
{
    return {kind, points, decimals, values};
}

void Check(int viewKind, std::initializer_list<Case> cases)
{
    for (const Case& c : cases) {
        PlotKindInputs in;
        in.viewKind = viewKind;
        in.firmware = 500;
        in.keptPlotKind = 7;
        in.keptPointCount = 3;
        in.keptAxisDecimals = 4;
        c.set(in);
        EXPECT_EQ(ChoosePlotKind(in), c.expected) << c.name;
    }
}

TEST(PlotKindChoice, ThirdOctaveSpectraByBandLayoutFilterAndModel)
{
    using V = PlotValuesKind;
    Check(11, {
        {"50 values of 41 bands, A-type filter",
         [](auto& in) { in.values = 50, in.bands = 41, in.filterCode = 2; }, Expect(40, 50, 1, V::Octave)},
        {"50 values of 41 bands, filter above 3",
         [](auto& in) { in.values = 50, in.bands = 41, in.filterCode = 4; }, Expect(40, 50, 2, V::Octave)},
        {"50 values of 38 bands", [](auto& in) { in.values = 50, in.bands = 38, in.filterCode = 5; },
         Expect(41, 50, 2, V::Octave)},
        {"45 values of 41 bands", [](auto& in) { in.values = 45, in.bands = 41; }, Expect(44, 47, 0, V::Octave)},
        {"45 values of 38 bands", [](auto& in) { in.values = 45, in.bands = 38; }, Expect(45, 47, 0, V::Octave)},
        {"one total, 43 values", [](auto& in) { in.values = 43, in.bands = 42; }, Expect(12, 45, 0, V::Octave)},
        {"one total, 40 values", [](auto& in) { in.values = 40, in.bands = 39; }, Expect(15, 42, 0, V::Octave)},
        {"three totals, 34 values, filter above 3",
         [](auto& in) { in.values = 34, in.bands = 31, in.filterCode = 6; }, Expect(50, 34, 2, V::Octave)},
        {"three totals on the 525 family keep one decimal",
         [](auto& in) { in.values = 34, in.bands = 31, in.filterCode = 6, in.flags.Family525 = true; },
         Expect(50, 34, 1, V::Octave)},
        {"three totals, 40 values", [](auto& in) { in.values = 40, in.bands = 37; }, Expect(25, 40, 1, V::Octave)},
        {"two totals, 48 values", [](auto& in) { in.values = 48, in.bands = 46; }, Expect(19, 48, 1, V::Octave)},
        {"515 family, 33 values", [](auto& in) { in.values = 33, in.bands = 30, in.flags.Family515 = true; },
         Expect(27, 33, 1, V::Octave)},
        {"515 family, 30 values", [](auto& in) { in.values = 30, in.bands = 29, in.flags.Family515 = true; },
         Expect(24, 30, 1, V::Octave)},
        {"530 family, 33 values", [](auto& in) { in.values = 33, in.bands = 30, in.flags.Family530 = true; },
         Expect(47, 33, 1, V::Octave)},
        {"535 on an accelerometer below firmware 4.01",
         [](auto& in) { in.values = 31, in.bands = 30, in.flags.Family535 = true, in.accelerometer = true,
                        in.firmware = 400; },
         Expect(30, 33, 1, V::Octave)},
        {"535 on an accelerometer from firmware 4.01",
         [](auto& in) { in.values = 50, in.bands = 41, in.flags.Family535 = true, in.accelerometer = true; },
         Expect(30, 48, 0, V::Octave)},
        {"535 on a microphone from firmware 3.02 has the common bands",
         [](auto& in) { in.values = 50, in.bands = 41, in.flags.Family535 = true, in.microphone = true,
                        in.firmware = 302; },
         Expect(40, 50, 1, V::Octave)},
    });
}

TEST(PlotKindChoice, StatisticalLevelsByBandLayout)
{
    using V = PlotValuesKind;
    Check(5, {
        {"1/1 bands take the document's axis",
         [](auto& in) { in.bandKind = 3, in.octaveAxisLayout = 33, in.values = 12, in.flags.Family530 = true; },
         Expect(33, 12, 0, V::Level)},
        {"one total, 43 values", [](auto& in) { in.values = 43, in.bands = 42; }, Expect(0, 45, 0, V::Level)},
        {"one total, 44 values", [](auto& in) { in.values = 44, in.bands = 43; }, Expect(1, 46, 0, V::Level)},
        {"three totals, 45 values", [](auto& in) { in.values = 45, in.bands = 42, in.filterCode = 4; },
         Expect(2, 45, 2, V::Level)},
        {"three totals, 47 values", [](auto& in) { in.values = 47, in.bands = 44; }, Expect(3, 47, 1, V::Level)},
        {"three totals, 46 values", [](auto& in) { in.values = 46, in.bands = 43; }, Expect(39, 46, 1, V::Level)},
        {"two totals, 48 values", [](auto& in) { in.values = 48, in.bands = 46, in.filterCode = 9; },
         Expect(4, 48, 2, V::Level)},
        {"two totals, 50 values", [](auto& in) { in.values = 50, in.bands = 48; }, Expect(5, 50, 1, V::Level)},
        {"530 family", [](auto& in) { in.values = 43, in.bands = 42, in.flags.Family530 = true; },
         Expect(36, 43, 0, V::Level)},
        {"535 below firmware 3.02", [](auto& in) { in.values = 43, in.bands = 42, in.flags.Family535 = true,
                                                   in.firmware = 301; },
         Expect(36, 43, 0, V::Level)},
        {"515 family, 33 values", [](auto& in) { in.values = 33, in.bands = 30, in.flags.Family515 = true; },
         Expect(37, 33, 0, V::Level)},
        {"515 family, 31 values", [](auto& in) { in.values = 31, in.bands = 30, in.flags.Family515 = true; },
         Expect(38, 31, 0, V::Level)},
    });
}

TEST(PlotKindChoice, OctaveSpectraCountTheirPointsByModel)
{
    using V = PlotValuesKind;
    Check(10, {
        {"515 below firmware 2.00",
         [](auto& in) { in.spectrumAxisLayout = 14, in.values = 10, in.flags.Family515Text = true; },
         Expect(14, 11, 0, V::Octave)},
        {"515 family on 1/3 bands, axis 23",
         [](auto& in) { in.spectrumAxisLayout = 23, in.bandKind = 4, in.flags.Family515 = true; },
         Expect(23, 12, 1, V::Octave)},
        {"515 family on 1/3 bands, axis 21",
         [](auto& in) { in.spectrumAxisLayout = 21, in.bandKind = 4, in.flags.Family515 = true; },
         Expect(21, 13, 1, V::Octave)},
        {"525 family on 1/3 bands",
         [](auto& in) { in.spectrumAxisLayout = 22, in.bandKind = 4, in.bands = 30, in.flags.Family525 = true; },
         Expect(22, 13, 1, V::Octave)},
        {"530 family on 1/1 bands, accelerometer with three totals",
         [](auto& in) { in.spectrumAxisLayout = 29, in.bandKind = 3, in.values = 13, in.bands = 10,
                        in.accelerometer = true, in.flags.Family530 = true; },
         Expect(29, 11, 1, V::Octave)},
        {"530 family on 1/3 bands",
         [](auto& in) { in.spectrumAxisLayout = 29, in.bandKind = 4, in.bands = 30, in.flags.Family530 = true; },
         Expect(29, 11, 1, V::Octave)},
        {"other models on 1/3 bands show the 1/1 bands to the total",
         [](auto& in) { in.spectrumAxisLayout = 11, in.bandKind = 4, in.octaveTotalIndex = 15; },
         Expect(11, 15, 0, V::Octave)},
    });
}

TEST(PlotKindChoice, TimeKindsDivideByTheAggregationAndOtherKindsKeepThePage)
{
    using V = PlotValuesKind;
    Check(9, {
        {"spectrum with the total line last", [](auto& in) { in.values = 101, in.aggregation = 2,
                                                             in.totalLinePosition = 2; },
         Expect(9, 52, 2, V::Spectrum)},
        {"phase spectrum has no total line", [](auto& in) { in.values = 101, in.aggregation = 2,
                                                            in.totalLinePosition = 2, in.spectrumForm = 1; },
         Expect(9, 51, 0, V::Spectrum)},
    });
    Check(7, {{"three records by three", [](auto& in) { in.historyRecords = 1000, in.aggregation = 3; },
               Expect(6, 333, 4, V::Buffer)}});
    Check(12, {{"degree 0 counts as 1", [](auto& in) { in.spectrumRecords = 10, in.aggregation = 0; },
                Expect(28, 10, 0, V::Intersection)}});
    Check(4, {{"histogram classes", [](auto& in) { in.histClasses = 70; }, Expect(8, 70, 0, V::Stat)}});
    Check(6, {{"density classes", [](auto& in) { in.histClasses = 70; }, Expect(18, 70, 0, V::Stat)}});
    Check(8, {{"waveform samples", [](auto& in) { in.fftLength = 1024; }, Expect(13, 1024, 4, V::Wave)}});
    Check(2, {{"main results keep the page's plot", [](auto&) {}, Expect(7, 3, 4, V::None)}});
}

} // namespace
} // namespace orlu
