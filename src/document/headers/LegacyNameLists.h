#pragma once
// Name lists of the ORLU 505's files that the channel selections, the header
// decoders and the reports all read. The METER-mode (legacy) and ANALYZER-mode
// files of the 505 share the range list.

#include "document/headers/NameTable.h"

#include <cstddef>
#include <cstdint>
#include <iterator>

namespace orlu {

/// Range names: 0 "UNDF", k the range's top level 20 + 10 k dB (k = 1 to 28), 29 "UNDF".
inline constexpr const char* kOrlu505RangeNames[] = {
    "UNDF",   "30 dB",  "40 dB",  "50 dB",  "60 dB",  "70 dB",  "80 dB",  "90 dB",  "100 dB", "110 dB",
    "120 dB", "130 dB", "140 dB", "150 dB", "160 dB", "170 dB", "180 dB", "190 dB", "200 dB", "210 dB",
    "220 dB", "230 dB", "240 dB", "250 dB", "260 dB", "270 dB", "280 dB", "290 dB", "300 dB", "UNDF"};
inline constexpr std::size_t kOrlu505RangeCount = std::size(kOrlu505RangeNames);

/// Weighting filters of legacy channels, by filter code.
inline constexpr const char* kLegacyFilterNames[] = {
    "DC",   "Lin",  "A",     "C",    "C&A",  "G",     "HP",   "W-Bxy", "W-Bz", "H-A", "W-Bc",
    "W-Bcv", "KB",  "UNDF",  "UNDF", "MF-Vel", "Vel1", "Vel3", "Vel10", "Dil1", "Dil3", "Dil10",
    "UNDF", "Wk",   "Wd",    "Wc",   "Wj",   "Wh",    "UNDF", "UNDF",  "UNDF"};
inline constexpr std::size_t kLegacyFilterCount = std::size(kLegacyFilterNames);

inline NameTable Orlu505RangeNames() { return NameTable::Of(kOrlu505RangeNames); }
inline NameTable LegacyFilterNameTable() { return NameTable::Of(kLegacyFilterNames); }

} // namespace orlu
