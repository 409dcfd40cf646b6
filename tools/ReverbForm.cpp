#include "ReverbForm.h"

#include "ConsoleInteraction.h"
#include "Usage.h"

#include "analysis/spectra/ReverbSource.h"
#include "analysis/spectra/ReverbTime.h"
#include "analysis/spectra/ReverbTimeReport.h"
#include "document/CTmDoc.h"
#include "platform/TextEncoding.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>

namespace orlu::tools {
namespace {

constexpr char kUsage[] =
    "usage: orlu-dump FILE --rt [--source 2|3|4] [--rt-interval F,L] [--rt-user F,L] [--smooth]\n"
    "                 [--channel C] [--form text|table] [--sep S] [--dec D] [--save OUT]\n"
    "  --rt             the reverberation times of every band (FFT lines with --source 2, 1/3 octaves with 4)\n"
    "  --rt-interval F,L  evaluates the bands with records F to L (from 0) as the reference interval\n"
    "  --rt-user F,L    the user interval's records\n"
    "  --smooth         evaluates the 7-point moving average of each decay\n"
    "  --save OUT       stores the document with its reverberation records in OUT\n";

bool Number(const std::string& text, long max, long& value)
{
    char* end = nullptr;
    value = std::strtol(text.c_str(), &end, 10);
    return !text.empty() && *end == '\0' && value >= 0 && value <= max;
}

std::optional<std::pair<std::int32_t, std::int32_t>> Interval(const std::string& text)
{
    const std::size_t comma = text.find(',');
    long first = 0, last = 0;
    if (comma == std::string::npos || !Number(text.substr(0, comma), 0x7FFFFFFF, first) ||
        !Number(text.substr(comma + 1), 0x7FFFFFFF, last))
        return std::nullopt;
    return std::make_pair(static_cast<std::int32_t>(first), static_cast<std::int32_t>(last));
}

struct Request {
    int bandKind = kReverbOctaves;
    int channel = 0;
    bool smoothed = false;
    bool table = false;
    TableOutputOptions options;
    std::optional<std::pair<std::int32_t, std::int32_t>> reference, user;
    std::string save;
};

bool Parse(int argc, char** argv, Request& r)
{
    for (int i = 2; i < argc; ++i) {
        const std::string option = argv[i];
        const bool hasValue = i + 1 < argc;
        long n = 0;
        if (option == "--rt")
            continue;
        if (option == "--smooth") {
            r.smoothed = true;
        } else if (!hasValue) {
            return false;
        } else if (option == "--source") {
            if (!Number(argv[++i], kReverbThirdOctaves, n) || n < kReverbFftLines)
                return false;
            r.bandKind = static_cast<int>(n);
        } else if (option == "--channel") {
            if (!Number(argv[++i], 3, n))
                return false;
            r.channel = static_cast<int>(n);
        } else if (option == "--form") {
            const std::string form = argv[++i];
            if (form != "text" && form != "table")
                return false;
            r.table = form == "table";
        } else if (option == "--sep" || option == "--dec") {
            if (!Number(argv[++i], option == "--sep" ? 6 : 1, n))
                return false;
            (option == "--sep" ? r.options.SeparatorIndex : r.options.DecimalIndex) = static_cast<std::uint8_t>(n);
        } else if (option == "--rt-interval" || option == "--rt-user") {
            auto interval = Interval(argv[++i]);
            if (!interval)
                return false;
            (option == "--rt-user" ? r.user : r.reference) = interval;
        } else if (option == "--save") {
            r.save = argv[++i];
        } else {
            return false;
        }
    }
    return true;
}

} // namespace

bool WantsReverbForm(int argc, char** argv)
{
    for (int i = 2; i < argc; ++i)
        if (std::string(argv[i]) == "--rt")
            return true;
    return false;
}

int RunReverbForm(int argc, char** argv)
{
    Request request;
    if (argc < 3 || argv[1][0] == '-' || !Parse(argc, argv, request))
        return PrintUsage(kUsage, false);
    ConsoleInteraction ui;
    AppContext app(ui);
    CTmDoc doc(app);
    if (!doc.OnOpenDocument(argv[1]))
        return 1;
    const std::optional<ReverbSource> source = ReverbSourceOf(doc, request.bandKind, request.channel);
    if (!source) {
        std::fprintf(stderr, "orlu-dump: %s: no reverberation records for these bands\n", argv[1]);
        return 1;
    }
    const std::span<std::uint8_t> records = ReverbRecords(doc, *source);
    if (request.user)
        SetUserInterval(records, request.user->first, request.user->second);
    if (request.reference) {
        SetReferenceInterval(records, request.reference->first, request.reference->second);
        if (!ComputeReverbTime(doc, request.channel, request.smoothed, request.bandKind)) {
            std::fprintf(stderr, "orlu-dump: %s: the decays cannot be read\n", argv[1]);
            return 1;
        }
    }
    const std::optional<ReverbTimeReport> report = ReverbReportOf(doc, request.channel, request.smoothed, request.bandKind);
    LineList lines;
    int widest = 0;
    if (request.table)
        FormatReverbTimeTable(lines, &widest, *report, request.options);
    else
        FormatReverbTimeText(lines, &widest, *report);
    const std::string text = Cp1252ToUtf8(lines.Join());
    std::fwrite(text.data(), 1, text.size(), stdout);
    if (!request.save.empty() && !doc.OnSaveDocument(request.save)) {
        std::fprintf(stderr, "orlu-dump: %s: cannot be stored\n", request.save.c_str());
        return 1;
    }
    return 0;
}

} // namespace orlu::tools
