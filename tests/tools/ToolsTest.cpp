// Runs the command-line tools as a user would: write a file with
// orlu-fixture, read it back with orlu-dump.

#include "support/CommandRun.h"
#include "support/FixtureBuilder.h"
#include "support/FourChannelFixture.h"
#include "support/LegacyFixture.h"
#include "support/ToolPaths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

using orlu::fixture::CommandRun;
using orlu::fixture::RunCommand;
using orlu::test::Tool;

class Tools : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = orlu::test::TempPath("orlu-tools",
                                   std::string("-") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    /// Runs orlu-fixture with the arguments and the file to write; its exit status.
    int MakeFixture(const std::string& arguments, const fs::path& file) const
    {
        return RunCommand(Tool("orlu-fixture") + " " + arguments + " " + file.string()).status;
    }
    /// Runs orlu-dump on the file with the options (and where its errors go).
    CommandRun Dump(const fs::path& file, const std::string& options) const
    {
        return RunCommand(Tool("orlu-dump") + " " + file.string() + " " + options);
    }

    /// What a tool run gave: its status, standard output and standard error.
    struct Outcome {
        int status = -1;
        std::string out, err;
    };
    /// Runs a tool with the arguments, standard error apart; a run that does not end in
    /// ten seconds is stopped (status 124), so a tool that hangs fails rather than blocks.
    Outcome RunTool(const char* name, const std::string& arguments) const
    {
        const fs::path err = dir / "stderr.txt";
        const CommandRun run = RunCommand("timeout 10 " + Tool(name) + " " + arguments + " 2>" + err.string());
        return {run.status, run.out, orlu::test::ReadAll(err)};
    }

    fs::path dir;
};

TEST_F(Tools, FixtureContainerDumpsItsSummary)
{
    fs::path file = dir / "c.orl";
    ASSERT_EQ(MakeFixture("container --kind 5 --data-bytes 1000", file), 0);
    EXPECT_EQ(fs::file_size(file), 1032u);
    CommandRun dump = Dump(file, "--summary 2>/dev/null");
    ASSERT_EQ(dump.status, 0);
    EXPECT_NE(dump.out.find("kind: 5\n"), std::string::npos) << dump.out;
    EXPECT_NE(dump.out.find("byte count: 1000\n"), std::string::npos) << dump.out;
    EXPECT_NE(dump.out.find("pages: 2\n"), std::string::npos) << dump.out;
    EXPECT_EQ(dump.out.find("message:"), std::string::npos) << dump.out;

    // A current-family kind gets a record chain of the asked length, which decodes.
    fs::path current = dir / "k45.orl";
    ASSERT_EQ(MakeFixture("container --kind 45 --data-bytes 1000", current), 0);
    EXPECT_EQ(fs::file_size(current), 1032u);
    dump = Dump(current, "--summary --viewmask 2>/dev/null");
    ASSERT_EQ(dump.status, 0);
    EXPECT_NE(dump.out.find("kind: 45\n"), std::string::npos) << dump.out;
    EXPECT_NE(dump.out.find("data length: 1000\n"), std::string::npos) << dump.out;
    EXPECT_NE(dump.out.find("byte count: 1000\n"), std::string::npos) << dump.out;
    EXPECT_NE(dump.out.find("pages: 2\n"), std::string::npos) << dump.out;
    EXPECT_NE(dump.out.find("  Main results\n"), std::string::npos) << dump.out;
    EXPECT_EQ(dump.out.find("message:"), std::string::npos) << dump.out;
}

TEST_F(Tools, DumpListsSubFilesAndLoadErrors)
{
    fs::path multi = dir / "m.orl";
    ASSERT_EQ(MakeFixture("multifile --pattern", multi), 0);
    CommandRun dump = Dump(multi, "--summary 2>/dev/null");
    EXPECT_NE(dump.out.find("sub-files: 2\n  FILE1 kind 55 offset 0 length 200\n  FILE2 kind 55 offset 200 length 400\n"),
              std::string::npos)
        << dump.out;

    fs::path cut = dir / "cut.orl";
    fs::copy_file(multi, cut);
    fs::resize_file(cut, 20);
    dump = Dump(cut, "--summary 2>/dev/null");
    EXPECT_NE(dump.out.find("kind: 100\n"), std::string::npos) << dump.out;
    EXPECT_NE(dump.out.find("message: cut.orl  -  Improper file contents\n"), std::string::npos) << dump.out;
}

TEST_F(Tools, EditedFixtureCarriesItsRecordIndexAndAValidCheckWord)
{
    fs::path file = dir / "e.orl";
    ASSERT_EQ(MakeFixture("edited", file), 0);
    CommandRun dump = Dump(file, "--summary 2>&1");
    EXPECT_NE(dump.out.find("kind: 10\n"), std::string::npos) << dump.out;
    EXPECT_NE(dump.out.find("record index: 3\n"), std::string::npos) << dump.out;
    EXPECT_EQ(dump.out.find("checksum"), std::string::npos) << dump.out;
}

