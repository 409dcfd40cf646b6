#pragma once
// orlu-fixture monitor-image: the data image a MONITOR station pushes.

namespace orlu::tools {

int RunMonitorImageFixture(int argc, char** argv);

} // namespace orlu::tools
