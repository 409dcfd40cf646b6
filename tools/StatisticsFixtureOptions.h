#pragma once
// The statistics options of `orlu-fixture current`:
//   --histogram LOWEST,WIDTH,N0,N1,...   the broadband histogram record 9 (lowest
//                                         class and width in 0.1 dB, one count per class)
//   --band-histograms LOWEST,WIDTH,N0,...[/M0,...]  the band histograms record 19 with a
//                                         counts record for every value of the spectrum
//                                         setup; value v takes group v modulo the groups
//                                         (a broadband histogram of the first group is
//                                         added when none is given, as the instrument
//                                         writes band statistics beside it)
//   --stored-levels P:L,...               the statistics record 23 with these percentages
//                                         and levels (dB)
// of `orlu-fixture four-channel`:
//   --histogram CH=LOWEST,WIDTH,N0,...[/CH=...]  the histograms of these channels (from
//                                         1) in place of the generated ones
//   --band-histograms LOWEST,WIDTH,N0,...[/M0,...]  (--function 2 or 3) the band
//                                         histograms record 21: every channel's value v
//                                         takes group v modulo the groups
// and of `orlu-fixture multifile`:
//   --member-options 'OPTIONS|OPTIONS|...'  one ORLU 525 file per group, FILE1 on, each
//                                         with the options of its group: --function N,
//                                         --spectrum, --histogram, --band-histograms,
//                                         --stored-levels as above

#include "support/Analyzer505Fixture.h"
#include "support/FixtureBuilder.h"
#include "support/FourChannelFixture.h"
#include "support/LegacyFixture.h"

#include <optional>
#include <string>
#include <vector>

namespace orlu::tools {

/// Puts the histogram of the option's value into the spec; false for a value it
/// does not read (fewer than three numbers, a lowest class or width outside 16 bits,
/// a count outside 32 bits).
bool ApplyHistogramOption(const std::string& value, orlu::fixture::CurrentFileSpec& spec);

/// `orlu-fixture current ... --user-filter NAME,L,L,...[/NAME,L,...]`: the user filters
/// of an octave file (a name of up to 6 characters, levels in 0.1 dB); false for a value
/// it does not read (no name, no level, a level outside 16 bits).
bool ApplyUserFilterOption(const std::string& value, orlu::fixture::CurrentFileSpec& spec);

/// `orlu-fixture analyzer ... --band-histograms LOWEST,WIDTH,N0,N1,...`: every histogram
/// of the block (one per value) with these classes; false as for --histogram.
bool ApplyAnalyzerBandHistograms(const std::string& value, orlu::fixture::Analyzer505Spec& spec);
/// The band histograms of the option's value; false as above, or for groups of no counts.
bool ApplyBandHistogramsOption(const std::string& value, orlu::fixture::CurrentFileSpec& spec);

/// The stored levels of the option's value; false for more than ten pairs, a percentage
/// outside 1 to 99 or a level outside -3276.8 to 3276.7 dB.
bool ApplyStoredLevelsOption(const std::string& value, orlu::fixture::CurrentFileSpec& spec);

/// The legacy fixture's --histogram LOWEST,WIDTH,N0,...: every channel's histogram with
/// these counts; false as for the current family's option.
bool ApplyLegacyHistogramOption(const std::string& value, orlu::fixture::LegacyFileSpec& spec);

/// The four-channel histograms of the option's value; false as above, for a channel
/// outside 1 to `channels` or one given twice.
bool ApplyFourChannelHistogramOption(const std::string& value, int channels, orlu::fixture::FourChannelSpec& spec);

/// The four-channel band histograms of the option's value, for every channel with a
/// spectrum; false as for the current family's option, or without an octave function.
bool ApplyFourChannelBandHistograms(const std::string& value, orlu::fixture::FourChannelSpec& spec);

/// The members of the option's value; nothing for an option a group does not take or a
/// value it does not read.
std::optional<std::vector<orlu::fixture::MultifileMember>> MembersWithOptions(const std::string& value);

} // namespace orlu::tools
