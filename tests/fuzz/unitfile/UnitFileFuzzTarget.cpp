// Fuzz target of a file opened from the instrument: the bytes are the reply to
// the file's request, read into a new document and decoded as an ORLU 525
// file of letters l, a and x and as ORLU 505 METER and special files. A
// document never holds more bytes than came, and one that was made holds
// exactly the count the reply announced.

#include "document/CTmDoc.h"
#include "link/UnitFileOpen.h"
#include "link/UnitProtocol.h"
#include "support/QuietInteraction.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <deque>

namespace {

using namespace orlu;

/// The fuzz bytes as what the instrument sends; reads fail once they are used up.
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
