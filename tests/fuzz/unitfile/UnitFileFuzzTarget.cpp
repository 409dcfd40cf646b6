// Fuzz target of a file opened from the instrument: the bytes are the reply to
// the file's request, read into a new document and decoded as an ORLU 525
// file of letters l, a and x and as ORLU 505 METER and special files. A
// document never holds more bytes than came, and one that was made holds
// exactly the count the reply announced.

#include "document/CTmDoc.h"
#include "link/UnitFileOpen.h"
#include "link/UnitProtocol.h"
#include "support/BytesTransport.h"
#include "support/QuietInteraction.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

using namespace orlu;

using fixture::BytesTransport;

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

struct Case {
    std::uint8_t selector;
    char letter;
    std::uint8_t kind;
};
constexpr Case kCases[] = {{3, 'l', 45}, {3, 'a', 45}, {3, 'x', 45}, {1, 'm', 3}, {1, 's', 5}};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    for (const Case& c : kCases) {
        QuietInteraction ui;
        SerialLinkSettings serial;
        SystemClock clock;
        UnitLink link(ui, serial, clock);
        link.deviceSelector = c.selector;
        TransferProgress progress;
        UnitFileOpener opener(link, progress);
        opener.pending = {"F", c.letter, ";#4,1,F;"};
        AppContext app(ui);
        CTmDoc doc(app);
        doc.SetFileKind(c.kind);
        BytesTransport transport(data, size);
        const bool made = opener.ReadFileInto(transport, doc);
        Check(doc.ByteCount() <= size);
        if (made) {
            BytesTransport header(data, size);
            const std::optional<std::uint32_t> count = ReadReplyHeader(header, c.selector == kSelector505);
            Check(count && *count == doc.ByteCount() && *count > 0);
        }
    }
    return 0;
}
