#include "presentation/view/MainResultsForms.h"

#include "presentation/view/ViewSelection.h"
#include "reports/table/MainResultsTables.h"
#include "reports/table/MergedResultsTables.h"
#include "reports/table/Rt60Tables.h"
#include "reports/text/MainResultsText.h"
#include "reports/text/MergedResultsText.h"
#include "reports/text/RtText.h"

#include <algorithm>

namespace orlu {
namespace {

// Until the view has chosen channels, Main results shows those the file holds.
std::uint16_t ShownChannels(const FormRequest& request)
{
    return request.View.SelectedChannels != 0 ? request.View.SelectedChannels : HeaderChannelMask(request.Doc);
}

// A Multifile of reverberation-time measurements shows the times of the member
// the view has selected, named in the caption, instead of the merged Main results.
bool ShowsMemberRt60(const CTmDoc& doc)
{
    return IsMergedDocument(doc) && doc.HeaderDecoded() && doc.Header().function == kFunctionRt60;
}

void RenderMainResultsText(FormRequest& request)
{
    CTmDoc& doc = request.Doc;
    const std::uint8_t units = request.View.UnitsByKind[0];
    int widest = request.WidestLine;
    bool written = false;
    if (ShowsMemberRt60(doc)) {
        const auto subfile = static_cast<std::uint16_t>(request.View.SubFileNumber);
        written = doc.Header().model.FourChannel
                      ? FormatRtChannelsText(doc, request.Lines, &widest, true, subfile, ShownChannels(request))
                      : FormatRtText(doc, request.Lines, &widest, true, subfile, ShownChannels(request));
    } else if (IsMergedDocument(doc)) {
        const std::vector<int> files =
            MergedReportFiles(doc, request.View.TextAllFiles != 0, request.View.SubFileNumber);
        written = FormatMergedResultsText(doc, request.Lines, &widest, ShownChannels(request), units, files,
                                          &request.View.AvailableChannels);
    } else {
        written = FormatMainResultsText(doc, request.Lines, &widest, request.View.SelectedChannels, units);
    }
    // A document whose family has no such report says so.
    if (!written && request.Lines.Empty()) {
        std::string line(kFormNotAvailableText);
        AddLine(request.Lines, line, &widest);
    }
    request.WidestLine = widest;
}

} // namespace

void RenderMainResultsTable(FormRequest& request)
{
    CTmDoc& doc = request.Doc;
    const bool merged = IsMergedDocument(doc);
    const MainTableRenderer renderer = merged ? nullptr : MainResultsTableFor(doc);
    if (!merged && !renderer) {
        std::string line(kFormNotAvailableText);
        AddLine(request.Lines, line, &request.WidestLine);
        return;
    }
    std::int32_t width = 0;
    MainTableRequest table{request.Lines, width, request.TableContentKind, ShownChannels(request),
                           request.View.UnitsByKind[0], request.Options};
    if (ShowsMemberRt60(doc)) {
        const int subfile = request.View.SubFileNumber;
        if (doc.Header().model.FourChannel)
            TableFormRT60ByChannel(doc, table, 1, subfile);
        else
            TableFormRT60(doc, table, 1, subfile);
    } else if (merged) {
        const std::vector<int> files = MergedReportFiles(doc, request.View.TableAllFiles != 0, request.View.SubFileNumber);
        TableFormMergedResults(doc, table, files, &request.View.AvailableChannels);
    } else {
        renderer(doc, table);
    }
    // The lines the view put in front (the header information) keep their width.
    request.WidestLine = std::max(request.WidestLine, width);
}

void RegisterMainResultsForms(FormRendererRegistry& registry)
{
    registry.Register(kViewMainResults, FormChoice::Text, RenderMainResultsText);
    registry.Register(kViewMainResults, FormChoice::Table, RenderMainResultsTable);
}

} // namespace orlu
