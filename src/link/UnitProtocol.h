#pragma once
// The instrument's command language as the program uses it: identify the
// unit (which also tells which family is connected), read a binary reply
// header, build the request of one file, and the merged kind of a file kind.

#include "link/LinkTransport.h"
#include "link/ReplyParsers.h"
#include "platform/UserInteraction.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orlu {

/// What the link keeps between operations besides the port.
struct LinkFlags {
    /// Units of old firmware take no count in requests for 8-character names.
    bool oldUnitFirmware = false;
};

/// The family selector of a device type, or none for a type the program
/// does not know. Type 0 (older units): the ORLU 505 when the reply has a
/// mode letter, else the ORLU 515.
std::optional<std::uint8_t> SelectorForDeviceType(std::uint16_t deviceType, bool hasModeLetter);

inline constexpr int kIdentifyNoReply = 0;
inline constexpr int kIdentifyRefused = 0xFF;

struct IdentifyOutcome {
    int result = kIdentifyNoReply; ///< the mode character, or one of the two above
    std::string reply;
    UnitIdentity identity;
};

/// Sends ";#1;" and reads the reply (at most `replyLimit` bytes). With a
/// selector, the device type chooses the family and a change is announced;
/// with firmwareCheck, firmware the program refuses (or none) ends it.
/// Over USB the link is released once the reply is in.
IdentifyOutcome IdentifyUnit(LinkTransport& link, UserInteraction& ui, std::uint8_t* selector, bool firmwareCheck,
                             LinkFlags& flags, std::size_t replyLimit = 1024);

/// Reads a binary reply header (7 bytes for the ORLU 505, else 9); the byte
/// count that follows, or none when a byte did not come.
std::optional<std::uint32_t> ReadReplyHeader(LinkTransport& link, bool unit505);

/// Request kinds of a file request.
enum class RequestKind : int { Meter505 = 0, Analyzer505 = 1, Other505 = 2, File = 3, Buffer = 4, Setup = 6 };

struct FileRequest {
    std::string group;        ///< empty: the letter is not served for the family
    RequestKind kind = RequestKind::File;
    std::optional<std::uint8_t> fileKind; ///< none: unchanged
    std::string text;
};

/// The request of one file of the family (selector), by its letter, name and
/// count (the item data of its directory entry).
FileRequest BuildFileRequest(std::uint8_t selector, char letter, std::string_view name, std::uint32_t count,
                             bool oldUnitFirmware);

/// The kind a downloaded file of a DeviceSelector 12 model is stored with,
/// by the device type the unit reported: one kind per model (ORLU 560 73,
/// 570 75, 575 76, 580 77, 595 79), which loading turns into 99 and the
/// current decoder into the kind its device type derives. The QERA 420 and a
/// type the program does not know are stored as 99 and derive nothing.
std::uint8_t LaterModelFileKind(std::uint16_t deviceType);

struct MergedKind {
    std::uint8_t fileKind;
    int requestKind;
    std::uint16_t headerBytes; ///< bytes compared when merging; 0: cannot be merged
};
MergedKind MergedKindForFileKind(int requestKind, std::uint8_t fileKind);

/// The progress line's name of the files of a request kind (5: the MONITOR's).
std::string_view UnitFileKindName(int requestKind);

} // namespace orlu
