// The menu bar: the "Game " button and the toolbar of tile commands at the bottom of the screen.
// The button opens the "Game " pop-up; a tap on a toolbar button sends its command to the main
// window when the pen is lifted on it, and a tap-and-hold shows its tooltip instead.
#include "app/menu_bar.h"

#include <memory>

#include "app/shell_state.h"
#include "platform/menu.h"
#include "platform/popup_menu.h"
#include "platform/text.h"
#include "platform/tooltip.h"
#include "platform/window.h"
#include "resources/menus.h"
#include "resources/strings.h"
#include "resources/toolbar_images.h"

namespace {

struct ToolbarEntry {
    int image; // -1: separator
    int command;
    const char* tooltip;
};

// The toolbar, in the order its entries are appended.
constexpr ToolbarEntry kToolbar[] = {
    {2, 40009, "Clear Center"},
    {-1, 0, nullptr},
    {-1, 0, nullptr},
    {5 + 8, 40004, "Rotate Counter Clockwise"},
    {5 + 9, 40003, "Rotate Clockwise"},
    {1, 40005, "Mirror"},
    {0, 40008, "Flip"},
    {-1, 0, nullptr},
    {-1, 0, nullptr},
    {4, 40087, "Center Tiles"},
    {3, 40086, "Toggle Puzzle Overlay"},
};
constexpr int kEntryCount = static_cast<int>(std::size(kToolbar));

constexpr int kGameButtonWidth = 44;
constexpr int kButtonWidth = 23;
constexpr int kSeparatorWidth = 4;
constexpr plat::Color kBarColor = plat::MakeColor(214, 211, 206);
constexpr plat::Color kShadow = plat::MakeColor(128, 128, 128);

std::unique_ptr<plat::Bitmap> Images[kEntryCount];
int Pressed = -1;   // the entry the pen went down on
bool PenOver = false;
bool TooltipShown = false; // the pen rests on Pressed: lifting it sends nothing
bool GameMenuOpen = false;

constexpr plat::Rect kGameButtonRect = {0, 1, kGameButtonWidth, plat::kMenuBarHeight - 1};

plat::Rect ToScreen(const plat::Rect& r)
{
    return r.translated(0, plat::kScreenHeight - plat::kMenuBarHeight);
}

plat::Rect EntryRect(int entry)
{
    int x = kGameButtonWidth + 2;
    for (int i = 0; i < entry; ++i)
        x += kToolbar[i].image < 0 ? kSeparatorWidth : kButtonWidth;
    return {x, 2, kToolbar[entry].image < 0 ? kSeparatorWidth : kButtonWidth, plat::kMenuBarHeight - 4};
}

int EntryAt(plat::Point p)
{
    for (int i = 0; i < kEntryCount; ++i)
        if (kToolbar[i].image >= 0 && EntryRect(i).contains(p))
            return i;
    return -1;
}

void PaintBar(plat::Window& window)
{
    plat::PaintContext paint = plat::BeginPaint(&window);
    plat::DrawContext& dc = paint.dc;
    plat::FillRect(dc, plat::ClientRect(&window), plat::Brush{kBarColor});
    plat::FillRect(dc, {0, 0, plat::kScreenWidth, 1}, plat::Brush{kShadow});
    if (GameMenuOpen)
        plat::FillRect(dc, kGameButtonRect, plat::Brush{plat::kBlack});
    dc.textColor = GameMenuOpen ? plat::kWhite : plat::kBlack;
    plat::DrawText(dc, {4, 1, kGameButtonWidth - 4, plat::kMenuBarHeight - 1}, LoadStringResource(kStringGameMenu),
                   plat::kTextLeft | plat::kTextVCenter | plat::kTextBold);
    for (int i = 0; i < kEntryCount; ++i) {
        if (!Images[i])
            continue;
        plat::Rect r = EntryRect(i);
        bool down = i == Pressed && PenOver;
        if (down) {
            plat::FillRect(dc, r, plat::Brush{kShadow});
            plat::FillRect(dc, {r.x + 1, r.y + 1, r.width - 1, r.height - 1}, plat::Brush{kBarColor});
        }
        plat::DrawContext imageDc(Images[i].get());
        int offset = down ? 1 : 0;
        plat::BitBlt(dc, r.x + (r.width - kToolbarImageSize) / 2 + offset,
                     r.y + (r.height - kToolbarImageSize) / 2 + offset, kToolbarImageSize, kToolbarImageSize,
                     &imageDc, 0, 0, plat::kRopSrcCopy);
    }
    plat::EndPaint(&window, paint);
}

void Track(plat::Window& window, plat::Point p)
{
    bool over = Pressed >= 0 && EntryRect(Pressed).contains(p);
    if (over != PenOver) {
        PenOver = over;
        plat::InvalidateRect(&window);
    }
}

void ShowPressedTooltip()
{
    if (Pressed < 0 || !PenOver)
        return;
    plat::ShowTooltip(kToolbar[Pressed].tooltip, ToScreen(EntryRect(Pressed)));
    TooltipShown = true;
}

void PenLifted(plat::Window& window, plat::Point p)
{
    Track(window, p);
    int chosen = PenOver && !TooltipShown ? Pressed : -1;
    Pressed = -1;
    PenOver = false;
    TooltipShown = false;
    plat::HideTooltip();
    plat::InvalidateRect(&window);
    if (chosen >= 0 && window.owner)
        plat::PostMessage({window.owner, plat::Msg::Command, {}, kToolbar[chosen].command});
}

std::intptr_t MenuBarProc(plat::Window& window, const plat::Message& message)
{
    switch (message.msg) {
    case plat::Msg::Paint:
        PaintBar(window);
        return 0;
    case plat::Msg::PenDown:
        if (kGameButtonRect.contains(message.pt)) {
            OpenGameMenu(false);
            return 0;
        }
        Pressed = EntryAt(message.pt);
        PenOver = Pressed >= 0;
        TooltipShown = false;
        plat::InvalidateRect(&window);
        return 0;
    case plat::Msg::PenMove:
        Track(window, message.pt);
        return 0;
    case plat::Msg::PenHold:
        ShowPressedTooltip();
        return 0;
    case plat::Msg::PenUp:
        PenLifted(window, message.pt);
        return 0;
    default:
        return plat::DefaultWindowProc(window, message);
    }
}

} // namespace

