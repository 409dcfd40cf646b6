#pragma once
// The measurement document's own texts, in the order the program numbers
// them: title suffixes (0 to 7), title patterns (8 to 11), load errors (12 to
// 17) and the messages and questions of loading, merging and saving.

#include <array>
#include <string_view>

namespace orlu {

inline constexpr std::array<std::string_view, 32> DocMessageTable{
    " - binary (ORLU unit file)",
    " - text (ORLU unit file)",
    " - binary (disk file)",
    " - binary (ORLU unit files)",
    " - binary (disk files)",
    " - binary (MONITOR file)",
    " - binary (extracted from Multifile)",
    " - binary (extracted from MONITOR file)",
    "Settings%d",
    "Multifile%d",
    "Monitor%d",
    "Directory%d",
    "Unknown exception while loading the file",
    "Improper file contents",
    "Unrecognized file contents",
    "Not enough memory to load entire file",
    "Unexpected end of the file reached",
    "The file checksum invalid",
    "The file is not complete...",
    "This is not a MONITOR file ... ",
    "Improper file contents...",
    "Not enough memory ...",
    "Merge operation failed. Sorry!",
    "Only the simplest METER or ANALYZER files\nof the same structure can be merged!",
    "Only the regular files (excluding 'Buffer'/'Logger')\nof the same structure can be merged!",
    "Can't allocate memory for buffer/logger",
    "  -  Upload incomplete. Sorry!",
    "  -  Upload completed O.K.",
    "Buffer/logger contents reduced.\nSave modified ",
    "Reverberation time computing data added \nor changed.\nSave modified ",
    "Save ",
    "Can't allocate memory for markers",
};

/// Indexes into DocMessageTable.
enum DocMessage : int {
    kMsgSuffixUnitFile = 0,
    kMsgSuffixUnitText = 1,
    kMsgSuffixDiskFile = 2,
    kMsgSuffixUnitFiles = 3,
    kMsgSuffixDiskFiles = 4,
    kMsgSuffixMonitorFile = 5,
    kMsgSuffixFromMultifile = 6,
    kMsgSuffixFromMonitor = 7,
    kMsgTitleSettings = 8,
    kMsgTitleMultifile = 9,
    kMsgTitleMonitor = 10,
    kMsgTitleDirectory = 11,
    kMsgFirstLoadError = 12,
    kMsgFileNotComplete = 18,
    kMsgImproperContents = 20,
    kMsgNotEnoughMemory = 21,
    kMsgMergeFailed = 22,
    kMsgMergeSimplestOnly = 23,
    kMsgMergeRegularOnly = 24,
    kMsgUploadIncomplete = 26,
    kMsgUploadCompleted = 27,
    kMsgReducedSaveQuestion = 28,
    kMsgReverbSaveQuestion = 29,
    kMsgSaveQuestion = 30,
};

} // namespace orlu
