#include "RemoteSettingsTools.h"

#include "link/remote/RemoteExchange.h"
#include "link/remote/SetupFile.h"
#include "presentation/remote/AnalyzerPageModel.h"
#include "presentation/remote/GeneralPageModel.h"
#include "presentation/remote/MeterPageModel.h"
#include "support/SetupFileFixture.h"

#include <cstdio>
#include <cstring>
#include <memory>

namespace orlu::tools {

namespace {

/// The page refreshes' messages, one line each.
class PrintedMessages final : public UserInteraction {
public:
    MessageResult ShowMessage(std::string_view text, std::string_view, MessageButtons, MessageIcon,
                              MessageResult defaultButton) override
    {
        std::printf("message: %.*s\n", static_cast<int>(text.size()), text.data());
        return defaultButton;
    }
    QuestionAnswer AskQuestion(std::string_view) override { return QuestionAnswer::Cancel; }
    QuestionAnswer AskQuestionAll(std::string_view) override { return QuestionAnswer::Cancel; }
};

std::unique_ptr<RemotePageModel> MakePage(int page, CControlSett& working, CControlSett& committed,
                                          UserInteraction& ui)
{
    switch (page) {
    case 0:
        return std::make_unique<GeneralPageModel>(working, committed, ui);
    case 1:
        // The E flag of the last contact follows the file's version here: no unit was asked.
        return std::make_unique<MeterPageModel>(working, committed, ui, working.Get(Setting::UnitVersion) != 0);
    case 2:
        return std::make_unique<AnalyzerPageModel>(working, committed, ui);
    default:
        return nullptr;
    }
}

} // namespace

bool WantsSetupDump(int argc, char** argv)
{
    for (int i = 2; i < argc; ++i)
        if (std::strcmp(argv[i], "--setup") == 0 || std::strcmp(argv[i], "--page") == 0)
            return true;
    return false;
}

int RunSetupDump(int argc, char** argv)
{
    bool setup = false;
    int page = -1;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--setup") == 0)
            setup = true;
        else if (std::strcmp(argv[i], "--page") == 0 && i + 1 < argc && std::strlen(argv[i + 1]) == 1 &&
                 argv[i + 1][0] >= '0' && argv[i + 1][0] <= '2')
            page = argv[++i][0] - '0';
        else {
            std::fprintf(stderr, "usage: orlu-dump FILE.ocf --setup | --page 0|1|2\n");
            return 2;
        }
    }
    CControlSett settings;
    if (const std::optional<std::string> refused = LoadSetupFile(argv[1], settings)) {
        std::printf("refused: %s\n", refused->c_str());
        return 1;
    }
    if (setup) {
        for (int i = 0; i < kSettingCount; ++i) {
            const auto s = static_cast<Setting>(i);
            if (s == Setting::AnFunction) {
                std::printf("SerialNumber=%s\n", settings.SerialNumber().c_str());
                std::printf("SoftwareVersion=%s\n", settings.SoftwareVersion().c_str());
            }
            std::printf("%s=%d\n", SettingName(s).data(), settings.Get(s));
        }
    }
    if (page >= 0) {
        PrintedMessages ui;
        CControlSett committed = settings;
        std::unique_ptr<RemotePageModel> model = MakePage(page, settings, committed, ui);
        model->UpdateControls();
        for (const std::string& line : model->Describe())
            std::printf("%s\n", line.c_str());
        std::printf("modified: %d\n", model->modified ? 1 : 0);
    }
    return 0;
}

int RunSetupFixture(int argc, char** argv)
{
    fixture::SetupFileFields fields;
    for (int i = 2; i + 1 < argc; ++i) {
        const std::string word = argv[i];
        const std::size_t eq = word.find('=');
        if (eq == std::string::npos || !fields.Assign(word.substr(0, eq), word.substr(eq + 1))) {
            std::fprintf(stderr, "orlu-fixture ocf: not a FIELD=VALUE of a setup file: %s\n", word.c_str());
            return 2;
        }
    }
    const std::vector<std::uint8_t> bytes = fixture::SetupFileBytes(fields);
    if (std::FILE* out = std::fopen(argv[argc - 1], "wb")) {
        const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
        if (std::fclose(out) == 0 && written)
            return 0;
    }
    std::fprintf(stderr, "orlu-fixture: cannot write %s\n", argv[argc - 1]);
    return 1;
}

bool ParseRemoteOption(const std::vector<std::string>& args, std::size_t& i, RemoteOptions& options)
{
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if ((a == "get" || a == "send") && options.action.empty())
        options.action = a;
    else if (a == "--save" && hasValue)
        options.save = args[++i];
    else if (a == "--load" && hasValue)
        options.load = args[++i];
    else if (a == "--page" && hasValue && (args[i + 1] == "0" || args[i + 1] == "1" || args[i + 1] == "2"))
        options.page = args[++i][0] - '0';
    else
        return false;
    return true;
}

bool RemoteOptionsComplete(const RemoteOptions& o)
{
    return (o.action == "get" && !o.save.empty() && o.load.empty() && o.page < 0) ||
           (o.action == "send" && !o.load.empty() && o.save.empty() && o.page >= 0);
}

int RunRemoteCommand(UnitLink& link, const RemoteOptions& o)
{
    CControlSett settings;
    if (o.action == "get") {
        if (GetUnitSettings(link, settings) == kIdentifyNoReply)
            return 1;
        std::string error;
        if (!SaveSetupFile(o.save, settings, &error)) {
            std::fprintf(stderr, "orlu-link: %s\n", error.c_str());
            return 1;
        }
        return 0;
    }
    if (const std::optional<std::string> refused = LoadSetupFile(o.load, settings)) {
        link.Ui().ShowMessage(*refused, kMessageCaption, MessageButtons::Ok, MessageIcon::Stop);
        return 1;
    }
    const int mode = SendSettingsPage(link, settings, o.page);
    return mode == '1' || mode == '2' ? 0 : 1;
}

} // namespace orlu::tools
