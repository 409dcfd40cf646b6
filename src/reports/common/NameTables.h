#pragma once
// Names of coded settings in the reports of the legacy family (the 505's
// METER files) and the 505 family (its ANALYZER files), and the input names
// that every header report shares. Codes come from the files unchecked, so
// every lookup goes through NameFor, which answers "UNDF" for a code beyond a
// list rather than reading past it.

#include "document/headers/LegacyNameLists.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace orlu {

/// The name printed for a code that no list entry covers.
inline constexpr std::string_view kUndefinedName = "UNDF";

/// Entry `code` of a name list, or "UNDF" when the code lies outside it.
std::string_view NameFor(std::span<const std::string_view> list, long long code);

/// Function names of legacy channels, each with a leading blank.
extern const std::array<std::string_view, 12> LegacyFunctionNames;

/// A weighting filter of a legacy channel.
struct LegacyFilter {
    std::string_view Name;
    /// Unit of the filter's results as an offset into the unit names of the
    /// level formatter: 3 acceleration, 4 velocity, 5 displacement, 6 KB, 0 none.
    std::uint8_t Unit;
};

/// Filters of legacy channels, by filter code: the document's filter names
/// with their units.
extern const std::array<LegacyFilter, kLegacyFilterCount> LegacyFilterNames;

/// The filter of a legacy filter code; "UNDF" without unit beyond the table.
LegacyFilter LegacyFilterFor(long long code);

/// Long input names, by input kind.
extern const std::array<std::string_view, 9> InputNames;
/// Short input names of the channel columns, by input kind.
extern const std::array<std::string_view, 10> InputShortNames;

/// Legacy range names (the document's 505 range list): entry k is the range's
/// top level, 20 + 10 k dB.
extern const std::array<std::string_view, kOrlu505RangeCount> LegacyRangeNames;
/// Legacy time constants, long form.
extern const std::array<std::string_view, 12> TimeConstantNames;
/// Legacy time constants, short form of the channel columns.
extern const std::array<std::string_view, 11> TimeConstantShortNames;
/// Legacy time constants as a buffer names its results' integration time.
extern const std::array<std::string_view, 11> BufferStepNames;
extern const std::array<std::string_view, 5> RmsDetectorNames;
extern const std::array<std::string_view, 3> LowPassNames;

/// Names of the bits 0 to 7 of a channel's buffer-content mask, for legacy
/// file-format versions below 33.
extern const std::array<std::string_view, 8> BufferResultNamesOld;
/// The same for versions 33 and later.
extern const std::array<std::string_view, 8> BufferResultNamesNew;
inline constexpr int kBufferResultNamesNewFromVersion = 33;

/// Microphone pairs of the intensity probe (the fifth is written with '_').
extern const std::array<std::string_view, 6> ProbePairNames;

/// 505 measurement functions, each with a leading blank.
extern const std::array<std::string_view, 5> FunctionNames505;
extern const std::array<std::string_view, 7> FilterNames505;
/// 505 frequency bands of UnitSubKind 0 with a stored input kind below 6.
extern const std::array<std::string_view, 18> BandNames505A;
/// 505 frequency bands of every other case.
extern const std::array<std::string_view, 18> BandNames505B;
extern const std::array<std::string_view, 8> AveragingNames505;
extern const std::array<std::string_view, 5> TriggeringNames505;
extern const std::array<std::string_view, 6> WindowNames505;
extern const std::array<std::string_view, 3> ZoomNames505;

/// The frequency-band list of a 505 setup: list A for an ordinary ORLU 505
/// (UnitSubKind 0) measuring through a single input (stored input kind below
/// 6), list B for the E version and for the four-channel probes.
std::span<const std::string_view> BandNames505(std::uint8_t unitSubKind, std::uint16_t storedInputKind);
/// The LOW PASS cell of a 505 channel: "ON" for the code 1, "OFF" for any other.
std::string_view LowPassCell505(std::uint16_t code);

} // namespace orlu
