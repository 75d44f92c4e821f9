// The menu bar: an empty bar at the bottom of the screen for now. Its menu and toolbar come
// with the commands; until then the custom-pack entries have nothing to act on.
#include "app/menu_bar.h"

#include "platform/window.h"

plat::Window* MenuBar = nullptr;

void CreateMenuBar(plat::Window* owner)
{
    plat::WindowSpec spec;
    spec.title = "MenuBar";
    spec.role = plat::WindowRole::MenuBar;
    spec.owner = owner;
    spec.rect = {0, plat::kScreenHeight - plat::kMenuBarHeight, plat::kScreenWidth, plat::kMenuBarHeight};
    spec.background = plat::MakeColor(0xDE, 0xDE, 0xDE);
    spec.proc = [](plat::Window& window, const plat::Message& message) {
        return plat::DefaultWindowProc(window, message);
    };
    MenuBar = plat::CreateWindow(spec);
}

void DestroyMenuBar()
{
    if (MenuBar && plat::IsWindowAlive(MenuBar))
        plat::DestroyWindow(MenuBar);
    MenuBar = nullptr;
}

void ResetCustomPackMenu()
{
}
