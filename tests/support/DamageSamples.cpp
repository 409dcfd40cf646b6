#include "support/DamageSamples.h"

#include "support/FixtureBuilder.h"
#include "support/FourChannelFixture.h"
#include "support/LegacyFixture.h"

namespace orlu::fixture {

std::vector<DamageSample> DamageSamples()
{
    CurrentFileSpec logger;
    logger.statistics = true;
    logger.histogramClasses = 4;
    logger.histogramCounts = {1, 2, 3, 4};
    logger.tonality = SampleTonalityWords(3);
    logger.profiles[0].bufferWord = 3;
    logger.rowWords = 1;
    logger.rows = 40;
    logger.declaredCount = 40;
    logger.events = {{5, false, 1}, {9, true, 3}};

    CurrentFileSpec rt60;
    rt60.rt60 = SampleRt60ThirdOctaves(6);

    FourChannelSpec vibration = MakeFourChannelSpec(545, 219, 3, 1, false);
    vibration.vectorRecord = true;
    FourChannelSpec fourLogger = MakeFourChannelSpec(590, 302, 2, 2);
    fourLogger.history = FourChannelSpec::History::Logger;
    fourLogger.rows = 12;
    fourLogger.declaredCount = 12;

    // A METER-mode file: channel blocks with a buffer of the new description.
    LegacyFileSpec legacyTwo = LegacyTwoChannelSpec(0x4011);
    legacyTwo.formatVersion = 40;
    legacyTwo.bufferRecords = 6;

    return {
        {"logger-525", 45, CurrentMeasurementFile(logger)},
        {"rt60-525", 45, CurrentMeasurementFile(rt60)},
        {"vibration-545", 42, FourChannelMeasurementFile(vibration)},
        {"logger-590", 42, FourChannelMeasurementFile(fourLogger)},
        {"legacy-two-channels", 3, LegacyMeasurementFile(legacyTwo)},
    };
}

} // namespace orlu::fixture
