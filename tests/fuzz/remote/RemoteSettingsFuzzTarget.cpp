// Fuzz target of the remote-control settings' untrusted inputs: the bytes are
// taken as a setup file and as the instrument's settings reply. A setup file
// is either refused with the record unchanged or taken with every setting in
// the widest range its setter allows, and writes back to a file that reads
// the same; a reply sets only values the instrument may report.

#include "link/remote/CControlSett.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>
#include <vector>

namespace {

using namespace orlu;

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    CControlSett record;
    record.ParseUnitSettings("#1,NE12,W3,X2,f11;");
    const CControlSett before = record;
    if (record.LoadSetup(bytes)) {
        Check(record == before);
    } else {
        Check(record.Get(Setting::MetFilter) >= 0 && record.Get(Setting::MetFilter) <= 16);
        Check(record.Get(Setting::Band) >= 1 && record.Get(Setting::Band) <= 16);
        Check(record.Get(Setting::IntegrationTimeUnit) >= 1 && record.Get(Setting::IntegrationTimeUnit) <= 3);
        Check(record.SerialNumber().size() + record.SoftwareVersion().size() <= size);
        // What was taken writes back to a file that reads the same.
        const std::vector<std::uint8_t> stored = record.StoreSetup();
        Check(stored.size() <= size);
        CControlSett again;
        Check(!again.LoadSetup(stored) && again == record);
    }

    CControlSett parsed;
    parsed.ParseUnitSettings(std::string_view(reinterpret_cast<const char*>(data), size));
    Check(parsed.Get(Setting::UnitVersion) == 0 || parsed.Get(Setting::UnitVersion) == 1);
    Check(parsed.Get(Setting::MetFilter) >= 0 && parsed.Get(Setting::MetFilter) <= 16);
    Check(parsed.Get(Setting::Band) >= 1 && parsed.Get(Setting::Band) <= 15);
    Check(parsed.Get(Setting::IntegrationTimeUnit) >= 1 && parsed.Get(Setting::IntegrationTimeUnit) <= 3);
    Check(parsed.SerialNumber().size() <= 4 && parsed.SoftwareVersion().size() <= 5);
    for (int page = 0; page < 3; ++page)
        for (int item = 1; item <= CControlSett::GetSendItemCount(page); ++item)
            Check(parsed.FormatSendItem(page, item).size() <= 16);
    return 0;
}
