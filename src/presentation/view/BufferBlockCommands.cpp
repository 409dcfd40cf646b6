#include "presentation/view/BufferBlockCommands.h"

#include "document/CTmDoc.h"
#include "document/ViewKind.h"
#include "document/buffer/ImpulseMarks.h"
#include "presentation/view/ViewSelection.h"

#include <algorithm>

namespace orlu {
namespace {

constexpr int kCommands[] = {kRemoveBlockMarkersCommand, kDeleteBlockCommand,     kDeleteOutsideBlockCommand,
                             kSaveBlockCommand,          kImpulsesImpSlowCommand, kImpulsesFastLeqCommand,
                             kImpulsesOffCommand};

bool ShowsBuffer(const MeasurementViewState& view, CTmDoc& doc)
{
    return view.ViewKind == kViewBufferLogger && doc.EditableRecordCount() > 0;
}

bool BlockMarked(const MeasurementViewState& view)
{
    return view.MarkState == 2;
}

// A Multifile's buffer belongs to one of its files: it is shown, never cut.
bool CanEditBlock(const MeasurementViewState& view, CTmDoc& doc)
{
    return BlockMarked(view) && !IsMergedDocument(doc) && ShowsBuffer(view, doc);
}

// Which impulse modes the file's profiles allow: mode 1 needs the impulse and slow
// profiles, mode 2 the fast one.
bool OffersImpulseMode(CTmDoc& doc, std::uint8_t mode)
{
    if (!doc.HeaderDecoded() || IsMergedDocument(doc))
        return false;
    const CurrentHeader& h = doc.Header();
    return mode == kImpulseModeDifference ? h.impulsePair : h.fastPresent;
}

bool OffersImpulses(const MeasurementViewState& view, CTmDoc& doc)
{
    return ShowsBuffer(view, doc) &&
           (OffersImpulseMode(doc, kImpulseModeDifference) || OffersImpulseMode(doc, kImpulseModePeak));
}

void ClearMarkers(MeasurementViewState& view)
{
    view.MarkState = 0;
    view.MarkedRange = {0, 0};
}

std::int32_t Aggregation(const MeasurementViewState& view)
{
    return std::max(view.Aggregation, 1);
}

// The cursor on the record point p: the window moves only when p lies before it.
void PlaceCursor(MeasurementViewState& view, std::int64_t point)
{
    const auto at = static_cast<std::int32_t>(std::max<std::int64_t>(point, 0) / Aggregation(view));
    if (at < view.WindowStart)
        view.WindowStart = at;
    view.CursorIndex = at - view.WindowStart;
}

ViewRefresh EditBlock(MeasurementViewState& view, CTmDoc& doc, BlockEditOp op)
{
    const std::int64_t first = std::min(view.MarkedRange[0], view.MarkedRange[1]);
    const std::int64_t last = std::max(view.MarkedRange[0], view.MarkedRange[1]);
    const std::int64_t records = doc.EditableRecordCount();
    std::int64_t cursor = (static_cast<std::int64_t>(view.WindowStart) + view.CursorIndex) * Aggregation(view);
    if (op == BlockEditOp::Delete) {
        // A block that starts at the first record and whose end reaches the last aggregated
        // window would leave nothing to show.
        if (first == 0 && last + 2 * Aggregation(view) >= records) {
            doc.Ui().ShowMessage(kCannotDeleteAll, kMessageCaption, MessageButtons::Ok, MessageIcon::Warning);
            return ViewRefresh::None;
        }
        if (cursor > first && cursor <= last)
            cursor = first;
        else if (cursor > last)
            cursor -= last - first + 1;
    } else {
        cursor = cursor < first ? 0 : cursor <= last ? cursor - first : last - first;
    }
    if (doc.EditBuffer(op, first, last) != BlockEditResult::Edited)
        return ViewRefresh::Repaint;
    ClearMarkers(view);
    // Marks of the records before the edit would stand on other records now.
    if (view.ImpulseMarkMode != 0)
        doc.MarkImpulses(view.ImpulseMarkMode, view.ImpulseMarks);
    if (doc.EditableRecordCount() <= 1)
        return ViewRefresh::TextForm;
    PlaceCursor(view, cursor);
    return ViewRefresh::Rebuild;
}

// Choosing the active mode again turns the marks off.
ViewRefresh SwitchImpulseMode(MeasurementViewState& view, CTmDoc& doc, std::uint8_t mode)
{
    if (view.ImpulseMarkMode == mode) {
        view.ImpulseMarkMode = 0;
        return ViewRefresh::Repaint;
    }
    view.ImpulseMarkMode = mode;
    doc.MarkImpulses(mode, view.ImpulseMarks);
    return ViewRefresh::Repaint;
}

} // namespace

std::span<const int> BufferToolCommands()
{
    return kCommands;
}

std::optional<CommandUi> BufferToolState(int id, const MeasurementViewState& view, CTmDoc& doc)
{
    CommandUi ui;
    switch (id) {
    case kRemoveBlockMarkersCommand:
        ui.enabled = view.MarkState != 0 && view.ViewKind == kViewBufferLogger;
        return ui;
    case kDeleteBlockCommand:
    case kDeleteOutsideBlockCommand:
    case kSaveBlockCommand:
        ui.enabled = CanEditBlock(view, doc);
        return ui;
    case kImpulsesOffCommand:
        ui.enabled = OffersImpulses(view, doc);
        ui.checked = view.ImpulseMarkMode == 0;
        return ui;
    case kImpulsesImpSlowCommand:
        ui.enabled = OffersImpulses(view, doc) && OffersImpulseMode(doc, kImpulseModeDifference);
        ui.checked = view.ImpulseMarkMode == kImpulseModeDifference;
        return ui;
    case kImpulsesFastLeqCommand:
        ui.enabled = OffersImpulses(view, doc) && OffersImpulseMode(doc, kImpulseModePeak);
        ui.checked = view.ImpulseMarkMode == kImpulseModePeak;
        return ui;
    default:
        return std::nullopt;
    }
}

ViewRefresh RunBufferTool(int id, MeasurementViewState& view, CTmDoc& doc)
{
    const std::optional<CommandUi> state = BufferToolState(id, view, doc);
    if (!state || !state->enabled)
        return ViewRefresh::None;
    switch (id) {
    case kRemoveBlockMarkersCommand:
        ClearMarkers(view);
        return ViewRefresh::Repaint;
    case kDeleteBlockCommand:
        return EditBlock(view, doc, BlockEditOp::Delete);
    case kDeleteOutsideBlockCommand:
        return EditBlock(view, doc, BlockEditOp::Keep);
    case kSaveBlockCommand:
        doc.EditBuffer(BlockEditOp::Copy, view.MarkedRange[0], view.MarkedRange[1]);
        return ViewRefresh::Repaint;
    case kImpulsesOffCommand:
        view.ImpulseMarkMode = 0;
        return ViewRefresh::Repaint;
    case kImpulsesImpSlowCommand:
        return SwitchImpulseMode(view, doc, kImpulseModeDifference);
    case kImpulsesFastLeqCommand:
        return SwitchImpulseMode(view, doc, kImpulseModePeak);
    default:
        return ViewRefresh::None;
    }
}

} // namespace orlu
