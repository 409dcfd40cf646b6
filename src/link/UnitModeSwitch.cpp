#include "link/UnitModeSwitch.h"

#include "platform/FixedTextDialogs.h"

namespace orlu {
namespace {

ModeSwitchOutcome Switch(UnitLink& link, UnitMode mode)
{
    std::unique_ptr<LinkTransport> transport = link.OpenPort(ComProfile::Commands);
    if (!transport)
        return ModeSwitchOutcome::Error;
    if (!transport->SendText(ModeSwitchCommand(mode))) {
        transport->Release();
        return ModeSwitchOutcome::Error;
    }
    link.GetClock().Sleep(link.timing.afterModeSwitch);
    // Some units echo the mode command; the echo is not the identify reply.
    transport->DiscardInput();
    LinkFlags flags = link.flags;
    const IdentifyOutcome reply = IdentifyUnit(*transport, link.Ui(), nullptr, false, flags,
                                               static_cast<std::size_t>(link.timing.identifyReplyLimit));
    transport->Release();
    // A unit without modes answers without 'X'; whatever its second character
    // is, it says nothing of a mode.
    if (reply.result == kIdentifyNoReply || !reply.identity.hasModeLetter)
        return ModeSwitchOutcome::Error;
    if (reply.result != '0' + static_cast<int>(mode))
        return ModeSwitchOutcome::Error;
    return mode == UnitMode::Meter ? ModeSwitchOutcome::Meter : ModeSwitchOutcome::Analyzer;
}

} // namespace

std::string ModeSwitchCommand(UnitMode mode)
{
    return ";#1,X" + std::to_string(static_cast<int>(mode)) + ";";
}

ModeSwitchOutcome SetUnitMode(UnitLink& link, UnitMode mode)
{
    WaitCursor wait(link.Ui());
    const ModeSwitchOutcome outcome = Switch(link, mode);
    switch (outcome) {
    case ModeSwitchOutcome::Meter:
        ShowFixedText(link.Ui(), kUnitModeMeterText);
        break;
    case ModeSwitchOutcome::Analyzer:
        ShowFixedText(link.Ui(), kUnitModeAnalyzerText);
        break;
    case ModeSwitchOutcome::Error:
        ShowFixedText(link.Ui(), kUnitModeUnknownText);
        break;
    }
    return outcome;
}

} // namespace orlu
