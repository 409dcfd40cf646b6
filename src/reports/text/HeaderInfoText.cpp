#include "reports/text/HeaderInfoText.h"

#include "document/Subfiles.h"
#include "document/container/FileKindCode.h"
#include "document/headers/CurrentHeader.h"
#include "platform/ValueFormat.h"
#include "reports/common/HeaderValueNames.h"
#include "reports/common/NameTables.h"
#include "reports/common/ReportCaptionTable.h"
#include "reports/common/SubfileSelectionKeeper.h"
#include "reports/text/HeaderChannelColumns.h"
#include "reports/text/HeaderReportWriter.h"
#include "reports/text/HeaderSettingsSections.h"
#include "reports/text/TextReportLayout.h"

#include <bit>

namespace orlu {
namespace {

using Out = HeaderReportWriter;

constexpr std::uint8_t kKindFromSource = 50;
constexpr int kVariantLetterPosition = 9; // right after a three-digit device type
constexpr std::string_view kUnreadableHeader = "  The settings of this file cannot be read: it is damaged or incomplete.";
constexpr std::string_view kFilterRule = "-----------------------------------------------";

std::string Clock(std::uint16_t twoSeconds)
{
    return StartTimeCell(twoSeconds) + "  ";
}

std::string Date(std::uint16_t date)
{
    return DateCell(date) + "  ";
}

std::string DeviceType(const CurrentHeader& h)
{
    const bool partner = h.deviceType == 410 || h.deviceType == 420;
    std::string value = partner ? StrPrintf(" QERA %-5d ", h.deviceType)
                                : StrPrintf(HeaderItemTable[kItemDeviceType].Format.data(), h.deviceType);
    const ModelFlags& m = h.model;
    if ((m.Family515 || m.Family525 || m.Family530) && !m.LaterModel && h.variant != 0)
        value[kVariantLetterPosition] = static_cast<char>(64 + h.variant);
    return value;
}

void WriteIdentity(Out& out)
{
    const CurrentHeader& h = out.Header();
    out.Item(kItemDeviceType, DeviceType(h));
    out.Item(kItemSerial, StrPrintf(" %-10d ", h.serial));
    if (h.subVersionPresent)
        out.Text(kItemSoftwareVersion, StrPrintf("%.2f.%d", h.firmware / 100.0, h.subVersion));
    else
        out.Item(kItemSoftwareVersion, StrPrintf(" %-10.2f ", h.firmware / 100.0));
    if (h.fileSystemVersion != 0)
        out.Item(kItemFileSystemVersion, StrPrintf(" %-10.2f ", h.fileSystemVersion / 100.0));
    out.Rule();
    const int firstName = !h.timeHistory          ? kItemOriginalFileName
                          : h.model.LaterModel ? kItemOriginalLogger
                                               : kItemOriginalBuffer;
    out.Text(firstName, h.fileName);
}

// The measurement's names, time and function; false for a setup file, whose report ends there.
bool WriteMeasurement(Out& out)
{
    const CurrentHeader& h = out.Header();
    if (h.setupFile) {
        out.Item(kItemCreationTime, Clock(h.setupTime));
        out.Item(kItemCreationDate, Date(h.setupDate));
        out.Rule();
        return false;
    }
    if (!h.secondName.empty()) {
        const int item = h.timeHistory          ? kItemAssociatedFile
                         : h.model.LaterModel ? kItemAssociatedLogger
                                              : kItemAssociatedBuffer;
        out.Text(item, h.secondName);
    }
    out.Item(kItemMeasurementHour, Clock(h.time));
    out.Item(kItemMeasurementDay, Date(h.date));
    const long function = h.rt60 ? long{kFunctionRt60} : long{h.function};
    out.Text(kItemDeviceFunction, h.model.Family515Text ? NameFor(DeviceFunctionNames515Text, function)
                                                        : NameFor(DeviceFunctionNames, function));
    return true;
}

bool Selected(std::uint16_t mask, int channel)
{
    return channel >= 0 && channel < 16 && (mask & (1u << channel)) != 0;
}

// The channels of the range, the vector column (index 4) last.
std::vector<int> RangeChannels(const ChannelRange& range)
{
    std::vector<int> channels;
    for (int c = 0; c < range.end; ++c)
        channels.push_back(c);
    if (range.vector)
        channels.push_back(kPseudoChannel);
    return channels;
}

std::string ContentText(std::uint16_t loggerWord, std::uint16_t inputKind)
{
    if (loggerWord == 0)
        return "none  ";
    const auto& names = inputKind == kInputMicrophone ? ContentNamesMic : ContentNames;
    std::string text;
    for (std::size_t bit = 0; bit < names.size(); ++bit)
        if (loggerWord & (1u << bit)) {
            text += names[bit];
            text += names[bit].size() == 4 ? "  " : "   ";
        }
    return text;
}

void WriteOverload(Out& out, std::uint16_t mask, const ChannelRange& range)
{
    const CurrentHeader& h = out.Header();
    constexpr std::uint16_t kOverloadBits = 0x03C0; // bits 9 to 6: channels 1 to 4
    if (!h.model.FourChannel || (h.flagsWord & kOverloadBits) == 0)
        return;
    std::string line(ReportCaptionTable[kCaptionOverloadInChannels]);
    bool any = false;
    for (const int c : RangeChannels(range))
        if (Selected(mask, c) && (h.flagsWord & (1u << (9 - c)))) {
            line += StrPrintf(" #%d", c + 1);
            any = true;
        }
    if (any)
        out.Add(std::move(line));
}

void WriteLoggerContents(Out& out, std::uint16_t mask, const ChannelRange& range)
{
    const CurrentHeader& h = out.Header();
    if (!h.model.LaterModel || !h.timeHistory)
        return;
    out.Add("  ");
    out.Add(std::string(ReportCaptionTable[kCaptionLoggerContentsIndented]));
    for (int c = 0; c < range.end; ++c) {
        if (!Selected(mask, c))
            continue;
        out.Doc().SelectChannelProfile(c, 0);
        out.Add(StrPrintf("      #%d  -  ", c + 1) + ContentText(out.Channel().loggerWord, out.Channel().inputKind));
    }
}

void WriteBufferContents(Out& out, std::uint16_t mask, ChannelRange range)
{
    const CurrentHeader& h = out.Header();
    const FourChannelSetup& f = h.fourChannel;
    if (!h.model.FourChannel || !h.timeHistory || h.rt60)
        return;
    out.Add("  ");
    out.Add(std::string(ReportCaptionTable[kCaptionBufferContentsIndented]));
    if (f.waveform && f.rotationInBuffer != 0)
        range.vector = true;
    for (const int c : RangeChannels(range)) {
        if (!Selected(mask, c))
            continue;
        const bool real = c < kFourChannelMaxChannels;
        if (real)
            out.Doc().SelectChannelProfile(c, 0);
        for (int p = 0; p < range.profiles; ++p) {
            if (!IsProfileColumn(out, c, p, range.profiles, false))
                continue;
            std::string line;
            if (f.waveform) {
                line = StrPrintf("      #%d  -  ", c + 1);
                if (real)
                    line += (f.waveformChannelMask & (1u << c)) ? "TIME  " : "none  ";
                else
                    line += f.rotationInBuffer != 0 ? "RPM   " : "none  ";
            } else {
                if (h.firmware < 217)
                    line = real ? StrPrintf("      #%d  -  ", c + 1) : std::string("  Vector  -  ");
                else
                    line = real ? StrPrintf("      #%d : P%d  -  ", c + 1, p + 1) : StrPrintf("      #%d       -  ", c + 1);
                if (real) {
                    line += ContentText(out.Channel().loggerWord, out.Channel().inputKind);
                } else {
                    if (f.vectorInBuffer != 0)
                        line += "Vect  ";
                    if (f.rotationInBuffer != 0)
                        line += "RPM   ";
                    if (f.vectorInBuffer == 0 && f.rotationInBuffer == 0)
                        line += "none  ";
                }
            }
            out.Add(std::move(line));
        }
    }
}

void WriteFilters(Out& out)
{
    const CurrentHeader& h = out.Header();
    if (!h.realTimeFilters.empty() && h.userFilterMask != 0) {
        out.Add("");
        out.Add("Real time filter(s):");
        out.Add(std::string(kFilterRule));
        out.Add(" filter    type     order   low[Hz]   high[Hz] ");
        out.Add(std::string(kFilterRule));
        for (std::size_t k = 0; k < h.realTimeFilters.size(); ++k) {
            if ((h.userFilterMask & (1u << k)) == 0)
                continue;
            const RealTimeFilter& filter = h.realTimeFilters[k];
            std::string low = "    ------";
            std::string high = low;
            if (filter.type == 0 || filter.type == 2)
                low = StrPrintf("%10.1f", filter.a);
            if (filter.type == 1 || filter.type == 2)
                high = StrPrintf("%10.1f", filter.b);
            const std::string type(NameFor(RtFilterTypeNames, filter.type));
            out.Add(StrPrintf("   R%d    %-10s %3d %s %s", static_cast<int>(k) + 1, type.c_str(), filter.second,
                              low.c_str(), high.c_str()));
        }
        out.Add(std::string(kFilterRule));
    }
    if (h.userFilters) {
        out.Add("");
        std::string line(ReportCaptionTable[kCaptionAdditionalFilters]);
        for (const UserFilterDefinition& filter : h.matchedUserFilters)
            line += "  " + filter.name;
        out.Add(std::move(line));
    }
}

void WriteFile(Out& out, const HeaderInfoRequest& request, int first)
{
    const CurrentHeader& h = out.Header();
    WriteIdentity(out);
    if (!WriteMeasurement(out))
        return;
    ChannelRange range;
    if (h.model.FourChannel) {
        WriteFourChannelSettings(out);
        range = WriteFourChannelColumns(out, request.channelMask, request.selectableMask);
    } else {
        if (!WriteOtherModelSettings(out))
            return;
        range = WriteOtherModelColumns(out, request.channelMask, first);
    }
    WriteOverload(out, request.channelMask, range);
    WriteLoggerContents(out, request.channelMask, range);
    WriteBufferContents(out, request.channelMask, range);
    WriteFilters(out);
}

} // namespace

bool FormatHeaderInfo(CTmDoc& doc, LineList& lines, int* widthOut, const HeaderInfoRequest& request)
{
    ClearLineList(&lines);
    *widthOut = 0;
    const bool merged = IsCurrentMultifileKind(doc.FileKind());
    if (!merged && FindFileKind(doc.FileKind()).Family != KindFamily::Current)
        return false;
    WaitCursor wait(doc.Ui());
    SubfileSelectionKeeper keeper(doc);
    Out out(doc, lines, widthOut, request.unitOption);
    const int first = request.channelMask != 0 ? std::countr_zero(request.channelMask) : 0;

    std::vector<int> files;
    if (merged && request.allFiles)
        for (int i = 1; i <= doc.SubfileCount(); ++i)
            files.push_back(i);
    else
        files.push_back(merged ? request.fileIndex : 0);

    for (const int i : files) {
        std::string title;
        bool decoded = doc.HeaderDecoded();
        if (merged) {
            const std::string name = doc.GetSubfileName(i);
            title = StrPrintf(ReportCaptionTable[kCaptionHeaderInfoForFile].data(), i, name.c_str());
            try {
                decoded = doc.DecodeFileHeader(static_cast<std::uint16_t>(i));
            } catch (const ImageRangeError&) {
                decoded = false;
            }
        } else if (decoded && doc.Header().setupFile) {
            title = ReportCaptionTable[kCaptionHeaderInfoSetupFile];
        } else {
            title = ReportCaptionTable[kCaptionHeaderInfo];
            if (doc.FileKind() == kKindFromSource)
                title += ReportCaptionTable[kCaptionFromSourceFile];
        }
        out.Add("");
        out.Add(std::move(title));
        out.Rule();
        if (!decoded) {
            out.Add(std::string(kUnreadableHeader));
            continue;
        }
        if (!doc.Header().setupFile)
            doc.SelectChannelProfile(first, 0);
        try {
            WriteFile(out, request, first);
        } catch (const ImageRangeError&) {
            // The lines written so far stay; the reader says why the file's report ends early.
            out.Add(std::string(kUnreadableHeader));
        }
        if (doc.Header().setupFile)
            break;
    }
    return true;
}

} // namespace orlu
