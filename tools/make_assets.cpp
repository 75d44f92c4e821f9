// Generates the shipped textures (Textures/) and pictures (Bitmaps/) as uncompressed .bmp files.
// Usage: zentiles-make_assets [assets-folder]   (default "assets")
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "platform/bitmap_file.h"

namespace {

// Textures are 88 x 88: the tile anchors assemble the puzzle square from the first 88 x 88
// pixels of each turn, so a texture of this size runs on across all seven tiles.
constexpr int kTextureSide = 88;
constexpr int kPictureWidth = 240;
constexpr int kPictureHeight = 280;

struct Rgb {
    double r, g, b;
};

Rgb Mix(Rgb a, Rgb b, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// ---- noise: hashed lattice values, smoothly interpolated, summed over octaves ----------------

double Lattice(int x, int y, unsigned seed)
{
    unsigned h = static_cast<unsigned>(x) * 374761393u + static_cast<unsigned>(y) * 668265263u + seed * 2654435761u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return static_cast<double>((h ^ (h >> 16)) & 0xFFFF) / 65535.0;
}

double ValueNoise(double x, double y, unsigned seed)
{
    int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
    double fx = x - x0, fy = y - y0;
    double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    double top = Lattice(x0, y0, seed) + (Lattice(x0 + 1, y0, seed) - Lattice(x0, y0, seed)) * sx;
    double bottom = Lattice(x0, y0 + 1, seed) + (Lattice(x0 + 1, y0 + 1, seed) - Lattice(x0, y0 + 1, seed)) * sx;
    return top + (bottom - top) * sy;
}

// Fractal sum in 0..1.
double Fbm(double x, double y, unsigned seed, int octaves)
{
    double sum = 0, amplitude = 0.5, total = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * ValueNoise(x, y, seed + static_cast<unsigned>(i));
        total += amplitude;
        x *= 2.03;
        y *= 2.03;
        amplitude *= 0.5;
    }
    return sum / total;
}

// ---- writing -------------------------------------------------------------------------------

std::unique_ptr<plat::Bitmap> NewDib(int width, int height, int bits, const std::vector<plat::RgbQuad>& table)
{
    plat::DibInfoHeader info;
    info.width = width;
    info.height = height; // bottom-up, as textures must be for turning
    info.bitCount = static_cast<std::uint16_t>(bits);
    info.xPelsPerMeter = info.yPelsPerMeter = 3780; // 96 dpi
    return plat::CreateDib(info, table);
}

plat::RgbQuad Quad(Rgb c)
{
    auto byte = [](double v) { return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L)); };
    return plat::RgbQuad{byte(c.b), byte(c.g), byte(c.r), 0};
}

// An 8-bit picture whose 256 palette entries run along a colour ramp; shade(x, y) picks 0..1.
std::unique_ptr<plat::Bitmap> RampPicture(int width, int height, const std::function<Rgb(double)>& ramp,
                                          const std::function<double(int, int)>& shade)
{
    std::vector<plat::RgbQuad> table;
    for (int i = 0; i < 256; ++i)
        table.push_back(Quad(ramp(i / 255.0)));
    auto dib = NewDib(width, height, 8, table);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            dib->setPixelValue(x, y, static_cast<std::uint32_t>(std::clamp(std::lround(shade(x, y) * 255), 0L, 255L)));
    return dib;
}

// A 24-bit picture from colour(x, y).
std::unique_ptr<plat::Bitmap> TrueColorPicture(int width, int height, const std::function<Rgb(int, int)>& colour)
{
    auto dib = NewDib(width, height, 24, {});
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            plat::RgbQuad q = Quad(colour(x, y));
            dib->setPixelValue(x, y, dib->colorToValue(plat::MakeColor(q.red, q.green, q.blue)));
        }
    return dib;
}

// ---- the four images -----------------------------------------------------------------------

// Warm wood: growth rings around a centre far to the left, wobbled by noise, with fine grain.
std::unique_ptr<plat::Bitmap> Wood()
{
    auto ramp = [](double t) { return Mix(Rgb{92, 52, 24}, Rgb{214, 160, 98}, t); };
    auto shade = [](int x, int y) {
        double dx = x + 140.0, dy = (y - 30.0) * 0.35;
        double d = std::sqrt(dx * dx + dy * dy) + 9.0 * Fbm(x / 24.0, y / 24.0, 11, 4);
        double ring = 0.5 + 0.5 * std::sin(d * 0.55);
        double grain = Fbm(x / 2.0, y / 14.0, 23, 3);
        return 0.15 + 0.55 * std::pow(ring, 2.5) + 0.3 * grain;
    };
    return RampPicture(kTextureSide, kTextureSide, ramp, shade);
}

