#include "presentation/view/ViewSelection.h"

#include "document/container/FileKindCode.h"
#include "document/image/PagedFileImage.h"

#include <algorithm>
#include <climits>

namespace orlu {
namespace {

constexpr std::uint8_t kKindLegacyMultifile = 23;
constexpr std::uint8_t kKind505Multifile = 24;
constexpr std::uint8_t kOctaveSet = kViewOctaves;
constexpr std::uint8_t kThirdOctaveSet = kViewThirdOctaves;
constexpr int kChannelBits = 16;

std::int16_t ToRecordCount(long long count)
{
    return static_cast<std::int16_t>(std::clamp<long long>(count, 0, SHRT_MAX));
}

std::uint16_t Bit(int index) { return static_cast<std::uint16_t>(1u << index); }

bool IsCurrentFamily(const CTmDoc& doc)
{
    return FindFileKind(doc.FileKind()).Family == KindFamily::Current;
}

} // namespace

int ToOctaveSet(int index, const BandLayout& b)
{
    return index < b.thirdBands ? index / 3 : b.octaveBands + (index - b.thirdBands);
}

int ToThirdOctaveSet(int index, const BandLayout& b)
{
    return index < b.octaveBands ? 3 * index + 1 : b.thirdBands + (index - b.octaveBands);
}

namespace {

// The one available channel from `start` on (cyclic) becomes the selection.
void SelectFromChannel(MeasurementViewState& view, int count)
{
    if (count <= 1)
        return;
    count = std::min(count, kChannelBits);
    const int start = view.ChannelNumber <= 0 || view.ChannelNumber > count ? 0 : view.ChannelNumber - 1;
    for (int i = 0; i < count; ++i) {
        const int index = (start + i) % count;
        if (view.AvailableChannels & Bit(index)) {
            view.ChannelNumber = static_cast<std::int16_t>(index + 1);
            view.SelectedChannels = Bit(index);
            return;
        }
    }
}

// A 505 Multifile decodes the sub-file the view shows; a single file was decoded when it loaded.
void LoadAnalyzerRecord(MeasurementViewState& view, CTmDoc& doc)
{
    const bool merged = IsMerged505Document(doc);
    const auto subfile = static_cast<std::uint16_t>(merged ? std::clamp(view.SubFileNumber, 0, 0xFFFF) : 0);
    try {
        if (merged && !doc.DecodeSetup505(subfile))
            return;
    } catch (const ImageRangeError&) {
        return; // a sub-file that runs past the image stays undecoded
    }
    if (!doc.AnalyzerDecoded())
        return;
    doc.Select505Channel(view.ChannelNumber - 1);
    if (merged)
        view.SubFileName = doc.GetSubfileName(subfile);
}

} // namespace

BandLayout BandLayoutOf(const CTmDoc& doc)
{
    BandLayout b;
    if (!doc.HeaderDecoded())
        return b;
    const CurrentHeader& h = doc.Header();
    b.values = h.bandCount;
    b.octaveBands = h.octaveBandsShown;
    b.thirdBands = h.thirdBandsShown;
    b.totals = h.bandCount - h.bandsShown;
    b.documentBandKind = h.bandKind;
    b.accelerometer = doc.Channel().inputKind == kInputAccelerometer;
    b.fourChannel = h.model.FourChannel;
    return b;
}

bool IsMergedDocument(const CTmDoc& doc)
{
    return doc.FileKind() == kKindLegacyMultifile || IsCurrentMultifileKind(doc.FileKind());
}

bool IsMerged505Document(const CTmDoc& doc) { return doc.FileKind() == kKind505Multifile; }

std::uint16_t HeaderChannelMask(const CTmDoc& doc)
{
    if (doc.LegacyDecoded())
        return doc.Legacy().profileMask;
    if (doc.AnalyzerDecoded())
        return doc.Analyzer().channelMask;
    return doc.HeaderDecoded() ? doc.Header().profileMask : 0;
}

int ChannelCountOf(const CTmDoc& doc)
{
    if (doc.LegacyDecoded())
        return doc.Legacy().channelCount;
    return doc.HeaderDecoded() ? doc.Header().channelCount : 0;
}

int ProfileCountOf(const CTmDoc& doc)
{
    if (!doc.HeaderDecoded())
        return 0;
    const CurrentHeader& h = doc.Header();
    return h.model.FourChannel ? h.fourChannel.profileCount : h.channelCount;
}

void OpenView(MeasurementViewState& view, CTmDoc& doc)
{
    view.AvailableChannels = view.SelectedChannels = HeaderChannelMask(doc);
    const BandLayout bands = BandLayoutOf(doc);
    view.RecordCount = ToRecordCount(bands.values);
    view.BandKind = static_cast<std::int16_t>(bands.documentBandKind);
    view.SubFileNumber = 0;
    view.CurrentRecordPtr = &view.SubFileNumber;
    view.RecordStepping = 0;
    view.FormFlags &= ~form_flags::kFormBits;
    view.TableVariantByKind.fill(0);
    if (IsMergedDocument(doc)) {
        // A Multifile's Main results compare its members: the page opens on all of them.
        for (const ViewCommand& command : ViewCommands())
            if (command.kind == kViewMainResults) {
                ViewPageState& page = view.Pages[static_cast<std::size_t>(command.page)];
                page.TextAllFiles = page.TableAllFiles = 1;
                if (view.CurrentPageIndex() == command.page)
                    view.TextAllFiles = view.TableAllFiles = 1;
            }
    }
    if (IsMergedDocument(doc) || IsMerged505Document(doc)) {
        view.RecordStepping = 1;
        view.SubFileNumber = 1;
        view.FirstRecord = 1;
        view.LastRecord = doc.SubfileCount();
    }
    LoadCurrentRecord(view, doc);
}

void SelectKindChannels(MeasurementViewState& view, const CTmDoc& doc, const ViewCommand& command)
{
    switch (command.kind) {
    case kViewHeaderInfo:
        view.FormKind = kFormText;
        [[fallthrough]];
    case kViewMainResults:
        view.AvailableChannels = view.SelectedChannels = HeaderChannelMask(doc);
        break;
    case kViewSettings:
    case kViewHexa:
    case kViewAscii:
        view.AvailableChannels = 0;
        break;
    case kViewUserFilters:
        view.AvailableChannels = view.SelectedChannels = 0;
        break;
    case kViewOctaves:
    case kViewThirdOctaves:
    case kViewTimeIntersections:
        view.BandKind = command.bandKind;
        CountRecords(view, BandLayoutOf(doc));
        break;
    default:
        break;
    }
}

// A legacy document: the selected file of a Multifile decoded, the selected channel current.
void LoadLegacyRecord(MeasurementViewState& view, CTmDoc& doc)
{
    const bool merged = doc.FileKind() == kKindLegacyMultifile;
    const auto subfile = static_cast<std::uint16_t>(merged ? std::clamp(view.SubFileNumber, 0, 0xFFFF) : 0);
    if (!doc.DecodeLegacyHeader(subfile))
        return; // a damaged sub-file stays undecoded: its forms show nothing of it
    if (doc.Legacy().channelCount > 1)
        doc.SelectLegacyChannel(std::clamp(view.ChannelNumber - 1, 0, doc.Legacy().channelCount - 1));
    if (merged)
        view.SubFileName = doc.GetSubfileName(subfile);
}

void LoadCurrentRecord(MeasurementViewState& view, CTmDoc& doc)
{
    if (doc.IsLegacyDocument()) {
        LoadLegacyRecord(view, doc);
        return;
    }
    if (FindFileKind(doc.FileKind()).Family == KindFamily::Setup505) {
        LoadAnalyzerRecord(view, doc);
        return;
    }
    // MONITOR documents are not decoded by this program: there is nothing to load.
    if (!IsCurrentFamily(doc))
        return;
    const bool merged = IsCurrentMultifileKind(doc.FileKind());
    const auto subfile = static_cast<std::uint16_t>(merged ? std::clamp(view.SubFileNumber, 0, 0xFFFF) : 0);
    try {
        doc.DecodeFileHeader(subfile);
    } catch (const ImageRangeError&) {
        // A sub-file that runs past the image stays undecoded: its forms show nothing of it.
        return;
    }
    doc.SelectChannelProfile(view.ChannelNumber - 1, 0);
    if (merged)
        view.SubFileName = doc.GetSubfileName(subfile);
}

void ClampAndLoadSubfile(MeasurementViewState& view, CTmDoc& doc)
{
    if (!IsMergedDocument(doc) && !IsMerged505Document(doc))
        return;
    SubfileSelection selection;
    selection.selected = view.SubFileNumber;
    selection.record = view.ChannelNumber;
    doc.ClampSubfileSelection(view.ViewKind, selection, {view.StatOctave1 != 0, view.StatOctave2 != 0});
    view.SubFileNumber = selection.selected;
    view.FirstRecord = selection.first;
    view.LastRecord = selection.last;
    view.ChannelNumber = static_cast<std::int16_t>(selection.record);
    view.SubFileName = selection.name;
    LoadCurrentRecord(view, doc);
}

void CountRecords(MeasurementViewState& view, const BandLayout& b)
{
    const int accelerometerTotals = b.accelerometer && b.totals > 1 ? b.totals - 1 : 0;
    switch (view.BandKind) {
    case kBandFft:
        view.RecordCount = ToRecordCount((b.values - 1) / std::max(1, view.Aggregation) + 1 + (b.fourChannel ? 0 : 1));
        break;
    case kBandOctave11:
        // An accelerometer shows one total of its several.
        view.RecordCount = ToRecordCount(b.octaveBands + (accelerometerTotals ? 1 : b.totals));
        break;
    default:
        view.RecordCount = ToRecordCount(b.values - accelerometerTotals);
        break;
    }
    const bool toOctave = view.OctaveIndexKind == kThirdOctaveSet && view.BandKind == kBandOctave11;
    const bool toThird = view.OctaveIndexKind == kOctaveSet && view.BandKind == kBandOctave13;
    if (!toOctave && !toThird)
        return;
    view.BandIndex = toOctave ? ToOctaveSet(view.BandIndex, b) : ToThirdOctaveSet(view.BandIndex, b);
    view.OctaveIndexKind = toOctave ? kOctaveSet : kThirdOctaveSet;
    view.GraphBandIndex = view.BandIndex;
}

void ConvertOctaveIndex(MeasurementViewState& view, const BandLayout& b)
{
    if (view.OctaveIndexKind == kOctaveSet && b.documentBandKind == kBandOctave13) {
        view.BandIndex = ToThirdOctaveSet(view.BandIndex, b);
        view.OctaveIndexKind = kThirdOctaveSet;
    } else if (view.OctaveIndexKind == kThirdOctaveSet && b.documentBandKind == kBandOctave11) {
        view.BandIndex = ToOctaveSet(view.BandIndex, b);
        view.OctaveIndexKind = kOctaveSet;
    }
    view.BandNumber = view.BandIndex + 1;
}

void SelectFirstChannel(MeasurementViewState& view, int channelCount)
{
    const int count = std::clamp(channelCount, 0, kChannelBits);
    for (std::uint16_t mask : {view.SelectedChannels, view.AvailableChannels})
        for (int index = 0; index < count; ++index)
            if (mask & Bit(index)) {
                view.SelectedChannels = Bit(index);
                view.ChannelNumber = static_cast<std::int16_t>(index + 1);
                return;
            }
    // Decoded documents always offer a channel; otherwise the first one, so
    // that the selection is never empty nor the channel number 0.
    view.SelectedChannels = Bit(0);
    view.ChannelNumber = 1;
}

void SelectNextChannel(MeasurementViewState& view, int count) { SelectFromChannel(view, count); }

void SelectNextProfile(MeasurementViewState& view, int profileCount) { SelectFromChannel(view, profileCount); }

} // namespace orlu
