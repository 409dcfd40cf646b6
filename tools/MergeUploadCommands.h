#pragma once
// orlu-link's merge and upload: merge joins the chosen instrument files (or,
// with --disk, files on disk, without a port) into a Multifile and stores it;
// upload sends a measurement file into the instrument under the name the
// upload-name dialog's rules accept, its questions answered by --answers.

#include "UnitFilesCommands.h"
#include "link/UnitLink.h"

#include <string>
#include <vector>

namespace orlu::tools {

struct MergeUploadOptions {
    std::vector<std::string> diskFiles; ///< merge --disk FILE...
    std::string save;                   ///< the Multifile's path
    std::string uploadFile;             ///< upload FILE
};

/// Takes the option at args[i] (with its values) when it is one of these;
/// false (i unchanged) otherwise.
bool ParseMergeUploadOption(const std::vector<std::string>& args, std::size_t& i, const std::string& command,
                            MergeUploadOptions& o);

bool IsMergeUploadCommand(const std::string& command);

/// A merge of disk files needs no link.
bool IsDiskMerge(const std::string& command, const MergeUploadOptions& o);
int RunDiskMerge(UserInteraction& ui, const MergeUploadOptions& o);

/// 0 on success, 1 when nothing was merged or the upload was not confirmed.
int RunMergeUploadCommand(UnitLink& link, const std::string& command, const UnitFilesOptions& files,
                          const MergeUploadOptions& o);

} // namespace orlu::tools
