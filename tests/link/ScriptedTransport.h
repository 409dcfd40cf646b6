#pragma once
// A link whose replies the test wrote beforehand: reads hand out the queued
// bytes and fail when none are left, as a silent instrument times out.

#include "link/LinkTransport.h"

#include <deque>
#include <string>

namespace orlu {

class ScriptedTransport final : public LinkTransport {
public:
    explicit ScriptedTransport(std::string reply = {}, bool usb = false) : m_Usb(usb) { Queue(reply); }
    void Queue(std::string_view bytes) { m_Reply.insert(m_Reply.end(), bytes.begin(), bytes.end()); }

    bool SendText(std::string_view text) override
    {
        sent += text;
        return true;
    }
    bool SendBytes(std::span<const std::uint8_t> bytes) override
    {
        sent.append(bytes.begin(), bytes.end());
        return true;
    }
    void StartRead() override { ++readsStarted; }
    bool ReadBytes(std::span<std::uint8_t> buffer, std::size_t& got) override
    {
        for (got = 0; got < buffer.size(); ++got) {
            if (m_Reply.empty())
                return false;
            buffer[got] = static_cast<std::uint8_t>(m_Reply.front());
            m_Reply.pop_front();
        }
        return true;
    }
    void Release() override { ++releases; }
    bool IsUsb() const override { return m_Usb; }

    std::string sent;
    int readsStarted = 0;
    int releases = 0;

private:
    std::deque<char> m_Reply;
    bool m_Usb;
};

} // namespace orlu
