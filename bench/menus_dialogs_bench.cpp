// What the player waits for when opening things: the "Game " pop-up drawn, and the open-file
// dialog brought up on a folder of 1,000 packs (listed, sorted, laid out, painted, closed).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "platform/file_dialog.h"
#include "platform/headless_front_end.h"
#include "platform/popup_menu.h"
#include "platform/runtime.h"
#include "platform/window.h"
#include "resources/menus.h"

namespace {

void BM_DrawGameMenu(benchmark::State& state)
{
    auto menu = LoadMenuResource(kMenuGame);
    const plat::Menu& game = *plat::SubMenu(menu.get(), 0);
    plat::Size size = plat::PopupMenuSize(game);
    auto surface = plat::CreateScreenBitmap(size.width, size.height);
    plat::DrawContext dc(surface.get());
    int highlighted = 0;
    for (auto _ : state) {
        plat::PaintPopupMenu(dc, game, highlighted);
        highlighted = (highlighted + 1) % static_cast<int>(game.items.size());
        benchmark::DoNotOptimize(surface->row(0));
    }
}
BENCHMARK(BM_DrawGameMenu)->Unit(benchmark::kMicrosecond);

// A folder of 1,000 pack files and a few sub-folders, made once.
std::string ThousandPacks()
{
    std::string folder = std::filesystem::temp_directory_path() / ("zentiles-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    for (int i = 0; i < 1000; ++i)
        std::ofstream(folder + "/pack" + std::to_string(i) + ".zdb") << 'x';
    for (int i = 0; i < 5; ++i)
        std::filesystem::create_directories(folder + "/folder" + std::to_string(i));
    return folder + "/";
}

void BM_OpenFileDialogOnAThousandFiles(benchmark::State& state)
{
    std::string folder = ThousandPacks();
    plat::HeadlessFrontEnd front;
    plat::SetFrontEnd(&front);
    plat::StartWindowSystem();
    plat::Window* owner = plat::CreateWindow({.title = "main"});
    // The dialog is painted and shown on the first wait, then Escape closes it.
    front.setIdleHook([] {
        plat::InjectKeyPress(plat::Key::Escape);
        return true;
    });
    plat::FileDialogRequest request{owner, "Open File", "Zentiles Data Base (*.zdb)", "*.zdb", "", folder, 260};
    for (auto _ : state)
        benchmark::DoNotOptimize(plat::RunOpenFileDialog(request));
    plat::StopWindowSystem();
    plat::SetFrontEnd(nullptr);
    plat::UseVirtualClock(false);
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_OpenFileDialogOnAThousandFiles)->Unit(benchmark::kMillisecond);

} // namespace
