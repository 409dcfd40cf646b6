#include "MonitorImageFixture.h"

#include "Usage.h"
#include "support/FixtureBuilder.h"
#include "support/MonitorOutputImage.h"

#include <cstdio>
#include <fstream>
#include <string_view>

namespace orlu::tools {
namespace {

constexpr char kUsage[] =
    "usage: orlu-fixture monitor-image --buffer FILE OUT\n"
    "  the data image a MONITOR station pushes (the one orlu-link catch monitor takes): \"STM \", 7 bytes,\n"
    "  the first block's length (big-endian), a station stream of two intervals ending \"#8X2;\", three\n"
    "  bytes and \"#4,2;\", then the buffer's length (little-endian) and FILE's bytes as the buffer\n";

} // namespace

int RunMonitorImageFixture(int argc, char** argv)
{
    if (argc != 5 || std::string_view(argv[2]) != "--buffer")
        return PrintUsage(kUsage, false);
    std::ifstream probe(argv[3], std::ios::binary);
    if (!probe) {
        std::fprintf(stderr, "orlu-fixture: cannot read %s\n", argv[3]);
        return 1;
    }
    const std::vector<std::uint8_t> image = fixture::WorkedMonitorImage(fixture::ReadFileBytes(argv[3]));
    std::ofstream out(argv[4], std::ios::binary);
    out.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
    if (!out.flush()) {
        std::fprintf(stderr, "orlu-fixture: cannot write %s\n", argv[4]);
        return 1;
    }
    return 0;
}

} // namespace orlu::tools
