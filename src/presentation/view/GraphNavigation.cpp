#include "presentation/view/GraphNavigation.h"

#include "document/CTmDoc.h"
#include "document/headers/CurrentHeader.h"
#include "presentation/view/ViewCommandRules.h"
#include "presentation/view/ViewSelection.h"

#include <algorithm>

namespace orlu {
namespace {

constexpr std::uint8_t kMonitorKind = 80;
constexpr std::uint8_t kLegacyMultifile = 23;
constexpr std::uint8_t kMerged505 = 24;
constexpr std::uint8_t kForcedRebuild = 254;

bool Between(int value, int low, int high) { return value >= low && value <= high; }
bool CurrentMultifile(const StepFacts& doc) { return Between(doc.fileKind, 53, 60); }
bool Merged(const StepFacts& doc) { return doc.fileKind == kLegacyMultifile || CurrentMultifile(doc); }
bool OctaveVariant(const MeasurementViewState& view) { return view.StatOctave1 != 0 || view.StatOctave2 != 0; }
bool HasFlag(const StepFacts& doc, int flag) { return (doc.modelFlags & (1u << (flag - 1))) != 0; }

// The form shows one sub-file (its all-files switch is clear).
bool OneSubfileShown(const MeasurementViewState& view)
{
    return (view.GraphShown() && !view.MultiElement) || (view.TableShown() && !view.TableAllFiles) ||
           (view.TextShown() && !view.TextAllFiles);
}

// The all-files text or table form of an octave statistic steps its band, not its sub-file.
bool AllFilesOctaveStatistic(const MeasurementViewState& view)
{
    return OctaveVariant(view) && ((view.TextShown() && view.TextAllFiles) || (view.TableShown() && view.TableAllFiles));
}

const RtBandRange& RtRangeOf(const MeasurementViewState& view, const StepFacts& doc)
{
    return doc.rt[view.BandKind == kBandOctave13 ? 1 : 0];
}

bool InRtProcedure(const MeasurementViewState& view)
{
    return view.GraphShown() && view.Control.RtMode && view.ViewKind == kViewTimeIntersections;
}

int LevelRecordLimit(const MeasurementViewState& view) { return view.Control.UseAllStatLevels ? 99 : 10; }

std::int32_t CurrentNumber(const MeasurementViewState& view)
{
    return view.CurrentRecordPtr ? *view.CurrentRecordPtr : 0;
}

// Common rules of both buttons; empty when they decide, else the direction-specific test runs.
std::optional<bool> ButtonRuledOut(const MeasurementViewState& view, const StepFacts& doc)
{
    switch (view.ViewKind) {
    case kViewSettings:
    case kViewHexa:
    case kViewAscii: return false;
    case kViewMainResults:
        if (!((Merged(doc) || doc.fileKind == kMerged505) && doc.rt60))
            return false;
        break;
    case kViewHeaderInfo:
        if (!(Merged(doc) || doc.fileKind == kMerged505))
            return false;
        break;
    default: break;
    }
    return std::nullopt;
}

// The record step is allowed by the form (rules 3 and 4 of the enabling).
bool RecordStepAllowed(const MeasurementViewState& view, const StepFacts& doc)
{
    if (!view.RecordStepping || view.CurrentRecordPtr == nullptr)
        return false;
    const std::uint8_t kind = view.ViewKind;
    if (kind >= kViewHistograms && kind <= kViewDensities)
        return OneSubfileShown(view);
    if (kind == kViewOctaves && !doc.file505 && !Merged(doc) && doc.deviceFunction == kFunctionOctave13 &&
        !doc.timeHistory)
        return false;
    if (view.GraphShown())
        return kind == kViewTimeIntersections || !view.MultiElement;
    return OneSubfileShown(view) && !view.Control.RtMode;
}

bool UpdateButton(MeasurementViewState& view, const StepFacts& doc, KeyModifiers keys, bool next)
{
    if (const auto ruled = ButtonRuledOut(view, doc))
        return *ruled;
    if (IsMultiStep(view, doc, keys)) {
        switch (view.ViewKind) {
        case kViewOctaves:
        case kViewThirdOctaves:
            return next ? view.RecordNumberB < doc.spectrumRecords : view.RecordNumberB > 1;
        case kViewStatisticalLevels:
            return OctaveVariant(view) &&
                   (next ? view.LevelsRecord < LevelRecordLimit(view) : view.LevelsRecord > 1);
        default:
            return OctaveVariant(view) && (next ? view.BandIndex < doc.statisticsBands - 1 : view.BandIndex > 0);
        }
    }
    if (InRtProcedure(view)) {
        const RtBandRange& rt = RtRangeOf(view, doc);
        return next ? view.BandIndex < rt.after : view.BandIndex > rt.first;
    }
    if (!RecordStepAllowed(view, doc))
        return false;
    const std::int32_t number = CurrentNumber(view);
    return next ? number < view.LastRecord : number > view.FirstRecord;
}

// The kind bits a stepped sub-file must hold, and the kind whose range bounds the search.
struct SearchKind {
    std::uint16_t bits = 0;
    ContentGroup group = ContentGroup::Histogram;
};

SearchKind StatisticsSearch(const MeasurementViewState& view)
{
    if (view.StatOctave1)
        return {ContentBitsOf(ContentGroup::OctaveStats), ContentGroup::OctaveStats};
    if (view.StatOctave2)
        return {ContentBitsOf(ContentGroup::OtherBandStats), ContentGroup::OtherBandStats};
    return {ContentBitsOf(ContentGroup::Histogram), ContentGroup::Histogram};
}

// Moves the sub-file number to the nearest sub-file holding the kind, from the
// number on, downwards or upwards. When none does, the number goes one below
// the first (or last) sub-file of `bound`, which the next build's clamp
// raises into the kind's range.
void SearchSubfile(std::int32_t& number, const StepFacts& doc, std::uint16_t bits, ContentGroup bound, bool next)
{
    // Only a stepped sub-file number is searched; a record or band number stays as stepped.
    if (doc.subfileCount == 0)
        return;
    const int step = next ? 1 : -1;
    for (int n = number; n >= 1 && n <= doc.subfileCount; n += step) {
        if (doc.contents.BitsOf(n) & bits) {
            number = n;
            return;
        }
    }
    const GroupRange& range = doc.contents.Group(bound);
    number = (next ? range.last : range.first) - 1;
}

bool HoldsGroup(const StepFacts& doc, ContentGroup group) { return doc.contents.Group(group).found; }

void StepBand(MeasurementViewState& view, bool next)
{
    view.BandIndex = next ? view.BandIndex + 1 : std::max(0, view.BandIndex - 1);
}

// What the step does beside moving the number, by ViewKind.
void FollowRecordStep(MeasurementViewState& view, const StepFacts& doc, bool next)
{
    // The searches move sub-files; a view stepping another number has none to search.
    StepFacts none;
    const StepFacts& files = view.CurrentRecordPtr == &view.SubFileNumber ? doc : none;
    std::int32_t& number = *view.CurrentRecordPtr;
    const std::uint8_t fileKind = doc.fileKind;
    const bool statisticsMultifile = Between(fileKind, 53, 59) || fileKind == kLegacyMultifile;
    switch (view.ViewKind) {
    case kViewHistograms:
    case kViewDensities:
        if (statisticsMultifile) {
            if (AllFilesOctaveStatistic(view)) {
                StepBand(view, next);
            } else {
                const SearchKind kind = StatisticsSearch(view);
                SearchSubfile(number, files, kind.bits, kind.group, next);
            }
        } else if (OctaveVariant(view) && fileKind != kMonitorKind) {
            StepBand(view, next);
        }
        break;
    case kViewStatisticalLevels:
        if (statisticsMultifile) {
            // Both directions look for levels: a search for histograms would stop Next on a
            // Multifile whose files hold levels without histograms.
            if (!AllFilesOctaveStatistic(view))
                SearchSubfile(number, files, ContentBitsOf(ContentGroup::Statistics), ContentGroup::Statistics, next);
        }
        break;
    case kViewBufferLogger:
        if (fileKind == kLegacyMultifile)
            SearchSubfile(number, files, ContentBitsOf(ContentGroup::Buffer), ContentGroup::Buffer, next);
        view.ShownViewKind = kForcedRebuild;
        break;
    case kViewSpectra:
        if (Between(fileKind, 56, 59) && HoldsGroup(doc, ContentGroup::Fft)) {
            SearchSubfile(number, files, ContentBitsOf(ContentGroup::Fft), ContentGroup::Fft, next);
        } else if ((HasFlag(doc, 3) || HasFlag(doc, 5)) && doc.deviceFunction == kFunctionTonality) {
            const SavedMarker& marker = view.Control.Saved(view.GraphRecord == 2 ? MarkerGroup::ShortBandSpectra
                                                                                 : MarkerGroup::Spectra);
            view.MarkState = marker.state;
            view.MarkedRange = marker.range;
            view.ShownViewKind = kForcedRebuild;
        }
        break;
    case kViewOctaves:
        if (CurrentMultifile(doc) && (HoldsGroup(doc, ContentGroup::Octave) || HoldsGroup(doc, ContentGroup::ThirdOctave)))
            SearchSubfile(number, files, ContentBitsOf(ContentGroup::Octave), ContentGroup::Octave, next);
        break;
    case kViewThirdOctaves:
        if (Between(fileKind, 54, 60) && HoldsGroup(doc, ContentGroup::ThirdOctave))
            SearchSubfile(number, files, ContentBitsOf(ContentGroup::ThirdOctave), ContentGroup::ThirdOctave, next);
        break;
    case kViewTimeIntersections:
        if (view.Control.RtMode) {
            const RtBandRange& rt = RtRangeOf(view, doc);
            if (!next && view.BandIndex == rt.after)
                view.BandIndex = rt.last;
            else if (next && view.BandIndex == rt.last)
                view.BandIndex = rt.after;
            else
                StepBand(view, next);
        } else {
            StepBand(view, next);
        }
        break;
    default: break;
    }
}

// The time intersections and the Buffer follow the spectrum record shown.
void CarrySavedCursors(MeasurementViewState& view)
{
    if (view.CurrentRecordPtr != &view.GraphRecord)
        return;
    std::int32_t a = 1;
    for (const ViewCommand& command : ViewCommands())
        if (command.kind == kViewTimeIntersections)
            a = std::max(1, view.Pages[static_cast<std::size_t>(command.page)].Aggregation);
    CursorPair& intersections = view.Graph.Saved(CursorGroup::TimeIntersections);
    intersections.cursor = (view.GraphRecord - 1) / a - intersections.window;
    view.Graph.Saved(CursorGroup::BufferLogger).cursor = intersections.cursor;
}

bool Show(MeasurementViewState& view, const StepFacts& doc, KeyModifiers keys, bool next)
{
    if (IsMultiStep(view, doc, keys)) {
        switch (view.ViewKind) {
        case kViewOctaves:
        case kViewThirdOctaves:
            view.RecordNumberB = next ? std::min(view.RecordNumberB + 1, std::max(1, doc.spectrumRecords))
                                      : std::max(1, view.RecordNumberB - 1);
            break;
        case kViewStatisticalLevels:
            view.LevelsRecord = next ? std::min(view.LevelsRecord + 1, LevelRecordLimit(view))
                                     : std::max(1, view.LevelsRecord - 1);
            break;
        default:
            view.BandIndex = next ? std::min(view.BandIndex + 1, std::max(0, doc.statisticsBands - 1))
                                  : std::max(0, view.BandIndex - 1);
            break;
        }
        if (!next)
            CarrySavedCursors(view);
        return true;
    }
    if (view.CurrentRecordPtr == nullptr)
        return false;
    std::int32_t& number = *view.CurrentRecordPtr;
    if (next ? number >= view.LastRecord : number <= view.FirstRecord)
        return false;
    number += next ? 1 : -1;
    FollowRecordStep(view, doc, next);
    CarrySavedCursors(view);
    return true;
}

} // namespace

StepFacts StepFactsOf(const CTmDoc& doc)
{
    StepFacts facts;
    const ViewDocumentFacts view = FactsOf(doc);
    facts.fileKind = view.fileKind;
    facts.modelFlags = view.modelFlags;
    facts.spectrumRecords = view.spectrumRecords;
    facts.file505 = doc.IsAnalyzerDocument();
    facts.contents = doc.GetSubfileContents();
    facts.subfileCount = doc.SubfileCount();
    facts.statisticsBands = BandLayoutOf(doc).values;
    if (doc.HeaderDecoded()) {
        const CurrentHeader& h = doc.Header();
        facts.deviceFunction = h.function;
        facts.timeHistory = h.timeHistory;
        facts.rt60 = h.rt60;
        facts.rt[0] = {h.rtFirstOctaveBand, h.rtLastOctaveBand, h.rtLastOctaveBand + 1};
        facts.rt[1] = {h.rtFirstTableIndex, h.rtLastTableIndex, h.rtLastTableIndex + 1};
    }
    return facts;
}

bool IsMultiStep(const MeasurementViewState& view, const StepFacts& doc, KeyModifiers keys)
{
    if (!(keys.shift || keys.ctrl) || !(CurrentMultifile(doc) || doc.fileKind == kMonitorKind))
        return false;
    const bool octaveFunction = doc.deviceFunction == kFunctionOctave13 || doc.deviceFunction == kFunctionRt60;
    const bool flags2To6 = (doc.modelFlags & 0x3E) != 0;
    switch (view.ViewKind) {
    case kViewHistograms:
    case kViewStatisticalLevels:
    case kViewDensities: return OctaveVariant(view);
    case kViewOctaves:
        return flags2To6 && (octaveFunction || doc.deviceFunction == kFunctionOctave11) && doc.spectrumRecords >= 2;
    case kViewThirdOctaves: return flags2To6 && octaveFunction && doc.spectrumRecords >= 2;
    default: return false;
    }
}

bool UpdatePrevious(MeasurementViewState& view, const StepFacts& doc, KeyModifiers keys)
{
    const bool enabled = UpdateButton(view, doc, keys, false);
    view.Control.PreviousEnabled = enabled;
    return enabled;
}

bool UpdateNext(MeasurementViewState& view, const StepFacts& doc, KeyModifiers keys)
{
    const bool enabled = UpdateButton(view, doc, keys, true);
    view.Control.NextEnabled = enabled;
    return enabled;
}

bool ShowPrevious(MeasurementViewState& view, const StepFacts& doc, KeyModifiers keys)
{
    return Show(view, doc, keys, false);
}

bool ShowNext(MeasurementViewState& view, const StepFacts& doc, KeyModifiers keys)
{
    return Show(view, doc, keys, true);
}

} // namespace orlu