TEST_F(Tools, CurrentFixturesDumpTheirHeaderResultsAndViews)
{
    fs::path logger = dir / "log.orl";
    ASSERT_EQ(MakeFixture("current --kind 77 --device 595 --logger 250", logger), 0);
    CommandRun header = Dump(logger, "--header 2>/dev/null");
    ASSERT_EQ(header.status, 0);
    EXPECT_NE(header.out.find("kind: 49\n"), std::string::npos) << header.out;
    EXPECT_NE(header.out.find("flags: Model595 LaterModel Family535\n"), std::string::npos) << header.out;
    // Markers after rows 1, 101 and 201; breaks of 10 records after rows 101 and 201.
    EXPECT_NE(header.out.find("markers: 3\n  record 2 marker 1\n  record 102 marker 101\n  record 212 marker 201\n"), std::string::npos)
        << header.out;
    EXPECT_NE(header.out.find("breaks: 2\n  record 102 skipped 10\n  record 212 skipped 10\n"), std::string::npos) << header.out;
    EXPECT_NE(header.out.find("record index: 250 in 3 runs\n  first 1 last 270\n"), std::string::npos) << header.out;
    CommandRun views = Dump(logger, "--viewmask 2>/dev/null");
    EXPECT_NE(views.out.find("Buffer/Logger"), std::string::npos) << views.out;
    EXPECT_EQ(views.out.find("Main results"), std::string::npos) << views.out;

    fs::path meter = dir / "m.orl";
    ASSERT_EQ(MakeFixture("current --kind 45", meter), 0);
    CommandRun results = Dump(meter, "--results 2>/dev/null");
    ASSERT_EQ(results.status, 0);
    // Profile 1 of the generated levels: the Leq word 815 (firmware 3.00: word 7) is 81.5 dB,
    // 20 uPa x 10^(81.5 / 20) = 238 mPa.
    EXPECT_NE(results.out.find("profile 1: detector Fast filter A\n  Leq/RMS  81.500 dB      238 mPa     \n"),
              std::string::npos)
        << results.out;
    EXPECT_EQ(results.out.find("message:"), std::string::npos) << results.out;
}

TEST_F(Tools, GeneratedMultifileListsItsSubfilesByNumber)
{
    fs::path file = dir / "m3.orl";
    ASSERT_EQ(MakeFixture("multifile --files 3", file), 0);
    CommandRun dump = Dump(file, "--subfiles 2>&1");
    ASSERT_EQ(dump.status, 0);

    // What the builder wrote: histogram and statistics, FFT, 1/3 octave with band statistics.
    const auto members = orlu::fixture::GeneratedMultifileMembers(3);
    const std::uint32_t contents[] = {0x0087, 0x0020, 0x0210};
    std::string expected = "sub-files: 3\n";
    std::size_t offset = 0;
    for (std::size_t i = 0; i < members.size(); ++i) {
        char line[160];
        std::snprintf(line, sizeof line, "sub-file %zu: FILE%zu kind 55 offset %zu start word %zu length %zu contents 0x%04X\n",
                      i + 1, i + 1, offset, offset / 2, members[i].bytes.size(), contents[i]);
        expected += line;
        offset += members[i].bytes.size();
    }
    EXPECT_NE(dump.out.find(expected), std::string::npos) << dump.out;
    EXPECT_NE(dump.out.find("group F FFT: 2 to 2\n"), std::string::npos) << dump.out;
    EXPECT_NE(dump.out.find("group D 1/1 octave: none\n"), std::string::npos) << dump.out;
    EXPECT_EQ(dump.out.find("message:"), std::string::npos) << dump.out;

    // The third entry pointing two bytes past the data: refused, nothing listed.
    std::vector<std::uint8_t> bytes = orlu::fixture::ReadFileBytes(file);
    orlu::fixture::FixtureBuilder past;
    past.Bytes(bytes).PatchLe32(32 + 2 * 28 + 16, static_cast<std::uint32_t>(members[2].bytes.size() + 2));
    fs::path pastFile = dir / "past.orl";
    past.WriteTo(pastFile);
    // Refused: what the program holds of it is listed, and the status says it was refused.
    dump = Dump(pastFile, "--summary --subfiles --records 2>/dev/null");
    ASSERT_EQ(dump.status, 1);
    EXPECT_NE(dump.out.find("kind: 100\n"), std::string::npos) << dump.out;
    EXPECT_NE(dump.out.find("sub-files: 0\n"), std::string::npos) << dump.out;
    EXPECT_EQ(dump.out.find("sub-file 3"), std::string::npos) << dump.out;
    EXPECT_NE(dump.out.find("message: past.orl  -  Improper file contents\n"), std::string::npos) << dump.out;
}

