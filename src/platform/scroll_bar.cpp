// The lists' vertical scroll bar: its parts, its picture and what the pen does on it.
#include "platform/scroll_bar.h"

#include <algorithm>

#include "platform/look.h"

namespace plat {

namespace {

constexpr const char* kUpArrowArt[] = {"...#...", "..###..", ".#####.", "#######"};
constexpr const char* kDownArrowArt[] = {"#######", ".#####.", "..###..", "...#..."};
constexpr int kMinThumb = 8;

} // namespace

Rect ScrollBar::up() const
{
    return {area.x, area.y, area.width, kScrollBarWidth};
}

Rect ScrollBar::down() const
{
    return {area.x, area.bottom() - kScrollBarWidth, area.width, kScrollBarWidth};
}

Rect ScrollBar::track() const
{
    return Rect::fromEdges(area.x, up().bottom(), area.right(), down().y);
}

int ScrollBar::lastTop() const
{
    return std::max(0, count - visible);
}

Rect ScrollBar::thumb() const
{
    Rect t = track();
    int length = t.height;
    int size = std::clamp(length * visible / std::max(count, 1), kMinThumb, std::max(kMinThumb, length));
    int range = std::max(1, lastTop());
    return {area.x, t.y + (length - size) * std::clamp(top, 0, range) / range, area.width, size};
}

void DrawScrollBar(DrawContext& dc, const ScrollBar& bar)
{
    FillRect(dc, bar.track(), Brush{kFaceColor});
    for (const Rect& r : {bar.up(), bar.down()})
        DrawBox(dc, r, kFaceColor, kBlack);
    DrawPixelArt(dc, bar.up().x + 2, bar.up().y + 3, kUpArrowArt, 4, kBlack);
    DrawPixelArt(dc, bar.down().x + 2, bar.down().y + 4, kDownArrowArt, 4, kBlack);
    DrawBox(dc, bar.thumb(), kWhite, kBlack);
}

int ScrollBarPen(const ScrollBar& bar, const Message& message, ScrollDrag& drag)
{
    Rect thumb = bar.thumb();
    int top = bar.top;
    if (message.msg == Msg::PenUp)
        drag.active = false;
    else if (message.msg == Msg::PenMove && drag.active) {
        int travel = std::max(1, bar.track().height - thumb.height);
        top = (message.pt.y - drag.offset - bar.track().y) * bar.lastTop() / travel;
    } else if (message.msg == Msg::PenDown) {
        if (bar.up().contains(message.pt))
            top -= 1;
        else if (bar.down().contains(message.pt))
            top += 1;
        else if (thumb.contains(message.pt))
            drag = {true, message.pt.y - thumb.y};
        else
            top += message.pt.y < thumb.y ? -bar.visible : bar.visible;
    }
    return std::clamp(top, 0, bar.lastTop());
}

} // namespace plat
