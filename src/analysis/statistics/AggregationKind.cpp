#include "analysis/statistics/AggregationKind.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace orlu {
namespace {

bool SameName(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
    });
}

struct NamedKind {
    std::string_view name;
    AggregationKind kind;
};

constexpr std::array kNamedKinds{
    NamedKind{"MAX", AggregationKind::Maximum},
    NamedKind{"PEAK", AggregationKind::Maximum},
    NamedKind{"MIN", AggregationKind::Minimum},
    NamedKind{"TIME", AggregationKind::SampleMean},
};

} // namespace

AggregationKind GetAggregationKind(std::string_view name)
{
    for (const NamedKind& k : kNamedKinds)
        if (SameName(name, k.name))
            return k.kind;
    return AggregationKind::EnergyMean;
}

} // namespace orlu
