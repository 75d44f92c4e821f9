// Pop-up menus on the screen: one topmost window per open level; the first level holds the pen
// capture and the key focus and routes both through one tracker.
#include "platform/popup_menu.h"

#include <algorithm>
#include <iterator>

#include "platform/look.h"
#include "platform/text.h"
#include "platform/window.h"

namespace plat {
namespace {

constexpr int kBorder = 1;
constexpr int kItemPadding = 6;   // added to the text line for an item's height
constexpr int kSeparatorHeight = 7;
constexpr int kCheckMargin = 16;  // left of the text: room for a check mark
constexpr int kArrowMargin = 16;  // right of the text: room for a sub-pop-up's arrow
constexpr int kMinWidth = 64;
constexpr int kSubOverlap = 3;    // a sub-pop-up overlaps its parent's right edge

constexpr const char* kArrowArt[] = {
    "#...", "##..", "###.", "####", "###.", "##..", "#...",
};
constexpr const char* kCheckArt[] = {
    "......#", ".....##", "#...##.", "##.##..", ".###...", "..#....",
};

int ItemHeight(const MenuItem& item)
{
    return item.isSeparator() ? kSeparatorHeight : TextLineHeight() + kItemPadding;
}

// The item rectangles inside the pop-up, top to bottom.
std::vector<Rect> ItemRects(const Menu& menu, int width)
{
    std::vector<Rect> rects;
    int y = kBorder;
    for (const MenuItem& item : menu.items) {
        int h = ItemHeight(item);
        rects.push_back({kBorder, y, width - 2 * kBorder, h});
        y += h;
    }
    return rects;
}

void PaintItem(DrawContext& dc, const MenuItem& item, const Rect& r, bool highlighted)
{
    if (item.isSeparator()) {
        FillRect(dc, {r.x + 2, r.y + r.height / 2, r.width - 4, 1}, Brush{kShadowColor});
        return;
    }
    Color ink = item.greyed ? kGreyTextColor : highlighted ? kWhite : kBlack;
    if (highlighted)
        FillRect(dc, r, Brush{kHighlightColor});
    dc.textColor = ink;
    DrawText(dc, {r.x + kCheckMargin, r.y, r.width - kCheckMargin - kArrowMargin, r.height}, item.text,
             kTextLeft | kTextVCenter);
    if (item.checked)
        DrawPixelArt(dc, r.x + 5, r.y + (r.height - 6) / 2, kCheckArt, 6, ink);
    if (item.popup)
        DrawPixelArt(dc, r.right() - 10, r.y + (r.height - 7) / 2, kArrowArt, 7, ink);
}

bool Selectable(const MenuItem& item)
{
    return !item.isSeparator() && !item.greyed && (item.popup || item.command != 0);
}

// One open level: its menu, its window and the item marked in it.
struct Level {
    const Menu* menu = nullptr;
    Window* window = nullptr;
    std::vector<Rect> items; // client pixels
    int highlighted = -1;
};

struct Tracker {
    std::vector<Level> levels;
    Rect source{};
    int chosen = 0;
    bool done = false;
};

std::vector<Tracker*> OpenTrackers; // innermost last

void Finish(Tracker& t, int command)
{
    t.chosen = command;
    t.done = true;
    if (!t.levels.empty())
        EndModal(t.levels.front().window, command);
}

std::intptr_t LevelProc(Window& window, const Message& message, Tracker& t, std::size_t depth);

void OpenLevel(Tracker& t, const Menu& menu, Rect rect)
{
    Level level;
    level.menu = &menu;
    level.items = ItemRects(menu, rect.width);
    std::size_t depth = t.levels.size();
    Tracker* tracker = &t;
    WindowParams params;
    params.title = "Menu";
    params.role = WindowRole::Topmost;
    params.rect = rect;
    params.proc = [tracker, depth](Window& w, const Message& m) { return LevelProc(w, m, *tracker, depth); };
    t.levels.push_back(std::move(level));
    t.levels.back().window = CreateWindow(params);
}

void CloseLevelsFrom(Tracker& t, std::size_t depth)
{
    while (t.levels.size() > std::max<std::size_t>(depth, 1)) {
        DestroyWindow(t.levels.back().window);
        t.levels.pop_back();
    }
}

Rect KeptOnScreen(Rect r)
{
    r.x = std::clamp(r.x, 0, std::max(0, kScreenWidth - r.width));
    r.y = std::clamp(r.y, kTopBarHeight, std::max(kTopBarHeight, kScreenHeight - r.height));
    return r;
}

// Opens the sub-pop-up of item `index` of level `depth` beside it.
void OpenSubMenu(Tracker& t, std::size_t depth, int index, bool highlightFirst);

void Highlight(Tracker& t, std::size_t depth, int index)
{
    CloseLevelsFrom(t, depth + 1);
    Level& level = t.levels[depth];
    if (level.highlighted != index) {
        level.highlighted = index;
        InvalidateRect(level.window);
    }
}

int NextSelectable(const Level& level, int from, int step)
{
    int count = static_cast<int>(level.menu->items.size());
    for (int i = 1; i <= count; ++i) {
        int at = ((from + step * i) % count + count) % count;
        if (Selectable(level.menu->items[static_cast<std::size_t>(at)]))
            return at;
    }
    return -1;
}

void OpenSubMenu(Tracker& t, std::size_t depth, int index, bool highlightFirst)
{
    const MenuItem& item = t.levels[depth].menu->items[static_cast<std::size_t>(index)];
    if (!item.popup)
        return;
    Rect parent = t.levels[depth].window->rect;
    Rect row = t.levels[depth].items[static_cast<std::size_t>(index)];
    Size size = PopupMenuSize(*item.popup);
    Rect r = {parent.right() - kSubOverlap, parent.y + row.y - kBorder, size.width, size.height};
    if (r.right() > kScreenWidth)
        r.x = parent.x - size.width + kSubOverlap;
    r = KeptOnScreen(r);
    r.y = std::min(r.y, std::max(kTopBarHeight, kScreenHeight - kMenuBarHeight - r.height));
    OpenLevel(t, *item.popup, r);
    if (highlightFirst)
        Highlight(t, depth + 1, NextSelectable(t.levels[depth + 1], -1, 1));
}

// The level and item under a screen point, deepest level first; false when outside them all.
bool HitTest(const Tracker& t, Point screen, std::size_t& depth, int& index)
{
    for (std::size_t d = t.levels.size(); d-- > 0;) {
        const Level& level = t.levels[d];
        if (!level.window->rect.contains(screen))
            continue;
        Point p = ScreenToClient(level.window, screen);
        depth = d;
        index = -1;
        for (std::size_t i = 0; i < level.items.size(); ++i)
            if (level.items[i].contains(p))
                index = static_cast<int>(i);
        return true;
    }
    return false;
}

// The pen over an entry: it is marked, and a sub-pop-up under it opens.
void PenOver(Tracker& t, Point screen)
{
    std::size_t depth = 0;
    int index = -1;
    if (!HitTest(t, screen, depth, index)) {
        Level& deepest = t.levels.back();
        bool opener = deepest.highlighted >= 0 &&
                      deepest.menu->items[static_cast<std::size_t>(deepest.highlighted)].popup;
        if (!opener && deepest.highlighted >= 0)
            Highlight(t, t.levels.size() - 1, -1);
        return;
    }
    const Level& level = t.levels[depth];
    bool selectable = index >= 0 && Selectable(level.menu->items[static_cast<std::size_t>(index)]);
    if (!selectable) {
        Highlight(t, depth, -1);
        return;
    }
    if (level.highlighted == index && t.levels.size() > depth + 1)
        return; // its sub-pop-up is already open
    Highlight(t, depth, index);
    OpenSubMenu(t, depth, index, false);
}

void PenLifted(Tracker& t, Point screen)
{
    std::size_t depth = 0;
    int index = -1;
    if (HitTest(t, screen, depth, index)) {
        const MenuItem* item =
            index >= 0 ? &t.levels[depth].menu->items[static_cast<std::size_t>(index)] : nullptr;
        if (item && Selectable(*item) && !item->popup)
            Finish(t, item->command);
    } else if (!t.source.contains(screen)) {
        Finish(t, 0);
    }
    // Still open: the next pen down, wherever it lands, comes here.
    if (!t.done)
        SetCapture(t.levels.front().window);
}

void OnPen(Tracker& t, const Message& message)
{
    Point screen = ClientToScreen(message.window, message.pt);
    std::size_t depth = 0;
    int index = -1;
    switch (message.msg) {
    case Msg::PenDown:
        if (!HitTest(t, screen, depth, index))
            Finish(t, 0); // the tap outside only closes the menu
        else
            PenOver(t, screen);
        break;
    case Msg::PenMove:
        PenOver(t, screen);
        break;
    case Msg::PenUp:
        PenLifted(t, screen);
        break;
    default:
        break;
    }
}

void OnKey(Tracker& t, int key)
{
    std::size_t depth = t.levels.size() - 1;
    Level& level = t.levels[depth];
    int at = level.highlighted;
    const MenuItem* item = at >= 0 ? &level.menu->items[static_cast<std::size_t>(at)] : nullptr;
    switch (key) {
    case Key::Down:
    case Key::Up:
        Highlight(t, depth, NextSelectable(level, at < 0 && key == Key::Up ? 0 : at, key == Key::Down ? 1 : -1));
        break;
    case Key::Right:
        if (item && item->popup)
            OpenSubMenu(t, depth, at, true);
        break;
    case Key::Return:
    case Key::Space:
        if (item && item->popup)
            OpenSubMenu(t, depth, at, true);
        else if (item && Selectable(*item))
            Finish(t, item->command);
        break;
    case Key::Left:
    case Key::Escape:
        if (depth > 0)
            CloseLevelsFrom(t, depth);
        else if (key == Key::Escape)
            Finish(t, 0);
        break;
    case Key::F10:
        Finish(t, 0);
        break;
    default:
        break;
    }
}

void PaintLevel(Window& window, const Level& level)
{
    PaintContext paint = BeginPaint(&window);
    PaintPopupMenu(paint.dc, *level.menu, level.highlighted);
    EndPaint(&window, paint);
}

std::intptr_t LevelProc(Window& window, const Message& message, Tracker& t, std::size_t depth)
{
    if (depth >= t.levels.size() || t.levels[depth].window != &window)
        return DefaultWindowProc(window, message);
    switch (message.msg) {
    case Msg::Paint:
        PaintLevel(window, t.levels[depth]);
        return 0;
    case Msg::PenDown:
    case Msg::PenMove:
    case Msg::PenUp:
        if (!t.done)
            OnPen(t, message);
        return 0;
    case Msg::KeyDown:
        if (!t.done)
            OnKey(t, message.id);
        return 0;
    default:
        return DefaultWindowProc(window, message);
    }
}

} // namespace

Size PopupMenuSize(const Menu& menu)
{
    int width = kMinWidth, height = 2 * kBorder;
    for (const MenuItem& item : menu.items) {
        height += ItemHeight(item);
        if (!item.isSeparator())
            width = std::max(width, MeasureText(item.text, 0).width + kCheckMargin + kArrowMargin + 2 * kBorder);
    }
    return {width, height};
}

void PaintPopupMenu(DrawContext& dc, const Menu& menu, int highlighted)
{
    Size size = PopupMenuSize(menu);
    DrawBox(dc, {0, 0, size.width, size.height}, kWhite, kBlack);
    std::vector<Rect> rects = ItemRects(menu, size.width);
    for (std::size_t i = 0; i < menu.items.size(); ++i)
        PaintItem(dc, menu.items[i], rects[i], static_cast<int>(i) == highlighted);
}

int TrackPopupMenu(const Menu& menu, Point anchor, const TrackOptions& options)
{
    if (!WindowSystemRunning() || menu.items.empty())
        return 0;
    Tracker t;
    t.source = options.source;
    Size size = PopupMenuSize(menu);
    Rect r = {anchor.x, options.anchorIsBottomLeft ? anchor.y - size.height : anchor.y, size.width, size.height};
    OpenLevel(t, menu, KeptOnScreen(r));
    if (!t.levels.front().window)
        return 0;
    Window* formerFocus = FocusWindow();
    Window* root = t.levels.front().window;
    OpenTrackers.push_back(&t);
    SetFocus(root);
    if (options.fromKeyboard)
        Highlight(t, 0, NextSelectable(t.levels.front(), -1, 1));
    // A pen already down (on the button that opened the menu) now slides over the menu.
    SetCapture(root);
    RunModalLoop(root);
    std::erase(OpenTrackers, &t);
    CloseLevelsFrom(t, 1);
    DestroyWindow(root);
    if (IsWindowAlive(formerFocus))
        SetFocus(formerFocus);
    return t.done ? t.chosen : 0;
}

std::vector<PopupLevelView> OpenPopupMenuView()
{
    std::vector<PopupLevelView> view;
    if (OpenTrackers.empty())
        return view;
    for (const Level& level : OpenTrackers.back()->levels) {
        if (!IsWindowAlive(level.window))
            continue;
        PopupLevelView out;
        out.highlighted = level.highlighted;
        for (std::size_t i = 0; i < level.menu->items.size(); ++i) {
            const MenuItem& item = level.menu->items[i];
            Point origin = ClientToScreen(level.window, {level.items[i].x, level.items[i].y});
            out.items.push_back({item.text, item.isSeparator(), item.greyed, item.checked, item.popup != nullptr,
                                 {origin.x, origin.y, level.items[i].width, level.items[i].height}});
        }
        view.push_back(std::move(out));
    }
    return view;
}

} // namespace plat
