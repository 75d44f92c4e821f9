// Benchmark helper: a program folder under the temporary folder with a generated texture,
// "Textures/grain.bmp", removed afterwards.
#pragma once

#include <filesystem>
#include <string>

#include <unistd.h>

#include "platform/bitmap_file.h"

class TextureFolder {
public:
    explicit TextureFolder(int side)
    {
        root_ = std::filesystem::temp_directory_path() / ("zentiles-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(root_ / "Textures");
        plat::DibInfoHeader info;
        info.width = side;
        info.height = side;
        info.bitCount = 24;
        auto dib = plat::CreateDib(info, {});
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                dib->setPixelValue(x, y, dib->colorToValue(plat::MakeColor(x * 3, y * 5, x ^ y)));
        ok_ = plat::SaveBitmapFile((root_ / "Textures" / "grain.bmp").string(), *dib);
    }
    ~TextureFolder() { std::filesystem::remove_all(root_); }
    TextureFolder(const TextureFolder&) = delete;
    TextureFolder& operator=(const TextureFolder&) = delete;
    bool ok() const { return ok_; }
    std::string folder() const { return root_.string() + "/"; }

private:
    std::filesystem::path root_;
    bool ok_ = false;
};
