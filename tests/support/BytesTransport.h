#pragma once
// The fuzz targets' instrument: the fuzz bytes as what it sends; reads fail
// once they are used up, and whatever the program sends is taken.

#include "link/LinkTransport.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <span>
#include <string_view>

namespace orlu::fixture {

class BytesTransport final : public LinkTransport {
public:
    BytesTransport(const std::uint8_t* data, std::size_t size) : m_Bytes(data, data + size) {}
    bool SendText(std::string_view) override { return true; }
    bool SendBytes(std::span<const std::uint8_t>) override { return true; }
    bool ReadBytes(std::span<std::uint8_t> buffer, std::size_t& got) override
    {
        for (got = 0; got < buffer.size(); ++got) {
            if (m_Bytes.empty())
                return false;
            buffer[got] = m_Bytes.front();
            m_Bytes.pop_front();
        }
        return true;
    }
    void Release() override {}

private:
    std::deque<std::uint8_t> m_Bytes;
};

} // namespace orlu::fixture
