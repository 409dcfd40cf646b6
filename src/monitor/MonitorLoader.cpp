#include "monitor/MonitorLoader.h"

#include "document/AppContext.h"
#include "document/CTmDoc.h"
#include "document/ViewMask.h"
#include "document/container/FileKindCode.h"
#include "monitor/MonitorParser.h"

namespace orlu {
namespace {

void SetBit(std::uint32_t& mask, std::uint32_t bit, bool on)
{
    mask = on ? mask | bit : mask & ~bit;
}

} // namespace

std::uint32_t ViewMaskMonitor(const MonitorDocument& m, std::uint32_t mask)
{
    mask |= kViewMaskHeaderInfo;
    SetBit(mask, kViewMaskMainResults,
           m.Has(kStreamSound) || m.Has(kStreamMeteo) || m.Has(kStreamCalibration));
    const bool statistics = (m.Has(kStreamProfileStatistics) && m.ProfileStatisticsCount != 0) ||
                            (m.Has(kStreamOctaveStatistics) && m.OctaveStatisticsCount != 0);
    SetBit(mask, kViewMaskHistograms, statistics);
    SetBit(mask, kViewMaskStatLevels, statistics);
    SetBit(mask, kViewMaskDensities, statistics);
    const bool third = m.Setup.Function == 3 && m.Has(kStreamOctave);
    SetBit(mask, kViewMaskOctave13, third);
    SetBit(mask, kViewMaskOctave11, (m.Setup.Function == 2 && m.Has(kStreamOctave)) || third);
    mask |= kViewMaskHexa | kViewMaskAscii;
    return mask & ~kViewMaskSettings;
}

bool LoadMonitorDocument(CTmDoc& doc)
{
    if (!ParseMonitorFile(doc)) {
        doc.SetFileKind(kKindUnreadable);
        doc.SetViewMask(kViewMaskHexa);
        return false;
    }
    const MonitorDocument& m = *doc.Monitor();
    doc.SetEmbeddedFile(m.EmbeddedBufferStart, m.EmbeddedBufferLength);
    doc.SetViewMask(ViewMaskMonitor(m, doc.GetViewMask()));
    return true;
}

void InstallMonitorParser(AppContext& app)
{
    app.Fillers.ParseMonitorFile = LoadMonitorDocument;
}

} // namespace orlu
