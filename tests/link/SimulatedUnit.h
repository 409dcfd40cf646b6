#pragma once
// The program's link against the simulated instrument behind a real
// pseudo-terminal, with short deadlines.

#include "link/UnitLink.h"
#include "support/InstrumentModel.h"
#include "support/PtyInstrument.h"
#include "support/ScriptedInteraction.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace orlu {

inline constexpr std::string_view kConnectionError =
    "ORLU unit  -  Unknown mode \nConnection or transmission error !!!";

struct SimulatedUnit {
    sim::InstrumentModel model;
    sim::PtyInstrument pty;
    ScriptedInteraction ui;
    SystemClock clock;
    SerialLinkSettings serial;
    UnitLink link;

    SimulatedUnit(const std::string& options, std::uint8_t selector, std::vector<sim::UnitFile> files = {})
        : model(Options(options), std::move(files)), pty(model), link(ui, serial, clock)
    {
        EXPECT_TRUE(pty.Start());
        link.timing = LinkTiming::Fast();
        link.deviceSelector = selector;
        link.SetPortOverride(pty.SlavePath());
    }
    static sim::SimOptions Options(const std::string& words)
    {
        sim::SimOptions o;
        std::string error;
        EXPECT_TRUE(sim::ParseSimOptions(words, o, error)) << error;
        return o;
    }
    /// Every byte the instrument received, as text.
    std::string Sent() const
    {
        const std::vector<std::uint8_t> bytes = pty.Received();
        return std::string(bytes.begin(), bytes.end());
    }
};

} // namespace orlu
