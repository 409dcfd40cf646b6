// Fuzz target of the text document: any bytes as a text read in. Its lines,
// its hex dump and a Select All copy are made; what Save writes, read again,
// gives the same lines, and every dump line fits the widest line.

#include "presentation/CTmDoc1.h"
#include "presentation/view/TextViewModel.h"
#include "support/QuietInteraction.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

std::string Joined(const orlu::LineSource& lines)
{
    std::string out, buffer;
    for (std::size_t i = 0; i < lines.LineCount(); ++i)
        out += lines.Line(i, buffer);
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace orlu;
    QuietInteraction ui;
    CTmDoc1 doc(ui, TextDocOrigin::PrintedOutput);
    doc.HandOverPrintedOutput(std::string(reinterpret_cast<const char*>(data), size));
    std::int32_t widest = 0;
    const std::string lines = Joined(*doc.RenderTextLines(&widest));

    CTmDoc1 again(ui, TextDocOrigin::PrintedOutput);
    again.HandOverPrintedOutput(doc.SavedText());
    if (Joined(*again.RenderTextLines(&widest)) != lines)
        std::abort();

    const auto dump = doc.RenderHexDump(&widest);
    if (dump->LineCount() != 2 + (size + 15) / 16)
        std::abort();
    std::string buffer;
    for (std::size_t i = 0; i < dump->LineCount(); ++i)
        if (dump->Line(i, buffer).size() > static_cast<std::size_t>(widest))
            std::abort();

    AppSettings settings;
    for (std::uint8_t mode = 0; mode < 4; ++mode) {
        settings.ClipBlockMarkMode = mode;
        TextViewModel view(doc, settings);
        view.OnInitialUpdate();
        view.State().CharWidth = 1;
        view.State().LineHeight = 1;
        view.SelectAll();
        const std::string copy = view.Copy();
        // Whole lines and a stream over everything are the text itself.
        if ((mode == 0 || mode == 2) && copy != lines)
            std::abort();
    }
    return 0;
}
