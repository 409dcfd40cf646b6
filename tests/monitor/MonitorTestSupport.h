#pragma once
// A document holding a MONITOR stream, loaded the way every path loads one,
// and an interaction that keeps the messages it was shown.

#include "document/CTmDoc.h"
#include "document/container/FileKindCode.h"
#include "monitor/MonitorDocument.h"
#include "monitor/MonitorLoader.h"
#include "support/MonitorStreamBuilder.h"
#include "support/QuietInteraction.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace orlu {

class MessageLog : public QuietInteraction {
public:
    MessageResult ShowMessage(std::string_view text, std::string_view caption, MessageButtons buttons, MessageIcon icon,
                              MessageResult fallback) override
    {
        texts.emplace_back(text);
        return QuietInteraction::ShowMessage(text, caption, buttons, icon, fallback);
    }
    std::vector<std::string> texts;
};

class MonitorTest : public ::testing::Test {
protected:
    /// A document of kind 80 holding the bytes; `loaded` tells whether the parser took them.
    std::unique_ptr<CTmDoc> Load(const std::vector<std::uint8_t>& bytes, bool* loaded = nullptr)
    {
        auto doc = std::make_unique<CTmDoc>(app);
        EXPECT_TRUE(doc->CopyIntoPages(bytes));
        doc->SetFileKind(kKindMonitor);
        const bool ok = LoadMonitorDocument(*doc);
        if (loaded)
            *loaded = ok;
        return doc;
    }
    std::unique_ptr<CTmDoc> Load(const fixture::MonitorStreamBuilder& stream, bool* loaded = nullptr)
    {
        return Load(stream.Data(), loaded);
    }

    MessageLog ui;
    AppContext app{ui};
};

/// The station block of the worked example: station 26, Extended, flags 0x1F07, a minute's
/// step, a start at 12:30 on 9 July 2009.
inline constexpr std::string_view kExampleStation = "Y1A,M2,D1F07,V3C,S1Ex0Cx09x07x09";

} // namespace orlu
