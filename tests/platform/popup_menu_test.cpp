// Pop-up menus on the headless screen: each way of choosing and dismissing, greyed entries,
// sub-pop-ups, and the pixels of the open menu.
#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "platform/headless_front_end.h"
#include "platform/look.h"
#include "platform/popup_menu.h"
#include "platform/runtime.h"
#include "platform/window.h"

namespace {

using namespace plat;
using enum MenuLineKind;

constexpr MenuLine kMenu[] = {
    {0, Popup, "Top", 0},
    {1, Popup, "Custom", 0},
    {2, Item, "Load...", 101},
    {2, Item, "Save  As...", 102},
    {1, Separator, "", 0},
    {1, Item, "Greyed", 103},
    {1, Item, "Pause", 104},
    {1, Item, "Exit", 105},
};

Point Centre(const Rect& r) { return {r.x + r.width / 2, r.y + r.height / 2}; }

class PopupMenuTest : public testing::Test {
protected:
    void SetUp() override
    {
        SetFrontEnd(&front);
        StartWindowSystem();
        menu = BuildMenu(kMenu, static_cast<int>(std::size(kMenu)));
        EnableMenuItem(menu.get(), 103, false);
        WindowParams params;
        params.title = "main";
        main = CreateWindow(params);
        // A menu-bar button that opens the menu when the pen goes down on it.
        WindowParams button;
        button.title = "button";
        button.role = WindowRole::MenuBar;
        button.rect = kButton;
        button.proc = [this](Window& w, const Message& m) -> std::intptr_t {
            if (m.msg == Msg::PenDown)
                buttonChose = TrackPopupMenu(*SubMenu(menu.get(), 0), {10, 100}, {.source = kButton});
            return DefaultWindowProc(w, m);
        };
        CreateWindow(button);
        RunUntilIdle();
    }
    void TearDown() override
    {
        StopWindowSystem();
        SetFrontEnd(nullptr);
        UseVirtualClock(false);
    }
    enum class Open { ByPen, ByKey, ByButton };
    // Opens the pop-up at (10, 100) and plays the steps, one per idle turn; each step sees the
    // levels as they are on the screen. ByButton: the pen goes down on the button (and stays
    // down). Answers the chosen command.
    int track(std::vector<std::function<void(const std::vector<PopupLevelView>&)>> steps, Open open = Open::ByPen)
    {
        std::size_t next = 0;
        front.setIdleHook([&] {
            if (next >= steps.size())
                return false;
            steps[next++](OpenPopupMenuView());
            return true;
        });
        int chosen = -1;
        if (open == Open::ByButton) {
            InjectPen(PenAction::Down, {20, 300});
            RunUntilIdle();
            chosen = buttonChose;
        } else {
            chosen = TrackPopupMenu(*SubMenu(menu.get(), 0), {10, 100},
                                    {.source = kButton, .fromKeyboard = open == Open::ByKey});
        }
        front.setIdleHook({});
        EXPECT_TRUE(OpenPopupMenuView().empty());
        EXPECT_EQ(ActiveWindow(), main) << "a pop-up never takes activation";
        return chosen;
    }
    static std::function<void(const std::vector<PopupLevelView>&)> tapItem(std::size_t level, std::size_t item)
    {
        return [=](const std::vector<PopupLevelView>& v) {
            ASSERT_GT(v.size(), level);
            InjectTap(Centre(v[level].items[item].rect));
        };
    }
    static std::function<void(const std::vector<PopupLevelView>&)> key(int k)
    {
        return [=](const std::vector<PopupLevelView>&) { InjectKeyPress(k); };
    }

