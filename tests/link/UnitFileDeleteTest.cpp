// Erasing the selected files against the simulated instrument: the exact
// bytes of each family's command, the directory copy edited in place, and
// the ends of a run (declined, no acknowledgement, cancelled).

#include "SimulatedUnit.h"
#include "link/UnitFileDelete.h"

#include <gtest/gtest.h>

#include <thread>

namespace orlu {
namespace {

const std::string kConfirm2 = "You are about to delete 2 file(s) from the ORLU unit RAM-disk.\nDo you confirm?";
const std::string kConfirm3 = "You are about to delete 3 file(s) from the ORLU unit RAM-disk.\nDo you confirm?";

struct DeleteRun {
    SimulatedUnit unit;
    CUnitDirectory dir;
    TransferProgress progress;
    std::string sentBefore;

    DeleteRun(const std::string& options, std::uint8_t selector, std::vector<sim::UnitFile> files)
        : unit(options, selector, std::move(files))
    {
        EXPECT_TRUE(dir.ReadDirectory(unit.link, progress));
        sentBefore = unit.Sent();
    }
    /// With a short per-byte deadline, so that 100 unanswered attempts stay short.
    int Delete(Millis perByte = Millis(10))
    {
        unit.link.timing.com[0].readMultiplier = Millis(0);
        unit.link.timing.com[0].readConstant = perByte;
        const int omitted = DeleteUnitFiles(unit.link, dir, progress);
        unit.link.timing = LinkTiming::Fast();
        return omitted;
    }
    /// Selects directory entries with the list lines the dialog gives them.
    void Select(std::initializer_list<std::pair<std::size_t, std::string>> lines)
    {
        for (const auto& [entry, line] : lines) {
            dir.GetSelectedNames().push_back(line);
            dir.GetSelectedEntries().push_back(entry);
            dir.GetSelectionFlags()[entry] = 1;
        }
    }
    std::string SentByDelete() const { return unit.Sent().substr(sentBefore.size()); }
    std::vector<std::string> RemainingFiles() const
    {
        std::vector<std::string> names;
        for (const sim::UnitFile& f : unit.model.Files())
            names.push_back(f.name);
        return names;
    }
};

sim::UnitFile File(std::string name, std::uint8_t type, std::uint8_t subtype = 0)
{
    return {std::move(name), type, subtype, std::vector<std::uint8_t>(10, 0x11)};
}

TEST(UnitFileDeleteTest, The505SendsItsCommandAndAZeroSize)
{
    DeleteRun run("--model 505", 1, {File("M1", 1), File("K1", 0), File("A1", 2)});
    run.Select({{0, "M1<m>"}, {1, "K1<k>"}, {2, "A1<a>"}});
    run.unit.ui.ExpectMessage(kConfirm3, MessageResult::Yes);
    EXPECT_EQ(run.Delete(), 1);

    using namespace std::string_literals;
    EXPECT_EQ(run.SentByDelete(), ";#5,1,M1;\0\0\0\0;#5,2,A1;\0\0\0\0"s);
    EXPECT_EQ(run.unit.ui.Messages(),
              (std::vector<std::string>{kConfirm3, "Can't delete ORLU file: K1",
                                        "Delete operation finished O.K.\n2 file(s) ereased\n1 file(s) omitted"}));
    EXPECT_EQ(run.dir.GetEntry(0).Size(), 0u);
    EXPECT_EQ(run.dir.GetEntry(1).Size(), 10u);
    EXPECT_EQ(run.dir.GetEntry(2).Size(), 0u);
    EXPECT_EQ(run.dir.GetSelectionFlags(), (std::vector<std::uint8_t>{0, 1, 0}));
    EXPECT_EQ(run.RemainingFiles(), std::vector<std::string>{"K1"});
    EXPECT_TRUE(run.progress.Finished());
}

TEST(UnitFileDeleteTest, OtherFamiliesEraseFilesAndSetupFiles)
{
    // Under sort the list order differs from the directory's: each line erases its own entry.
    DeleteRun run("--model 525", 3, {File("L1", 1), File("SET1", 0, 2), File("D1", 4), File("BUF_1", 0)});
    run.Select({{3, "BUF_1<b>"}, {2, "D1<d>"}, {0, "L1<l>"}, {1, "SET1<s>"}});
    run.unit.ui.ExpectMessage("You are about to delete 4 file(s) from the ORLU unit RAM-disk.\nDo you confirm?",
                              MessageResult::Yes);
    EXPECT_EQ(run.Delete(), 1);
    EXPECT_EQ(run.SentByDelete(), ";#7,DF,D1;;#7,DF,L1;;#7,DS,SET1;");
    for (std::size_t erased : {0, 1, 2})
        EXPECT_EQ(run.dir.GetEntry(erased).Size(), 0u) << erased;
    EXPECT_EQ(run.dir.GetEntry(3).Size(), 10u);
    EXPECT_EQ(run.dir.GetSelectionFlags(), (std::vector<std::uint8_t>{0, 0, 0, 1}));
    EXPECT_EQ(run.unit.ui.Messages()[1], "Can't delete ORLU file: BUF_1");
    EXPECT_EQ(run.unit.ui.Messages().back(), "Delete operation finished O.K.\n3 file(s) ereased\n1 file(s) omitted");
}

TEST(UnitFileDeleteTest, EndsOfARun)
{
    const std::string dialog(kConnectionError);
    struct Case {
        std::string options;
        std::uint8_t selector;
        MessageResult confirm;
        int omitted;
        std::string sent;
        std::vector<std::string> after; ///< the messages after the confirmation
    };
    const Case cases[] = {
        // Declined: nothing is sent and no summary follows.
        {"--model 525", 3, MessageResult::No, 2, "", {}},
        // No acknowledgement for the second file: the first stays erased.
        {"--model 525 --fault no-ack@F2", 3, MessageResult::Yes, 1, ";#7,DF,F1;;#7,DF,F2;",
         {dialog, "Delete operation stopped.\n1 file(s) ereased\n1 file(s) omitted"}},
        // Families without a delete command send nothing.
        {"--model 515 --firmware 1.90", 2, MessageResult::Yes, 2, "",
         {"Delete operation finished O.K.\n0 file(s) ereased\n2 file(s) omitted"}},
        {"--model monitor", 7, MessageResult::Yes, 2, "",
         {"Delete operation finished O.K.\n0 file(s) ereased\n2 file(s) omitted"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        DeleteRun run(c.options, c.selector, {File("F1", 1), File("F2", 1)});
        run.Select({{0, "F1<l>"}, {1, "F2<l>"}});
        run.unit.ui.ExpectMessage(kConfirm2, c.confirm);
        EXPECT_EQ(run.Delete(), c.omitted);
        EXPECT_EQ(run.SentByDelete(), c.sent);
        std::vector<std::string> expected{kConfirm2};
        expected.insert(expected.end(), c.after.begin(), c.after.end());
        EXPECT_EQ(run.unit.ui.Messages(), expected);
        // The port was released: the directory can be read again at once.
        EXPECT_TRUE(run.dir.ReadDirectory(run.unit.link, run.progress));
    }
}

TEST(UnitFileDeleteTest, CancelIsSeenWhileWaitingForTheAcknowledgement)
{
    DeleteRun run("--model 525 --fault no-ack", 3, {File("F1", 1), File("F2", 1)});
    run.Select({{0, "F1<l>"}, {1, "F2<l>"}});
    run.unit.ui.ExpectMessage(kConfirm2, MessageResult::Yes);
    std::thread user([&] {
        while (run.SentByDelete().find(";#7,DF,F1;") == std::string::npos)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        run.progress.Request(TransferRequest::Cancel, false);
    });
    const auto start = std::chrono::steady_clock::now();
    // Long enough (100 x 100 ms) that only Cancel can end the wait within the test.
    EXPECT_EQ(run.Delete(Millis(100)), 2);
    user.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(run.SentByDelete(), ";#7,DF,F1;");
    EXPECT_EQ(run.unit.ui.Messages(),
              (std::vector<std::string>{kConfirm2, "Delete operation stopped.\n0 file(s) ereased\n2 file(s) omitted"}));
    EXPECT_EQ(run.dir.GetSelectionFlags(), (std::vector<std::uint8_t>{1, 1}));
}

TEST(UnitFileDeleteTest, CommandsByFamilyAndLetter)
{
    struct Case {
        std::uint8_t selector;
        char letter;
        std::optional<std::string> text;
    };
    const Case cases[] = {
        {1, 'm', ";#5,1,N;"}, {1, 'a', ";#5,2,N;"}, {1, 's', ";#5,3,N;"}, {1, 'u', ";#5,4,N;"},
        {1, 'k', std::nullopt}, {1, 'b', std::nullopt}, {1, 'l', std::nullopt},
        {12, 'y', ";#7,DF,N;"}, {12, 's', ";#7,DS,N;"}, {12, 'b', std::nullopt}, {10, 'x', ";#7,DF,N;"},
        {2, 'l', std::nullopt}, {7, 'm', std::nullopt},
    };
    for (const Case& c : cases) {
        const std::optional<DeleteCommand> cmd = BuildDeleteCommand(c.selector, c.letter, "N");
        ASSERT_EQ(cmd.has_value(), c.text.has_value()) << int(c.selector) << c.letter;
        if (cmd) {
            EXPECT_EQ(cmd->text, *c.text);
            EXPECT_EQ(cmd->sizeWord, c.selector == 1);
        }
    }
}

} // namespace
} // namespace orlu
