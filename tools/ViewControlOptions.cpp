#include "ViewControlOptions.h"

#include "OptionDialogScripts.h"

#include "document/CTmDoc.h"
#include "presentation/view/GraphNavigation.h"
#include "presentation/view/ViewController.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace orlu::tools {
namespace {

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::stringstream s(text);
    std::string part;
    while (std::getline(s, part, separator))
        parts.push_back(part);
    return parts;
}

// "NAME+shift+ctrl": the name and the modifiers; false for an unknown modifier.
// The key '+' is written as itself: "+", "++shift".
bool ReadModifiers(const std::string& item, std::string& name, ControlStep& step)
{
    const std::size_t split = item.find('+', item.empty() || item[0] != '+' ? 0 : 1);
    name = item.substr(0, split);
    if (name.empty())
        return false;
    if (split == std::string::npos)
        return true;
    for (const std::string& modifier : Split(item.substr(split + 1), '+')) {
        if (modifier == "shift")
            step.shift = true;
        else if (modifier == "ctrl")
            step.ctrl = true;
        else if (modifier == "alt")
            step.alt = true;
        else
            return false;
    }
    return true;
}

bool ReadNumber(const std::string& text, int& value)
{
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end || v < -100000 || v > 100000)
        return false;
    value = static_cast<int>(v);
    return true;
}

// Dialogs that take their answers from --answers.
class ScriptedDialogs : public ViewDialogs {
public:
    explicit ScriptedDialogs(std::deque<std::string> answers) : m_Answers(std::move(answers)) {}

    void RunSpectraFunctions(SpectraFunctionsModel& dialog) override
    {
        while (!dialog.Ended) {
            const std::string a = Next();
            int k = 0;
            if (a.empty() || a == "cancel")
                dialog.Cancel();
            else if (a == "ok")
                dialog.Ok();
            else if (a == "one")
                dialog.ClickOneSpectrumOnly();
            else if (a == "now")
                dialog.ClickAcceptAtOnce();
            else if (a.rfind("form", 0) == 0 && ReadNumber(a.substr(4), k))
                dialog.PressForm(k);
            else if (a[0] == 'a' && ReadNumber(a.substr(1), k))
                dialog.PressChannelA(k);
            else if (a[0] == 'b' && ReadNumber(a.substr(1), k))
                dialog.PressChannelB(k);
            else if (a[0] == 'f' && ReadNumber(a.substr(1), k))
                dialog.PressFunction(k);
            else
                Unknown(a);
        }
    }

    void RunBlockOperations(BlockOperationsModel& dialog) override
    {
        while (!dialog.Ended) {
            const std::string a = Next();
            int action = 0;
            if (a.empty() || a == "esc") {
                dialog.Escape();
            } else if (a == "show") {
                dialog.ShowNowBox = dialog.ShowNowBox ? 0 : 1;
            } else if (ReadNumber(a, action) && action == kBlockDraw) {
                DrawInBlockModel draw = dialog.DrawInBlock();
                RunDrawInBlock(draw);
                dialog.DrawInBlockClosed(draw);
            } else if (ReadNumber(a, action) && action >= 0 && action <= kBlockSave) {
                if (action == 0)
                    dialog.Escape();
                else
                    dialog.Press(static_cast<std::uint8_t>(action));
            } else {
                Unknown(a);
            }
            // A disabled action leaves the dialog open; with no answers left it ends with Esc.
            if (!dialog.Ended && m_Answers.empty())
                dialog.Escape();
        }
    }

    std::optional<std::uint16_t> RunTableChannels(std::uint16_t, std::uint16_t) override { return std::nullopt; }
    void RunMoreOptions() override {}

private:
    void RunDrawInBlock(DrawInBlockModel& draw)
    {
        static constexpr const char* kBoxes[] = {"rms", "max", "min", "sel"};
        for (;;) {
            const std::string a = Next();
            if (a == "ok") {
                draw.Ok();
                return;
            }
            if (a.empty() || a == "cancel")
                return;
            bool known = false;
            for (int i = 0; i < 4; ++i)
                if (a == kBoxes[i]) {
                    draw.ClickBox(i);
                    known = true;
                }
            if (!known)
                Unknown(a);
        }
    }

    std::string Next()
    {
        if (m_Answers.empty())
            return {};
        std::string a = m_Answers.front();
        m_Answers.pop_front();
        return a;
    }
    static void Unknown(const std::string& a) { std::fprintf(stderr, "orlu-dump: the dialog has no answer '%s'\n", a.c_str()); }

    std::deque<std::string> m_Answers;
};

} // namespace

