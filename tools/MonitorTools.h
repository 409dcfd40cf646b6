#pragma once
// The MONITOR parts of the tools: `orlu-fixture monitor` writes a station
// stream in a container of kind 80, `orlu-dump --monitor` prints what the
// parser made of one.

#include <string>

namespace orlu {
class CTmDoc;
}

namespace orlu::tools {

/// orlu-fixture monitor ... OUT; returns the exit status.
int RunMonitorFixture(int argc, char** argv);

/// The blocks, derived fields, counts, index streams, layouts, band setup,
/// embedded buffer and ViewMask of a MONITOR document.
void PrintMonitor(const CTmDoc& doc, std::string& out);

} // namespace orlu::tools
