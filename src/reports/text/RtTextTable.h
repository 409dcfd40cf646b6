#pragma once
// The table of one reverberation-time results record, shared by the
// single-file and the per-channel texts.

#include "document/LineList.h"
#include "document/headers/NameTable.h"
#include "document/image/PagedFileImage.h"

#include <cstdint>

namespace orlu {

/// Adds the rule, the two title lines, the rule, one line per band and total
/// value of the record at word `record` (0: none) and the closing rule and
/// empty line. The band setup (setting, count, totals, first band, last band)
/// lies at word `bandSetup` of the record and the band blocks follow it.
/// Octave bands are numbered from 1 Hz, third-octave bands from 0.8 Hz.
void AddRtTable(const ImageReader& image, std::uint32_t record, std::uint32_t bandSetup, bool octaves,
                const NameTable& totalNames, LineList& lines, int* widest);

} // namespace orlu