    static constexpr Rect kButton = {0, 294, 44, 26};
    HeadlessFrontEnd front;
    std::unique_ptr<Menu> menu;
    Window* main = nullptr;
    int buttonChose = -1;
};

TEST_F(PopupMenuTest, PenChoosesByTapOrSlideAndDismissesOutside)
{
    EXPECT_EQ(track({tapItem(0, 3)}), 104);
    // Pressed on the button that opened it, slid onto an entry, lifted there.
    EXPECT_EQ(track({[](const auto& v) {
        Point p = Centre(v[0].items[4].rect);
        InjectPen(PenAction::Move, {20, 200});
        InjectPen(PenAction::Move, p);
        InjectPen(PenAction::Up, p);
    }}, Open::ByButton), 105);
    // Lifted on the opening button it stays open; a tap on a greyed entry or a separator keeps
    // it open too; a tap outside closes it and reaches no window.
    int mainPens = 0;
    main->proc = [&](Window& w, const Message& m) -> std::intptr_t {
        mainPens += m.msg == Msg::PenDown;
        return DefaultWindowProc(w, m);
    };
    std::vector<PopupLevelView> seen;
    EXPECT_EQ(track({[](const auto&) { InjectPen(PenAction::Up, {22, 301}); }, tapItem(0, 2), tapItem(0, 1),
                     [&](const auto& v) { seen = v; InjectTap({200, 60}); }}, Open::ByButton), 0);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_TRUE(seen[0].items[2].greyed);
    EXPECT_EQ(seen[0].highlighted, -1) << "greyed entries are not highlighted";
    EXPECT_EQ(mainPens, 0);
}

TEST_F(PopupMenuTest, SubPopUpsOpenBesideTheirEntryByPenAndKeys)
{
    std::vector<PopupLevelView> seen;
    EXPECT_EQ(track({tapItem(0, 0), [&](const auto& v) { seen = v; }, tapItem(1, 1)}), 102);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].items[0].text, "Load...");
    EXPECT_EQ(seen[1].items[0].rect.y, seen[0].items[0].rect.y) << "level with its entry";
    EXPECT_GT(seen[1].items[0].rect.x, seen[0].items[0].rect.right() - 8);

    // Keys: the first entry starts highlighted; Down skips the separator and the greyed entry.
    std::vector<int> highlights;
    auto note = [&](const std::vector<PopupLevelView>& v) { highlights.push_back(v.back().highlighted); };
    EXPECT_EQ(track({note, key(Key::Down), note, key(Key::Up), key(Key::Right), note, key(Key::Escape),
                     [&](const auto& v) { EXPECT_EQ(v.size(), 1u); }, key(Key::Down), key(Key::Down),
                     key(Key::Return)},
                    Open::ByKey),
              105);
    EXPECT_EQ(highlights, (std::vector<int>{0, 3, 0}));
    EXPECT_EQ(track({key(Key::Right), key(Key::Escape), key(Key::Escape)}, Open::ByKey), 0);
    EXPECT_EQ(front.stallCount(), 0);
}

TEST_F(PopupMenuTest, PaintsTheHighlightWhiteOnBlueAndGreyedEntriesGrey)
{
    const Menu& game = *SubMenu(menu.get(), 0);
    Size size = PopupMenuSize(game);
    auto bitmap = CreateScreenBitmap(size.width, size.height);
    DrawContext dc(bitmap.get());
    PaintPopupMenu(dc, game, 3);
    std::vector<PopupLevelView> seen;
    track({[&](const auto& v) { seen = v; InjectKeyPress(Key::Escape); }});
    ASSERT_EQ(seen.size(), 1u);
    auto inkOf = [&](std::size_t item) {
        Rect r = seen[0].items[item].rect.translated(-10, -100);
        std::set<Color> colours;
        for (int y = r.y; y < r.bottom(); ++y)
            for (int x = r.x; x < r.right(); ++x)
                colours.insert(GetPixel(dc, x, y));
        return colours;
    };
    EXPECT_EQ(inkOf(3), (std::set<Color>{kHighlightColor, kWhite}));
    EXPECT_EQ(inkOf(2), (std::set<Color>{kWhite, kGreyTextColor}));
    EXPECT_EQ(inkOf(4), (std::set<Color>{kWhite, kBlack}));
    EXPECT_EQ(GetPixel(dc, 0, 0), kBlack) << "framed";
}

} // namespace
