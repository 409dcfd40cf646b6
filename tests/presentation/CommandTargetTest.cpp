#include "presentation/CommandTable.h"
#include "presentation/CommandTarget.h"

#include <gtest/gtest.h>

#include <string>

namespace orlu {
namespace {

TEST(CommandRoute, FirstHandlerOnTheRouteRuns)
{
    std::string ran;
    CommandTarget view, document, childFrame, mainFrame, app;
    view.OnCommand(1, [&] { ran += "view"; });
    app.OnCommand(1, [&] { ran += "app"; });
    app.OnCommand(2, [&] { ran += "app2"; });
    document.OnCommand(3, [&] { ran += "doc"; });
    mainFrame.OnCommand(3, [&] { ran += "frame"; });

    CommandRoute route({&view, &document, &childFrame, &mainFrame, &app});
    EXPECT_TRUE(route.Execute(1));
    EXPECT_TRUE(route.Execute(2));
    EXPECT_TRUE(route.Execute(3));
    EXPECT_FALSE(route.Execute(4));
    EXPECT_EQ(ran, "viewapp2doc");

    // Without a view and a document (no document open) the frame's handler runs.
    ran.clear();
    CommandRoute empty({nullptr, nullptr, nullptr, &mainFrame, &app});
    EXPECT_TRUE(empty.Execute(3));
    EXPECT_EQ(ran, "frame");
}

TEST(CommandRoute, UpdateHandlersDecideAndUnhandledCommandsAreDisabled)
{
    CommandTarget view, mainFrame, app;
    mainFrame.OnUpdate(10, [](CommandUi& ui) { ui.checked = false; });
    view.OnUpdate(10, [](CommandUi& ui) { ui.checked = true; });
    view.OnCommand(10, [] {});
    app.OnUpdate(11, [](CommandUi& ui) { ui.checked = true; });
    app.OnCommand(11, [] {});
    app.OnUpdate(12, [](CommandUi& ui) { ui.enabled = false; });
    app.OnCommand(12, [] {});

    CommandRoute withView({&view, &mainFrame, &app});
    EXPECT_TRUE(withView.Update(10).checked);
    EXPECT_TRUE(withView.Update(10).enabled);
    EXPECT_TRUE(withView.Update(11).checked);
    EXPECT_FALSE(withView.Update(12).enabled);
    EXPECT_FALSE(withView.Update(99).enabled); // nobody handles it

    // The frame's update handler unchecks; with no view to handle it the command is also disabled.
    CommandRoute noView({&mainFrame, &app});
    CommandUi ui = noView.Update(10);
    EXPECT_FALSE(ui.checked);
    EXPECT_FALSE(ui.enabled);
}

TEST(CommandTable, PromptsAndTooltips)
{
    const CommandInfo* close = FindCommand(kIdCloseAll);
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(PromptText(*close), "Close all documents");
    EXPECT_EQ(TooltipText(*close), "Close all");
    const CommandInfo* mru = FindCommand(kIdStartWithMru);
    ASSERT_NE(mru, nullptr);
    EXPECT_EQ(TooltipText(*mru), "Start with MRU file");
    // Every toolbar button and menu item has a row.
    for (int id : ToolbarCommands())
        EXPECT_TRUE(id == 0 || FindCommand(id)) << id;
    for (int menu : {128, 129, 130, 131, 107})
        for (const MenuPopup& popup : TemplateMenu(menu))
            for (const MenuItem& item : popup.items)
                for (const MenuItem& inner : item.submenu ? item.submenu->items : std::span(&item, 1))
                    EXPECT_TRUE(inner.id == 0 || FindCommand(inner.id)) << menu << " " << inner.id;
    int buttons = 0;
    for (int id : ToolbarCommands())
        buttons += id != 0;
    EXPECT_EQ(buttons, 25);
}

} // namespace
} // namespace orlu
