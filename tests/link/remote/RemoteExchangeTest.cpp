// Get and Send of the remote-control settings against the simulated ORLU 505
// over a real pseudo-terminal. The pauses go to a clock that records them
// instead of sleeping, so "300 ms apart" is checked without waiting.

#include "link/remote/RemoteExchange.h"
#include "link/UnitLink.h"
#include "support/InstrumentModel.h"
#include "support/PtyInstrument.h"
#include "support/ScriptedInteraction.h"

#include <gtest/gtest.h>

#include <mutex>

namespace orlu {
namespace {

using S = Setting;
using Names = std::vector<std::string>;

/// Real time for deadlines; pauses are recorded and skipped.
class RecordingClock final : public Clock {
public:
    TimePoint Now() const override { return std::chrono::steady_clock::now(); }
    void Sleep(Duration duration) override
    {
        std::lock_guard lock(m_Mutex);
        m_Sleeps.push_back(std::chrono::duration_cast<Millis>(duration).count());
    }
    std::vector<long long> Sleeps() const
    {
        std::lock_guard lock(m_Mutex);
        return m_Sleeps;
    }

private:
    mutable std::mutex m_Mutex;
    std::vector<long long> m_Sleeps;
};

struct Unit505 {
    sim::InstrumentModel model;
    sim::PtyInstrument pty;
    ScriptedInteraction ui;
    RecordingClock clock;
    SerialLinkSettings serial;
    UnitLink link;

    explicit Unit505(const std::string& words) : model(Options(words)), pty(model), link(ui, serial, clock)
    {
        EXPECT_TRUE(pty.Start());
        link.timing = LinkTiming::Fast();
        link.timing.betweenRemoteItems = Millis(300);
        link.timing.afterRemoteItems = Millis(1000);
        link.SetPortOverride(pty.SlavePath());
    }
    static sim::SimOptions Options(const std::string& words)
    {
        sim::SimOptions o;
        std::string error;
        EXPECT_TRUE(sim::ParseSimOptions(words, o, error)) << error;
        return o;
    }
    std::string Sent() const
    {
        const std::vector<std::uint8_t> bytes = pty.Received();
        return std::string(bytes.begin(), bytes.end());
    }
};

TEST(RemoteExchangeTest, SendEachPageThenIdentify)
{
    CControlSett r;
    for (auto [s, v] : std::initializer_list<std::pair<S, int>>{
             {S::Calibration, 0}, {S::MicPolarization, 2}, {S::SoundBeep, 1}, {S::Mode, 2}, {S::MetInput, 2},
             {S::MetFunction, 3}, {S::IntegrationTime, 30}, {S::MetFilter, 11}, {S::AnFunction, 4},
             {S::AveragingNumber, 100}, {S::TriggerLevel, -50}, {S::Zoom, 1}})
        ASSERT_TRUE(r.Set(s, v));
    struct Case {
        int page;
        std::string items;
        char mode; ///< what the unit reports afterwards
        std::string dialog;
    };
    const Case cases[] = {
        {0, "#1,Q2;#1,V2;#1,P1;#1,X2;", '2', "ORLU 505  -  ANALYZER  mode"},
        {1, "#1,g2;#1,m3;#1,c1;#1,d30;#1,e1;#1,f11;#1,k2;#1,r1;", '1', "ORLU 505  -  METER  mode"},
        {2, "#1,G1;#1,A1;#1,B-50;#1,I1;#1,M4;#1,H1;#1,C1;#1,D100;#1,R1;#1,F1;#1,K1;#1,L1;#1,Z1;", '1',
         "ORLU 505  -  METER  mode"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.page);
        Unit505 unit("--model 505 --mode 1");
        EXPECT_EQ(SendSettingsPage(unit.link, r, c.page), c.mode);
        EXPECT_EQ(unit.Sent(), c.items + ";#1;");
        const auto items = static_cast<std::size_t>(CControlSett::GetSendItemCount(c.page) - (c.page == 0));
        std::vector<long long> pauses(items, 300);
        pauses.push_back(1000);
        EXPECT_EQ(unit.clock.Sleeps(), pauses);
        EXPECT_EQ(unit.ui.Messages(), Names{c.dialog});
        EXPECT_EQ(unit.ui.WaitDepth(), 0);
    }
}

TEST(RemoteExchangeTest, GetFillsTheRecordWithWhatWasSent)
{
    Unit505 unit("--model 505 --e-version --serial 4321");
    CControlSett sent;
    ASSERT_TRUE(sent.Set(S::UnitVersion, 1));
    for (auto [s, v] : std::initializer_list<std::pair<S, int>>{
             {S::MetInput, 4}, {S::MetFunction, 10}, {S::MetRmsAveraging, 3}, {S::IntegrationTimeUnit, 2},
             {S::IntegrationTime, 45}, {S::MetDeltaIntegr, 9}, {S::MetFilter, 6}, {S::AutoRepeat, 1},
             {S::MetRange, 4}})
        ASSERT_TRUE(sent.Set(s, v));
    ASSERT_EQ(SendSettingsPage(unit.link, sent, 1), '1');

    CControlSett got;
    EXPECT_EQ(GetUnitSettings(unit.link, got), '1');
    EXPECT_EQ(unit.Sent().substr(unit.Sent().rfind(';', unit.Sent().size() - 2)), ";#1;");
    for (S s : {S::MetInput, S::MetFunction, S::MetRmsAveraging, S::IntegrationTimeUnit, S::IntegrationTime,
                S::MetDeltaIntegr, S::MetFilter, S::AutoRepeat, S::MetRange})
        EXPECT_EQ(got.Get(s), sent.Get(s)) << SettingName(s);
    EXPECT_EQ(got.Get(S::UnitVersion), 1);
    EXPECT_EQ(got.SerialNumber(), "4321");
    // The whole reply is read: the ANALYZER settings the unit holds, up to its last letter.
    EXPECT_EQ(got.Get(S::Window), 2);
    EXPECT_EQ(got.Get(S::AnRmsAveraging), 1);
    EXPECT_EQ(got.Get(S::Zoom), 0);
}

TEST(RemoteExchangeTest, NoReply)
{
    Unit505 unit("--model 505 --fault silent");
    CControlSett r;
    r.ParseUnitSettings("#1,X2,NE5;");
    const CControlSett before = r;
    EXPECT_EQ(GetUnitSettings(unit.link, r), 0);
    EXPECT_EQ(r, before);
    EXPECT_EQ(SendSettingsPage(unit.link, r, 0), 0);
    const std::string unknown = "ORLU unit  -  Unknown mode \nConnection or transmission error !!!";
    EXPECT_EQ(unit.ui.Messages(), (Names{unknown, unknown}));
    // The items still went out before the unit was asked.
    EXPECT_EQ(unit.Sent(), ";#1;#1,Q1;#1,V1;#1,P1;#1,X2;;#1;");
}

TEST(RemoteExchangeTest, PortThatCannotBeOpened)
{
    Unit505 unit("--model 505");
    unit.link.SetPortOverride("/nonexistent/tty");
    CControlSett r;
    EXPECT_EQ(SendSettingsPage(unit.link, r, 2), 0);
    EXPECT_TRUE(unit.clock.Sleeps().empty());
    const std::string unknown = "ORLU unit  -  Unknown mode \nConnection or transmission error !!!";
    EXPECT_EQ(unit.ui.Messages(), (Names{unknown, unknown}));
}

} // namespace
} // namespace orlu
