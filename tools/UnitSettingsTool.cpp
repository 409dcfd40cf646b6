#include "UnitSettingsTool.h"

#include "support/UnitDocuments.h"

#include "link/UnitFileOpen.h"
#include "presentation/DeviceSelectorMenu.h"
#include "presentation/InstrumentOutputCommands.h"

#include <cstdio>

namespace orlu::tools {

bool ParseUnitSettingsOption(const std::vector<std::string>& args, std::size_t& i, UnitSettingsOptions& o)
{
    if (args[i] != "--save" || i + 1 >= args.size())
        return false;
    o.save = args[++i];
    return true;
}

int RunUnitSettingsCommand(UnitLink& link, const UnitSettingsOptions& o)
{
    // As in the menu, where the item is not offered for the MONITOR.
    if (!DeviceMenuItemEnabled(kIdUnitSettings, link.deviceSelector)) {
        std::printf("settings are not offered for family %d\n", link.deviceSelector);
        return 1;
    }
    AppContext app(link.Ui());
    TransferProgress progress;
    UnitFileOpener opener(link, progress);
    opener.Install(app);
    std::vector<std::unique_ptr<CTmDoc>> documents;
    CollectUnitDocuments(app, documents);
    OpenUnitSettingsDocument(app);
    if (documents.empty())
        return 1;
    CTmDoc* made = documents.front().get();
    std::printf("opened: %s  kind %u  %u bytes\n", made->Title().c_str(), made->FileKind(), made->ByteCount());
    std::printf("selector: %d\n", link.deviceSelector);
    if (o.save.empty())
        return 0;
    if (!made->OnSaveDocument(o.save)) {
        std::fprintf(stderr, "orlu-link: cannot store %s\n", o.save.c_str());
        return 1;
    }
    std::printf("saved: %s\n", o.save.c_str());
    return 0;
}

} // namespace orlu::tools