TEST_F(Tools, RecordsOfTheSampleAndOfItsBrokenChains)
{
    fs::path file = dir / "s.orl";
    ASSERT_EQ(MakeFixture("sample", file), 0);
    CommandRun dump = Dump(file, "--records 2>&1");
    ASSERT_EQ(dump.status, 0);
    EXPECT_NE(dump.out.find("records of sub-file 0 (start word 0, length 266):\n"
                            "  word 0 type 1 length 12\n  word 12 type 2 length 10\n  word 22 type 3 length 8\n"
                            "  word 30 type 4 length 40\n  word 70 type 5 length 20\n  word 90 type 7 length 14\n"
                            "  word 104 type 7 length 14\n  word 118 type 7 length 14\n  end of chain\n"
                            "  results record: 90\n"),
              std::string::npos)
        << dump.out;
    EXPECT_NE(dump.out.find("  complete: yes\n"), std::string::npos) << dump.out;

    struct Fault {
        const char* option;
        const char* error;
    };
    const Fault faults[] = {
        {"truncated", "Improper file contents: record at word 118 runs past the end"},
        {"overrun", "Improper file contents: record at word 70 runs past the end"},
        {"zero-length", "Improper file contents: record of length 0 at word 22"},
    };
    for (const Fault& f : faults) {
        SCOPED_TRACE(f.option);
        fs::path broken = dir / (std::string(f.option) + ".orl");
        ASSERT_EQ(MakeFixture(std::string("sample --fault ") + f.option, broken), 0);
        // The loader refuses a broken chain; its records are listed up to the break all the same.
        dump = Dump(broken, "--records 2>&1");
        ASSERT_EQ(dump.status, 1);
        EXPECT_NE(dump.out.find(f.error), std::string::npos) << dump.out;
        EXPECT_EQ(dump.out.find("end of chain"), std::string::npos) << dump.out;
        EXPECT_NE(dump.out.find("  complete: no\n"), std::string::npos) << dump.out;
    }
    EXPECT_EQ(RunCommand(Tool("orlu-fixture") + " sample --fault other " + (dir / "x.orl").string() + " 2>/dev/null").status, 2);
}

} // namespace

TEST_F(Tools, CurrentFixturesCarryTonalityAndReverberationRecords)
{
    fs::path rt = dir / "rt.orl";
    ASSERT_EQ(MakeFixture("current --kind 45 --function 8 --rt60 6", rt), 0);
    CommandRun records = Dump(rt, "--records 2>/dev/null");
    // Settings 26 of ten words; results 27 of 7 words and 9 per band (6) and total (2).
    EXPECT_NE(records.out.find("type 26 length 11\n  word 143 type 27 length 79\n"), std::string::npos) << records.out;

    fs::path tonality = dir / "tonality.orl";
    ASSERT_EQ(MakeFixture("current --kind 45 --function 7 --tonality 3", tonality), 0);
    records = Dump(tonality, "--records 2>/dev/null");
    EXPECT_NE(records.out.find("word 132 type 29 length 16\n"), std::string::npos) << records.out;
    EXPECT_NE(RunCommand(Tool("orlu-fixture") + " current --kind 45 --rt60 18 " + rt.string() + " 2>/dev/null").status, 0);

    // Four channels: settings 36, a results record 37 per channel (the channel index, then
    // the same blocks: 3 + 5 + 9 x 5 words) and the channel mean 40 without the index.
    fs::path four = dir / "four.orl";
    ASSERT_EQ(MakeFixture("four-channel --channels 2 --function 8 --rt60 3", four), 0);
    records = Dump(four, "--records 2>/dev/null");
    EXPECT_NE(records.out.find("type 36 length 11\n  word 213 type 37 length 53\n  word 266 type 37 length 53\n"
                               "  word 319 type 40 length 52\n"),
              std::string::npos)
        << records.out;
}