int ReadControlOption(int argc, char** argv, int& i, ControlScript& script)
{
    const std::string option = argv[i];
    if (option == "--state") {
        script.state = true;
        return 1;
    }
    if (option != "--cmd" && option != "--keys" && option != "--click" && option != "--answers" &&
        option != "--view-options" && option != "--more-options" && option != "--save-new" &&
        option != "--device-selector")
        return 0;
    if (i + 1 >= argc)
        return -1;
    const std::string value = argv[++i];
    if (option == "--device-selector") {
        constexpr int kLastSelector = 16;
        return ReadNumber(value, script.deviceSelector) && script.deviceSelector >= 1 &&
                       script.deviceSelector <= kLastSelector
                   ? 1
                   : -1;
    }
    if (option == "--save-new") {
        if (value.empty())
            return -1;
        script.saveNew = value;
        return 1;
    }
    if (option == "--view-options" || option == "--more-options") {
        ControlStep step;
        step.id = option == "--view-options" ? kViewOptionsCommand : kMoreOptionsCommand;
        if (step.id == kViewOptionsCommand) {
            for (const std::string& run : Split(value, ';'))
                script.viewOptionRuns.push_back(run);
        } else {
            script.moreOptions = value;
        }
        script.steps.push_back(step);
        return 1;
    }
    if (option == "--answers") {
        for (const std::string& a : Split(value, ','))
            script.answers.push_back(a);
        return 1;
    }
    if (option == "--click") {
        const std::vector<std::string> xy = Split(value, ',');
        ControlStep step;
        step.kind = ControlStep::Kind::Click;
        if (xy.size() != 2 || !ReadNumber(xy[0], step.x) || !ReadNumber(xy[1], step.y))
            return -1;
        script.steps.push_back(step);
        return 1;
    }
    for (const std::string& item : Split(value, ',')) {
        ControlStep step;
        std::string name;
        if (!ReadModifiers(item, name, step))
            return -1;
        if (option == "--cmd") {
            if (!ReadNumber(name, step.id) || step.id <= 0)
                return -1;
        } else {
            const std::optional<ViewKey> key = ViewKeyNamed(name);
            if (!key)
                return -1;
            step.kind = ControlStep::Kind::Key;
            step.id = static_cast<int>(*key);
        }
        script.steps.push_back(step);
    }
    return 1;
}

bool RunControlScript(const ControlScript& script, MeasurementViewState& view, CTmDoc& doc,
                      const FormBuilder& builder, AppSettings& settings)
{
    // The program opens a window on the document a command makes; here it is stored.
    AppContext& app = doc.App();
    int made = 0;
    bool stored = false;
    if (!script.saveNew.empty())
        app.NewUnitDocument = [&app, &script, &made, &stored] {
            CTmDoc document(app);
            document.SetTitle("");
            ++made;
            if (!document.OnNewDocument()) {
                std::fprintf(stderr, "orlu-dump: the new document could not be made from %s\n",
                             app.PendingExtractName.c_str());
                return;
            }
            stored = document.OnSaveDocument(script.saveNew);
            if (!stored)
                std::fprintf(stderr, "orlu-dump: the new document could not be stored in %s\n", script.saveNew.c_str());
            else
                std::fprintf(stderr, "orlu-dump: the new document (kind %u, %lu bytes) is stored in %s\n",
                             document.FileKind(), static_cast<unsigned long>(document.ByteCount()),
                             script.saveNew.c_str());
        };
    if (script.deviceSelector > 0)
        settings.DeviceSelector = static_cast<std::uint8_t>(script.deviceSelector);
    // The program sends the document through the link and its name dialog; here the
    // command, run only where it is offered, says so.
    app.UploadDocument = [](CTmDoc& document) {
        std::fprintf(stderr, "orlu-dump: Upload is offered for %s (kind %u); orlu-link upload sends it\n",
                     document.FileName().c_str(), document.FileKind());
    };
    ScriptedDialogs dialogs(script.answers);
    ScriptedOptionDialogs options(script.viewOptionRuns, script.moreOptions, settings);
    ViewController controller(view, doc, builder, settings, dialogs);
    controller.SetOptionDialogs(&options, &options);
    for (const ControlStep& step : script.steps) {
        const KeyModifiers keys{step.shift, step.ctrl, step.alt};
        switch (step.kind) {
        case ControlStep::Kind::Command:
            if (!controller.Command(step.id, keys))
                std::fprintf(stderr, "orlu-dump: command %d is not available here\n", step.id);
            break;
        case ControlStep::Kind::Key: controller.Key(static_cast<ViewKey>(step.id), keys); break;
        case ControlStep::Kind::Click: controller.Click(step.x, step.y); break;
        }
    }
    app.UploadDocument = nullptr;
    // The toolbar's idle update.
    const StepFacts facts = StepFactsOf(doc);
    UpdatePrevious(view, facts, {});
    UpdateNext(view, facts, {});
    if (script.saveNew.empty())
        return true;
    app.NewUnitDocument = nullptr;
    if (made == 0)
        std::fprintf(stderr, "orlu-dump: no command made a new document to store in %s\n", script.saveNew.c_str());
    else if (made > 1)
        std::fprintf(stderr, "orlu-dump: %d new documents were made; %s holds the last\n", made, script.saveNew.c_str());
    return stored;
}

} // namespace orlu::tools
