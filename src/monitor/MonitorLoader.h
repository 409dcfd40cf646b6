#pragma once
// How a MONITOR stream becomes a document: parse it, then offer the views
// its records allow. Every way a stream reaches a document (a stored file of
// kind 80, a file from the station, caught output) goes through here, so a
// stream the parser refuses is kind 100 and Hexa only on all of them.

#include "monitor/MonitorDocument.h"

#include <cstdint>

namespace orlu {

class CTmDoc;
struct AppContext;

/// The ViewMask of a parsed stream: the MONITOR bits set or cleared by what
/// the stream holds, Hexa and ASCII added, Settings removed, others kept.
std::uint32_t ViewMaskMonitor(const MonitorDocument& m, std::uint32_t mask);

/// Parses the document's stream and sets its ViewMask. False, with the
/// document made kind 100 and Hexa only, when the stream cannot be shown.
bool LoadMonitorDocument(CTmDoc& doc);

/// Makes the application's documents parse MONITOR streams.
void InstallMonitorParser(AppContext& app);

} // namespace orlu
