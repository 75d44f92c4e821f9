// Writes bitmaps as PNG pictures (screenshots of the screen for tests and the driver).
#include <png.h>

#include <cstdio>
#include <vector>

#include "platform/png_writer.h"
#include "platform/window.h"

namespace plat {
namespace {

std::vector<png_byte> RgbRow(const Bitmap& bitmap, int y)
{
    std::vector<png_byte> row(static_cast<std::size_t>(bitmap.width()) * 3);
    for (int x = 0; x < bitmap.width(); ++x) {
        Color c = bitmap.valueToColor(bitmap.pixelValue(x, y));
        row[x * 3] = static_cast<png_byte>(ColorRed(c));
        row[x * 3 + 1] = static_cast<png_byte>(ColorGreen(c));
        row[x * 3 + 2] = static_cast<png_byte>(ColorBlue(c));
    }
    return row;
}

bool WriteRows(std::FILE* file, const Bitmap& bitmap)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    std::vector<std::vector<png_byte>> rows;
    for (int y = 0; y < bitmap.height(); ++y)
        rows.push_back(RgbRow(bitmap, y));
    std::vector<png_bytep> pointers;
    for (auto& row : rows)
        pointers.push_back(row.data());
    bool ok = false;
    if (setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, file);
        png_set_IHDR(png, info, static_cast<png_uint_32>(bitmap.width()),
                     static_cast<png_uint_32>(bitmap.height()), 8, PNG_COLOR_TYPE_RGB,
                     PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        png_write_image(png, pointers.data());
        png_write_end(png, nullptr);
        ok = true;
    }
    png_destroy_write_struct(&png, &info);
    return ok;
}

} // namespace

bool SavePng(const Bitmap& bitmap, const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    bool ok = WriteRows(file, bitmap);
    return std::fclose(file) == 0 && ok;
}

} // namespace plat
