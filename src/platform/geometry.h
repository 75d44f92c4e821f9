// Small value types of the platform: points, sizes, rectangles and colours.
#pragma once

#include <algorithm>
#include <cstdint>

namespace plat {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// A rectangle of whole pixels: columns x .. x + width - 1, rows y .. y + height - 1.
struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    static constexpr Rect fromEdges(int left, int top, int right, int bottom)
    {
        return {left, top, right - left, bottom - top};
    }
    constexpr int left() const { return x; }
    constexpr int top() const { return y; }
    constexpr int right() const { return x + width; }   // exclusive
    constexpr int bottom() const { return y + height; } // exclusive
    constexpr bool isEmpty() const { return width <= 0 || height <= 0; }
    constexpr bool contains(Point p) const
    {
        return p.x >= x && p.x < right() && p.y >= y && p.y < bottom();
    }
    constexpr Rect translated(int dx, int dy) const { return {x + dx, y + dy, width, height}; }
    constexpr Rect intersected(const Rect& o) const
    {
        int l = std::max(x, o.x), t = std::max(y, o.y);
        int r = std::min(right(), o.right()), b = std::min(bottom(), o.bottom());
        if (r <= l || b <= t)
            return {l, t, 0, 0};
        return fromEdges(l, t, r, b);
    }
    constexpr Rect united(const Rect& o) const
    {
        if (isEmpty())
            return o;
        if (o.isEmpty())
            return *this;
        return fromEdges(std::min(x, o.x), std::min(y, o.y), std::max(right(), o.right()),
                         std::max(bottom(), o.bottom()));
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// A colour as the game stores it everywhere: 0x00BBGGRR, red in the low byte.
using Color = std::uint32_t;

constexpr Color kInvalidColor = 0xFFFFFFFF; // what reading outside a surface answers

constexpr Color MakeColor(int red, int green, int blue)
{
    return static_cast<Color>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr int ColorRed(Color c) { return static_cast<int>(c & 0xFF); }
constexpr int ColorGreen(Color c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int ColorBlue(Color c) { return static_cast<int>((c >> 16) & 0xFF); }

constexpr Color kBlack = MakeColor(0, 0, 0);
constexpr Color kWhite = MakeColor(255, 255, 255);

} // namespace plat
