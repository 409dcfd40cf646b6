#include "AnalyzerSpectrumOption.h"

#include "SpectrumShape.h"

namespace orlu::tools {

bool ApplyAnalyzerSpectrum(const std::string& option, orlu::fixture::Analyzer505Spec& spec)
{
    if (option.empty())
        return true;
    if (spec.function != 3 && spec.function != 4)
        return false;
    const std::optional<SpectrumShape> shape = ParseSpectrumShape(option.c_str());
    if (!shape)
        return false;
    spec.bands = shape->bands;
    spec.values = static_cast<std::uint16_t>(shape->bands + shape->trailing);
    const std::int16_t tenths = shape->tenths;
    spec.value = [tenths](std::uint32_t, std::uint32_t, std::uint32_t) { return tenths; };
    return true;
}

} // namespace orlu::tools
