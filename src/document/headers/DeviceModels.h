#pragma once
// The instrument models of the current family: which groups a device type
// belongs to (its ModelFlags) and which FileKindCode a file of kind 99 takes
// from it. Every model difference is a row of the table in DeviceModels.cpp;
// decoders and renderers branch on the flags, never on device type numbers.

#include <cstdint>

namespace orlu {

/// The groups of a document's instrument, derived once from device type and firmware.
struct ModelFlags {
    bool Model560 = false;
    bool Model570 = false; ///< ORLU 570 or QERA 420
    bool Model575 = false;
    bool Model580 = false;
    bool Model590 = false;
    bool Model595 = false;
    bool LaterModel = false;    ///< 560, 570, 575, 580, 595, QERA 420 (not 590)
    bool Family515Text = false; ///< ORLU 515 below firmware 2.00
    bool Family515 = false;     ///< ORLU 515 from firmware 2.00, ORLU 560
    bool Family525 = false;     ///< ORLU 525, 570, QERA 420
    bool Family530 = false;     ///< ORLU 530, 575
    bool Family535 = false;     ///< ORLU 535, 550, 580, 595, QERA 410
    bool FourChannel = false;   ///< ORLU 545, 590
    bool Model550 = false;
    bool ModelQera410 = false;

    /// Any of the sound-level-meter groups whose range names are known.
    bool AnyMeterGroup() const { return Family515Text || Family515 || Family525 || Family530 || Family535; }
    bool operator==(const ModelFlags&) const = default;
};

/// The flags of a device type (410, 420, 505 ... 595) at a firmware version x 100.
ModelFlags ModelFlagsFor(std::uint16_t deviceType, std::uint16_t firmware);

/// The FileKindCode a file of kind 99 takes from its device type; 99 when the
/// type has none (QERA 420 and unknown types).
std::uint8_t DeviceKindFor(std::uint16_t deviceType, std::uint16_t firmware);

} // namespace orlu
