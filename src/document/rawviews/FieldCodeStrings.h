#pragma once
// The FieldCodeStrings of the ASCII form: per record type and file family, the
// field codes that say how each word of a record is written. A string's first
// code writes the header word; scalar codes write one item of one or two
// words; structural codes (15 and from 97 on) change the reading or the line
// layout. docs/formats.md ("ASCII form") describes every code.

#include "document/headers/DeviceModels.h"

#include <cstdint>
#include <span>

namespace orlu {

/// Field codes the writer names.
enum FieldCode : std::uint8_t {
    kCodeHex = 3,           ///< "%04Xh"
    kCodeHeader = 9,        ///< "%04Xh"; the high byte is the record length
    kCodeUnsigned = 1,      ///< "%d" of the unsigned word
    kCodeText = 15,         ///< text up to ";" or "]"
    kCodeRepeatHex = 21,    ///< "%04Xh"; the high byte is the repeat count
    kCodeRepeatCount = 30,  ///< "%d"; the value is the repeat count
    kCodeDoseOrNumber = 51, ///< a level for dose meters, else a number
    kCodeBreakNow = 97,
    kCodeEndRecord = 98,
    kCodeBreakBefore = 99,
    kCodeLong = 101,
    kCodeQuoted = 103,
    kCodeLevels = 105,
    kCodeBufferSize = 106,
    kCodeBufferRows = 107,
    kCodeNul = 108,
    kCodeHexWords = 109,
    kCodeTenths = 110,
    kCodeMarkers = 113,
    kCodeStatistics = 115,
    kCodeRt60Groups = 116,
    kCodeRt60GroupsCounts = 117,
    kCodeBufferStart = 118,
    kCodeBufferData = 119,
    kCodeSpectraHeader = 120,
    kCodeSpectra = 121,
    kCodeHexFours = 122,
    kCodeLongRepeat = 123,
    kCodeNumbers = 124,
    kCodeStatisticsTable = 125,
};

/// What the choice of a current-family string depends on.
struct FieldCodeQuery {
    std::uint8_t type = 0;
    std::uint8_t length = 0;       ///< high byte of the header word
    std::uint8_t previousType = 0; ///< type of the record before (0 for the first)
    std::uint16_t firmware = 0;    ///< x 100
    ModelFlags model;
    std::uint16_t function = 0;    ///< the measurement function of record 4
    bool hundredths = false;       ///< levels in 0.01 dB
};

/// The string of a record of a current-family file (four-channel or other);
/// empty when the type has none (its words are written raw).
std::span<const std::uint8_t> CurrentFieldCodes(bool fourChannel, const FieldCodeQuery& query);

} // namespace orlu
