#include "document/container/ContainerHeader.h"

#include <algorithm>
#include <cstring>

namespace orlu {
namespace {

void PutLe16(std::uint8_t* p, std::uint16_t v)
{
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

void PutLe32(std::uint8_t* p, std::uint32_t v)
{
    PutLe16(p, static_cast<std::uint16_t>(v));
    PutLe16(p + 2, static_cast<std::uint16_t>(v >> 16));
}

std::uint32_t GetLe32(const std::uint8_t* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

} // namespace

std::uint32_t BuildContainerHeader(std::span<std::uint8_t, kContainerHeaderSize> buffer, std::uint8_t kind,
                                   std::uint8_t subKind, std::uint8_t flags, std::uint32_t dataLength)
{
    std::uint8_t* p = buffer.data();
    std::memset(p, 0, kContainerHeaderSize);
    std::memcpy(p, kContainerSignature, sizeof kContainerSignature);
    PutLe16(p + kHeaderLengthOffset, kContainerHeaderSize);
    p[kHeaderKindOffset] = kind;
    p[kHeaderSubKindOffset] = subKind;
    p[kHeaderFlagsOffset] = flags;
    PutLe32(p + kHeaderDataLengthOffset, dataLength);
    return kContainerHeaderSize;
}

std::string MultifileEntry::NameText() const
{
    auto end = std::find(Name.begin(), Name.end(), std::uint8_t{0});
    return std::string(Name.begin(), end);
}

MultifileEntry MultifileEntry::Parse(std::span<const std::uint8_t, kMultifileEntrySize> bytes,
                                     std::uint32_t& nextLink)
{
    MultifileEntry entry;
    std::copy_n(bytes.begin(), entry.Name.size(), entry.Name.begin());
    entry.FileKind = bytes[10];
    entry.Offset = GetLe32(bytes.data() + 12);
    entry.Length = GetLe32(bytes.data() + 16);
    nextLink = GetLe32(bytes.data() + 24);
    return entry;
}

void MultifileEntry::Write(std::span<std::uint8_t, kMultifileEntrySize> bytes, std::uint32_t previousLink,
                           std::uint32_t nextLink) const
{
    std::uint8_t* p = bytes.data();
    std::copy(Name.begin(), Name.end(), p);
    p[10] = FileKind;
    p[11] = 0;
    PutLe32(p + 12, Offset);
    PutLe32(p + 16, Length);
    PutLe32(p + 20, previousLink);
    PutLe32(p + 24, nextLink);
}

} // namespace orlu
