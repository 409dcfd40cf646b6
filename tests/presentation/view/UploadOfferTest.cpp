// The Upload command on opened documents: the window's menu and the headless
// controller read the same facts of the file and the chosen instrument, and
// the controller hands the document to the application only where it is offered.

#include "presentation/view/UploadOffer.h"

#include "document/DocumentTestSupport.h"
#include "presentation/view/FormRenderers.h"
#include "presentation/view/ViewController.h"
#include "presentation/view/ViewSelection.h"
#include "support/LegacyFixture.h"

#include <gtest/gtest.h>

namespace orlu {
namespace {

class UploadOfferTest : public DocumentTest {
protected:
    std::unique_ptr<CTmDoc> OpenCurrent(std::uint8_t kind, std::uint16_t firmware, bool setup)
    {
        fixture::CurrentFileSpec spec;
        spec.firmware = firmware;
        spec.setupFile = setup;
        fixture::FixtureBuilder b;
        b.ContainerHeader(kind).Bytes(fixture::CurrentMeasurementFile(spec));
        return Open(Write("current.orl", b));
    }
};

TEST_F(UploadOfferTest, TheCommandFollowsTheInstrumentKindFirmwareAndSetupOfTheFile)
{
    struct Case {
        const char* name;
        std::uint8_t selector;
        std::uint8_t kind;    ///< 3: a legacy file; else a current-family file of this kind
        std::uint16_t firmware;
        bool setup;
        bool offered;
    };
    const Case cases[] = {
        {"legacy file, its instrument", 1, 3, 0, false, true},
        {"legacy file, another instrument", 4, 3, 0, false, false},
        {"paired kind from 5.12", 4, ',', 512, false, true},
        {"paired kind below 5.12", 4, ',', 511, false, false},
        {"kind of another pair", 4, '-', 600, false, false},
        {"current file, the legacy instrument", 1, ',', 900, false, false},
        {"late instruments from 6.04", 11, '-', 604, false, true},
        {"late instruments below 6.04", 14, '-', 603, false, false},
        {"setup file from 2.21", 10, '*', 221, true, true},
        {"measurement of that kind", 10, '*', 221, false, false},
        {"setup file below 2.21", 10, '*', 220, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<CTmDoc> doc =
            c.kind == 3 ? Open(Write("legacy.orl", fixture::LegacyContainer(3, fixture::PlausibleLegacySpec())))
                        : OpenCurrent(c.kind, c.firmware, c.setup);
        ASSERT_EQ(doc->FileKind(), c.kind);
        if (c.kind != 3) {
            ASSERT_TRUE(doc->HeaderDecoded());
            ASSERT_EQ(doc->Header().firmware, c.firmware);
        }
        AppSettings settings;
        settings.DeviceSelector = c.selector;
        EXPECT_EQ(UploadOffered(*doc, settings), c.offered);

        FormRendererRegistry renderers;
        RegisterReportRenderers(renderers);
        const FormBuilder builder(renderers, settings);
        MeasurementViewState view;
        OpenView(view, *doc);
        CancelDialogs dialogs;
        ViewController controller(view, *doc, builder, settings, dialogs);
        const std::optional<CommandUi> state = controller.ToolsState(kUploadCommand);
        ASSERT_TRUE(state.has_value());
        EXPECT_EQ(state->enabled, c.offered);

        int sent = 0;
        app.UploadDocument = [&sent, &doc](CTmDoc& d) {
            EXPECT_EQ(&d, doc.get());
            ++sent;
        };
        EXPECT_EQ(controller.Command(kUploadCommand, {}), c.offered);
        EXPECT_EQ(sent, c.offered ? 1 : 0);
        app.UploadDocument = nullptr;
    }
}

TEST_F(UploadOfferTest, WithoutTheApplicationsLinkTheOfferedCommandIsNotRun)
{
    auto doc = Open(Write("legacy.orl", fixture::LegacyContainer(3, fixture::PlausibleLegacySpec())));
    AppSettings settings;
    settings.DeviceSelector = 1;
    ASSERT_TRUE(UploadOffered(*doc, settings));
    FormRendererRegistry renderers;
    const FormBuilder builder(renderers, settings);
    MeasurementViewState view;
    OpenView(view, *doc);
    CancelDialogs dialogs;
    ViewController controller(view, *doc, builder, settings, dialogs);
    EXPECT_FALSE(controller.Command(kUploadCommand, {}));
}

} // namespace
} // namespace orlu
