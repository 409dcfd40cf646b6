// Files of four families over a real pseudo-terminal, as a user runs the
// tools: orlu-fixture writes a file, orlu-instsim serves its bytes,
// orlu-link downloads it (the container header written out here by hand, then
// exactly the instrument's bytes) and opens it as a document, which dumps as
// the fixture does.

#include "support/CommandRun.h"
#include "support/ToolPaths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace orlu {
namespace {

using fixture::RunCommand;
namespace fs = std::filesystem;

using test::ReadAll;
using test::Tool;

/// A scratch folder with the simulator's files in files/.
struct RoundTrip {
    fs::path root;
    RoundTrip()
    {
        root = fs::path(testing::TempDir()) /
               ("roundtrip-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(root);
        for (const char* sub : {"files", "dl", "open"})
            fs::create_directories(root / sub);
    }
    ~RoundTrip() { fs::remove_all(root); }

    /// Writes a fixture with orlu-fixture and serves it as the unit file `served` (NAME.T.orl).
    void Fixture(const std::string& options, const std::string& served) const
    {
        const fixture::CommandRun run =
            RunCommand(Tool("orlu-fixture") + " " + options + " " + (root / "files" / served).string());
        ASSERT_EQ(run.status, 0) << options << run.out;
    }
    /// orlu-link on the simulator's port; the simulator's transcript goes to transcript.txt.
    fixture::CommandRun Link(const std::string& sim, const std::string& link) const
    {
        const std::string script = "set -e; f=$(mktemp); " + Tool("orlu-instsim") + " " + sim + " --files " +
                                   (root / "files").string() + " --transcript " + (root / "transcript").string() +
                                   " > \"$f\" & pid=$!; while [ ! -s \"$f\" ]; do sleep 0.01; done; set +e; " +
                                   Tool("orlu-link") + " --port \"$(head -1 \"$f\")\" --timing fast " + link +
                                   "; rc=$?; kill -TERM $pid; wait $pid; rm -f \"$f\"; exit $rc";
        return RunCommand(test::BashCommand(script));
    }
    std::string Dump(const fs::path& file, const std::string& options) const
    {
        const fixture::CommandRun run = RunCommand(Tool("orlu-dump") + " " + file.string() + " " + options);
        EXPECT_EQ(run.status, 0) << file << " " << options << run.out;
        return run.out;
    }
};

/// The 32-byte header a download writes, byte by byte.
std::string Container(char kind, char subKind)
{
    std::string header("OrluPC\x1a\0", 8);
    header += std::string("\x20\0", 2);
    header += kind;
    header += subKind;
    header.resize(32, '\0');
    return header;
}

TEST(UnitFileRoundTrip, DownloadedAndOpenedFilesOfFourFamilies)
{
    struct Case {
        const char* what;
        std::string fixture;
        std::string served;   ///< NAME.T.orl
        std::string sim;
        std::string link;     ///< selector and list options
        char kind;            ///< in the downloaded header
        std::string dumpOptions;
    };
    const Case cases[] = {
        {"ORLU 525", "current --kind 45", "L0001.1.orl", "--model 525", "--selector 3 --select 1", 45,
         "--header --results --viewmask"},
        {"ORLU 505 METER file", "legacy --kind 3", "L0001.1.orl", "--model 505", "--selector 1 --select 1", 3,
         "--header --results --viewmask"},
        {"ORLU 560 (selector 12)", "current --kind 99 --device 560", "L0001.1.orl", "--model 560",
         "--selector 12 --select 1", 73, "--header --results --viewmask"},
        {"MONITOR", "monitor --station Y1A,M2,DFC07,V384,E384,S00x0Cx09x07x09,C00x01x00 --setup "
                    "U525,N1234,W315,M2,D1h,F2:1,C1:1 --intervals 6",
         "L0001.0.orl", "--model monitor", "--selector 7 --select 1", 80, "--monitor --viewmask"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const RoundTrip trip;
        trip.Fixture(c.fixture, c.served);
        const std::string fixtureBytes = ReadAll(trip.root / "files" / c.served);
        ASSERT_GT(fixtureBytes.size(), 32u);

        const fixture::CommandRun download =
            trip.Link(c.sim, c.link + " download --download-path " + (trip.root / "dl").string());
        EXPECT_EQ(download.status, 0) << download.out;
        EXPECT_EQ(ReadAll(trip.root / "dl" / "L0001.orl"), Container(c.kind, 0) + fixtureBytes.substr(32));

        const fixture::CommandRun open =
            trip.Link(c.sim, c.link + " open --save-dir " + (trip.root / "open").string());
        EXPECT_EQ(open.status, 0) << open.out;
        const fs::path opened = trip.root / "open" / (c.kind == 80 ? "Monitor1.orl" : "L0001.orl");
        ASSERT_TRUE(fs::exists(opened)) << open.out;
        const fs::path fixtureFile = trip.root / "fixture.orl";
        fs::copy_file(trip.root / "files" / c.served, fixtureFile);
        EXPECT_EQ(trip.Dump(opened, c.dumpOptions), trip.Dump(fixtureFile, c.dumpOptions));
    }
}

TEST(UnitFileRoundTrip, MonitorRangesComeFromTheSortedLinesEntry)
{
    const RoundTrip trip;
    const std::string station = "monitor --station Y1A,M2,DFC07,V384,E384,S00x0Cx09x07x09,C00x01x00 --setup "
                                "U525,N1234,W315,M2,D1h,F2:1,C1:1 --intervals ";
    // B2 comes first in the directory (the simulator orders its files byte by byte), a1 first
    // in the list sorted without regard to case.
    trip.Fixture(station + "3", "B2.0.orl");
    trip.Fixture(station + "5", "a1.0.orl");
    const std::string b = ReadAll(trip.root / "files" / "B2.0.orl").substr(32);
    const std::string a = ReadAll(trip.root / "files" / "a1.0.orl").substr(32);

    const fixture::CommandRun listing = trip.Link("--model monitor", "--selector 7 dir --sort --details");
    EXPECT_NE(listing.out.find("1: a1.......<m>"), std::string::npos) << listing.out;
    const fixture::CommandRun run = trip.Link("--model monitor", "--selector 7 download --sort --select 1 "
                                                                 "--download-path " + (trip.root / "dl").string());
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(ReadAll(trip.root / "dl" / "a1.orl"), Container(80, 0) + a);
    // The files lie end to end from 0x000100 in directory order: A's range follows B's.
    char request[40];
    std::snprintf(request, sizeof request, ";#4,1,%06zX,%06zX;", 0x100 + b.size(), 0x100 + b.size() + a.size() - 1);
    EXPECT_NE(ReadAll(trip.root / "transcript").find(request), std::string::npos) << request;
}

} // namespace
} // namespace orlu
