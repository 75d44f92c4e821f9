// The report-style list view: header, owner-supplied cells, the two marks, pen and keys.
#include "platform/list_view.h"

#include <algorithm>
#include <cstdlib>

#include "platform/look.h"

namespace plat {

namespace {

constexpr int kCellPadding = 2;
constexpr int kDragSlop = 4; // pixels the pen moves before a press becomes a drag

} // namespace

void ListViewControl::setColumns(std::vector<ListColumn> columns)
{
    columns_ = std::move(columns);
    invalidate();
}

void ListViewControl::setImages(std::vector<std::unique_ptr<Bitmap>> images)
{
    images_ = std::move(images);
    invalidate();
}

void ListViewControl::setCellSource(CellSource source)
{
    cells_ = std::move(source);
    invalidate();
}

void ListViewControl::setRowCount(int count)
{
    count_ = std::max(0, count);
    selected_ = focused_ = -1;
    top_ = 0;
    tappedHere_ = false;
    invalidate();
}

int ListViewControl::rowHeight() const
{
    int height = TextLineHeight() + 4;
    for (const auto& image : images_)
        if (image)
            height = std::max(height, image->height() + 1);
    return height;
}

int ListViewControl::visibleRows() const
{
    return std::max(1, (ClientRect(window()).height - kHeaderHeight) / rowHeight());
}

void ListViewControl::setSelected(int row)
{
    row = row >= 0 && row < count_ ? row : -1;
    if (row == selected_)
        return;
    redrawRow(selected_);
    selected_ = row;
    redrawRow(selected_);
}

void ListViewControl::setFocusedRow(int row)
{
    row = row >= 0 && row < count_ ? row : -1;
    if (row == focused_)
        return;
    redrawRow(focused_);
    focused_ = row;
    redrawRow(focused_);
}

void ListViewControl::scrollTo(int top)
{
    top = std::clamp(top, 0, std::max(0, count_ - visibleRows()));
    if (top != top_) {
        top_ = top;
        invalidate();
    }
}

void ListViewControl::ensureVisible(int row)
{
    if (row < 0 || row >= count_)
        return;
    if (row < top_)
        scrollTo(row);
    else if (row >= top_ + visibleRows())
        scrollTo(row - visibleRows() + 1);
}

Rect ListViewControl::rowRect(int row) const
{
    Rect client = ClientRect(window());
    int y = kHeaderHeight + (row - top_) * rowHeight();
    if (row < top_ || row >= count_ || y >= client.height)
        return {};
    int width = 0;
    for (const ListColumn& column : columns_)
        width += column.width;
    width = std::min(width, client.width - (hasScrollBar() ? kScrollBarWidth : 0));
    return {0, y, width, rowHeight()};
}

void ListViewControl::redrawRow(int row)
{
    Rect r = rowRect(row);
    if (!r.isEmpty())
        InvalidateRect(window(), r);
}

ListHit ListViewControl::hitTest(Point p) const
{
    ListHit hit;
    if (p.y < kHeaderHeight || p.x < 0 || (hasScrollBar() && scrollBar().area.contains(p)))
        return hit;
    int row = top_ + (p.y - kHeaderHeight) / rowHeight();
    if (row >= count_ || !rowRect(row).contains(p))
        return hit;
    hit.row = row;
    for (int c = 0, x = 0; c < static_cast<int>(columns_.size()); x += columns_[static_cast<std::size_t>(c)].width, ++c)
        if (p.x >= x && p.x < x + columns_[static_cast<std::size_t>(c)].width)
            hit.column = c;
    return hit;
}

ScrollBar ListViewControl::scrollBar() const
{
    Rect client = ClientRect(window());
    return {{client.width - kScrollBarWidth, kHeaderHeight, kScrollBarWidth, client.height - kHeaderHeight},
            count_, visibleRows(), top_};
}

// ---- Painting -----------------------------------------------------------------------------------

void ListViewControl::paintHeader(DrawContext& dc, const Rect& client) const
{
    FillRect(dc, {0, 0, client.width, kHeaderHeight}, Brush{kFaceColor});
    FillRect(dc, {0, kHeaderHeight - 1, client.width, 1}, Brush{kBlack});
    dc.textColor = kBlack;
    int x = 0;
    for (const ListColumn& column : columns_) {
        DrawText(dc, {x + 4, 0, column.width - 8, kHeaderHeight - 1}, column.title, column.align | kTextVCenter);
        FillRect(dc, {x + column.width - 1, 4, 1, kHeaderHeight - 8}, Brush{kShadowColor});
        x += column.width;
    }
}

void ListViewControl::paintRow(DrawContext& dc, int row) const
{
    Rect r = rowRect(row);
    if (r.isEmpty())
        return;
    bool marked = row == selected_;
    if (marked)
        FillRect(dc, r, Brush{hasFocus() ? kHighlightColor : kFaceColor});
    int x = 0;
    for (int c = 0; c < static_cast<int>(columns_.size()) && x < r.right(); ++c) {
        const ListColumn& column = columns_[static_cast<std::size_t>(c)];
        int right = std::min(x + column.width, r.right());
        ListCell cell = cells_ ? cells_(row, c) : ListCell{};
        int textX = x + kCellPadding;
        if (cell.image >= 0 && cell.image < static_cast<int>(images_.size()) && images_[static_cast<std::size_t>(cell.image)]) {
            const Bitmap& image = *images_[static_cast<std::size_t>(cell.image)];
            DrawContext from(const_cast<Bitmap*>(&image));
            BitBlt(dc, textX, r.y + (r.height - image.height()) / 2, std::min(image.width(), right - textX),
                   image.height(), &from, 0, 0, kRopSrcCopy);
            textX += image.width() + kCellPadding;
        }
        dc.textColor = marked && hasFocus() ? kWhite : enabled() ? kBlack : kGreyTextColor;
        DrawText(dc, {textX, r.y, right - kCellPadding - textX, r.height}, cell.text, column.align | kTextVCenter);
        x += column.width;
    }
    if (row == focused_)
        DrawFocusMark(dc, r);
}

void ListViewControl::paint(DrawContext& dc, const Rect& client)
{
    FillRect(dc, client, Brush{kWhite});
    for (int row = top_; row < count_ && !rowRect(row).isEmpty(); ++row)
        paintRow(dc, row);
    paintHeader(dc, client);
    if (hasScrollBar())
        DrawScrollBar(dc, scrollBar());
}

// ---- Pen and keys -------------------------------------------------------------------------------

void ListViewControl::press(const Message& message)
{
    bool second = message.id == 2 && tappedHere_;
    tappedHere_ = false;
    if (message.pt.y >= kHeaderHeight) {
        ListHit hit = hitTest(message.pt);
        setSelected(hit.row);
        if (hit.row >= 0)
            setFocusedRow(hit.row);
    }
    if (second) {
        stroke_.activated = true;
        penPoint_ = message.pt;
        notify(kNotifyActivate);
    }
}

void ListViewControl::dragTo(Point p)
{
    if (!stroke_.dragging && std::abs(p.x - stroke_.downAt.x) <= kDragSlop &&
        std::abs(p.y - stroke_.downAt.y) <= kDragSlop)
        return;
    stroke_.dragging = true;
    scrollTo(stroke_.downTop - (p.y - stroke_.downAt.y) / rowHeight());
}

void ListViewControl::pen(const Message& message)
{
    if (message.msg == Msg::PenDown)
        stroke_ = {message.pt, top_, hasScrollBar() && scrollBar().area.contains(message.pt)};
    if (stroke_.onBar) {
        scrollTo(ScrollBarPen(scrollBar(), message, drag_));
        return;
    }
    switch (message.msg) {
    case Msg::PenDown:
        press(message);
        break;
    case Msg::PenMove:
        dragTo(message.pt);
        break;
    case Msg::PenHold:
        if (stroke_.dragging || stroke_.activated)
            break;
        stroke_.held = true;
        penPoint_ = message.pt;
        notify(kNotifyHold);
        break;
    case Msg::PenUp:
        if (stroke_.dragging || stroke_.held || stroke_.activated)
            break;
        penPoint_ = message.pt;
        tappedHere_ = true;
        notify(kNotifyTap);
        break;
    default:
        break;
    }
}

bool ListViewControl::key(int key, int mods)
{
    if (key == Key::F10 && mods == kModShift) {
        if (focused_ < 0)
            return true;
        ensureVisible(focused_);
        Rect r = rowRect(focused_);
        int first = columns_.empty() ? r.width : std::min(r.width, columns_[0].width);
        penPoint_ = {r.x + first / 2, r.y + r.height / 2};
        notify(kNotifyHold);
        return true;
    }
    if (mods != kModNone || count_ == 0)
        return false;
    int from = focused_ >= 0 ? focused_ : selected_;
    int row = from;
    switch (key) {
    case Key::Up: row = std::max(0, from - 1); break;
    case Key::Down: row = std::min(count_ - 1, from + 1); break;
    case Key::PageUp: row = std::max(0, from - visibleRows()); break;
    case Key::PageDown: row = std::min(count_ - 1, std::max(from, 0) + visibleRows()); break;
    case Key::Home: row = 0; break;
    case Key::End: row = count_ - 1; break;
    default: return false;
    }
    setSelected(row);
    setFocusedRow(row);
    ensureVisible(row);
    notify(kNotifySelect);
    return true;
}

bool ListViewControl::wheel(int steps)
{
    scrollTo(top_ - steps);
    return true;
}

void ListViewControl::describe(ControlView& view) const
{
    Point origin = ClientToScreen(window(), {0, 0});
    for (int row = 0; row < count_; ++row) {
        std::vector<std::string> cells;
        for (int c = 0; c < static_cast<int>(columns_.size()); ++c)
            cells.push_back(cells_ ? cells_(row, c).text : std::string());
        view.rows.push_back(cells.empty() ? std::string() : cells.front());
        view.cells.push_back(std::move(cells));
        Rect r = rowRect(row);
        view.rowRects.push_back(r.isEmpty() ? Rect{} : r.translated(origin.x, origin.y));
    }
    view.selected = selected_;
    view.focusedRow = focused_;
    view.topRow = top_;
}

} // namespace plat
