#include "IntersectionForm.h"

#include "ConsoleInteraction.h"
#include "GraphDataForm.h"
#include "Usage.h"

#include "document/CTmDoc.h"
#include "platform/TextEncoding.h"
#include "presentation/view/FormRenderers.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace orlu::tools {
namespace {

constexpr char kUsage[] =
    "usage: orlu-dump FILE --intersection A [--source 2|3|4] [--running] [--smooth] [--degree F] [--fft-degree E]\n"
    "                 [--units U] [--channel C] [--channels MASK] [--markers F,L] [--form text|table|data]\n"
    "                 [--block-stats leq,max,min,sel] [--sep S] [--dec D]\n";

bool Number(const char* text, long max, long& value)
{
    char* end = nullptr;
    value = std::strtol(text, &end, 10);
    return *text && !*end && value >= 0 && value <= max;
}

bool Pair(const std::string& text, long& first, long& last)
{
    const std::size_t comma = text.find(',');
    return comma != std::string::npos && Number(text.substr(0, comma).c_str(), 0x7FFFFFFF, first) &&
           Number(text.substr(comma + 1).c_str(), 0x7FFFFFFF, last);
}

// The block statistics of the graph data: leq (the running RMS), max, min, sel (the exposure).
bool BlockStats(std::string text, std::array<std::int32_t, 4>& switches)
{
    constexpr std::array<std::string_view, 4> kNames{"leq", "max", "min", "sel"};
    switches = {};
    for (std::size_t start = 0;;) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        const auto at = std::find(kNames.begin(), kNames.end(), std::string_view(text).substr(start, comma - start));
        if (at == kNames.end())
            return false;
        switches[static_cast<std::size_t>(at - kNames.begin())] = 1;
        if (comma == text.size())
            return true;
        start = comma + 1;
    }
}

bool Parse(int argc, char** argv, MeasurementViewState& view, TableOutputOptions& options, FormChoice& form,
           bool& data)
{
    for (int i = 2; i < argc; ++i) {
        const std::string option = argv[i];
        long n = 0, m = 0;
        if (option == "--running") {
            view.RunningTotal = 1;
            continue;
        }
        if (option == "--smooth") {
            view.Smoothed = 1;
            continue;
        }
        if (i + 1 >= argc)
            return false;
        const char* value = argv[++i];
        if (option == "--intersection" && Number(value, 0xFFFF, n) && n >= 1) {
            view.GraphBandIndex = static_cast<std::int32_t>(n - 1);
        } else if (option == "--source" && Number(value, 4, n) && n >= 2) {
            view.BandKind = static_cast<std::int16_t>(n);
        } else if (option == "--fft-degree" && Number(value, 0xFFFF, n) && n >= 1) {
            view.Spectra.Degree = static_cast<std::int32_t>(n);
        } else if (option == "--degree" && Number(value, 0xFFFF, n) && n >= 1) {
            view.Aggregation = static_cast<std::int32_t>(n);
        } else if (option == "--units" && Number(value, 1, n)) {
            view.UnitsByKind[0] = static_cast<std::uint8_t>(n);
        } else if (option == "--channel" && Number(value, 3, n)) {
            view.ChannelNumber = static_cast<std::int16_t>(n + 1);
        } else if (option == "--channels" && Number(value, 0xF, n)) {
            view.SelectedChannels = static_cast<std::uint16_t>(n);
        } else if (option == "--markers" && Pair(value, n, m)) {
            view.MarkState = 2;
            view.MarkedRange = {static_cast<std::int32_t>(n), static_cast<std::int32_t>(m)};
        } else if (option == "--form" && std::string(value) == "data") {
            data = true;
        } else if (option == "--block-stats" && BlockStats(value, view.BlockResultSwitches)) {
        } else if (option == "--form" && (std::string(value) == "text" || std::string(value) == "table")) {
            form = std::string(value) == "text" ? FormChoice::Text : FormChoice::Table;
        } else if (option == "--sep" && Number(value, 6, n)) {
            options.SeparatorIndex = static_cast<std::uint8_t>(n);
        } else if (option == "--dec" && Number(value, 1, n)) {
            options.DecimalIndex = static_cast<std::uint8_t>(n);
        } else {
            return false;
        }
    }
    return true;
}

} // namespace

bool WantsIntersectionForm(int argc, char** argv)
{
    for (int i = 2; i < argc; ++i)
        if (std::string(argv[i]) == "--intersection")
            return true;
    return false;
}

int RunIntersectionForm(int argc, char** argv)
{
    MeasurementViewState view;
    view.ViewKind = kViewTimeIntersections;
    TableOutputOptions options;
    FormChoice form = FormChoice::Text;
    bool data = false;
    if (argc < 3 || argv[1][0] == '-' || !Parse(argc, argv, view, options, form, data))
        return PrintUsage(kUsage, false);
    ConsoleInteraction ui;
    AppContext app(ui);
    CTmDoc doc(app);
    if (!doc.OnOpenDocument(argv[1]))
        return 1;
    FormRendererRegistry renderers;
    RegisterReportRenderers(renderers);
    if (data) {
        // The panels of the graph: one per channel of the file.
        PlotData plot;
        const GraphDataRenderer* graph = renderers.FindGraphData(kViewTimeIntersections);
        std::uint8_t panels = 0;
        for (int panel = 0; graph && panel < 4; ++panel) {
            GraphDataRequest request{doc, view, plot, panel};
            if ((*graph)(request))
                panels = static_cast<std::uint8_t>(panels | (1u << panel));
        }
        std::string text = panels == 0 ? "# no graph data\n" : "";
        PrintGraphData(kViewTimeIntersections, plot, panels, text);
        std::fwrite(text.data(), 1, text.size(), stdout);
        return panels == 0 ? 1 : 0;
    }
    const FormRenderer* render = renderers.Find(kViewTimeIntersections, form);
    LineList lines;
    std::int32_t widest = 0;
    std::uint8_t contentKind = 0;
    FormRequest request{doc, view, options, lines, widest, contentKind};
    if (render)
        (*render)(request);
    const std::string text = Cp1252ToUtf8(lines.Join());
    std::fwrite(text.data(), 1, text.size(), stdout);
    // A file without such spectra says so in the form; that is no intersection shown.
    return text.find(kFormNotAvailableText) == std::string::npos ? 0 : 1;
}

} // namespace orlu::tools
