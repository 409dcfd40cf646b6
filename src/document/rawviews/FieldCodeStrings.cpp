#include "document/rawviews/FieldCodeStrings.h"

#include <algorithm>
#include <iterator>

namespace orlu {
namespace {

// The strings, code by code, as the file formats give them ("nine 4" written out).
// Other current-family files:
constexpr std::uint8_t kOther0[] = {9, 10, 3, 6, 5, 10};
constexpr std::uint8_t kOther1[] = {9, 1, 1, 8, 6, 1, 1, 8, 8, 1};
constexpr std::uint8_t kOther2[] = {9, 1, 1, 8, 6, 1};
constexpr std::uint8_t kOther3[] = {9, 103};
constexpr std::uint8_t kOther4[] = {9, 6, 5, 1, 1, 1, 3, 1, 1, 1, 11, 1, 1, 2, 1, 1, 51, 51, 1, 1, 6, 5, 1, 1, 1, 1, 1, 1, 4, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7};
constexpr std::uint8_t kOther5[] = {9, 6, 5, 1, 1, 1, 3, 1, 1, 1, 11, 1, 1, 2, 1, 1, 7, 7, 1, 1, 1, 1, 1, 1, 1, 1, 1, 6, 5, 1, 1, 1};
constexpr std::uint8_t kOther6[] = {9, 6, 5, 1, 1, 1, 3, 1, 1, 1, 11, 7, 7, 7, 7, 1, 1, 1, 1, 1, 1, 1};
constexpr std::uint8_t kOther7[] = {9, 6, 5, 1, 1, 1, 3, 1, 1, 1, 11, 7, 7, 7, 7, 1, 1, 1, 1, 7, 7};
constexpr std::uint8_t kOther8[] = {9, 3, 98};
constexpr std::uint8_t kOther9[] = {9, 1, 2, 3, 4, 3, 98};
constexpr std::uint8_t kOther10[] = {9, 1, 2, 1, 4, 3, 98};
constexpr std::uint8_t kOther11[] = {9, 11, 4, 4, 4, 4, 4, 4, 4, 4, 4, 1, 4, 3, 98};
constexpr std::uint8_t kOther12[] = {9, 11, 4, 4, 4, 4, 4, 4, 4, 4, 4, 1, 4, 98};
constexpr std::uint8_t kOther13[] = {9, 1, 4, 4, 98};
constexpr std::uint8_t kOther14[] = {3, 12, 101};
constexpr std::uint8_t kOther15[] = {9, 108};
constexpr std::uint8_t kOther16[] = {9, 3, 8, 1, 1, 105};
constexpr std::uint8_t kOther17[] = {9, 3, 4, 1, 105};
constexpr std::uint8_t kOther18[] = {9, 106, 107};
constexpr std::uint8_t kOther19[] = {9, 1, 1, 106, 107};
constexpr std::uint8_t kOther20[] = {9, 1, 1, 8, 1, 1, 106, 107};
constexpr std::uint8_t kOther21[] = {9, 1, 1, 8, 1, 1, 106, 11, 107};
constexpr std::uint8_t kOther22[] = {9, 1, 1, 8, 1, 1, 106, 11, 11, 107};
constexpr std::uint8_t kOther23[] = {9, 1, 1, 8, 1, 1, 106, 11, 11, 11, 107};
constexpr std::uint8_t kOther24[] = {9, 3, 1, 1, 1, 1, 1, 1, 11, 3, 3, 3, 3, 3};
constexpr std::uint8_t kOther25[] = {3, 14, 105};
constexpr std::uint8_t kOther26[] = {9, 1, 1, 4, 4};
constexpr std::uint8_t kOther27[] = {9, 21, 1, 99, 115};
constexpr std::uint8_t kOther28[] = {9, 1, 1, 4, 4, 1, 1, 4, 4, 1, 1, 4, 4};
constexpr std::uint8_t kOther29[] = {9, 1, 20, 105};
constexpr std::uint8_t kOther30[] = {9, 1, 1, 1, 1, 1, 4, 1, 4, 1, 1};
constexpr std::uint8_t kOther31[] = {3, 12, 8, 1, 1, 1, 1, 99, 116};
constexpr std::uint8_t kOther32[] = {3, 12, 8, 1, 1, 1, 1, 99, 117};
constexpr std::uint8_t kOther33[] = {3, 25, 1, 4, 1, 4, 26, 97, 4, 4, 4, 4, 1, 1, 99, 124};
constexpr std::uint8_t kOther34[] = {9, 27, 27, 27};
constexpr std::uint8_t kOther35[] = {3, 14, 99, 122};
constexpr std::uint8_t kOther36[] = {9, 99, 1, 1, 33, 33, 99, 1, 1, 33, 33, 99, 1, 1, 33, 33};
constexpr std::uint8_t kOther37[] = {9, 1, 1, 4, 1, 1, 1};
constexpr std::uint8_t kOther38[] = {9, 1, 1, 4, 4, 1, 1};
constexpr std::uint8_t kOther39[] = {9, 1, 1, 1, 1, 4, 1, 1, 1, 1};
// Four-channel files:
constexpr std::uint8_t kFour0[] = {9, 10, 3, 6, 5, 10};
constexpr std::uint8_t kFour1[] = {9, 1, 1, 8, 6, 1, 8, 8};
constexpr std::uint8_t kFour2[] = {9, 103};
constexpr std::uint8_t kFour3[] = {9, 6, 5, 1, 3, 1, 1, 11, 1, 1, 1, 8, 8, 1, 1, 1, 8, 8, 8, 8, 1, 1, 1, 8, 1, 6, 5, 1, 1, 1, 1, 1, 1, 1, 1};
constexpr std::uint8_t kFour4[] = {9, 98};
constexpr std::uint8_t kFour5[] = {9, 1, 4, 1, 1, 1, 1, 98};
constexpr std::uint8_t kFour6[] = {9, 3, 98};
constexpr std::uint8_t kFour7[] = {9, 1, 1, 1, 1, 3, 98};
constexpr std::uint8_t kFour8[] = {9, 1, 1, 1, 98};
constexpr std::uint8_t kFour9[] = {9, 1, 1, 1, 1, 1, 1, 1, 1, 1, 11, 98};
constexpr std::uint8_t kFour10[] = {9, 1, 1, 1, 1, 1, 1, 1, 1, 1, 11, 3, 1, 98};
constexpr std::uint8_t kFour11[] = {9, 11, 8, 8, 8, 8, 8, 8, 8, 8, 8, 1, 8, 98};
constexpr std::uint8_t kFour12[] = {9, 11, 4, 4, 4, 4, 4, 4, 4, 4, 4, 1, 4, 98};
constexpr std::uint8_t kFour13[] = {9, 8, 1, 1, 105};
constexpr std::uint8_t kFour14[] = {3, 14, 105};
constexpr std::uint8_t kFour15[] = {9, 1, 4, 4, 98};
constexpr std::uint8_t kFour16[] = {3, 22, 1, 99, 101};
constexpr std::uint8_t kFour17[] = {3, 1, 3, 98};
constexpr std::uint8_t kFour18[] = {3, 23, 1, 24, 4, 4, 99, 123};
constexpr std::uint8_t kFour19[] = {3, 12, 101};
constexpr std::uint8_t kFour20[] = {9, 1, 1, 1, 11, 11, 11};
constexpr std::uint8_t kFour21[] = {9, 21, 30, 99, 125};
constexpr std::uint8_t kFour22[] = {9, 1, 1, 1, 4, 4, 1, 1, 4, 4, 1, 1, 4, 4, 98};
constexpr std::uint8_t kFour23[] = {9, 1, 20, 105};
constexpr std::uint8_t kFour24[] = {9, 1, 8, 8, 8, 8, 1, 1, 1, 1, 8};
constexpr std::uint8_t kFour25[] = {9, 99, 1, 8, 1, 1, 99, 1, 8, 1, 1, 99, 1, 8, 1, 1, 99, 1, 8, 1, 1};
constexpr std::uint8_t kFour26[] = {9, 3, 3, 1, 1};
constexpr std::uint8_t kFour27[] = {3, 14, 99, 122};
constexpr std::uint8_t kFour28[] = {9, 3, 1, 98};
constexpr std::uint8_t kFour29[] = {9, 1, 1, 1, 1, 1, 4, 1, 4, 1, 1};
constexpr std::uint8_t kFour30[] = {3, 12, 1, 8, 1, 1, 1, 1, 99, 116};
constexpr std::uint8_t kFour31[] = {3, 12, 1, 8, 1, 1, 1, 1, 99, 117};
constexpr std::uint8_t kFour32[] = {3, 12, 8, 1, 1, 1, 1, 99, 117};
constexpr std::uint8_t kFour33[] = {9, 27, 27, 27};
constexpr std::uint8_t kFour34[] = {9, 3, 1, 11, 11, 11};
constexpr std::uint8_t kFour35[] = {9, 1, 1};

/// What else a row asks of the file.
enum class Need : std::uint8_t {
    Any,
    LaterModel,       ///< the later models (560 to 595, QERA 420)
    Text515NotOctave, ///< the first ORLU 515 firmware, not a 1/1-octave function
    Length,           ///< a record of exactly the row's length
    Hundredths,       ///< levels in 0.01 dB
    After24,          ///< the record before is of type 24
};

struct FieldCodeRow {
    std::uint8_t type;
    Need need;
    std::uint16_t minFirmware; ///< x 100, inclusive
    std::uint16_t endFirmware; ///< x 100, exclusive
    std::uint8_t length;
    std::span<const std::uint8_t> codes;
};

// The first row of a type that fits the file is taken.
constexpr FieldCodeRow kOtherRows[] = {
    {1, Need::Any, 0, 65535, 0, kOther0},
    {2, Need::Any, 233, 65535, 0, kOther1},
    {2, Need::Any, 0, 233, 0, kOther2},
    {3, Need::Any, 0, 65535, 0, kOther3},
    {4, Need::Any, 600, 65535, 0, kOther4},
    {4, Need::Any, 233, 600, 0, kOther5},
    {4, Need::Any, 213, 233, 0, kOther6},
    {4, Need::Any, 0, 213, 0, kOther7},
    {5, Need::Any, 0, 65535, 0, kOther8},
    {7, Need::Any, 0, 65535, 0, kOther8},
    {9, Need::Any, 0, 65535, 0, kOther8},
    {6, Need::LaterModel, 0, 65535, 0, kOther9},
    {6, Need::Any, 0, 65535, 0, kOther10},
    {8, Need::LaterModel, 0, 65535, 0, kOther11},
    {8, Need::Any, 0, 65535, 0, kOther12},
    {10, Need::Any, 0, 65535, 0, kOther13},
    {11, Need::Any, 0, 65535, 0, kOther14},
    {20, Need::Any, 0, 65535, 0, kOther14},
    {14, Need::Text515NotOctave, 0, 65535, 0, kOther15},
    {38, Need::Text515NotOctave, 0, 65535, 0, kOther15},
    {39, Need::Text515NotOctave, 0, 65535, 0, kOther15},
    {14, Need::Any, 201, 65535, 0, kOther16},
    {38, Need::Any, 201, 65535, 0, kOther16},
    {39, Need::Any, 201, 65535, 0, kOther16},
    {16, Need::Any, 201, 65535, 0, kOther16},
    {40, Need::Any, 201, 65535, 0, kOther16},
    {41, Need::Any, 201, 65535, 0, kOther16},
    {14, Need::Any, 0, 201, 0, kOther17},
    {38, Need::Any, 0, 201, 0, kOther17},
    {39, Need::Any, 0, 201, 0, kOther17},
    {16, Need::Any, 0, 201, 0, kOther17},
    {40, Need::Any, 0, 201, 0, kOther17},
    {41, Need::Any, 0, 201, 0, kOther17},
    {15, Need::Length, 0, 65535, 3, kOther18},
    {15, Need::Length, 0, 65535, 5, kOther19},
    {15, Need::Length, 0, 65535, 8, kOther20},
    {15, Need::Length, 0, 65535, 10, kOther21},
    {15, Need::Length, 0, 65535, 12, kOther22},
    {15, Need::Any, 0, 65535, 0, kOther23},
    {17, Need::Any, 0, 65535, 0, kOther24},
    {21, Need::Any, 0, 65535, 0, kOther24},
    {22, Need::Any, 0, 65535, 0, kOther24},
    {18, Need::Any, 0, 65535, 0, kOther25},
    {36, Need::Any, 0, 65535, 0, kOther25},
    {37, Need::Any, 0, 65535, 0, kOther25},
    {19, Need::Any, 0, 65535, 0, kOther26},
    {23, Need::Any, 0, 65535, 0, kOther27},
    {24, Need::Any, 0, 65535, 0, kOther28},
    {25, Need::Any, 0, 65535, 0, kOther29},
    {26, Need::Any, 0, 65535, 0, kOther30},
    {27, Need::Any, 0, 65535, 0, kOther31},
    {28, Need::Any, 0, 65535, 0, kOther32},
    {29, Need::Any, 0, 65535, 0, kOther33},
    {31, Need::Any, 0, 65535, 0, kOther34},
    {32, Need::Any, 0, 65535, 0, kOther35},
    {33, Need::Any, 0, 65535, 0, kOther36},
    {43, Need::Any, 0, 65535, 0, kOther37},
    {45, Need::Any, 0, 65535, 0, kOther37},
    {44, Need::Any, 0, 65535, 0, kOther38},
    {46, Need::Any, 0, 65535, 0, kOther39},
};

constexpr FieldCodeRow kFourChannelRows[] = {
    {1, Need::Any, 0, 65535, 0, kFour0},
    {2, Need::Any, 0, 65535, 0, kFour1},
    {3, Need::Any, 0, 65535, 0, kFour2},
    {4, Need::Any, 0, 65535, 0, kFour3},
    {5, Need::Any, 0, 65535, 0, kFour4},
    {26, Need::Any, 0, 65535, 0, kFour4},
    {28, Need::Any, 0, 65535, 0, kFour4},
    {6, Need::Any, 0, 65535, 0, kFour5},
    {7, Need::Any, 0, 65535, 0, kFour6},
    {9, Need::Any, 0, 65535, 0, kFour6},
    {11, Need::Any, 0, 65535, 0, kFour6},
    {13, Need::Any, 0, 65535, 0, kFour6},
    {18, Need::Any, 0, 65535, 0, kFour6},
    {8, Need::Any, 0, 65535, 0, kFour7},
    {10, Need::Any, 0, 65535, 0, kFour8},
    {12, Need::Any, 0, 222, 0, kFour9},
    {12, Need::Any, 222, 65535, 0, kFour10},
    {14, Need::Hundredths, 0, 65535, 0, kFour11},
    {14, Need::Any, 0, 65535, 0, kFour12},
    {15, Need::Any, 0, 65535, 0, kFour13},
    {45, Need::Any, 0, 65535, 0, kFour13},
    {46, Need::Any, 0, 65535, 0, kFour13},
    {16, Need::Any, 0, 65535, 0, kFour13},
    {47, Need::Any, 0, 65535, 0, kFour13},
    {48, Need::Any, 0, 65535, 0, kFour13},
    {17, Need::Any, 0, 65535, 0, kFour14},
    {19, Need::Any, 0, 65535, 0, kFour15},
    {20, Need::Any, 0, 65535, 0, kFour16},
    {21, Need::Any, 0, 65535, 0, kFour17},
    {22, Need::Any, 0, 65535, 0, kFour18},
    {23, Need::Any, 0, 65535, 0, kFour19},
    {24, Need::Any, 0, 65535, 0, kFour20},
    {25, Need::Any, 0, 65535, 0, kFour21},
    {27, Need::Any, 0, 65535, 0, kFour22},
    {29, Need::Any, 0, 65535, 0, kFour23},
    {30, Need::Any, 0, 65535, 0, kFour24},
    {31, Need::After24, 0, 65535, 0, kFour25},
    {31, Need::Any, 0, 65535, 0, kFour26},
    {32, Need::Any, 0, 65535, 0, kFour27},
    {33, Need::Any, 0, 65535, 0, kFour25},
    {34, Need::Any, 0, 65535, 0, kFour28},
    {35, Need::Any, 0, 65535, 0, kFour8},
    {36, Need::Any, 0, 65535, 0, kFour29},
    {37, Need::Any, 0, 65535, 0, kFour30},
    {38, Need::Any, 0, 65535, 0, kFour31},
    {40, Need::Any, 0, 65535, 0, kFour32},
    {41, Need::Any, 0, 65535, 0, kFour32},
    {42, Need::Any, 0, 65535, 0, kFour33},
    {43, Need::Any, 0, 65535, 0, kFour34},
    {44, Need::Any, 0, 65535, 0, kFour35},
};

bool Fits(const FieldCodeRow& row, const FieldCodeQuery& q)
{
    if (row.type != q.type || q.firmware < row.minFirmware || q.firmware >= row.endFirmware)
        return false;
    switch (row.need) {
    case Need::Any:
        return true;
    case Need::LaterModel:
        return q.model.LaterModel;
    case Need::Text515NotOctave:
        return q.model.Family515Text && q.function != 2;
    case Need::Length:
        return q.length == row.length;
    case Need::Hundredths:
        return q.hundredths;
    case Need::After24:
        return q.previousType == 24;
    }
    return false;
}

} // namespace

std::span<const std::uint8_t> CurrentFieldCodes(bool fourChannel, const FieldCodeQuery& query)
{
    const std::span<const FieldCodeRow> rows = fourChannel ? std::span<const FieldCodeRow>(kFourChannelRows)
                                                           : std::span<const FieldCodeRow>(kOtherRows);
    auto it = std::find_if(rows.begin(), rows.end(), [&](const FieldCodeRow& row) { return Fits(row, query); });
    return it != rows.end() ? it->codes : std::span<const std::uint8_t>();
}

} // namespace orlu