// Pale green-veined marble: a sine band bent by turbulence.
std::unique_ptr<plat::Bitmap> Marble()
{
    return TrueColorPicture(kTextureSide, kTextureSide, [](int x, int y) {
        double turbulence = Fbm(x / 20.0, y / 20.0, 41, 5);
        double vein = std::abs(std::sin((x + y * 0.6) * 0.09 + turbulence * 7.0));
        double cloud = Fbm(x / 9.0, y / 9.0, 57, 3);
        Rgb base = Mix(Rgb{236, 238, 230}, Rgb{205, 214, 206}, cloud);
        return Mix(Rgb{70, 110, 90}, base, std::pow(vein, 0.35));
    });
}

// Dusk over hills and a lake: sky gradient, a low sun, three ridges and their reflection.
Rgb LandscapeAt(int x, int y)
{
    const double horizon = 190;
    double sunDx = x - 170.0, sunDy = y - 82.0;
    double sun = std::sqrt(sunDx * sunDx + sunDy * sunDy);
    Rgb sky = Mix(Rgb{38, 52, 120}, Rgb{250, 176, 120}, y / horizon);
    if (sun < 22)
        sky = Mix(Rgb{255, 238, 190}, sky, (sun - 18) / 4);
    if (y >= horizon) { // the lake mirrors the sky, darker and rippled
        int mirrored = static_cast<int>(2 * horizon - y + 3 * std::sin(y * 0.9));
        Rgb reflection = LandscapeAt(x, std::clamp(mirrored, 0, static_cast<int>(horizon) - 1));
        return Mix(reflection, Rgb{20, 40, 70}, 0.45);
    }
    // Far ridges stand higher; the nearest one that covers the pixel paints it.
    const Rgb hills[3] = {{120, 110, 150}, {70, 100, 90}, {36, 70, 52}};
    for (int i = 2; i >= 0; --i) {
        double ridge = horizon - 85 + 28 * i + 50 * (Fbm(x / (80.0 - 20 * i), 0.5 + i, 71u + i, 4) - 0.5);
        if (y >= ridge)
            return Mix(hills[i], Rgb{16, 20, 30}, (y - ridge) / 160.0);
    }
    return sky;
}

std::unique_ptr<plat::Bitmap> Landscape() { return TrueColorPicture(kPictureWidth, kPictureHeight, LandscapeAt); }

// Handmade paper: cream with fibres and soft mottling.
std::unique_ptr<plat::Bitmap> Paper()
{
    auto ramp = [](double t) { return Mix(Rgb{196, 178, 146}, Rgb{250, 244, 226}, t); };
    auto shade = [](int x, int y) {
        double mottle = Fbm(x / 40.0, y / 40.0, 91, 4);
        double fibre = Fbm(x / 1.5, y / 9.0, 97, 2) * Fbm(x / 11.0, y / 1.5, 101, 2);
        double speck = Lattice(x, y, 107) > 0.995 ? 0.35 : 0.0;
        return 0.55 + 0.4 * (mottle - 0.5) + 0.45 * fibre - speck;
    };
    return RampPicture(kPictureWidth, kPictureHeight, ramp, shade);
}

struct Asset {
    const char* path;
    std::unique_ptr<plat::Bitmap> (*make)();
};

constexpr Asset kAssets[] = {
    {"Textures/Wood.bmp", Wood},
    {"Textures/Marble.bmp", Marble},
    {"Bitmaps/Landscape.bmp", Landscape},
    {"Bitmaps/Paper.bmp", Paper},
};

} // namespace

int main(int argc, char** argv)
{
    std::filesystem::path root = argc > 1 ? argv[1] : "assets";
    int failures = 0;
    for (const Asset& asset : kAssets) {
        std::filesystem::path target = root / asset.path;
        std::error_code error;
        std::filesystem::create_directories(target.parent_path(), error);
        auto image = asset.make();
        bool saved = image && plat::SaveBitmapFile(target.string(), *image);
        std::printf("%s %s\n", saved ? "wrote" : "FAILED", target.string().c_str());
        failures += saved ? 0 : 1;
    }
    return failures == 0 ? 0 : 1;
}
