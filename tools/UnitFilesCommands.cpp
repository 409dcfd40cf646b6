#include "UnitFilesCommands.h"

#include "support/UnitDocuments.h"

#include "document/CTmDoc.h"
#include "link/UnitFileDelete.h"
#include "link/UnitFileDownload.h"
#include "presentation/AsciiDownload.h"
#include "link/UnitFileOpen.h"
#include "monitor/MonitorLoader.h"
#include "platform/FixedTextDialogs.h"
#include "presentation/UnitFileLines.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <sstream>

namespace orlu::tools {

namespace {

// The ASCII download's choices, each a number inside its range.
bool ParseAsciiOption(const std::vector<std::string>& args, std::size_t& i, AsciiChoices& c)
{
    struct Choice {
        const char* option;
        std::uint8_t AsciiChoices::*member;
        int low, high;
    };
    static const Choice kChoices[] = {
        {"--content", &AsciiChoices::content, 1, kAsciiContentCount},
        {"--header", &AsciiChoices::header, 0, 1},
        {"--dec", &AsciiChoices::decimal, 0, ClampDecimalIndex(255)},
        {"--sep", &AsciiChoices::separator, 0, ClampSeparatorIndex(255)},
        {"--form", &AsciiChoices::tableForm, 0, kAsciiTableFormCount - 1},
    };
    for (const Choice& choice : kChoices) {
        if (args[i] != choice.option || i + 1 >= args.size())
            continue;
        char* end = nullptr;
        const long value = std::strtol(args[i + 1].c_str(), &end, 10);
        if (args[i + 1].empty() || *end || value < choice.low || value > choice.high)
            return false;
        c.*choice.member = static_cast<std::uint8_t>(value);
        ++i;
        return true;
    }
    return false;
}

} // namespace

bool ParseUnitFilesOption(const std::vector<std::string>& args, std::size_t& i, UnitFilesOptions& o)
{
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "--details")
        o.details = true;
    else if (a == "--more")
        o.moreDetails = true;
    else if (a == "--sort")
        o.sortByNames = true;
    else if (a == "--type" && hasValue) {
        const std::string& v = args[i + 1];
        if (v.size() != 1 || v[0] < '0' || v[0] > '3')
            return false;
        o.fileType = v[0] - '0';
        ++i;
    } else if (a == "--select" && hasValue) {
        std::istringstream in(args[++i]);
        for (std::string item; std::getline(in, item, ',');) {
            const int p = std::atoi(item.c_str());
            if (p < 1)
                return false;
            o.select.push_back(p);
        }
    } else if (a == "--name" && hasValue)
        o.name = args[++i];
    else if (a == "--download-path" && hasValue)
        o.downloadPath = args[++i];
    else if (a == "--save-dir" && hasValue)
        o.saveDir = args[++i];
    else if (a == "--cancel-after" && hasValue) {
        o.cancelAfter = std::atoi(args[++i].c_str());
        if (o.cancelAfter < 0)
            return false;
    }
    else if (!ParseAsciiOption(args, i, o.ascii))
        return false;
    return true;
}

bool IsUnitFilesCommand(const std::string& command)
{
    return command == "dir" || command == "download" || command == "open" || command == "delete" ||
           command == "ascii";
}

namespace {

/// Opens the selected files as documents, as the program does, prints each
/// one made and stores it into the save folder when one is given.
int OpenCommand(UnitLink& link, CUnitDirectory& directory, TransferProgress& progress, const UnitFilesOptions& o)
{
    AppContext app(link.Ui());
    InstallMonitorParser(app);
    UnitFileOpener opener(link, progress);
    opener.Install(app);
    std::vector<std::unique_ptr<CTmDoc>> documents;
    CollectUnitDocuments(app, documents);
    const int omitted = OpenUnitFiles(opener, directory, app);
    int status = omitted == 0 ? 0 : 1;
    for (const std::unique_ptr<CTmDoc>& doc : documents) {
        std::printf("opened: %s  kind %u  %u bytes\n", doc->NameBuffer().c_str(), doc->FileKind(), doc->ByteCount());
        if (o.saveDir.empty())
            continue;
        const std::filesystem::path path = std::filesystem::path(o.saveDir) / (doc->NameBuffer() + ".orl");
        if (!doc->OnSaveDocument(path)) {
            std::fprintf(stderr, "orlu-link: cannot store %s\n", path.string().c_str());
            status = 1;
        }
    }
    return status;
}

} // namespace

int RunUnitFilesCommand(UnitLink& link, const std::string& command, const UnitFilesOptions& o)
{
    CUnitDirectory directory;
    TransferProgress progress;
    if (!directory.ReadDirectory(link, progress))
        return 1;
    if (o.moreDetails && link.deviceSelector == kSelector505 && !directory.ReadFileHeaders(link, progress))
        return 1;
    UnitListOptions list{o.details, o.moreDetails, o.sortByNames, static_cast<UnitFileFilter>(o.fileType)};
    const std::vector<UnitFileLine> lines = BuildUnitFileLines(link.deviceSelector, directory, list);

    std::vector<std::size_t> chosen;
    for (int p : o.select)
        if (static_cast<std::size_t>(p) <= lines.size())
            chosen.push_back(static_cast<std::size_t>(p - 1));
    if (chosen.empty() && !o.name.empty()) {
        const TypedNameMatch match = MatchTypedName(lines, o.name);
        if (match.result == TypedNameMatch::Result::NotFound)
            ShowFixedText(link.Ui(), kNameNotFoundText);
        else if (match.result == TypedNameMatch::Result::NotUnique)
            ShowFixedText(link.Ui(), kNameNotUniqueText);
        else
            chosen.push_back(match.line);
    }

    if (command == "dir") {
        if (lines.empty())
            std::printf("%s\n", std::string(kNoFilesFound).c_str());
        for (std::size_t i = 0; i < lines.size(); ++i)
            std::printf("%zu: %s\n", i + 1, lines[i].text.c_str());
        char when[64] = "";
        const std::time_t t = directory.ReadTime();
        std::strftime(when, sizeof when, "%X", std::localtime(&t));
        std::printf("Read at  %s\nTotal number of files: %zu\nNumber of selected files: %zu\n", when, lines.size(),
                    chosen.size());
        return 0;
    }
    if (chosen.empty())
        return 1;
    StoreSelection(directory, lines, chosen);
    if (command == "ascii") {
        AppContext app(link.Ui());
        return DownloadAscii(link, directory, progress, app, o.downloadPath, o.ascii) == 0 ? 0 : 1;
    }
    if (o.cancelAfter >= 0)
        CancelWhenDone(progress, o.cancelAfter, link.UsbMode());
    if (command == "open")
        return OpenCommand(link, directory, progress, o);
    const int omitted = command == "download" ? DownloadBinary(link, directory, progress, o.downloadPath)
                                              : DeleteUnitFiles(link, directory, progress);
    return omitted == 0 ? 0 : 1;
}

} // namespace orlu::tools
