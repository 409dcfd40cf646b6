// orlu-dump --view 7 --form data of an ORLU 505 METER-mode buffer: the record
// numbers, levels and block series of each panel, checked against the data
// form written out by hand.

#include "support/CommandRun.h"
#include "support/LegacyFixture.h"
#include "support/ToolPaths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace orlu {
namespace {

namespace fs = std::filesystem;

// A microphone and an accelerometer whose records hold the RMS and the VDV of each,
// 10 records of 2 s: the microphone's RMS 80 80 80 90 80 90 80 90 80 80 dB, its VDV
// 100 + r dB.
class DumpBufferGraph : public ::testing::Test {
protected:
    void SetUp() override
    {
        fixture::LegacyFileSpec spec = fixture::LegacyTwoChannelSpec(0x4010);
        spec.formatVersion = 40;
        spec.bufferWord = 0x90;
        spec.bufferRecords = 10;
        const int rms[] = {800, 800, 800, 900, 800, 900, 800, 900, 800, 800};
        for (int r = 0; r < 10; ++r)
            for (int level : {rms[r], 1000 + 10 * r, 700, 700})
                spec.bufferLevels.push_back(static_cast<std::int16_t>(level));
        fixture::LegacyContainer(3, spec).WriteTo(file);
    }
    void TearDown() override { fs::remove(file); }
    std::string Dump(const std::string& options) const
    {
        const fs::path tools = test::ToolsDir();
        return fixture::RunCommand((tools / "orlu-dump").string() + " " + file.string() + " --view 7 --form data " +
                                   options + " 2>/dev/null")
            .out;
    }
    fs::path file = test::TempPath("orlu-dumpbuffer", ".orl");
};

TEST_F(DumpBufferGraph, BlockSeriesBetweenMarkersThreeAndSeven)
{
    // Records 4 to 8 (90 80 90 80 90 dB): their running Leq and SEL, 0 after the block.
    EXPECT_EQ(Dump("--channels 1 --markers 3,7 --block-stats leq,max,min,sel"),
              "# panel 0: BUFFER CONTENTS  Profile #1  -  RMS \n"
              "# vdv=0\n"
              "# blockmax=90\n"
              "# blockmin=80\n"
              "record,value,blockleq,blocksel\n"
              "1,80,90,93.0103\n"
              "2,80,87.4036,93.4242\n"
              "3,80,88.451,96.2325\n"
              "4,90,87.4036,96.4345\n"
              "5,80,88.0618,98.0618\n"
              "6,90,0,0\n"
              "7,80,0,0\n"
              "8,90,0,0\n"
              "9,80,0,0\n"
              "10,80,0,0\n");
}

TEST_F(DumpBufferGraph, TheVdvResultIsFlagged)
{
    EXPECT_EQ(Dump("--channels 1 --result 1:1 --markers 3,7 --block-stats leq,max,min,sel"),
              "# panel 0: BUFFER CONTENTS  Profile #1  -  VDV \n"
              "# vdv=1\n"
              "# blockmax=107\n"
              "# blockmin=103\n"
              "record,value\n"
              "1,100\n2,101\n3,102\n4,103\n5,104\n6,105\n7,106\n8,107\n9,108\n10,109\n");
}

} // namespace
} // namespace orlu