TEST_F(Tools, FourChannelFixtureWithDoseSetupAndSeatPair)
{
    // Channel #1 a microphone, #2 to #4 accelerometers whose RMS rises by 1 dB a channel:
    // words 100, 200, 300 (0.01 dB over the 1 m/s2 of the 120 dB reference) are 10^0.05,
    // 10^0.1 and 10^0.15 m/s2 = 1.12, 1.26 and 1.41 m/s2.
    fs::path file = dir / "dose.orl";
    ASSERT_EQ(RunCommand(Tool("orlu-fixture") + " four-channel --dose 1,0,480,2,3,4 --seat 2,3 " + file.string()).status, 0);
    const CommandRun text = RunCommand(Tool("orlu-dump") + " " + file.string() + " --view 2 --form text 2>/dev/null");
    ASSERT_EQ(text.status, 0);
    // Seat #3 over base #2: 10^(100 / 2000) = 1.12 for the RMS and the VDV.
    EXPECT_NE(text.out.find("\r\n\r\n  SEAT_RMS #3/#2 = 1.12\r\n  SEAT_VDV #3/#2 = 1.12\r\n\r\n"
                            "Hand-Arm dose meter results (UK):\r\n"),
              std::string::npos)
        << text.out;
    // Axes #2, #3, #4: a = sqrt(10^0.1 + 10^0.2 + 10^0.3) = sqrt(1.258925 + 1.584893 + 1.995262)
    // = sqrt(4.839081) = 2.199791; CExp = a sqrt(600 / 28800) = a / 6.928203 = 0.3175; 8 hours a
    // day: A8 = a. The time to reach V is 28800 (V / a)^2 = 28800 V^2 / 4.839081, rounded to the
    // second, and the time left 600 s less: EAV 2.5 m/s2: 37197.15 s = 10:19'57, left 10:09'57;
    // ELV 5 m/s2: four times that, 148788.58 s = 41:19'49 (41 x 3600 + 19 x 60 + 49), left 41:09'49.
    EXPECT_NE(text.out.find("       AEQ      CExp        A8     EAV_TT     EAV_TL     ELV_TT     ELV_TL\r\n"),
              std::string::npos);
    EXPECT_NE(text.out.find("      2.20      0.32      2.20   10:19'57   10:09'57   41:19'49   41:09'49\r\n"),
              std::string::npos)
        << text.out;

    // The limit variant and the kind name the section; channels are those of the file.
    ASSERT_EQ(RunCommand(Tool("orlu-fixture") + " four-channel --dose 2,3,240,2,3,4 " + file.string()).status, 0);
    EXPECT_NE(RunCommand(Tool("orlu-dump") + " " + file.string() + " --view 2 --form text 2>/dev/null")
                  .out.find("\r\n\r\nWhole-Body dose meter results (FR):\r\n"),
              std::string::npos);
    for (const char* wrong : {"--seat 2,5", "--seat 0,2", "--seat 2", "--dose 1,0,480,2,3", "--dose 1,0,480,2,3,x",
                              "--dose 1,0,70000,2,3,4", "--channels 3 --dose 1,0,480,2,3,4"})
        EXPECT_EQ(RunCommand(Tool("orlu-fixture") + " four-channel " + wrong + " " + file.string() + " 2>/dev/null").status, 2)
            << wrong;
}

TEST_F(Tools, DumpResultsOfAOneChannelFileWhoseResultsRecordEndsTheFile)
{
    // An ORLU 545 at firmware 2.15 with one microphone keeps a single results record, the
    // file's last: Leq word 800 (0.1 dB) is 80.0 dB; there is no second record to read.
    const orlu::fixture::FourChannelSpec spec = orlu::fixture::MakeFourChannelSpec(545, 215, 1, 1, true);
    const std::vector<std::uint8_t> bytes = orlu::fixture::FourChannelMeasurementFile(spec);
    orlu::fixture::FixtureBuilder f;
    f.ContainerHeader(42, 0, 0, static_cast<std::uint32_t>(bytes.size())).Bytes(bytes);
    const fs::path file = dir / "one.orl";
    f.WriteTo(file);
    const CommandRun dump = Dump(file, "--results 2>&1");
    ASSERT_EQ(dump.status, 0) << dump.out;
    EXPECT_NE(dump.out.find("channel 1 profile 1: detector Fast filter A\n  Leq/RMS  80.000 dB"), std::string::npos)
        << dump.out;
    const CommandRun text = Dump(file, "--view 2 --form text 2>&1");
    ASSERT_EQ(text.status, 0) << text.out;
    EXPECT_NE(text.out.find("|  100.0   70.0   90.0   75.0   80.0 |    107.8 | 000    -----\r\n"), std::string::npos)
        << text.out;
}

