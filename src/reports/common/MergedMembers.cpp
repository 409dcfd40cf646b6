#include "reports/common/MergedMembers.h"

#include "document/headers/CurrentHeader.h"
#include "reports/common/ReportCaptionTable.h"
#include "reports/text/TextReportLayout.h"

#include <algorithm>
#include <numeric>

namespace orlu {

std::vector<int> MergedReportFiles(const CTmDoc& doc, bool allFiles, int selected)
{
    std::vector<int> files;
    if (allFiles) {
        for (int n = 1; n <= doc.SubfileCount(); ++n)
            files.push_back(n);
    } else if (doc.SubfileCount() > 0) {
        files.push_back(std::clamp(selected, 1, static_cast<int>(doc.SubfileCount())));
    }
    return files;
}

bool DecodeMember(CTmDoc& doc, int n, std::uint16_t channelMask)
{
    const auto subfile = static_cast<std::uint16_t>(n);
    try {
        if (doc.IsLegacyDocument())
            return doc.DecodeLegacyHeader(subfile);
        if (!doc.DecodeFileHeader(subfile))
            return false;
        const int count = doc.Header().channelCount;
        doc.SelectChannelProfile(std::min(FirstChannel(channelMask), std::max(count - 1, 0)), 0);
        return true;
    } catch (const ImageRangeError&) {
        return false;
    }
}

bool MembersHaveVdv(CTmDoc& doc, std::span<const int> subfiles, std::uint16_t channelMask)
{
    constexpr std::uint16_t kFlagNoVdv = 4;
    for (const int n : subfiles) {
        if (!DecodeMember(doc, n, channelMask) || doc.IsLegacyDocument())
            continue;
        const CurrentHeader& h = doc.Header();
        const bool accelerometer = h.model.FourChannel ? h.fourChannel.hasAccelerometer
                                                       : (h.model.Family530 || h.model.Family535) &&
                                                             doc.Channel().inputKind == kInputAccelerometer;
        if (accelerometer && (h.flagsWord & kFlagNoVdv) == 0)
            return true;
    }
    return false;
}

bool ReverberationMember(const CTmDoc& doc)
{
    return !doc.IsLegacyDocument() && doc.HeaderDecoded() && doc.Header().function == kFunctionRt60;
}

void MergedTableOrder::Member(const CTmDoc& doc)
{
    m_DoseMember = false;
    m_LastVector = false;
    m_MemberInput = -1;
    if (doc.IsLegacyDocument() || !doc.HeaderDecoded())
        return;
    const CurrentHeader& h = doc.Header();
    m_LastVector = h.model.FourChannel && h.fourChannel.vector;
    m_FourChannel = m_FourChannel || h.model.FourChannel;
    const bool mixed = (h.model.Family530 || h.model.Family535) && !h.model.FourChannel;
    m_Mixed = m_Mixed || mixed;
    if (mixed)
        m_MemberInput = doc.Channel().inputKind;
    if (h.model.FourChannel)
        m_SoundFirst = h.fourChannel.channels[0].inputKind == kInputMicrophone;
    else
        m_DoseMember = h.function == kFunctionDoseMeter;
}

int MergedTableOrder::Rank(bool doseTable, std::string_view caption) const
{
    const bool sound = caption == ReportCaptionTable[kCaptionMainResultsSound];
    const bool vibration = caption == ReportCaptionTable[kCaptionMainResultsVibration];
    const bool later = (sound && !m_SoundFirst) || (vibration && m_SoundFirst);
    return (doseTable ? 2 : 0) + (later ? 1 : 0);
}

std::vector<std::size_t> MergedTableOrder::Sequence(const std::vector<int>& ranks)
{
    std::vector<std::size_t> sequence(ranks.size());
    std::iota(sequence.begin(), sequence.end(), std::size_t{0});
    std::sort(sequence.begin(), sequence.end(), [&](std::size_t a, std::size_t b) {
        return ranks[a] != ranks[b] ? ranks[a] < ranks[b] : a < b;
    });
    return sequence;
}

} // namespace orlu
