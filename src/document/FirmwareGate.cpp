#include "document/FirmwareGate.h"

#include "platform/TextEncoding.h"
#include "platform/ValueFormat.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <system_error>

namespace orlu {
namespace {

constexpr const char* kRefuse545 =
    "Sorry ...\nFor ORLU 545 firmware versions below 2.12\nare not accepted by OrluPC.\nPlease, contact vendor for "
    "ORLU 545 upgrade.";
constexpr const char* kRefuse590 =
    "Sorry ...\nFor ORLU 590 firmware versions below 3.01\nare not accepted by OrluPC.\nPlease, contact vendor for "
    "ORLU 590 upgrade.";
constexpr const char* kAsk545 =
    "Sorry ...\nFor ORLU 545 the highest firmware file system version accepted by this OrluPC release is %.2f  \n%s is "
    "%.2f\nPlease, contact vendor for OrluPC upgrade.\n\nDo you want to process the file even though?";
constexpr const char* kAsk590 =
    "Sorry ...\nFor ORLU 590 the highest firmware file system version accepted by this OrluPC release is %.2f  \n%s is "
    "%.2f\nPlease, contact vendor for OrluPC upgrade.\n\nDo you want to process the file even though?";
constexpr const char* kAskOther =
    "Sorry ...\nThe highest firmware file system version accepted by this OrluPC release is %.2f  \n%s is "
    "%.2f\nPlease, contact vendor for OrluPC upgrade.\n\nDo you want to process the file even though?";
constexpr const char* kFileSystemInFile = "Firmware file system version in the file";
constexpr const char* kFileSystemOfUnit = "Your unit firmware file system version";
constexpr const char* kUnknownPrefix =
    "Sorry ...\nThe file header prefix %04Xh is unknown\nfor this OrluPC program version.\nPlease, contact vendor for "
    "OrluPC upgrade.";
constexpr const char* kInvalidPath = "Specified path:\n   %s\nis not valid.";

struct FirmwareGateRow {
    std::array<std::uint16_t, 5> deviceTypes; ///< 0 fills; the last row serves every other type
    std::uint16_t minFirmware;                ///< refused below; 0 never
    const char* refusal;
    std::uint16_t fileSystemLimit;            ///< asked about above; 0 never
    const char* question;
};
constexpr FirmwareGateRow kFirmwareGate[] = {
    {{505}, 0, nullptr, 0, nullptr},
    {{545}, 212, kRefuse545, 222, kAsk545},
    {{590}, 301, kRefuse590, 302, kAsk590},
    {{560, 570, 575, 580, 595}, 0, nullptr, 606, kAskOther},
    {{}, 0, nullptr, 515, kAskOther},
};

const FirmwareGateRow& GateRowOf(std::uint16_t deviceType)
{
    for (const FirmwareGateRow& row : kFirmwareGate)
        if (std::find(row.deviceTypes.begin(), row.deviceTypes.end(), deviceType) != row.deviceTypes.end())
            return row;
    return kFirmwareGate[std::size(kFirmwareGate) - 1];
}

bool FolderExists(const std::filesystem::path& folder)
{
    std::error_code error;
    return !folder.empty() && std::filesystem::is_directory(folder, error);
}

// A long folder name as the message shows it: its first 3 and last 34 characters.
std::string ShortFolderName(const std::string& folder)
{
    if (folder.size() <= 40)
        return folder;
    return folder.substr(0, 3) + "..." + folder.substr(folder.size() - 34);
}

} // namespace

bool CheckFirmwareVersion(UserInteraction& ui, std::uint16_t deviceType, std::uint16_t firmware,
                          std::uint16_t fileSystem, bool inFile)
{
    const FirmwareGateRow& row = GateRowOf(deviceType);
    if (firmware < row.minFirmware) {
        ui.ShowMessage(row.refusal, kMessageCaption, MessageButtons::Ok, MessageIcon::Stop);
        return true;
    }
    if (row.fileSystemLimit == 0)
        return false;
    // Firmware of a half release (x.50 and later) knows file systems half a release newer.
    std::uint16_t limit = static_cast<std::uint16_t>(row.fileSystemLimit + (firmware % 100 >= 50 ? 50 : 0));
    if (fileSystem <= limit)
        return false;
    std::string text = StrPrintf(row.question, limit / 100.0, inFile ? kFileSystemInFile : kFileSystemOfUnit,
                                 fileSystem / 100.0);
    return ui.ShowMessage(text, kMessageCaption, MessageButtons::YesNo, MessageIcon::Stop, MessageResult::No) !=
           MessageResult::Yes;
}

void ReportUnknownHeaderPrefix(UserInteraction& ui, std::uint16_t prefix)
{
    ui.ShowMessage(StrPrintf(kUnknownPrefix, static_cast<unsigned>(prefix)), kMessageCaption, MessageButtons::Ok,
                   MessageIcon::Stop);
}

FolderFallbacks FolderFallbacks::FromEnvironment()
{
    FolderFallbacks fallbacks;
    std::error_code error;
    fallbacks.current = std::filesystem::current_path(error);
    const char* home = std::getenv("HOME");
    fallbacks.home = home != nullptr && *home != '\0' ? std::filesystem::path(home) : fallbacks.current;
    return fallbacks;
}

std::string ValidateFolderForDialog(UserInteraction& ui, const std::string& folder, const FolderFallbacks& fallbacks)
{
    if (folder.empty() || folder[0] != '/')
        return FolderExists(fallbacks.home) ? fallbacks.home.string() : fallbacks.current.string();

    while (!FolderExists(folder)) {
        // Paths are UTF-8 here; the message boxes take the program's Windows-1252 text.
        std::string text = StrPrintf(kInvalidPath, Utf8ToCp1252(ShortFolderName(folder)).c_str());
        if (ui.ShowMessage(text, kMessageCaption, MessageButtons::RetryCancel, MessageIcon::Warning,
                           MessageResult::Retry) != MessageResult::Retry) {
            // The nearest existing parent.
            std::string parent = folder;
            for (std::size_t cut = parent.find_last_of('/'); cut != std::string::npos;
                 cut = parent.find_last_of('/')) {
                parent.erase(cut);
                std::string candidate = parent.empty() ? "/" : parent;
                if (FolderExists(candidate))
                    return candidate;
            }
            return fallbacks.current.string();
        }
    }
    return folder;
}

} // namespace orlu