TEST_F(Tools, DumpViewWithUnitsAndChannelsOfTheView)
{
    // Three channels below firmware 2.17 (levels in 0.1 dB): #1 a microphone (A, Fast) with
    // Peak 104.5 dB, #2 and #3 accelerometers (W-Bxy) with Peak 12.0 dB over 1 m/s2 and 1 dB
    // more a channel: 13.0 dB on #2, 14.0 dB on #3.
    const fs::path file = dir / "three.orl";
    ASSERT_EQ(MakeFixture("four-channel --channels 3 --firmware 215", file), 0);
    // Unit byte 1: the sound rows linear (104.5 dB = 20 uPa x 10^5.225 = 3.358 Pa, SEL in Pa2s),
    // the vibration rows in dB.
    CommandRun table = Dump(file, "--view 2 --form table --units 1 --channels 3 2>/dev/null");
    ASSERT_EQ(table.status, 0);
    EXPECT_NE(table.out.find("\t#1\tA\tFast\t00:10'00\tPa\t3.358\t"), std::string::npos) << table.out;
    EXPECT_NE(table.out.find("\tSEL[Pa\xC2\xB2s]\t"), std::string::npos) << table.out;
    EXPECT_NE(table.out.find("\t#2\tW-Bxy\t125ms\t00:10'00\tdB\t13.0\t"), std::string::npos) << table.out;
    EXPECT_EQ(table.out.find("\t#3\t"), std::string::npos) << table.out;
    // Channel #3 alone: no sound table, and the default unit byte gives linear vibration rows:
    // Peak word 140 over the 1 m/s2 reference is 10^(140 / 200) m/s2 = 5.01 m/s2.
    const CommandRun text = Dump(file, "--view 2 --form text --channels 4 2>/dev/null");
    ASSERT_EQ(text.status, 0);
    EXPECT_EQ(text.out.find("Main results for sound"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("   #3  W-Bxy  125ms  00:10'00 |  m/s\xC2\xB2 |   5.01 "), std::string::npos) << text.out;
    EXPECT_EQ(text.out.find("   #2  "), std::string::npos) << text.out;
    for (const char* wrong : {"--view 2 --units 2", "--view 2 --channels 65536", "--units 1", "--channels 1",
                              "--view 2 --channels x"})
        EXPECT_EQ(Dump(file, std::string(wrong) + " 2>/dev/null").status, 2) << wrong;
}

TEST_F(Tools, MixedMultifileShowsItsMainResultsMemberByMemberOrAll)
{
    const fs::path multi = dir / "m.orl";
    ASSERT_EQ(MakeFixture("multifile --members level:535:310,acc:535:310,dose:525:300", multi), 0);
    const std::string subfiles = Dump(multi, "--summary").out;
    EXPECT_NE(subfiles.find("kind 57"), std::string::npos) << subfiles;
    struct Case {
        const char* options;
        std::vector<const char*> shown, hidden;
    };
    const Case cases[] = {
        {"--view 2 --form text --subfile 2", {" FILE2     ", "Peak    P-P   MTVV    RMS"}, {"FILE1", "FILE3"}},
        {"--view 2 --form text --all", {" FILE1     ", " FILE2     ", " FILE3     ", "Dose Dose8"}, {}},
        {"--view 2 --form text", {" FILE1     ", " FILE2     ", " FILE3     "}, {}}, // the view opens on all
        {"--view 2 --form table --all --sep 2 --dec 1", {"File;Date;Start;Prof;", "FILE2;", "FILE3;", "__sx_=_s^1,75__"}, {}},
        {"--view 2 --form table --subfile 3 --sep 2", {"FILE3;", "Dose[%]"}, {"FILE1", "FILE2"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        const CommandRun run = Dump(multi, c.options);
        EXPECT_EQ(run.status, 0);
        for (const char* text : c.shown)
            EXPECT_NE(run.out.find(text), std::string::npos) << text << "\n" << run.out;
        for (const char* text : c.hidden)
            EXPECT_EQ(run.out.find(text), std::string::npos) << text << "\n" << run.out;
    }
}

TEST_F(Tools, MultifileOfReverberationTimesShowsTheTimesOfTheSelectedMember)
{
    // Member 1 has four bands, 500 to 1000 Hz; member 2 one more, 1250 Hz.
    const fs::path multi = dir / "rt.orl";
    ASSERT_EQ(MakeFixture("multifile --members rt60:525:300,rt60:525:300", multi), 0);
    const std::string second = Dump(multi, "--view 2 --form text --subfile 2").out;
    EXPECT_NE(second.find("RT60 results from file[2] FILE2:"), std::string::npos) << second;
    EXPECT_NE(second.find("    1250.0  "), std::string::npos) << second;
    const std::string first = Dump(multi, "--view 2 --form table --subfile 1 --sep 2").out;
    EXPECT_NE(first.find("RT60_results_from_file[1]_FILE1:"), std::string::npos) << first;
    EXPECT_EQ(first.find("1250"), std::string::npos) << first;
}

TEST_F(Tools, DumpShowsTheHeaderInformationOfAnalyzerFilesWithTheViewsChoices)
{
    fs::path multi = dir / "a.orl";
    ASSERT_EQ(MakeFixture("analyzer --kind 24 --function 3 --bands 9 --lines 10", multi), 0);
    const std::string one = Dump(multi, "--view 3 --form text --subfile 2").out;
    EXPECT_EQ(one.find("file[1]"), std::string::npos);
    EXPECT_NE(one.find("Header information for the file[2] A0000002:"), std::string::npos);
    const std::string all = Dump(multi, "--view 3 --form text --all").out;
    EXPECT_NE(all.find("file[1] A0000001:"), std::string::npos);
    EXPECT_NE(all.find("file[2] A0000002:"), std::string::npos);
    // --units is the Header-info choice: a microphone's range in pascals.
    const std::string linear = Dump(multi, "--view 3 --form text --units 1").out;
    EXPECT_NE(linear.find("  Measurement range ...........  200 mPa    "), std::string::npos);
    EXPECT_NE(one.find("  Measurement range ...........  80 dB      "), std::string::npos);
}

TEST_F(Tools, DumpAnswersHelpAndRefusesWrongCommandLines)
{
    const fs::path file = dir / "s.orl";
    ASSERT_EQ(MakeFixture("sample", file), 0);
    const std::string f = file.string();
    struct Case {
        std::string arguments;
        int status; ///< 0: the usage on standard output; 2: on standard error
    };
    const Case cases[] = {
        {"--help", 0},
        {f + " --summary --help", 0},
        {"", 2},
        {f, 2},                      // nothing asked
        {f + " --summary --bogus", 2},
        {"--summary " + f, 2},       // an option where the file goes
        {f + " --view", 2},          // no value
        {f + " --view 2 --form", 2},
        {f + " --extract 1", 2},     // nowhere to store it
        {f + " --out x.orl", 2},     // nothing to store
        {f + " --extract -1 --out x.orl", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        const Outcome run = RunTool("orlu-dump", c.arguments);
        EXPECT_EQ(run.status, c.status);
        const std::string& usage = c.status == 0 ? run.out : run.err;
        EXPECT_EQ(usage.rfind("usage: orlu-dump FILE", 0), 0u) << usage;
        EXPECT_NE(usage.find("--results"), std::string::npos) << usage;
        EXPECT_EQ((c.status == 0 ? run.err : run.out), "");
    }
}

TEST_F(Tools, DumpGivesAMessageForFilesItCannotShow)
{
    // The sample's record chain without its container: the loader does not recognise it,
    // though its results record is there to be found; cut, that record runs past the end.
    const std::vector<std::uint8_t> chain = orlu::fixture::SampleCurrentFamilyFile();
    orlu::fixture::FixtureBuilder().Bytes(chain).WriteTo(dir / "bare.orl");
    orlu::fixture::FixtureBuilder().Bytes(std::span(chain).first(190)).WriteTo(dir / "cut.orl");
    ASSERT_EQ(MakeFixture("container --kind 5 --data-bytes 100", dir / "hexa.orl"), 0);
    orlu::fixture::FixtureBuilder().WriteTo(dir / "empty.orl");
    fs::create_directory(dir / "folder");
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);

    struct Case {
        const char* file;
        const char* options;
        const char* message; ///< on standard error
    };
    const Case cases[] = {
        {"missing.orl", "--summary", "cannot open"},
        {"folder", "--summary", "is a directory"},
        {"pipe", "--summary", "is not a regular file"},
        {"empty.orl", "--summary", "is empty"},
        {"bare.orl", "--results", "bare.orl  -  Unrecognized file contents"},
        {"cut.orl", "--results", "cut.orl  -  Unrecognized file contents"},
        {"cut.orl", "--header --results --view 2 --form text", "cut.orl  -  Unrecognized file contents"},
        {"hexa.orl", "--header", "hexa.orl: no instrument header was decoded (kind 5)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " " + c.options);
        const Outcome run = RunTool("orlu-dump", (dir / c.file).string() + " " + c.options);
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find("terminate"), std::string::npos) << run.err;
        // No rows made of words whose meaning was never decoded.
        EXPECT_EQ(run.out.find("profile 1"), std::string::npos) << run.out;
        EXPECT_EQ(run.out.find("device:"), std::string::npos) << run.out;
    }
    // A device file is no measurement either.
    const Outcome device = RunTool("orlu-dump", "/dev/null --summary");
    EXPECT_EQ(device.status, 1);
    EXPECT_NE(device.err.find("/dev/null is not a regular file"), std::string::npos) << device.err;
}

TEST_F(Tools, DumpGivesAMessageForAFileItMayNotRead)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "the superuser reads every file";
    const fs::path file = dir / "locked.orl";
    ASSERT_EQ(MakeFixture("sample", file), 0);
    fs::permissions(file, fs::perms::none);
    const Outcome run = RunTool("orlu-dump", file.string() + " --summary");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Permission denied"), std::string::npos) << run.err;
}

TEST_F(Tools, FixtureAnswersHelpAndWrongCommandLinesWithoutWritingAFile)
{
    struct Case {
        const char* arguments; ///< run inside the test's folder
        int status;            ///< 0: the usage on standard output; 2: on standard error
    };
    const Case cases[] = {
        {"--help", 0},
        {"sample --help", 0},
        {"multifile --files 3 --help", 0},
        {"four-channel --vector --help out.orl", 0},
        {"", 2},
        {"sample", 2},                             // no file
        {"sample --bogus out.orl", 2},
        {"sample --fault out.orl", 2},             // no value
        {"multifile --files out.orl", 2},
        {"multifile --files x out.orl", 2},        // no number
        {"multifile --pattern --files 3 out.orl", 2},
        {"current --kind 45x out.orl", 2},
        {"current --kind 45 --vector out.orl", 2},
        {"reverb --kind 45 out.orl", 2},
        {"dos --pattern", 2},                      // an option where the file goes
        {"multifile --members acc:525:300 out.orl", 2},               // no vibration files of that instrument
        {"multifile --members level:525 out.orl", 2},                 // no firmware
        {"multifile --members level:525:300, out.orl", 2},            // an empty member
        {"multifile --members legacy:505:100,level:525:300 out.orl", 2}, // legacy files merge alone
        {"multifile --members level:525:300 --files 2 out.orl", 2},
        {"frobnicate out.orl", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        const Outcome run = RunTool("orlu-fixture", std::string(c.arguments));
        EXPECT_EQ(run.status, c.status);
        const std::string& usage = c.status == 0 ? run.out : run.err;
        EXPECT_EQ(usage.rfind("usage: orlu-fixture container", 0), 0u) << usage;
        EXPECT_NE(usage.find("orlu-fixture multifile [--files N | --pattern | --members KIND:DEVICE:FIRMWARE[:ROWS],...] OUT"),
                  std::string::npos)
            << usage;
        std::vector<std::string> written;
        for (const fs::directory_entry& e : fs::directory_iterator(dir))
            if (e.path().filename() != "stderr.txt")
                written.push_back(e.path().filename().string());
        EXPECT_TRUE(written.empty()) << written.front();
        for (const std::string& name : written)
            fs::remove(dir / name);
    }
}

TEST_F(Tools, DefaultFixturesArePlausibleMeasurementsThatOpenDecoded)
{
    // Per results block of `orlu-dump --results`: the level (dB) or linear value and its unit.
    struct Row {
        double leq = 0, peak = 0, max = 0, min = 0;
        std::string unit; ///< of the linear Leq/RMS
    };
    const auto rows = [](const std::string& out) {
        std::vector<Row> found;
        std::istringstream lines(out);
        std::string line;
        const struct {
            const char* name;
            double Row::*slot;
        } slots[] = {{"Leq/RMS", &Row::leq}, {"Peak", &Row::peak}, {"Max", &Row::max}, {"Min", &Row::min}};
        while (std::getline(lines, line)) {
            if (line.find(": detector ") != std::string::npos)
                found.emplace_back();
            std::istringstream words(line);
            std::string name, db, dbUnit, linear, unit;
            words >> name >> db >> dbUnit >> linear >> unit;
            for (const auto& s : slots)
                if (!found.empty() && name == s.name) {
                    found.back().*s.slot = std::stod(db);
                    if (s.slot == &Row::leq)
                        found.back().unit = unit;
                }
        }
        return found;
    };
    struct Case {
        const char* arguments;
        const char* channels;    ///< per results block (channel by channel): 's' sound, 'v' vibration
        double oneMetrePerS2 = 0; ///< the dB of 1 m/s2 in the file's vibration levels
    };
    const Case cases[] = {
        {"sample", "sss"},
        {"container --kind 45 --data-bytes 1000", "sss"},
        {"current --kind 45", "sss"},
        {"current --kind 45 --firmware 505", "sss"},
        {"multifile", "sss"},
        // Over 1 um/s2: 120 dB is 1 m/s2.
        {"current --kind 47 --device 530 --input 5", "vvv", 120},
        {"current --kind 47 --device 530 --input 5 --firmware 505", "vvv", 120},
        // A microphone and three accelerometers, over the 1 m/s2 of the file's 120 dB reference.
        {"four-channel", "svvv", 0},
        {"four-channel --channels 3 --firmware 215", "svv", 0},
        {"four-channel --first acc --profiles 2", "vvssssss", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        const fs::path file = dir / "f.orl";
        ASSERT_EQ(MakeFixture(c.arguments, file), 0);
        const Outcome dump = RunTool("orlu-dump", file.string() + " --header --results");
        ASSERT_EQ(dump.status, 0) << dump.err;
        EXPECT_EQ(dump.err, "");
        const std::vector<Row> found = rows(dump.out);
        ASSERT_EQ(found.size(), std::string_view(c.channels).size()) << dump.out;
        for (std::size_t i = 0; i < found.size(); ++i) {
            const Row& r = found[i];
            if (c.channels[i] == 'v') {
                // RMS <= MTVV <= Peak; an RMS of about 0.3 to 3 m/s2 (-10.5 to +10.5 dB), peaks below 30 m/s2.
                EXPECT_LE(r.leq, r.max);
                EXPECT_LE(r.max, r.peak);
                EXPECT_GT(r.leq, c.oneMetrePerS2 - 10.5);
                EXPECT_LT(r.leq, c.oneMetrePerS2 + 10.5);
                EXPECT_LT(r.peak, c.oneMetrePerS2 + 29.5);
                EXPECT_EQ(r.unit, "m/s\xC2\xB2");
            } else {
                EXPECT_LE(r.min, r.leq);
                EXPECT_LE(r.leq, r.max);
                EXPECT_LE(r.max, r.peak);
                EXPECT_GT(r.min, 50.0);
                EXPECT_LT(r.peak, 110.0);
            }
        }
    }
    // The percentage of the statistical level beside the main results: 10 % for the first profile.
    const fs::path sample = dir / "s.orl";
    ASSERT_EQ(MakeFixture("sample", sample), 0);
    const Outcome text = RunTool("orlu-dump", sample.string() + " --view 2 --form text");
    EXPECT_NE(text.out.find(" 24/05/14  14:30'20   #1  A      Fast   00:10'00 |    dB |  104.5   58.7   93.4   76.2   "
                            "81.5   83.6   85.1 |    109.3 |  10     86.0\r\n"),
              std::string::npos)
        << text.out;
}

namespace {

TEST_F(Tools, DumpStoresTheDocumentExtractedFromASubFileOrWritesNothing)
{
    const fs::path multi = dir / "legacy.orl";
    ASSERT_EQ(MakeFixture("legacy --kind 23 --files 3", multi), 0);
    const auto members = orlu::fixture::LegacyMultifileMembers(3);
    const std::vector<std::uint8_t>& third = members[2].bytes;

    const fs::path out = dir / "file3.orl";
    Outcome run = RunTool("orlu-dump", multi.string() + " --extract 3 --out " + out.string());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "extracted sub-file 3 (FILE3): kind 3, " + std::to_string(third.size()) + " bytes\n");
    // Stored as the program stores a document: the header, then that file's bytes.
    const std::vector<std::uint8_t> stored = orlu::fixture::ReadFileBytes(out);
    ASSERT_EQ(stored.size(), 32 + third.size());
    EXPECT_EQ(stored[10], 3);
    EXPECT_TRUE(std::equal(third.begin(), third.end(), stored.begin() + 32));
    run = RunTool("orlu-dump", out.string() + " --summary");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("kind: 3\n"), std::string::npos) << run.out;

    // Refused: a number past the list, and a Multifile whose third file runs two bytes past
    // the data, which the program does not take as a Multifile at all. Nothing is written.
    std::vector<std::uint8_t> bytes = orlu::fixture::ReadFileBytes(multi);
    orlu::fixture::FixtureBuilder past;
    past.Bytes(bytes).PatchLe32(32 + 2 * 28 + 16, static_cast<std::uint32_t>(third.size() + 2));
    const fs::path pastFile = dir / "past.orl";
    past.WriteTo(pastFile);
    struct Case {
        fs::path file;
        const char* option;
        const char* error;
    } cases[] = {
        {multi, "--extract 4", "no sub-file 4 to extract (sub-files: 3)"},
        {pastFile, "--extract 3", "no sub-file 3 to extract (sub-files: 0)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.option);
        const fs::path refused = dir / "refused.orl";
        run = RunTool("orlu-dump", c.file.string() + " " + c.option + " --out " + refused.string());
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find(c.error), std::string::npos) << run.err;
        EXPECT_FALSE(fs::exists(refused));
    }
    EXPECT_NE(run.out.find("message: past.orl  -  Improper file contents\n"), std::string::npos) << run.out;
}

TEST_F(Tools, LoggerImpulsesAndBlockEditsFromTheCommandLine)
{
    // A logger of 16 rows at 0.1 s: profile 1 (impulse) 6.0 dB above profile 2 (slow) in row 2,
    // 5.9 dB in rows 3 and 4, row 4 overloaded; profile 3 (fast) peaks 10.1 dB in row 10.
    const fs::path logger = dir / "logger.orl";
    ASSERT_EQ(MakeFixture("current --kind 45 --logger 16 --step-ms 100 --impulse-profiles 1,2,3 --logger-levels "
                          "1=700,760,759,759!,700,700,700,700,700,700,700,700,700,700,700,700/2=700/"
                          "3=500,500,500,500,500,500,500,500,500,601,500,500,500,500,500,500",
                          logger),
              0);
    CommandRun run = Dump(logger, "--impulses 3 2>&1");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "2: 0x01\n4: 0x01\n10: 0x10\n11: 0x10\n");
    EXPECT_EQ(Dump(logger, "--impulses 1 2>&1").out, "2: 0x01\n4: 0x01\n");

    const fs::path edited = dir / "edited.orl";
    run = Dump(logger, "--markers 2,4 --edit delete --out " + edited.string() + " 2>&1");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "edited: kind 50, 13 records\n");
    run = Dump(edited, "--summary 2>&1");
    EXPECT_NE(run.out.find("kind: 50\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("record index: 13\n"), std::string::npos) << run.out;

    // Deleting every record is refused: a message, status 1, no file.
    const fs::path all = dir / "all.orl";
    run = Dump(logger, "--markers 0,15 --edit delete --out " + all.string() + " 2>/dev/null");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "message: The whole buffer/logger cannot be deleted\n");
    EXPECT_FALSE(fs::exists(all));

    // An edit needs its markers and its output file.
    EXPECT_EQ(Dump(logger, "--edit keep --out " + all.string() + " 2>/dev/null").status, 2);
    EXPECT_EQ(Dump(logger, "--markers 1 --edit keep 2>/dev/null").status, 2);
    EXPECT_EQ(Dump(logger, "--impulses 4 2>/dev/null").status, 2);
}

TEST_F(Tools, LegacyBufferBlockIsCopiedIntoAKind10File)
{
    const fs::path buffer = dir / "buffer.orl";
    ASSERT_EQ(MakeFixture("legacy --history 20 --buffer-levels 500,600! --format-version 32", buffer), 0);
    const fs::path copy = dir / "copy.orl";
    CommandRun run = Dump(buffer, "--markers 9,5 --edit copy --out " + copy.string() + " 2>&1");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "copied: kind 10, 5 records\n");
    run = Dump(copy, "--summary 2>&1");
    EXPECT_NE(run.out.find("kind: 10\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("record index: 5\n"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("checksum"), std::string::npos) << run.out;
    // A logger level option needs a logger, a format version its description's words.
    EXPECT_NE(MakeFixture("current --kind 45 --logger-levels 700", dir / "x.orl"), 0);
    EXPECT_NE(MakeFixture("legacy --history 5 --format-version 16", dir / "x.orl"), 0);
}

} // namespace
