// Fuzz target of MONITOR station streams: the bytes are a stream as a
// kind-80 container holds it. They are parsed (twice, as the views do) and,
// when the parser takes them, every MONITOR form is written: Main results and
// header in dB and linear units for all three profiles, both octave forms of
// every record, the statistics of every profile and band.

#include "document/CTmDoc.h"
#include "document/LineList.h"
#include "document/container/FileKindCode.h"
#include "monitor/MonitorGraphData.h"
#include "monitor/MonitorHeaderText.h"
#include "monitor/MonitorLoader.h"
#include "monitor/MonitorOctaveText.h"
#include "monitor/MonitorParser.h"
#include "monitor/MonitorResultsTable.h"
#include "monitor/MonitorResultsText.h"
#include "monitor/MonitorStatisticsTable.h"
#include "monitor/MonitorStatisticsText.h"
#include "support/QuietInteraction.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace orlu;
    QuietInteraction ui;
    AppContext app(ui);
    CTmDoc doc(app);
    if (!doc.CopyIntoPages(std::span<const std::uint8_t>(data, size)))
        return 0;
    doc.SetFileKind(kKindMonitor);
    if (!LoadMonitorDocument(doc) || !ParseMonitorFile(doc))
        return 0;
    LineList lines;
    int widest = 0;
    std::uint8_t kind = 0;
    for (bool linear : {false, true}) {
        FormatMonitorResultsText(doc, lines, &widest, 7, linear);
        ClearLineList(&lines);
        FormatMonitorResultsTable(doc, lines, &widest, kind, 7, linear, TableOutputOptions{linear ? std::uint8_t{1} : std::uint8_t{0}, 1, 2});
        ClearLineList(&lines);
        FormatMonitorHeaderText(doc, lines, &widest, 7, linear ? 1 : 0);
        for (bool third : {false, true})
            for (bool block : {false, true}) {
                const MonitorOctaveChoice choice{third, linear, block, 2, 40};
                FormatMonitorOctaveText(doc, lines, &widest, choice, true, 1);
                for (bool all : {false, true}) {
                    ClearLineList(&lines);
                    FormatMonitorOctaveTable(doc, lines, &widest, kind, choice, all, 1, TableOutputOptions{0, 1, 2});
                }
                for (bool multi : {false, true}) {
                    PlotData data;
                    GraphMonitorOctave(doc, data, 0, choice, 1, multi);
                }
            }
    }
    // Statistics of every profile and of every band, with and without a block of classes.
    for (int octave : {0, 11, 13}) {
        StatisticsChoices choices;
        choices.channelMask = 7;
        choices.octave = octave;
        choices.allFiles = true;
        for (std::uint8_t markers : {0, 2}) {
            choices.markers = {markers, {2, 9}};
            for (MonitorStatisticsForm form :
                 {MonitorStatisticsForm::Histograms, MonitorStatisticsForm::Levels, MonitorStatisticsForm::Densities})
            {
                FormatMonitorStatisticsText(doc, lines, &widest, form, choices, 1);
                for (bool all : {false, true}) {
                    choices.allFiles = all;
                    ClearLineList(&lines);
                    FormatMonitorStatisticsTable(doc, lines, &widest, kind, form, choices, 1, TableOutputOptions{});
                }
            }
            for (int panel = 0; panel < 3; ++panel) {
                PlotData data;
                GraphMonitorHistogram(doc, choices, 1, panel, data);
                GraphMonitorDensity(doc, choices, 1, panel, data);
            }
        }
    }
    return 0;
}
