// Fuzz target of the legacy-family (ORLU 505 METER-mode) decoder: the bytes
// are an instrument file, wrapped by the first byte's choice as a kind-3 or
// kind-10 container or a DOS *.M file, loaded as the program opens one, and
// then every channel is selected, each sub-file decoded again, the record
// count written back and the ASCII form built. Nothing may read outside the
// image (the sanitizer build checks it) or loop.

#include "document/CTmDoc.h"
#include "document/rawviews/RawViews.h"
#include "document/LineSink.h"
#include "support/QuietInteraction.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace orlu;

// Counts the lines, so that the form is made but not kept.
class CountingSink : public LineSink {
public:
    void AddLine(std::string& line) override
    {
        ++lines;
        line.clear();
    }
    std::size_t lines = 0;
};

std::vector<std::uint8_t> Wrapped(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::uint8_t> file;
    const std::uint8_t choice = size > 0 ? data[0] % 3 : 0;
    const std::uint8_t* body = size > 0 ? data + 1 : data;
    const std::size_t length = size > 0 ? size - 1 : 0;
    if (choice == 2) {
        file = {'M', '-', 'W', 'Y', '-', '4', 0, 0, 0, 0};
    } else {
        file = {'O', 'r', 'l', 'u', 'P', 'C', 0x1A, 0, 32, 0, static_cast<std::uint8_t>(choice == 0 ? 3 : 10)};
        file.resize(32, 0);
        // Kind 10 honours the data length: half the bytes are data, the rest its RecordIndex.
        const auto dataLength = static_cast<std::uint32_t>(choice == 0 ? length : length / 2);
        for (int i = 0; i < 4; ++i)
            file[14 + i] = static_cast<std::uint8_t>(dataLength >> (8 * i));
    }
    file.insert(file.end(), body, body + length);
    return file;
}

int OneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::uint8_t> bytes = Wrapped(data, size);
    const int fd = memfd_create("orlu-fuzz-legacy.orl", 0);
    if (fd < 0)
        throw std::runtime_error("memfd_create failed");
    if (!bytes.empty() && pwrite(fd, bytes.data(), bytes.size(), 0) != static_cast<ssize_t>(bytes.size())) {
        close(fd);
        throw std::runtime_error("memory file write failed");
    }
    QuietInteraction ui;
    AppContext app(ui);
    {
        CTmDoc doc(app);
        if (doc.OnOpenDocument("/proc/self/fd/" + std::to_string(fd)) && doc.LegacyDecoded()) {
            for (int c = 0; c < doc.Legacy().channelCount; ++c)
                doc.SelectLegacyChannel(c);
            if (doc.DecodeLegacyHeader(0) && doc.Legacy().timeHistory)
                doc.WriteRecordCount(0, doc.Legacy().declaredCount / 2);
            CountingSink sink;
            WriteAsciiForm(doc, sink, ui, nullptr);
        }
    }
    close(fd);
    return 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return OneInput(data, size);
}
