#pragma once
// Multifiles of generated files of several kinds: `orlu-fixture multifile
// --members KIND:DEVICE:FIRMWARE,...` and the merged-report tests.

#include "support/FixtureBuilder.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orlu::fixture {

/// One member: what it measured, the instrument and its firmware (version x 100).
///   level  a sound level meter file (microphone, function 1)
///   dose   a dose meter file (microphone, function 4; ORLU 515 below 2.00: 3)
///   acc    a vibration file (accelerometer, function 1)
///   four   a four-channel file, a microphone and three accelerometers (ORLU 545, 590)
///   legacy an ORLU 505 METER-mode sound measurement (device 505)
///   rt60   a reverberation-time measurement of 4 third-octave bands from 500 Hz,
///          one band more for each member before it (525, 535)
///   fft    an FFT spectrum of 8 lines at 20 dB, line 3 at 50 dB plus 10 dB for each
///          member before it (525, 530, 535)
struct MemberSpec {
    std::string kind;
    std::uint16_t device = 525;
    std::uint16_t firmware = 300;
    /// level, dose and acc members: a logger of this many rows of three profiles, one level
    /// each, with a marker in the middle and a break of 10 records before the last row.
    std::uint32_t loggerRows = 0;
    std::vector<LoggerLevels> loggerLevels = {}; ///< written into the logger's columns
};

/// "level:515:210,dose:515:210"; a fourth part gives that member's logger rows
/// ("level:525:300:1000"). Nothing for an unknown kind, a device the kind
/// is not made by, a missing part, a legacy member among others, or an empty list.
std::optional<std::vector<MemberSpec>> ParseMemberList(std::string_view text);

/// The members FILE1, FILE2, ... in the order given.
std::vector<MultifileMember> MixedMultifileMembers(std::span<const MemberSpec> members);

/// The Multifile kind of the members: 23 for legacy files; else 10 above the single
/// file kind of the first member's instrument (53 ORLU 515 below 2.00, 54 from 2.00,
/// 55 ORLU 525, 56 ORLU 530, 57 ORLU 535), and 60 for the four-channel instruments.
std::uint8_t MixedMultifileKind(std::span<const MemberSpec> members);

} // namespace orlu::fixture
