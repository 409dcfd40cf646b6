#pragma once
// orlu-fixture's container layout options: "--header-length H" writes the
// container header H bytes long (32 to 512, zero-filled past byte 18) and
// "--rt-block BYTES" appends a reverberation-time block of that many pattern
// bytes after the data (flag bit 0 set, the data length written), so that a
// reader must take the data length from the header.

#include "support/FixtureBuilder.h"

#include <string>
#include <vector>

namespace orlu::tools {

struct ContainerLayoutOptions {
    long headerLength = 32;
    long rtBlockBytes = -1; ///< -1: no block

    bool Changed() const { return headerLength != 32 || rtBlockBytes >= 0; }
};

/// Takes the two options out of the arguments (they may stand anywhere
/// between the command and the output path); false for a missing or wrong value.
bool TakeContainerLayoutOptions(std::vector<char*>& args, ContainerLayoutOptions& options);

/// The container with the layout: its header rebuilt, its data kept, the block after them.
fixture::FixtureBuilder ApplyContainerLayout(const fixture::FixtureBuilder& container,
                                             const ContainerLayoutOptions& options);

} // namespace orlu::tools
