#pragma once
// The readers of what the instrument answers, free of any port so that they
// can be fed any bytes: the identify reply collected from '#' to ';', its
// fields, and the binary reply header.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orlu {

/// Collects an identify reply byte by byte: bytes before '#' are skipped, a
/// byte outside 32..126 drops what was collected and waits for the next '#',
/// ';' ends the reply. A reply longer than the limit is refused, so noise
/// cannot grow it without end.
class IdentifyReplyCollector {
public:
    enum class State { Collecting, Complete, TooLong };

    explicit IdentifyReplyCollector(std::size_t limit = 1024) : m_Limit(limit) {}
    State Feed(std::uint8_t byte);
    State Current() const { return m_State; }
    /// The reply from '#' to ';' (so far).
    const std::string& Reply() const { return m_Reply; }
    /// The mode character: the one after the last 'X', else the one after '#'.
    char Mode() const;

private:
    std::size_t m_Limit;
    std::string m_Reply;
    std::optional<std::size_t> m_LastX;
    State m_State = State::Collecting;
};

/// The field that starts with the first occurrence of the letter (for 'W' the
/// first 'W' followed by a digit), the letter included, up to 15 characters,
/// ending before ',' or ';'. Empty when there is none.
std::string ExtractReplyField(std::string_view reply, char letter);

/// What an identify reply says of the unit.
struct UnitIdentity {
    std::uint16_t deviceType = 0;    ///< U; 0 when absent
    std::uint16_t firmware = 0;      ///< W as major x 100 + minor
    bool firmwareMissing = true;
    std::string serial;              ///< N without its letter
    bool eVersion = false;           ///< an 'E' in the U or N field
    bool hasModeLetter = false;      ///< an 'X' in the reply
};
UnitIdentity ParseIdentity(std::string_view reply);

/// Reads a binary reply header: '#', the filler (2 bytes for the ORLU 505,
/// else 4) and a little-endian 32-bit count. Bytes before '#' are skipped;
/// the filler is taken by position, whatever it holds.
class ReplyHeaderReader {
public:
    explicit ReplyHeaderReader(bool unit505) : m_Length(unit505 ? 7 : 9) {}
    /// True once the header is complete.
    bool Feed(std::uint8_t byte);
    bool Complete() const { return m_Have == m_Length; }
    std::uint32_t Count() const { return m_Count; }
    std::size_t Length() const { return m_Length; }

private:
    std::size_t m_Length;
    std::size_t m_Have = 0;
    std::uint32_t m_Count = 0;
};

} // namespace orlu
