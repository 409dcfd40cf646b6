#include "presentation/view/OctaveViewForms.h"

#include "analysis/spectra/Octave505Forms.h"
#include "analysis/spectra/OctaveForms.h"
#include "analysis/spectra/OctaveGraphData.h"
#include "document/Subfiles.h"

#include <algorithm>
#include <string>

namespace orlu {
namespace {

OctaveChoices ChoicesOf(const CTmDoc& doc, const MeasurementViewState& view, bool allRecords)
{
    OctaveChoices choices;
    choices.units = view.UnitsByKind[0];
    const int number = std::max(view.CurrentRecordPtr ? *view.CurrentRecordPtr : 0, 1);
    // A Multifile's number steps through its files, another file's through its spectra.
    if (IsCurrentMultifileKind(doc.FileKind()))
        choices.request.fileIndex = number;
    else
        choices.request.record = number;
    choices.request.allRecords = allRecords;
    choices.request.channelMask = view.SelectedChannels;
    choices.block = view.MarkState == 2;
    choices.markers = {std::min(view.MarkedRange[0], view.MarkedRange[1]),
                       std::max(view.MarkedRange[0], view.MarkedRange[1])};
    return choices;
}

// A file whose spectra these forms cannot read says so.
// The text form of one of the two octave views: the renderer fills the lines itself.
template <bool (*Text)(CTmDoc&, LineList&, int*, const OctaveChoices&)>
void RenderText(FormRequest& request)
{
    int widest = 0;
    if (!Text(request.Doc, request.Lines, &widest, ChoicesOf(request.Doc, request.View, request.View.TextAllFiles != 0)))
        SayNotAvailable(request);
    else
        request.WidestLine = widest;
}

// The table form: appended under what the builder put in the list.
template <bool (*Table)(CTmDoc&, LineList&, int*, std::uint8_t&, const OctaveChoices&, const TableOutputOptions&)>
void RenderTable(FormRequest& request)
{
    int widest = request.WidestLine;
    if (!Table(request.Doc, request.Lines, &widest, request.TableContentKind,
               ChoicesOf(request.Doc, request.View, request.View.TableAllFiles != 0), request.Options))
        SayNotAvailable(request);
    else
        request.WidestLine = std::max(request.WidestLine, widest);
}

bool RenderThirdOctaveGraphData(GraphDataRequest& request)
{
    return GraphDataOctave13(request.Doc, request.Data, request.Panel, ChoicesOf(request.Doc, request.View, false),
                             request.View.MultiElement != 0);
}

bool RenderOctaveGraphData(GraphDataRequest& request)
{
    return GraphDataOctave11(request.Doc, request.Data, request.Panel, ChoicesOf(request.Doc, request.View, false),
                             request.View.MultiElement != 0);
}

bool RenderOctaveGraphDataOf505(GraphDataRequest& request)
{
    return GraphDataOctaveOf505(request.Doc, request.Data, request.Panel, ChoicesOf(request.Doc, request.View, false),
                                kOctaves);
}

bool RenderThirdOctaveGraphDataOf505(GraphDataRequest& request)
{
    return GraphDataOctaveOf505(request.Doc, request.Data, request.Panel, ChoicesOf(request.Doc, request.View, false),
                                kThirdOctaves);
}

} // namespace

void RegisterOctaveViewForms(FormRendererRegistry& registry)
{
    registry.Register(kViewOctaves, FormChoice::Text, RenderText<&TextOctave11>, KindFamily::Current);
    registry.Register(kViewOctaves, FormChoice::Table, RenderTable<&TableOctave11>, KindFamily::Current);
    registry.RegisterGraphData(kViewOctaves, RenderOctaveGraphData, KindFamily::Current);
    registry.Register(kViewThirdOctaves, FormChoice::Text, RenderText<&TextOctave13>, KindFamily::Current);
    registry.Register(kViewThirdOctaves, FormChoice::Table, RenderTable<&TableOctave13>, KindFamily::Current);
    registry.RegisterGraphData(kViewThirdOctaves, RenderThirdOctaveGraphData, KindFamily::Current);
    registry.Register(kViewOctaves, FormChoice::Text, RenderText<&TextOctave11Of505>, KindFamily::Setup505);
    registry.Register(kViewOctaves, FormChoice::Table, RenderTable<&TableOctave11Of505>, KindFamily::Setup505);
    registry.RegisterGraphData(kViewOctaves, RenderOctaveGraphDataOf505, KindFamily::Setup505);
    registry.Register(kViewThirdOctaves, FormChoice::Text, RenderText<&TextOctave13Of505>, KindFamily::Setup505);
    registry.Register(kViewThirdOctaves, FormChoice::Table, RenderTable<&TableOctave13Of505>, KindFamily::Setup505);
    registry.RegisterGraphData(kViewThirdOctaves, RenderThirdOctaveGraphDataOf505, KindFamily::Setup505);
}

} // namespace orlu
