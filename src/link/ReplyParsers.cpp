#include "link/ReplyParsers.h"

#include <algorithm>
#include <cctype>

namespace orlu {

IdentifyReplyCollector::State IdentifyReplyCollector::Feed(std::uint8_t byte)
{
    if (m_State != State::Collecting)
        return m_State;
    if (m_Reply.empty()) {
        if (byte == '#')
            m_Reply.push_back('#');
        return m_State;
    }
    if (byte < 32 || byte > 126) {
        m_Reply.clear();
        m_LastX.reset();
        return m_State;
    }
    if (m_Reply.size() >= m_Limit)
        return m_State = State::TooLong;
    if (byte == 'X')
        m_LastX = m_Reply.size();
    m_Reply.push_back(static_cast<char>(byte));
    if (byte == ';')
        m_State = State::Complete;
    return m_State;
}

char IdentifyReplyCollector::Mode() const
{
    const std::size_t at = m_LastX ? *m_LastX + 1 : 1;
    return at < m_Reply.size() ? m_Reply[at] : '\0';
}

std::string ExtractReplyField(std::string_view reply, char letter)
{
    std::size_t at = 0;
    for (;; ++at) {
        at = reply.find(letter, at);
        if (at == std::string_view::npos)
            return {};
        if (letter != 'W' || (at + 1 < reply.size() && std::isdigit(static_cast<unsigned char>(reply[at + 1]))))
            break;
    }
    std::string field;
    for (std::size_t i = at; i < reply.size() && field.size() < 15; ++i) {
        if (reply[i] == ',' || reply[i] == ';' || reply[i] == '\0')
            break;
        field.push_back(reply[i]);
    }
    return field;
}

namespace {

// Digits from `at`; the value (clamped to 16 bits) and where they end.
std::uint32_t ReadNumber(std::string_view text, std::size_t& at)
{
    std::uint32_t value = 0;
    while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) {
        value = std::min<std::uint32_t>(value * 10 + static_cast<std::uint32_t>(text[at] - '0'), 0xFFFF);
        ++at;
    }
    return value;
}

} // namespace

UnitIdentity ParseIdentity(std::string_view reply)
{
    UnitIdentity id;
    const std::string u = ExtractReplyField(reply, 'U');
    if (!u.empty()) {
        std::size_t at = 1;
        id.deviceType = static_cast<std::uint16_t>(ReadNumber(u, at));
    }
    const std::string n = ExtractReplyField(reply, 'N');
    if (!n.empty())
        id.serial = n.substr(1);
    id.eVersion = u.find('E') != std::string::npos || n.find('E') != std::string::npos;
    const std::string w = ExtractReplyField(reply, 'W');
    if (!w.empty()) {
        std::size_t at = 1;
        const std::uint32_t major = ReadNumber(w, at);
        std::uint32_t minor = 0;
        if (at < w.size() && w[at] == '.') {
            ++at;
            minor = ReadNumber(w, at);
        }
        id.firmware = static_cast<std::uint16_t>(std::min<std::uint32_t>(major * 100 + minor, 0xFFFF));
        id.firmwareMissing = false;
    }
    id.hasModeLetter = reply.find('X') != std::string_view::npos;
    return id;
}

bool ReplyHeaderReader::Feed(std::uint8_t byte)
{
    if (Complete())
        return true;
    if (m_Have == 0 && byte != '#')
        return false;
    const std::size_t countStart = m_Length - 4;
    if (m_Have >= countStart)
        m_Count |= static_cast<std::uint32_t>(byte) << (8 * (m_Have - countStart));
    ++m_Have;
    return Complete();
}

} // namespace orlu
