#include "graph/BandNames.h"

#include <algorithm>
#include <initializer_list>

namespace orlu {
namespace {

enum class LabelTable { Up20k, Up80k };

// Position p maps to step * p + base below `limit`, else to elseStep * p +
// elseBase (1/1-octave kinds step through the 1/3-octave table by three).
struct BandIndexRule {
    std::initializer_list<int> kinds;
    LabelTable table;
    int step;
    int base;
    int limit;          ///< first position of the second form; kNoLimit: one form only
    int elseStep;
    int elseBase;
    bool totalsVariant; ///< an index above 43 moves 6 x TotalBars on (to the named totals)
    bool elseTotalBars; ///< the second form adds 6 x TotalBars
    int bumpAt = -1;    ///< position that moves two entries on (to the "Total" after the bands)
};

constexpr int kNoLimit = 1 << 20;

// PlotKinds 4 and 19 name position 0 "1.6Hz", as their frequency axis shows.
const BandIndexRule kRules[] = {
    {{0, 2, 4, 12, 16, 19}, LabelTable::Up20k, 1, 2, kNoLimit, 0, 0, true, false},
    {{1, 3, 5, 15, 17, 20}, LabelTable::Up20k, 1, 0, kNoLimit, 0, 0, true, false},
    {{10, 11}, LabelTable::Up20k, 3, 3, kNoLimit, 0, 0, false, false},
    {{14, 35}, LabelTable::Up20k, 3, 15, kNoLimit, 0, 0, false, false, 9},
    {{21, 32}, LabelTable::Up20k, 3, 0, 15, 1, 35, false, false},
    {{22, 33}, LabelTable::Up20k, 3, 3, 14, 1, 36, false, false},
    {{23}, LabelTable::Up20k, 3, 15, 9, 1, 41, false, false},
    {{24, 38}, LabelTable::Up20k, 1, 14, 27, 1, 23, false, false},
    {{25, 39}, LabelTable::Up20k, 1, -1, 45, 1, 5, false, false},
    {{26, 34, 51}, LabelTable::Up20k, 3, 15, 10, 1, 40, false, false},
    {{27, 37}, LabelTable::Up20k, 1, 14, 30, 1, 20, false, false},
    {{29, 31}, LabelTable::Up20k, 3, 0, 16, 1, 35, false, false},
    {{30, 36, 46}, LabelTable::Up20k, 1, -1, kNoLimit, 0, 0, false, false},
    {{47, 49}, LabelTable::Up20k, 1, 14, kNoLimit, 0, 0, false, false},
    {{48}, LabelTable::Up20k, 3, 15, 10, 1, 34, false, false},
    {{50}, LabelTable::Up20k, 1, 13, 31, 1, 19, false, false},
    {{52}, LabelTable::Up20k, 1, 13, 31, 1, 14, false, false},
    {{40}, LabelTable::Up80k, 1, 3, 44, 1, 6, false, true},
    {{41}, LabelTable::Up80k, 1, 6, 44, 1, 6, false, true},
    {{42}, LabelTable::Up80k, 3, 6, 14, 0, 50, false, false},
    {{43}, LabelTable::Up80k, 3, 9, 14, 0, 50, false, false},
    {{44}, LabelTable::Up80k, 1, 3, 44, 1, 6, false, false},
    {{45}, LabelTable::Up80k, 1, 6, kNoLimit, 0, 0, false, false},
};

const BandIndexRule* RuleOf(int plotKind)
{
    for (const BandIndexRule& r : kRules)
        if (std::find(r.kinds.begin(), r.kinds.end(), plotKind) != r.kinds.end())
            return &r;
    return nullptr;
}

int IndexOf(const BandIndexRule& r, int totalBars, int p)
{
    int index;
    if (p < r.limit)
        index = r.step * p + r.base + (p == r.bumpAt ? 2 : 0);
    else
        index = r.elseStep * p + r.elseBase + (r.elseTotalBars ? 6 * totalBars : 0);
    if (r.totalsVariant && index > 43)
        index += 6 * totalBars;
    return index;
}

bool StatLevelKind(int plotKind)
{
    return (plotKind >= 0 && plotKind <= 5) || plotKind == 10 || (plotKind >= 31 && plotKind <= 39);
}

} // namespace

std::string_view ThirdOctave20kLabel(int index)
{
    if (index < 0)
        return "0.8Hz";
    return static_cast<std::size_t>(index) < kThirdOctaveLabels20k.size() ? kThirdOctaveLabels20k[static_cast<std::size_t>(index)]
                                                                           : std::string_view{};
}

std::string_view ThirdOctave80kLabel(int index)
{
    if (index == -1)
        return "0.8Hz";
    return index >= 0 && static_cast<std::size_t>(index) < kThirdOctaveLabels80k.size()
               ? kThirdOctaveLabels80k[static_cast<std::size_t>(index)]
               : std::string_view{};
}

std::string_view BandNameOf(int plotKind, int totalBars, int position)
{
    const BandIndexRule* r = RuleOf(plotKind);
    if (r == nullptr)
        return {};
    const int index = IndexOf(*r, totalBars, position);
    return r->table == LabelTable::Up20k ? ThirdOctave20kLabel(index) : ThirdOctave80kLabel(index);
}

std::optional<int> BandTableIndexOf(int plotKind, int totalBars, int position)
{
    const BandIndexRule* r = RuleOf(plotKind);
    if (r == nullptr || !StatLevelKind(plotKind))
        return std::nullopt;
    return IndexOf(*r, totalBars, position);
}

} // namespace orlu
