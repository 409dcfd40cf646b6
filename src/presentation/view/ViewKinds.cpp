#include "presentation/view/ViewKinds.h"

#include "presentation/FindById.h"

namespace orlu {
namespace {

// The statistics variants of Histograms have pages of their own; the octave
// variants of Levels share one.
constexpr ViewCommand kViewCommands[] = {
    {32788, kViewSettings, 12, StatVariant::None},
    {32778, kViewHexa, 13, StatVariant::None},
    {32780, kViewMainResults, 1, StatVariant::None},
    {32781, kViewHeaderInfo, 0, StatVariant::None},
    {32818, kViewHistograms, 2, StatVariant::Broadband},
    {32887, kViewHistograms, 15, StatVariant::Octave11},
    {32890, kViewHistograms, 18, StatVariant::Octave13},
    {32819, kViewStatisticalLevels, 3, StatVariant::Broadband},
    {32888, kViewStatisticalLevels, 4, StatVariant::Octave11},
    {32891, kViewStatisticalLevels, 4, StatVariant::Octave13},
    {32820, kViewDensities, 5, StatVariant::Broadband},
    {32889, kViewDensities, 5, StatVariant::Octave11},
    {32892, kViewDensities, 5, StatVariant::Octave13},
    {32783, kViewBufferLogger, 6, StatVariant::None},
    {32784, kViewWaveforms, 7, StatVariant::None},
    {32785, kViewSpectra, 8, StatVariant::None},
    {32786, kViewOctaves, 9, StatVariant::None, 3},
    {32787, kViewThirdOctaves, 10, StatVariant::None, 4},
    {32824, kViewTimeIntersections, 11, StatVariant::None, 2},
    {32894, kViewTimeIntersections, 11, StatVariant::None, 3},
    {32895, kViewTimeIntersections, 11, StatVariant::None, 4},
    {32867, kViewAscii, 14, StatVariant::None},
    {32920, kViewUserFilters, 21, StatVariant::None},
};

} // namespace

std::span<const ViewCommand> ViewCommands() { return kViewCommands; }

const ViewCommand* FindViewCommand(int id)
{
    return FindById(ViewCommands(), id);
}

} // namespace orlu
