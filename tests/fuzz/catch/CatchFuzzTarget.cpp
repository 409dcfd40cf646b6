// Fuzz target of caught output: the bytes come as a station's pushed image
// and as printed output, over a COM port and over USB, in reads of varying
// size; the user finishes once the line is idle. The catch always ends; a
// MONITOR image is a prefix of what came, starts "STM " and never holds an
// inserted byte; printed output is what came, with CR LF after each form
// feed on USB only.

#include "link/OutputCatch.h"
#include "support/QuietInteraction.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

using namespace orlu;

class BytesSource final : public CatchSource {
public:
    BytesSource(const std::uint8_t* data, std::size_t size, bool usb) : m_Data(data), m_Size(size), m_Usb(usb) {}
    std::size_t Read(std::span<std::uint8_t> buffer) override
    {
        // Reads of 1 to 7 bytes, as blocks arrive unevenly.
        const std::size_t n = std::min({buffer.size(), m_Size - m_At, std::size_t{1} + m_Turn++ % 7});
        std::copy_n(m_Data + m_At, n, buffer.begin());
        m_At += n;
        return n;
    }
    bool Usb() const override { return m_Usb; }

private:
    const std::uint8_t* m_Data;
    std::size_t m_Size;
    std::size_t m_At = 0;
    std::size_t m_Turn = 0;
    bool m_Usb;
};

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QuietInteraction ui;
    const CatchWatch finishWhenIdle = [](TransferProgress& progress, std::size_t, bool idle) {
        if (idle)
            progress.Request(TransferRequest::Finish, false);
    };
    for (const bool usb : {false, true}) {
        TransferProgress progress, printedProgress;
        BytesSource monitorSource(data, size, usb);
        const CaughtOutput image = CatchFromSource(monitorSource, CatchKind::Monitor, ui, progress, finishWhenIdle);
        Check(image.received <= size && image.bytes.size() == image.received);
        Check(std::equal(image.bytes.begin(), image.bytes.end(), data));
        if (image.outcome == CatchOutcome::MonitorImage)
            Check(image.received >= 15 && std::memcmp(data, "STM ", 4) == 0);

        BytesSource printedSource(data, size, usb);
        const CaughtOutput printed = CatchFromSource(printedSource, CatchKind::Printed, ui, printedProgress, finishWhenIdle);
        Check(printed.received <= size);
        if (printed.outcome == CatchOutcome::PrintedOutput) {
            Check(printed.received == size);
            std::size_t at = 0;
            for (std::size_t i = 0; i < size; ++i) {
                Check(at < printed.bytes.size() && printed.bytes[at++] == data[i]);
                if (i < 31)
                    Check(data[i] >= 10 && data[i] <= 126);
                if (usb && data[i] == 12) {
                    Check(at + 2 <= printed.bytes.size() && printed.bytes[at] == 13 && printed.bytes[at + 1] == 10);
                    at += 2;
                }
            }
            Check(at == printed.bytes.size());
        }
    }
    return 0;
}
