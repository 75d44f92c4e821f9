// libFuzzer target: arbitrary bytes as a .bmp file through both readers and the texture turns.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

#include "platform/bitmap_file.h"
#include "tiles/fill_styles.h"

namespace {

// Turning is quadratic in the side; bigger pictures are only read, so every run stays quick.
constexpr long kMaxTurnedPixels = 128L * 128L;

// The readers take a path: one temporary file per process, rewritten for every input.
const std::string& InputPath()
{
    static const std::string path = [] {
        char name[] = "/tmp/zentiles-fuzz-bmp-XXXXXX";
        int fd = ::mkstemp(name);
        if (fd >= 0)
            ::close(fd);
        std::atexit([] { std::remove(InputPath().c_str()); });
        return std::string(name);
    }();
    return path;
}

bool WriteInput(const std::uint8_t* data, std::size_t size)
{
    std::FILE* file = std::fopen(InputPath().c_str(), "wb");
    if (!file)
        return false;
    bool written = std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && written;
}

void TurnTexture(const plat::Bitmap& texture)
{
    plat::DrawContext dc(const_cast<plat::Bitmap*>(&texture));
    plat::RgbQuad table[256];
    readColorTable(dc, 0, 256, table);
    if (static_cast<long>(texture.width()) * texture.height() > kMaxTurnedPixels)
        return;
    for (bool mirror : {false, true}) {
        std::unique_ptr<plat::Bitmap> turns[8];
        prepareTextures(InputPath(), turns, mirror);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (!WriteInput(data, size))
        return 0;
    if (std::unique_ptr<plat::Bitmap> texture = loadBmpFile(InputPath()))
        TurnTexture(*texture);
    plat::LoadBitmapFile(InputPath());
    return 0;
}
