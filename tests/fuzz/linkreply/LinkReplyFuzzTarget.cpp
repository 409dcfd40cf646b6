// Fuzz target of what the instrument answers: the bytes are taken as the
// reply to an identify and as a binary reply header. The collected reply
// never passes its limit and holds only printable bytes from '#' to ';'; a
// header gives its count only after its full length; identify itself ends
// for any bytes, with the family always one the program knows. Taken as a
// directory reply, the records read never outnumber the bytes that came.

#include "link/CUnitDirectory.h"
#include "link/ReplyParsers.h"
#include "link/UnitProtocol.h"
#include "support/BytesTransport.h"
#include "support/QuietInteraction.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <algorithm>

namespace {

using namespace orlu;

using fixture::BytesTransport;

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    constexpr std::size_t kLimit = 64;
    IdentifyReplyCollector collector(kLimit);
    for (std::size_t i = 0; i < size; ++i)
        collector.Feed(data[i]);
    const std::string& reply = collector.Reply();
    Check(reply.size() <= kLimit);
    Check(reply.empty() || reply.front() == '#');
    for (char c : reply)
        Check(c >= 32 && c <= 126);
    if (collector.Current() == IdentifyReplyCollector::State::Complete) {
        Check(reply.back() == ';');
        for (char letter : {'U', 'N', 'W', 'X'})
            Check(ExtractReplyField(reply, letter).size() <= 15);
        const UnitIdentity id = ParseIdentity(reply);
        Check(id.firmwareMissing == ExtractReplyField(reply, 'W').empty());
    }

    for (bool unit505 : {true, false}) {
        ReplyHeaderReader header(unit505);
        std::size_t fed = 0;
        for (; fed < size && !header.Complete(); ++fed)
            header.Feed(data[fed]);
        if (header.Complete())
            Check(header.Count() == (std::uint32_t{data[fed - 1]} << 24 | std::uint32_t{data[fed - 2]} << 16 |
                                     std::uint32_t{data[fed - 3]} << 8 | data[fed - 4]));
    }

    BytesTransport link(data, size);
    QuietInteraction ui;
    LinkFlags flags;
    std::uint8_t selector = 3;
    const IdentifyOutcome out = IdentifyUnit(link, ui, &selector, true, flags, kLimit);
    Check(out.reply.size() <= kLimit);
    const std::uint8_t known[] = {1, 2, 3, 4, 5, 6, 8, 9, 10, 12};
    Check(std::find(std::begin(known), std::end(known), selector) != std::end(known));

    BytesTransport dirLink(data, size);
    if (const std::optional<std::uint32_t> count = ReadReplyHeader(dirLink, false)) {
        TransferProgress progress;
        std::vector<UnitDirEntry> entries;
        const ReplyOutcome read = ReadDirectoryRecords(dirLink, *count, progress, entries);
        Check(entries.size() * UnitDirEntry::kSize <= size);
        Check(read != ReplyOutcome::Complete || entries.size() * UnitDirEntry::kSize >= *count);
        for (const UnitDirEntry& e : entries) {
            Check(e.Name().size() <= UnitDirEntry::kNameSize);
            Check(e.MonitorSize() <= 0x100000000ull);
        }
    }
    return 0;
}
