#include "ContainerLayoutOptions.h"

#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string_view>

namespace orlu::tools {

bool TakeContainerLayoutOptions(std::vector<char*>& args, ContainerLayoutOptions& options)
{
    for (std::size_t i = 2; i + 1 < args.size();) {
        const std::string_view name = args[i];
        long* target = name == "--header-length" ? &options.headerLength
                       : name == "--rt-block"     ? &options.rtBlockBytes
                                                  : nullptr;
        if (!target) {
            ++i;
            continue;
        }
        if (i + 2 >= args.size())
            return false;
        char* end = nullptr;
        *target = std::strtol(args[i + 1], &end, 0);
        if (end == args[i + 1] || *end != '\0')
            return false;
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i), args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
    }
    return options.headerLength >= 32 && options.headerLength <= 512 && options.rtBlockBytes >= -1 &&
           options.rtBlockBytes <= 1 << 24;
}

fixture::FixtureBuilder ApplyContainerLayout(const fixture::FixtureBuilder& container,
                                             const ContainerLayoutOptions& options)
{
    const std::vector<std::uint8_t>& bytes = container.Data();
    if (bytes.size() < 32 || bytes[8] != 32 || bytes[9] != 0)
        throw std::runtime_error("--header-length and --rt-block need a container of a single file");
    const std::vector<std::uint8_t> data(bytes.begin() + 32, bytes.end());
    const bool rt = options.rtBlockBytes >= 0;
    std::uint8_t flags = bytes[12];
    if (rt)
        flags |= 1;
    fixture::FixtureBuilder out;
    out.ContainerHeader(bytes[10], bytes[11], flags, rt ? static_cast<std::uint32_t>(data.size()) : 0,
                        static_cast<std::uint16_t>(options.headerLength));
    out.Bytes(data);
    if (rt) {
        fixture::FixtureBuilder block;
        block.Pattern(static_cast<std::size_t>(options.rtBlockBytes));
        out.RtBlock(block.Data());
    }
    return out;
}

} // namespace orlu::tools
