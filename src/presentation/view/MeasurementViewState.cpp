#include "presentation/view/MeasurementViewState.h"

namespace orlu {

MeasurementViewState::MeasurementViewState()
{
    for (int i = 0; i < kPageCount; ++i)
        CopyModeFlags(Pages[static_cast<std::size_t>(i)], i);
}

void MeasurementViewState::SwitchPageState(int page)
{
    if (ViewPageState* p = CurrentPage) {
        p->Form = FormKind;
        p->PlotKind = PlotKind;
        p->Geometry = PageGeometry;
        p->TextAllFiles = TextAllFiles;
        p->TableAllFiles = TableAllFiles;
        p->MultiElement = MultiElement;
        p->FirstLine = FirstLine;
        p->FirstColumn = FirstColumn;
        p->GraphScroll = GraphScroll;
        p->CursorOn = CursorOn;
        p->CursorIndex = CursorIndex;
        // The window start is not written back: the page keeps its default and
        // the form builders place the window again.
        p->CursorAux = CursorAux;
        p->Aggregation = Aggregation;
        p->Profile = Profile;
        p->MarkState = MarkState;
        p->MarkedRangeFirst = MarkedRange[0];
        p->MarkedRangeLast = MarkedRange[1];
        p->MaxAggregation = MaxAggregation;
        p->PanelCursor = PanelCursor;
        p->PanelBlockFirst = PanelBlockFirst;
        p->PanelBlockLast = PanelBlockLast;
    }
    ViewPageState& p = Pages[static_cast<std::size_t>(page)];
    FormKind = p.Form;
    PlotKind = p.PlotKind;
    PageGeometry = p.Geometry;
    TextAllFiles = p.TextAllFiles;
    TableAllFiles = p.TableAllFiles;
    MultiElement = p.MultiElement;
    FirstLine = p.FirstLine;
    FirstColumn = p.FirstColumn;
    GraphScroll = p.GraphScroll;
    CursorOn = p.CursorOn;
    CursorIndex = p.CursorIndex;
    WindowStart = p.WindowStart;
    CursorAux = p.CursorAux;
    Aggregation = p.Aggregation;
    Profile = p.Profile;
    MarkState = p.MarkState;
    MarkedRange = {p.MarkedRangeFirst, p.MarkedRangeLast};
    MaxAggregation = p.MaxAggregation;
    PanelCursor = p.PanelCursor;
    PanelBlockFirst = p.PanelBlockFirst;
    PanelBlockLast = p.PanelBlockLast;
    CurrentPage = &p;
}

} // namespace orlu

namespace orlu {

void MeasurementViewState::ShowSource(std::shared_ptr<const LineSource> source, std::int32_t widest)
{
    ClearLineList(&Lines);
    Source = std::move(source);
    WidestLine = widest;
}

void MeasurementViewState::ClearLines()
{
    ClearLineList(&Lines);
    Source.reset();
    WidestLine = 0;
}

} // namespace orlu
