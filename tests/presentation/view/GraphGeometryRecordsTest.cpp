// The view's graph records: created once per kind from the default row,
// stepped for the data, kept across builds unless a Multifile asks again.

#include "presentation/view/GraphGeometryRecords.h"

#include "presentation/view/GraphGeometryDefaults.h"
#include "presentation/view/ViewKinds.h"

#include <gtest/gtest.h>

namespace orlu {
namespace {

TEST(GraphGeometryRecords, ATimeRecordIsSteppedForItsRecordsAndKeptUntilRecomputed)
{
    GraphGeometryRecords records;
    GraphGeometry* time = records.Obtain(GeometryRecord::Time, 6, GeometryStep{1, 1000});
    ASSERT_NE(time, nullptr);
    // 1000 records: two to a column, one pixel each.
    EXPECT_EQ(GeometryFields(*time), (std::array<int, kGraphGeometryFields>{60, 28, 500, 2, 500, 180, 110, 1, 0, 0, 1, 0}));

    time->pointCount = 250; // a zoom step
    EXPECT_EQ(records.Obtain(GeometryRecord::Time, 28, GeometryStep{2, 10})->pointCount, 250);

    // A shorter sub-file of a Multifile: the step follows it.
    time = records.Obtain(GeometryRecord::Time, 6, GeometryStep{1, 10}, true);
    EXPECT_EQ(time->pointCount, 10);
    EXPECT_EQ(time->pixelsPerPoint, 4);
    EXPECT_EQ(time->plotWidth, 40);
    EXPECT_EQ(records.Find(GeometryRecord::Time), time);
}

TEST(GraphGeometryRecords, ClassGraphsKeepTheRowsWidthAndUnknownRowsMakeNoRecord)
{
    GraphGeometryRecords records;
    const GraphGeometry* hist = records.Obtain(GeometryRecord::Hist, 8, GeometryStep{7, 70});
    ASSERT_NE(hist, nullptr);
    EXPECT_EQ(hist->pixelsPerPoint, 529 / 70);
    EXPECT_EQ(hist->plotWidth, 595);
    EXPECT_EQ(records.Obtain(GeometryRecord::Wave, 13, std::nullopt)->pointCount, 80);
    EXPECT_EQ(records.Obtain(GeometryRecord::Oct3, 53, std::nullopt), nullptr);
    EXPECT_EQ(records.Find(GeometryRecord::Oct3), nullptr);
}

TEST(GraphGeometryRecords, KindsUseTheirRecordAndTimeKindsShareOne)
{
    EXPECT_EQ(GeometryRecordOf(kViewBufferLogger, false), GeometryRecord::Time);
    EXPECT_EQ(GeometryRecordOf(kViewTimeIntersections, false), GeometryRecord::Time);
    EXPECT_EQ(GeometryRecordOf(kViewSpectra, true), GeometryRecord::Phase);
    EXPECT_EQ(GeometryRecordOf(kViewSpectra, false), GeometryRecord::Spectrum);
    EXPECT_EQ(GeometryRecordOf(kViewThirdOctaves, false), GeometryRecord::Oct3);
    EXPECT_FALSE(GeometryRecordOf(kViewMainResults, false));
}

} // namespace
} // namespace orlu
