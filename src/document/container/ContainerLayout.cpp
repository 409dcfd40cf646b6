#include "document/container/ContainerLayout.h"

#include "document/container/ContainerHeader.h"
#include "document/container/FileKindCode.h"

#include <algorithm>
#include <array>

namespace orlu {
namespace {

constexpr std::uint64_t kDosPrefixLength = 10;

bool ReadExactly(std::istream& in, std::uint8_t* to, std::size_t n)
{
    in.read(reinterpret_cast<char*>(to), static_cast<std::streamsize>(n));
    return static_cast<std::size_t>(in.gcount()) == n;
}

std::optional<ContainerLayout> ReadDos(std::istream& in, std::uint64_t fileLength)
{
    std::array<std::uint8_t, kDosPrefixLength> p{};
    if (!ReadExactly(in, p.data(), p.size()))
        return std::nullopt;
    if (p[1] != '-' || p[2] != 'W' || p[3] != 'Y' || p[4] != '-')
        return std::nullopt;
    const std::uint64_t skipped = p[8] | (p[9] << 8);
    if (kDosPrefixLength + skipped > fileLength)
        return std::nullopt;
    ContainerLayout layout;
    layout.fileKind = p[0] == 'A' ? 4 : 3;
    layout.subKind = p[5] - '0' >= 4 ? p[7] : 0;
    layout.dataOffset = kDosPrefixLength + skipped;
    layout.dataLength = fileLength - layout.dataOffset;
    return layout;
}

} // namespace

std::optional<ContainerLayout> ReadContainerLayout(std::istream& in, std::uint64_t fileLength)
{
    in.clear();
    in.seekg(0);
    const int first = in.peek();
    if (first == 'A' || first == 'M')
        return ReadDos(in, fileLength);
    std::array<std::uint8_t, kContainerHeaderSize> h{};
    if (!ReadExactly(in, h.data(), h.size()))
        return std::nullopt;
    if (!std::equal(h.begin(), h.begin() + kSignatureBytesCompared, kContainerSignature))
        return std::nullopt;
    const std::uint32_t headerLength = h[kHeaderLengthOffset] | (h[kHeaderLengthOffset + 1] << 8);
    if (headerLength < kContainerHeaderSize || headerLength > kMaxContainerHeaderSize || headerLength > fileLength)
        return std::nullopt;
    ContainerLayout layout;
    layout.fileKind = h[kHeaderKindOffset];
    layout.subKind = h[kHeaderSubKindOffset];
    layout.dataOffset = headerLength;
    const std::uint64_t rest = fileLength - headerLength;
    const std::uint8_t flags = h[kHeaderFlagsOffset];
    const bool lengthHonoured = (flags & (kFlagRtThirdOctave | kFlagRtOctave)) != 0 ||
                                (FindFileKind(layout.fileKind).Traits & kKindRecordIndex) != 0;
    const std::uint32_t dataLength = h[kHeaderDataLengthOffset] | (h[kHeaderDataLengthOffset + 1] << 8) |
                                     (h[kHeaderDataLengthOffset + 2] << 16) |
                                     (static_cast<std::uint32_t>(h[kHeaderDataLengthOffset + 3]) << 24);
    layout.dataLength = lengthHonoured ? std::min<std::uint64_t>(dataLength, rest) : rest;
    return layout;
}

} // namespace orlu
