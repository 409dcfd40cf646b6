#include "link/UnitProtocol.h"

#include "document/FirmwareGate.h"
#include "link/SerialLinkSettings.h"

#include <algorithm>
#include <array>

namespace orlu {
namespace {

constexpr std::string_view kUnknownType = "Unknown unit type! Sorry...";
constexpr std::string_view kTypeChanged = "Unit type on ORLU menu is changed !";

struct TypeRow {
    std::uint16_t deviceType;
    std::uint8_t selector;
};
constexpr TypeRow kTypeSelectors[] = {
    {505, 1},  {515, 4},  {525, 3},  {530, 5},  {535, 6},  {545, 10}, {590, 10}, {550, 8},
    {560, 12}, {570, 12}, {575, 12}, {580, 12}, {595, 12}, {410, 9},  {420, 12},
};

constexpr std::uint8_t kSelector515Text = 2;
constexpr std::uint8_t kSelector515Graphic = 4;

} // namespace

std::optional<std::uint8_t> SelectorForDeviceType(std::uint16_t deviceType, bool hasModeLetter)
{
    if (deviceType == 0)
        return hasModeLetter ? kSelector505 : kSelector515Text;
    for (const TypeRow& row : kTypeSelectors)
        if (row.deviceType == deviceType)
            return row.selector;
    return std::nullopt;
}

IdentifyOutcome IdentifyUnit(LinkTransport& link, UserInteraction& ui, std::uint8_t* selector, bool firmwareCheck,
                             LinkFlags& flags, std::size_t replyLimit)
{
    IdentifyOutcome out;
    if (!link.SendAndStartRead(";#1;"))
        return out;
    IdentifyReplyCollector collector(replyLimit);
    std::uint8_t byte = 0;
    while (collector.Current() == IdentifyReplyCollector::State::Collecting) {
        if (!link.ReadByte(byte))
            return out;
        collector.Feed(byte);
    }
    if (collector.Current() == IdentifyReplyCollector::State::TooLong)
        return out;
    if (link.IsUsb())
        link.Release();
    out.reply = collector.Reply();
    out.identity = ParseIdentity(out.reply);
    const UnitIdentity& id = out.identity;

    std::uint16_t deviceType = id.deviceType;
    std::optional<std::uint8_t> newSelector;
    const bool evaluateType = selector && *selector != kSelectorMonitor;
    if (evaluateType) {
        newSelector = SelectorForDeviceType(deviceType, id.hasModeLetter);
        if (!newSelector) {
            ui.ShowMessage(kUnknownType, kMessageCaption, MessageButtons::Ok, MessageIcon::Stop);
            out.result = kIdentifyRefused;
            return out;
        }
        if (deviceType == 0)
            deviceType = *newSelector == kSelector505 ? 505 : 515;
    }
    if (!selector || *selector != kSelectorMonitor) {
        if (deviceType != 505) {
            const int d = id.firmware % 100 >= 50 ? 50 : 0;
            flags.oldUnitFirmware = deviceType != 545 && id.firmware - d <= 307;
        }
        if (firmwareCheck && deviceType != 505) {
            if (id.firmwareMissing || CheckFirmwareVersion(ui, deviceType, id.firmware, 0, false)) {
                out.result = kIdentifyRefused;
                return out;
            }
        }
        if (evaluateType) {
            if (*newSelector == kSelector515Graphic && id.firmware < 200)
                newSelector = kSelector515Text;
            if (*newSelector != *selector) {
                ui.ShowMessage(kTypeChanged, kMessageCaption, MessageButtons::Ok, MessageIcon::Warning);
                *selector = *newSelector;
            }
        }
    }
    out.result = static_cast<unsigned char>(collector.Mode());
    return out;
}

std::optional<std::uint32_t> ReadReplyHeader(LinkTransport& link, bool unit505)
{
    ReplyHeaderReader header(unit505);
    std::uint8_t byte = 0;
    while (!header.Complete()) {
        if (!link.ReadByte(byte))
            return std::nullopt;
        header.Feed(byte);
    }
    return header.Count();
}

namespace {

struct FamilyRequests {
    std::uint8_t selector;
    std::string_view fileLetters;
    bool servesSetup;
    bool bufferAsFile; ///< the buffer is asked for by name, as a file
    std::uint8_t fileKind;
};
constexpr std::string_view kCurrentLetters = "adeflortuxy";
constexpr FamilyRequests kFamilies[] = {
    {2, "dlot", false, false, 43}, {3, kCurrentLetters, true, false, 45}, {4, kCurrentLetters, true, false, 44},
    {5, kCurrentLetters, true, false, 46}, {6, kCurrentLetters, true, false, 47}, {8, kCurrentLetters, true, false, 49},
    {9, kCurrentLetters, true, false, 48}, {10, kCurrentLetters, true, false, 42}, {12, kCurrentLetters, true, true, 44},
};

struct Letter505 {
    char letter;
    std::string_view group;
    RequestKind kind;
    std::uint8_t fileKind;
};
constexpr Letter505 kLetters505[] = {
    {'m', "1,", RequestKind::Meter505, 3},  {'a', "2,", RequestKind::Analyzer505, 4},
    {'k', "0,", RequestKind::Other505, 8},  {'s', "3,", RequestKind::Other505, 5},
    {'u', "4,", RequestKind::Other505, 6},  {'b', "16,", RequestKind::Other505, 7},
};

} // namespace

FileRequest BuildFileRequest(std::uint8_t selector, char letter, std::string_view name, std::uint32_t count,
                             bool oldUnitFirmware)
{
    FileRequest request;
    if (selector == kSelector505) {
        for (const Letter505& row : kLetters505)
            if (row.letter == letter) {
                request = {std::string(row.group), row.kind, row.fileKind, {}};
                request.text = ";#4," + request.group + std::string(name) + ";";
            }
        return request;
    }
    const auto family = std::find_if(std::begin(kFamilies), std::end(kFamilies),
                                     [&](const FamilyRequests& f) { return f.selector == selector; });
    if (family == std::end(kFamilies))
        return request;
    request.fileKind = family->fileKind;
    if (letter == 'b' && !family->bufferAsFile) {
        const std::string_view head = name.substr(0, 8);
        const std::size_t bar = head.find('_');
        // The ORLU 515 with text display has one buffer, asked for without a suffix.
        const bool noSuffix = bar == std::string_view::npos || selector == 2;
        const std::string_view suffix = noSuffix ? std::string_view() : head.substr(bar + 1);
        request.group = "2,";
        request.kind = RequestKind::Buffer;
        request.text = ";#4,2,B" + std::string(suffix) + ";";
        return request;
    }
    if (letter == 'b') {
        request.group = "2,";
        request.kind = RequestKind::Buffer;
    } else if (letter == 's' && family->servesSetup) {
        request.group = "1,";
        request.kind = RequestKind::Setup;
    } else if (family->fileLetters.find(letter) != std::string_view::npos) {
        request.group = "1,";
        request.kind = RequestKind::File;
    } else {
        return request;
    }
    if (name == "RAMfile") {
        request.text = ";#4,3;";
        return request;
    }
    request.text = ";#4," + request.group + std::string(name);
    if (count != 0 && !(oldUnitFirmware && name.size() == 8))
        request.text += "<" + std::to_string(count);
    request.text += ";";
    return request;
}

std::uint8_t LaterModelFileKind(std::uint16_t deviceType)
{
    struct Row {
        std::uint16_t deviceType;
        std::uint8_t fileKind;
    };
    static constexpr Row kKinds[] = {{560, 73}, {570, 75}, {575, 76}, {580, 77}, {595, 79}};
    for (const Row& row : kKinds)
        if (row.deviceType == deviceType)
            return row.fileKind;
    return 99;
}

MergedKind MergedKindForFileKind(int requestKind, std::uint8_t fileKind)
{
    struct Row {
        std::array<std::uint8_t, 3> in;
        std::uint8_t out;
    };
    static constexpr Row kMerged[] = {
        {{44, 73, 75}, 54}, {{43}, 53}, {{45}, 55}, {{46, 76}, 56}, {{47, 77}, 57},
        {{48}, 58},         {{49, 79}, 59}, {{42, 78}, 60},
    };
    if (fileKind == 3)
        return {23, 0, 22};
    if (fileKind == 4)
        return {24, 1, 38};
    for (const Row& row : kMerged)
        if (std::find(row.in.begin(), row.in.end(), fileKind) != row.in.end() && fileKind != 0)
            return {row.out, requestKind, static_cast<std::uint16_t>(requestKind == 3 ? 36 : 0)};
    return {fileKind, requestKind, 0};
}

std::string_view UnitFileKindName(int requestKind)
{
    static constexpr std::string_view kNames[] = {"Meter mode file", "Analyzer mode file", "Special file",
                                                  "ORLU file",       "ORLU buffer",        "MONITOR file",
                                                  "ORLU setup file"};
    return requestKind >= 0 && requestKind < static_cast<int>(std::size(kNames)) ? kNames[requestKind] : "";
}

} // namespace orlu
