#include "link/remote/RemoteExchange.h"

#include "platform/FixedTextDialogs.h"

namespace orlu {

namespace {

/// Identify without touching the device selector or the link's firmware
/// flag: the settings exchange only wants the reply.
IdentifyOutcome IdentifyForSettings(UnitLink& link, LinkTransport& transport)
{
    LinkFlags flags = link.flags;
    return IdentifyUnit(transport, link.Ui(), nullptr, false, flags,
                        static_cast<std::size_t>(link.timing.identifyReplyLimit));
}

} // namespace

int GetUnitSettings(UnitLink& link, CControlSett& settings)
{
    WaitCursor wait(link.Ui());
    std::unique_ptr<LinkTransport> transport = link.OpenPort(ComProfile::Commands);
    if (!transport)
        return kIdentifyNoReply;
    const IdentifyOutcome outcome = IdentifyForSettings(link, *transport);
    transport->Release();
    if ((outcome.result & 0xFF) == kIdentifyNoReply) {
        ShowFixedText(link.Ui(), kUnitModeUnknownText);
        return kIdentifyNoReply;
    }
    settings.ParseUnitSettings(outcome.reply);
    return outcome.result;
}

int SendSettingsPage(UnitLink& link, const CControlSett& settings, int page)
{
    WaitCursor wait(link.Ui());
    int result = kIdentifyNoReply;
    if (std::unique_ptr<LinkTransport> transport = link.OpenPort(ComProfile::Commands)) {
        bool sent = true;
        const int count = CControlSett::GetSendItemCount(page);
        for (int i = 1; i <= count && sent; ++i) {
            const std::string item = settings.FormatSendItem(page, i);
            if (item.empty())
                continue;
            sent = transport->SendText("#1," + item + ";");
            if (sent)
                link.GetClock().Sleep(link.timing.betweenRemoteItems);
        }
        if (sent) {
            link.GetClock().Sleep(link.timing.afterRemoteItems);
            result = IdentifyForSettings(link, *transport).result & 0xFF;
        }
        transport->Release();
    }
    if (result == '1')
        ShowFixedText(link.Ui(), kUnitModeMeterText);
    else if (result == '2')
        ShowFixedText(link.Ui(), kUnitModeAnalyzerText);
    else
        ShowFixedText(link.Ui(), kUnitModeUnknownText);
    return result;
}

} // namespace orlu
