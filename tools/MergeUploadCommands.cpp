#include "MergeUploadCommands.h"

#include "document/CTmDoc.h"
#include "link/MultifileMerge.h"
#include "link/UnitUpload.h"
#include "presentation/UnitFileLines.h"
#include "presentation/UploadNameModel.h"

#include <cstdio>

namespace orlu::tools {
namespace {

/// Prints the Multifile's sub-files and stores it.
int SaveMerged(CTmDoc& doc, const MergeOutcome& out, const std::string& save)
{
    std::printf("merged kind: %d, %u file(s) left\n", doc.FileKind(), out.left);
    if (!out.made)
        return 1;
    for (const MultifileEntry& e : doc.Subfiles())
        std::printf("sub-file: %-8s kind %d offset %u length %u\n", e.NameText().c_str(), e.FileKind, e.Offset,
                    e.Length);
    if (save.empty())
        return 0;
    return doc.OnSaveDocument(save) ? 0 : 1;
}

/// The upload-name dialog run without a window: the list, the proposed name
/// or --name, then OK with the questions answered from the console.
std::string ChooseName(UnitLink& link, CUnitDirectory& directory, TransferProgress& progress,
                       const UploadTarget& target, const std::string& proposed, const UnitFilesOptions& files)
{
    UploadNameModel model(link.deviceSelector, directory, [&] { return directory.ReadDirectory(link, progress); },
                          target.requestKind, target.letter, files.details);
    model.FillList();
    for (const std::string& line : model.Lines())
        std::printf("%s\n", line.c_str());
    std::printf("%s\n", model.TotalText().c_str());
    model.SetName(files.name.empty() ? proposed : files.name);
    std::printf("name: %s\n", model.Name().c_str());
    // A name the dialog keeps open for is abandoned: nobody types another one.
    if (!model.Ok(link.Ui()))
        return {};
    std::printf("chosen: %s\n", model.Name().c_str());
    return model.Name();
}

} // namespace

bool ParseMergeUploadOption(const std::vector<std::string>& args, std::size_t& i, const std::string& command,
                            MergeUploadOptions& o)
{
    const std::string& a = args[i];
    if (a == "--save" && i + 1 < args.size()) {
        o.save = args[++i];
        return true;
    }
    if (a == "--disk") {
        // Every word up to the next option is a file.
        std::size_t j = i + 1;
        for (; j < args.size() && !args[j].starts_with("--"); ++j)
            o.diskFiles.push_back(args[j]);
        if (j == i + 1)
            return false;
        i = j - 1;
        return true;
    }
    if (command == "upload" && !a.starts_with("--") && o.uploadFile.empty()) {
        o.uploadFile = a;
        return true;
    }
    return false;
}

bool IsMergeUploadCommand(const std::string& command)
{
    return command == "merge" || command == "upload";
}

bool IsDiskMerge(const std::string& command, const MergeUploadOptions& o)
{
    return command == "merge" && !o.diskFiles.empty();
}

int RunDiskMerge(UserInteraction& ui, const MergeUploadOptions& o)
{
    AppContext app(ui);
    app.DiskFileItems = o.diskFiles;
    app.MultifileTitleCounter = 1;
    CTmDoc doc(app);
    TransferProgress progress;
    const MergeOutcome out = MergeFiles(doc, nullptr, nullptr, progress);
    return SaveMerged(doc, out, o.save);
}

int RunMergeUploadCommand(UnitLink& link, const std::string& command, const UnitFilesOptions& files,
                          const MergeUploadOptions& o)
{
    CUnitDirectory directory;
    TransferProgress progress;
    if (!directory.ReadDirectory(link, progress))
        return 1;
    AppContext app(link.Ui());
    app.MultifileTitleCounter = 1;
    CTmDoc doc(app);
    if (command == "upload") {
        if (o.uploadFile.empty() || !doc.OnOpenDocument(o.uploadFile))
            return 1;
        const bool confirmed =
            UploadToInstrument(doc, link, directory, progress, [&](const UploadTarget& target, const std::string& p) {
                return ChooseName(link, directory, progress, target, p, files);
            });
        return confirmed ? 0 : 1;
    }
    UnitListOptions list{files.details, files.moreDetails, files.sortByNames, static_cast<UnitFileFilter>(files.fileType)};
    const std::vector<UnitFileLine> lines = BuildUnitFileLines(link.deviceSelector, directory, list);
    std::vector<std::size_t> chosen;
    for (int p : files.select)
        if (static_cast<std::size_t>(p) <= lines.size())
            chosen.push_back(static_cast<std::size_t>(p - 1));
    if (chosen.empty())
        return 1;
    StoreSelection(directory, lines, chosen);
    const MergeOutcome out = MergeFiles(doc, &link, &directory, progress);
    return SaveMerged(doc, out, o.save);
}

} // namespace orlu::tools
