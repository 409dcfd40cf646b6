// The mode switch against the simulated ORLU 505 over a pseudo-terminal: the
// command, the change-over wait (on a clock that only records it), identify,
// and the outcome dialog.

#include "SimulatedUnit.h"
#include "link/UnitModeSwitch.h"

#include <mutex>

namespace orlu {
namespace {

/// Real time for the port's deadlines; sleeps are recorded, not slept.
class SleepRecordingClock final : public Clock {
public:
    TimePoint Now() const override { return std::chrono::steady_clock::now(); }
    void Sleep(Duration duration) override
    {
        std::lock_guard lock(m_Mutex);
        m_Sleeps.push_back(std::chrono::duration_cast<Millis>(duration));
    }
    std::vector<Millis> Sleeps() const
    {
        std::lock_guard lock(m_Mutex);
        return m_Sleeps;
    }

private:
    mutable std::mutex m_Mutex;
    std::vector<Millis> m_Sleeps;
};

struct ModeUnit {
    sim::InstrumentModel model;
    sim::PtyInstrument pty;
    ScriptedInteraction ui;
    SleepRecordingClock clock;
    SerialLinkSettings serial;
    UnitLink link;

    explicit ModeUnit(const std::string& options) : model(SimulatedUnit::Options(options)), pty(model), link(ui, serial, clock)
    {
        EXPECT_TRUE(pty.Start());
        link.timing = LinkTiming::Fast();
        link.timing.afterModeSwitch = Millis(1000);
        link.deviceSelector = 1;
        link.SetPortOverride(pty.SlavePath());
    }
};

constexpr std::string_view kMeterText = "ORLU 505  -  METER  mode";
constexpr std::string_view kAnalyzerText = "ORLU 505  -  ANALYZER  mode";

TEST(UnitModeSwitchTest, OutcomeFollowsTheModeTheUnitReportsAfterTheCommand)
{
    struct Case {
        std::string options;
        UnitMode asked;
        ModeSwitchOutcome outcome;
        std::string_view dialog;
        int modeAfter;
    };
    const Case cases[] = {
        // Already in the mode: the command is still sent.
        {"--model 505 --mode 2", UnitMode::Analyzer, ModeSwitchOutcome::Analyzer, kAnalyzerText, 2},
        {"--model 505 --mode 1", UnitMode::Analyzer, ModeSwitchOutcome::Analyzer, kAnalyzerText, 2},
        {"--model 505 --mode 2", UnitMode::Meter, ModeSwitchOutcome::Meter, kMeterText, 1},
        // An echo of the command is not taken for the identify reply.
        {"--model 505 --mode 2 --echo", UnitMode::Meter, ModeSwitchOutcome::Meter, kMeterText, 1},
        {"--model 505 --mode 1 --echo --fault wrong-mode", UnitMode::Analyzer, ModeSwitchOutcome::Error,
         kConnectionError, 1},
        // The unit answers with mode 1 after the command for mode 2.
        {"--model 505 --mode 1 --fault wrong-mode", UnitMode::Analyzer, ModeSwitchOutcome::Error, kConnectionError, 1},
        {"--model 505 --mode 1 --fault silent", UnitMode::Meter, ModeSwitchOutcome::Error, kConnectionError, 1},
        // A unit without modes: its reply "#1,U525,..." has '1' second, which is no METER mode.
        {"--model 525", UnitMode::Meter, ModeSwitchOutcome::Error, kConnectionError, 1},
        {"--model 525", UnitMode::Analyzer, ModeSwitchOutcome::Error, kConnectionError, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options + " asked " + std::to_string(static_cast<int>(c.asked)));
        ModeUnit unit(c.options);
        EXPECT_EQ(SetUnitMode(unit.link, c.asked), c.outcome);
        EXPECT_EQ(unit.ui.Messages(), std::vector<std::string>{std::string(c.dialog)});
        const std::vector<std::uint8_t> sent = unit.pty.Received();
        EXPECT_EQ(std::string(sent.begin(), sent.end()), ModeSwitchCommand(c.asked) + ";#1;");
        EXPECT_EQ(unit.clock.Sleeps(), std::vector<Millis>{Millis(1000)});
        EXPECT_EQ(unit.model.Mode(), c.modeAfter);
        EXPECT_EQ(unit.ui.WaitDepth(), 0);
    }
}

TEST(UnitModeSwitchTest, PortThatCannotOpenShowsBothErrorDialogs)
{
    ModeUnit unit("--model 505");
    unit.link.SetPortOverride("/nonexistent/orlu-port");
    EXPECT_EQ(SetUnitMode(unit.link, UnitMode::Meter), ModeSwitchOutcome::Error);
    EXPECT_EQ(unit.ui.Messages(), (std::vector<std::string>{std::string(kConnectionError), std::string(kConnectionError)}));
    EXPECT_TRUE(unit.clock.Sleeps().empty());
    EXPECT_TRUE(unit.pty.Received().empty());
}

} // namespace
} // namespace orlu
