#pragma once
// The values of MONITOR result records: the letter-keyed numbers of a sound
// or meteo record's text, and one sound record converted for the reports.

#include <array>
#include <cstdint>
#include <string_view>

namespace orlu {

/// The slots a sound record's letters fill (slot 1 holds the record's integration time T).
enum MonitorSoundSlot : int {
    kSlotT = 1,
    kSlotPeak = 3,
    kSlotMax = 4,
    kSlotMin = 5,
    kSlotSpl = 6,
    kSlotLeq = 7,
    kSlotSel = 8,
};
using MonitorValueArray = std::array<double, 10>;

/// The numbers of a record text: each letter of `letters` found in the text puts the number
/// after it into the slot `firstSlot` + the letter's position; a letter met twice keeps the
/// last number. Returns the slots filled as bits of the letters' positions.
unsigned ReadLetterValues(std::string_view text, std::string_view letters, int firstSlot, MonitorValueArray& values);

/// One sound record in the unit shown.
struct MonitorSoundValues {
    double Leq = 0, Peak = 0, Min = 0, Max = 0, Spl = 0;
    double Sel = 0;
    bool SelPresent = true; ///< false when the record's integration time is not positive
};

/// Converts a record: linear levels 10^(x/20 - e) x k; SEL = Leq + 10 log10 T turned into the
/// exposure (20 x 10^(SEL/20 - e))^2 in linear form, the recorded SEL in dB form.
MonitorSoundValues ConvertMonitorSoundRecord(const MonitorValueArray& values, bool linear, int e, double k);

/// The integration time of interval t (from 1): the station's Leq restarts every `period` seconds.
std::int64_t IntervalIntegrationTime(std::int64_t t, std::int64_t soundStep, std::int64_t period);

} // namespace orlu
