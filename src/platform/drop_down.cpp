// The drop-down list: the box, and its list as a window over everything with a nested loop that
// follows the pen and the keys until the list closes.
#include "platform/drop_down.h"

#include <algorithm>

#include "platform/look.h"
#include "platform/scroll_bar.h"
#include "platform/text.h"

namespace plat {

namespace {

constexpr int kArrowButtonWidth = 13;
constexpr int kRowPadding = 4;
constexpr const char* kArrowArt[] = {"#######", ".#####.", "..###..", "...#..."};

int RowHeight()
{
    return TextLineHeight() + kRowPadding;
}

} // namespace

// The open list: where it lies, which rows show, which one the pen or the keys mark.
struct DropList {
    const std::vector<std::string>* items = nullptr;
    Window* window = nullptr;
    Rect source;     // the box in screen pixels: the pen lifted there keeps the list open
    int visible = 1; // rows shown at once
    int top = 0;
    int marked = -1;
    ScrollDrag drag;
    bool onBar = false; // the pen went down on the scroll bar
    bool done = false;
    int chosen = -1;

    int count() const { return static_cast<int>(items->size()); }
    bool hasBar() const { return count() > visible; }
    ScrollBar bar() const
    {
        Rect client = ClientRect(window);
        return {{client.width - 1 - kScrollBarWidth, 1, kScrollBarWidth, client.height - 2}, count(), visible, top};
    }
    Rect rowRect(int row) const
    {
        if (row < top || row >= top + visible || row >= count())
            return {};
        int width = ClientRect(window).width - 2 - (hasBar() ? kScrollBarWidth : 0);
        return {1, 1 + (row - top) * RowHeight(), width, RowHeight()};
    }
    // The row under a client point; -1 outside the rows.
    int rowAt(Point p) const
    {
        int row = top + (p.y - 1) / RowHeight();
        bool inside = p.y >= 1 && p.x >= 1 && p.x < ClientRect(window).width - 1 - (hasBar() ? kScrollBarWidth : 0);
        return inside && row < std::min(count(), top + visible) ? row : -1;
    }
    void scrollTo(int row)
    {
        top = std::clamp(row, 0, std::max(0, count() - visible));
        InvalidateRect(window);
    }
    void mark(int row)
    {
        if (row < 0 || row >= count())
            return;
        marked = row;
        if (row < top)
            scrollTo(row);
        else if (row >= top + visible)
            scrollTo(row - visible + 1);
        InvalidateRect(window);
    }
    void finish(int row)
    {
        chosen = row;
        done = true;
        EndModal(window, 0);
    }
};

namespace {

void PaintList(Window& window, const DropList& list)
{
    PaintContext paint = BeginPaint(&window);
    DrawBox(paint.dc, ClientRect(&window), kWhite, kBlack);
    for (int row = list.top; row < std::min(list.count(), list.top + list.visible); ++row) {
        Rect r = list.rowRect(row);
        bool marked = row == list.marked;
        if (marked)
            FillRect(paint.dc, r, Brush{kHighlightColor});
        paint.dc.textColor = marked ? kWhite : kBlack;
        DrawText(paint.dc, {r.x + 3, r.y, r.width - 4, r.height}, (*list.items)[static_cast<std::size_t>(row)],
                 kTextLeft | kTextVCenter);
    }
    if (list.hasBar())
        DrawScrollBar(paint.dc, list.bar());
    EndPaint(&window, paint);
}

void ListPen(DropList& list, const Message& message)
{
    Point screen = ClientToScreen(message.window, message.pt);
    bool inside = list.window->rect.contains(screen);
    if (message.msg == Msg::PenDown) {
        list.onBar = inside && list.hasBar() && list.bar().area.contains(message.pt);
        if (!inside) {
            list.finish(-1); // the tap outside only closes the list
            return;
        }
    }
    if (list.onBar) {
        list.scrollTo(ScrollBarPen(list.bar(), message, list.drag));
        if (message.msg == Msg::PenUp)
            list.onBar = false;
    } else if (message.msg == Msg::PenUp && inside && list.rowAt(message.pt) >= 0) {
        list.finish(list.rowAt(message.pt));
        return;
    } else if (message.msg == Msg::PenUp && !inside && !list.source.contains(screen)) {
        list.finish(-1);
        return;
    } else if (inside && list.rowAt(message.pt) >= 0) {
        list.mark(list.rowAt(message.pt));
    }
    // Still open: the next pen down, wherever it lands, comes here.
    if (message.msg == Msg::PenUp)
        SetCapture(list.window);
}

void ListKey(DropList& list, int key)
{
    int last = list.count() - 1;
    switch (key) {
    case Key::Up: list.mark(std::max(0, list.marked - 1)); break;
    case Key::Down: list.mark(std::min(last, list.marked + 1)); break;
    case Key::PageUp: list.mark(std::max(0, list.marked - list.visible)); break;
    case Key::PageDown: list.mark(std::min(last, std::max(list.marked, 0) + list.visible)); break;
    case Key::Home: list.mark(0); break;
    case Key::End: list.mark(last); break;
    case Key::Return:
    case Key::Space: list.finish(list.marked); break;
    case Key::Escape:
    case Key::Tab:
    case Key::F4:
        list.finish(-1);
        break;
    default: break;
    }
}

std::intptr_t ListProc(Window& window, const Message& message, DropList& list)
{
    if (list.done)
        return DefaultWindowProc(window, message);
    switch (message.msg) {
    case Msg::Paint:
        PaintList(window, list);
        return 0;
    case Msg::PenDown:
    case Msg::PenMove:
    case Msg::PenUp:
        ListPen(list, message);
        return 0;
    case Msg::KeyDown:
        ListKey(list, message.id);
        return 0;
    case Msg::Wheel:
        list.scrollTo(list.top - message.id);
        return 0;
    default:
        return DefaultWindowProc(window, message);
    }
}

// Below the box, or above it when the screen has no room below.
Rect ListRect(const Rect& box, int openHeight, int count)
{
    int wanted = std::max(1, count) * RowHeight() + 2;
    int room = std::max(RowHeight() + 2, openHeight - box.height);
    int height = std::min(wanted, room);
    int bottomLimit = kScreenHeight - kMenuBarHeight;
    if (box.bottom() + height <= bottomLimit || box.y - height < kTopBarHeight)
        return {box.x, box.bottom(), box.width, std::min(height, bottomLimit - box.bottom())};
    return {box.x, box.y - height, box.width, height};
}

} // namespace

int DropDownBoxHeight()
{
    return TextLineHeight() + 8;
}

Rect DropDownControl::placement(const Rect& templateRect)
{
    openHeight_ = templateRect.height;
    return {templateRect.x, templateRect.y, templateRect.width, DropDownBoxHeight()};
}

void DropDownControl::setItems(std::vector<std::string> items)
{
    items_ = std::move(items);
    select(-1);
}

void DropDownControl::select(int index)
{
    selected_ = index >= 0 && index < static_cast<int>(items_.size()) ? index : -1;
    setText(selected_ >= 0 ? items_[static_cast<std::size_t>(selected_)] : std::string());
}

void DropDownControl::drop()
{
    if (list_ || !enabled())
        return;
    DropList list;
    list.items = &items_;
    Point origin = ClientToScreen(window(), {0, 0});
    list.source = ClientRect(window()).translated(origin.x, origin.y);
    Rect rect = ListRect(list.source, openHeight_, static_cast<int>(items_.size()));
    list.visible = std::max(1, (rect.height - 2) / RowHeight());
    WindowParams params;
    params.title = "List";
    params.role = WindowRole::Topmost;
    params.rect = rect;
    params.proc = [&list](Window& w, const Message& m) { return ListProc(w, m, list); };
    list.window = CreateWindow(params);
    if (!list.window)
        return;
    list.mark(selected_);
    list_ = &list;
    invalidate();
    Window* formerFocus = FocusWindow();
    SetFocus(list.window);
    SetCapture(list.window);
    RunModalLoop(list.window);
    list_ = nullptr;
    DestroyWindow(list.window);
    if (!IsWindowAlive(window()))
        return; // the dialog went while the list was open
    if (IsWindowAlive(formerFocus))
        SetFocus(formerFocus);
    invalidate();
    if (list.chosen >= 0 && list.chosen != selected_) {
        select(list.chosen);
        notify(kNotifySelect);
    }
    notify(kNotifyCloseUp);
}

void DropDownControl::paint(DrawContext& dc, const Rect& client)
{
    Color ink = enabled() ? kBlack : kGreyTextColor;
    DrawBox(dc, client, kWhite, ink);
    Rect button{client.width - kArrowButtonWidth, 0, kArrowButtonWidth, client.height};
    DrawBox(dc, button, kFaceColor, ink);
    DrawPixelArt(dc, button.x + 3, button.y + (button.height - 4) / 2, kArrowArt, 4, ink);
    Rect label{3, 0, button.x - 4, client.height};
    dc.textColor = ink;
    DrawText(dc, label, text(), kTextLeft | kTextVCenter);
    if (hasFocus() && !list_)
        DrawFocusMark(dc, {1, 2, button.x - 2, client.height - 4});
}

void DropDownControl::pen(const Message& message)
{
    if (message.msg == Msg::PenDown)
        drop();
}

bool DropDownControl::key(int key, int mods)
{
    bool opens = (key == Key::Space || key == Key::F4) && mods == kModNone;
    opens = opens || ((key == Key::Up || key == Key::Down) && (mods == kModNone || mods == kModAlt));
    if (!opens)
        return false;
    drop();
    return true;
}

void DropDownControl::describe(ControlView& view) const
{
    view.open = list_ != nullptr;
    view.selected = selected_;
    for (int row = 0; row < static_cast<int>(items_.size()); ++row) {
        view.rows.push_back(items_[static_cast<std::size_t>(row)]);
        Rect r = list_ ? list_->rowRect(row) : Rect{};
        Point origin = list_ ? ClientToScreen(list_->window, {0, 0}) : Point{};
        view.rowRects.push_back(r.isEmpty() ? Rect{} : r.translated(origin.x, origin.y));
    }
}

} // namespace plat
