// The choice of a record's field codes by file family, firmware, model, record
// length and the record before: the firmware thresholds on both sides.

#include "document/rawviews/FieldCodeStrings.h"

#include <gtest/gtest.h>

#include <vector>

namespace orlu {
namespace {

struct ChoiceCase {
    const char* what;
    bool fourChannel;
    FieldCodeQuery query;
    std::vector<std::uint8_t> codes; ///< empty: the type has none
};

FieldCodeQuery Query(std::uint8_t type, std::uint16_t firmware)
{
    FieldCodeQuery q;
    q.type = type;
    q.firmware = firmware;
    return q;
}

TEST(FieldCodeStrings, ChosenByFamilyFirmwareAndRecord)
{
    FieldCodeQuery laterModel = Query(6, 300);
    laterModel.model.LaterModel = true;
    FieldCodeQuery text515 = Query(14, 150);
    text515.model.Family515Text = true;
    text515.function = 1;
    FieldCodeQuery text515Octave = text515;
    text515Octave.function = 2;
    FieldCodeQuery unit5 = Query(15, 300);
    unit5.length = 5;
    FieldCodeQuery unit11 = Query(15, 300);
    unit11.length = 11;
    FieldCodeQuery hundredths = Query(14, 216);
    hundredths.hundredths = true;
    FieldCodeQuery after24 = Query(31, 300);
    after24.previousType = 24;

    const ChoiceCase cases[] = {
        {"unit record before 2.33", false, Query(2, 232), {9, 1, 1, 8, 6, 1}},
        {"unit record from 2.33", false, Query(2, 233), {9, 1, 1, 8, 6, 1, 1, 8, 8, 1}},
        {"record 4 before 2.13", false, Query(4, 212),
         {9, 6, 5, 1, 1, 1, 3, 1, 1, 1, 11, 7, 7, 7, 7, 1, 1, 1, 1, 7, 7}},
        {"record 4 from 2.13", false, Query(4, 213),
         {9, 6, 5, 1, 1, 1, 3, 1, 1, 1, 11, 7, 7, 7, 7, 1, 1, 1, 1, 1, 1, 1}},
        {"record 4 up to 5.99", false, Query(4, 599),
         {9, 6, 5, 1, 1, 1, 3, 1, 1, 1, 11, 1, 1, 2, 1, 1, 7, 7, 1, 1, 1, 1, 1, 1, 1, 1, 1, 6, 5, 1, 1, 1}},
        {"record 4 from 6.00", false, Query(4, 600),
         {9, 6, 5, 1, 1, 1, 3, 1, 1, 1, 11, 1, 1, 2, 1, 1, 51, 51, 1, 1, 6, 5, 1, 1, 1, 1, 1, 1, 4,
          7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7}},
        {"levels at 2.00", false, Query(16, 200), {9, 3, 4, 1, 105}},
        {"levels above 2.00", false, Query(40, 201), {9, 3, 8, 1, 1, 105}},
        {"the first 515 firmware outside 1/1 octaves", false, text515, {9, 108}},
        {"the first 515 firmware in 1/1 octaves", false, text515Octave, {9, 3, 4, 1, 105}},
        {"record 6 of a later model", false, laterModel, {9, 1, 2, 3, 4, 3, 98}},
        {"record 6 of the others", false, Query(6, 300), {9, 1, 2, 1, 4, 3, 98}},
        {"buffer description of 5 words", false, unit5, {9, 1, 1, 106, 107}},
        {"buffer description of another length", false, unit11, {9, 1, 1, 8, 1, 1, 106, 11, 11, 11, 107}},
        {"a type without codes", false, Query(12, 300), {}},
        {"four channels: record 12 before 2.22", true, Query(12, 221), {9, 1, 1, 1, 1, 1, 1, 1, 1, 1, 11, 98}},
        {"four channels: record 12 from 2.22", true, Query(12, 222), {9, 1, 1, 1, 1, 1, 1, 1, 1, 1, 11, 3, 1, 98}},
        {"four channels: levels in 0.01 dB", true, hundredths, {9, 11, 8, 8, 8, 8, 8, 8, 8, 8, 8, 1, 8, 98}},
        {"four channels: levels in 0.1 dB", true, Query(14, 216), {9, 11, 4, 4, 4, 4, 4, 4, 4, 4, 4, 1, 4, 98}},
        {"four channels: record 31 after record 24", true, after24,
         {9, 99, 1, 8, 1, 1, 99, 1, 8, 1, 1, 99, 1, 8, 1, 1, 99, 1, 8, 1, 1}},
        {"four channels: record 31 otherwise", true, Query(31, 300), {9, 3, 3, 1, 1}},
        {"four channels: rotation speeds", true, Query(42, 300), {9, 27, 27, 27}},
    };
    for (const ChoiceCase& c : cases) {
        const auto codes = CurrentFieldCodes(c.fourChannel, c.query);
        EXPECT_EQ(std::vector<std::uint8_t>(codes.begin(), codes.end()), c.codes) << c.what;
    }
}

} // namespace
} // namespace orlu
