#include "AnalyzerWaveformOptions.h"

#include <cstdlib>

namespace orlu::tools {
namespace {

// Reads the number at text, moving text past it; false when there is none.
bool ReadNumber(const char*& text, double& value)
{
    char* end = nullptr;
    value = std::strtod(text, &end);
    if (end == text)
        return false;
    text = end;
    return true;
}

} // namespace

bool ApplyWaveformOptions(const WaveformOptions& o, fixture::Analyzer505Spec& spec)
{
    if (o.samples == 0)
        return o.channels == 1 && !o.complexSamples && o.tone.empty() && o.records == 0;
    if (o.samples < 256 || o.samples > 8192 || o.samples % 256 != 0 || (o.channels != 1 && o.channels != 4) ||
        o.records < 0 || o.records > 1000 || (o.complexSamples && o.channels == 4))
        return false;
    spec.function = 1;
    spec.waveformBlocks = true;
    spec.values = static_cast<std::uint16_t>(o.samples / 256 * 100);
    spec.fourChannel = o.channels == 4;
    spec.zoom = o.complexSamples;
    if (o.records > 0)
        spec.spectra = static_cast<std::uint16_t>(o.records);
    if (o.tone.empty())
        return true;
    const char* text = o.tone.c_str();
    double line = 0, amplitude = 0, channel = -1;
    if (!ReadNumber(text, line) || *text++ != ',' || !ReadNumber(text, amplitude))
        return false;
    if (*text == ',' && !ReadNumber(++text, channel))
        return false;
    if (*text || line < 0 || line >= o.samples / 2.0 || channel < -1 || channel >= o.channels)
        return false;
    spec.tones = {{static_cast<std::uint32_t>(line), amplitude, static_cast<int>(channel)}};
    return true;
}

} // namespace orlu::tools