void CreateMenuBar(plat::Window* owner)
{
    for (int i = 0; i < kEntryCount; ++i)
        Images[i] = kToolbar[i].image >= 0 ? LoadToolbarImage(kToolbar[i].image) : nullptr;
    plat::WindowParams params;
    params.title = "MenuBar";
    params.role = plat::WindowRole::MenuBar;
    params.owner = owner;
    params.rect = {0, plat::kScreenHeight - plat::kMenuBarHeight, plat::kScreenWidth, plat::kMenuBarHeight};
    params.background = kBarColor;
    params.proc = MenuBarProc;
    MenuBar = plat::CreateWindow(params);
    plat::SetMenuBarMenu(MenuBar, LoadMenuResource(kMenuGame), {kCommandGameMenu});
}

plat::Menu* GameMenu()
{
    return plat::MenuBarSubMenu(MenuBar, kCommandGameMenu);
}

void OpenGameMenu(bool fromKeyboard)
{
    plat::Menu* menu = GameMenu();
    if (!menu || GameMenuOpen)
        return;
    GameMenuOpen = true;
    plat::InvalidateRect(MenuBar);
    plat::TrackOptions options;
    options.anchorIsBottomLeft = true;
    options.source = ToScreen(kGameButtonRect);
    options.fromKeyboard = fromKeyboard;
    int command = plat::TrackPopupMenu(*menu, {0, plat::kScreenHeight - plat::kMenuBarHeight}, options);
    GameMenuOpen = false;
    if (!plat::IsWindowAlive(MenuBar))
        return;
    plat::InvalidateRect(MenuBar);
    if (command != 0 && MenuBar->owner)
        plat::PostMessage({MenuBar->owner, plat::Msg::Command, {}, command});
}

plat::Rect ToolbarButtonRect(int command)
{
    for (int i = 0; i < kEntryCount; ++i)
        if (kToolbar[i].image >= 0 && kToolbar[i].command == command)
            return ToScreen(EntryRect(i));
    return {};
}

void DestroyMenuBar()
{
    plat::HideTooltip();
    if (MenuBar && plat::IsWindowAlive(MenuBar))
        plat::DestroyWindow(MenuBar);
    MenuBar = nullptr;
}
