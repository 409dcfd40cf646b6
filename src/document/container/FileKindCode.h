#pragma once
// The FileKindCode of a document: what a loaded file is and which decoder
// reads it. One table row per code; codes without a row load for the Hexa
// view only. A family's loader is registered in the family table: until a
// family has one, its files open for the Hexa view without an error.

#include <cstdint>

namespace orlu {

class CTmDoc;

/// What a loaded file is decoded as.
enum class KindFamily : std::uint8_t {
    HexaOnly, ///< shown as bytes only
    Settings, ///< the instrument's settings text
    Legacy,   ///< ORLU 505 METER-mode files
    Setup505, ///< ORLU 505 ANALYZER-mode files
    Current,  ///< the current family
    Monitor,  ///< MONITOR station files
};

/// What else a kind carries in its container.
enum KindTraits : std::uint8_t {
    kKindMultifile = 1,   ///< a directory of MultifileEntry follows the header
    kKindChecksum = 2,    ///< the data end with a check word
    kKindRecordIndex = 4, ///< edited file: data length honoured, RecordIndex after the data
};

struct FileKindInfo {
    std::uint8_t Code;
    std::uint8_t LoadAs; ///< the kind the document takes when it loads this code
    KindFamily Family;
    std::uint8_t Traits;
};

/// The row of a code; codes without a row give a Hexa-only row of their own code.
FileKindInfo FindFileKind(std::uint8_t code);

/// How a family's loader ended.
enum class LoadOutcome : std::uint8_t {
    Decoded,    ///< header decoded, first channel selected, ViewMask built
    Rejected,   ///< the file cannot be shown: "Improper file contents", kind 100, Hexa only
    NotDecoded, ///< a file of the family this build does not decode yet: Hexa only, no error
};

/// Decodes a loaded document's header, selects its first channel and builds its ViewMask.
using FamilyLoader = LoadOutcome (*)(CTmDoc& doc);

/// The loader of a family, or null when the family has none.
FamilyLoader FindFamilyLoader(KindFamily family);

/// Codes the loaders and the store name.
inline constexpr std::uint8_t kKindNoData = 0;
inline constexpr std::uint8_t kKindSettings = 2;
inline constexpr std::uint8_t kKindMonitor = 80;
inline constexpr std::uint8_t kKindDerived = 99;
inline constexpr std::uint8_t kKindUnreadable = 100;

} // namespace orlu
