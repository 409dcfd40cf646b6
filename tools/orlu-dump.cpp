// Prints what the program makes of a measurement file.
//
//   orlu-dump FILE --summary
//       kind, sub-kind, flags, data length, byte count, pages and sub-files;
//       and the load errors (also shown on standard error as they happen).

#include "ConsoleInteraction.h"
#include "document/CTmDoc.h"
#include "platform/TextEncoding.h"
#include "platform/ValueFormat.h"

#include <cstdio>
#include <string>

namespace {

using namespace orlu;

void PrintSummary(const CTmDoc& doc, const ConsoleInteraction& ui)
{
    const auto& header = doc.HeaderBuffer();
    const std::uint32_t dataLength = header[14] | (header[15] << 8) | (header[16] << 16) |
                                     (static_cast<std::uint32_t>(header[17]) << 24);
    std::string out;
    AppendPrintf(out, "kind: %u\n", doc.FileKind());
    AppendPrintf(out, "sub-kind: %u\n", doc.SubKind());
    AppendPrintf(out, "flags: %u\n", header[12]);
    AppendPrintf(out, "data length: %lu\n", static_cast<unsigned long>(dataLength));
    AppendPrintf(out, "byte count: %lu\n", static_cast<unsigned long>(doc.ByteCount()));
    AppendPrintf(out, "pages: %lu\n", static_cast<unsigned long>(doc.Image().PageCount()));
    AppendPrintf(out, "record index: %lu\n", static_cast<unsigned long>(doc.GetRecordIndex().size()));
    AppendPrintf(out, "sub-files: %u\n", doc.SubfileCount());
    for (const MultifileEntry& e : doc.Subfiles())
        AppendPrintf(out, "  %s kind %u offset %lu length %lu\n", e.NameText().c_str(), e.FileKind,
                     static_cast<unsigned long>(e.Offset), static_cast<unsigned long>(e.Length));
    for (const std::string& message : ui.Messages)
        AppendPrintf(out, "message: %s\n", message.c_str());
    std::fputs(Cp1252ToUtf8(out).c_str(), stdout);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3 || std::string(argv[2]) != "--summary") {
        std::fprintf(stderr, "usage: orlu-dump FILE --summary\n");
        return 2;
    }
    ConsoleInteraction ui;
    AppContext app(ui);
    CTmDoc doc(app);
    if (!doc.OnOpenDocument(argv[1]))
        return 1;
    PrintSummary(doc, ui);
    return 0;
}
