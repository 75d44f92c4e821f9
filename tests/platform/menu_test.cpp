// The menu model against menu 102 as the game edits it.
#include <gtest/gtest.h>

#include "platform/menu.h"
#include "resources/command_ids.h"
#include "resources/menus.h"

namespace {

std::string Texts(plat::Menu* menu)
{
    std::string out;
    for (const plat::MenuItem& item : menu->items)
        out += (item.isSeparator() ? std::string("-") : item.text) + (item.greyed ? "*" : "") + "|";
    return out;
}

} // namespace

TEST(MenuTest, Menu102EditedByCommandAndPosition)
{
    auto menu = LoadMenuResource(kMenuGame);
    plat::Menu* game = plat::SubMenu(menu.get(), 0);
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(Texts(game), "Custom|-|Hint|-|Settings...|Puzzles...|About|-|Pause|Exit|");
    plat::Menu* custom = plat::SubMenu(game, 0);
    plat::Menu* hint = plat::SubMenu(game, 2);
    EXPECT_EQ(Texts(custom), "Load...|Save  As...|-|Enable Toolbar|");
    EXPECT_EQ(plat::SubMenu(game, 1), nullptr);

    // Removal by command searches the sub-pop-ups; a missing command is no error.
    for (int command : {kCommandGetHint, kCommandNextHint, kCommandShowHints, kCommandHideHints})
        EXPECT_TRUE(plat::RemoveMenuItem(game, command));
    EXPECT_FALSE(plat::RemoveMenuItem(game, kCommandGetHint));
    EXPECT_TRUE(hint->items.empty());
    plat::InsertMenuItem(hint, 0, plat::Entry("Hide Hints", kCommandHideHints));
    plat::InsertMenuItem(hint, 0, plat::Entry("Get Hint (2)", kCommandNextHint));
    plat::InsertMenuItem(hint, 9, plat::Separator());
    EXPECT_EQ(Texts(hint), "Get Hint (2)|Hide Hints|-|");

    plat::RemoveMenuItem(game, kCommandEditToolbar);
    plat::InsertMenuItem(custom, 3, plat::Entry("Disable Toolbar", kCommandEditToolbar));
    EXPECT_TRUE(plat::EnableMenuItem(game, kCommandLoadCustom, false));
    EXPECT_FALSE(plat::EnableMenuItem(game, 12345, false));
    EXPECT_EQ(Texts(custom), "Load...*|Save  As...|-|Disable Toolbar|");
    EXPECT_EQ(plat::FindMenuOwning(game, kCommandPause), game);
    EXPECT_EQ(plat::FindMenuItem(game, kCommandEditToolbar)->text, "Disable Toolbar");
}
