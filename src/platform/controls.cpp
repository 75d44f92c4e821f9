// The dialog controls: each draws itself in the handheld's look and turns pen and keys into
// notifications to its dialog.
#include "platform/controls.h"

#include <algorithm>
#include <cstdlib>

#include "platform/look.h"
#include "platform/text.h"
#include "platform/utf8.h"

namespace plat {

// ---- Control ------------------------------------------------------------------------------------

void Control::setText(std::string_view text)
{
    text_ = text;
    invalidate();
}

void Control::enable(bool enabled)
{
    if (enabled_ == enabled)
        return;
    enabled_ = enabled;
    if (!enabled && hasFocus())
        dialog_->focusNext(false);
    invalidate();
}

bool Control::hasFocus() const
{
    return window_ && FocusWindow() == window_;
}

void Control::invalidate() const
{
    InvalidateRect(window_);
}

void Control::notify(std::intptr_t code)
{
    SendMessage({.window = dialog_->window(), .msg = Msg::Command, .id = id_, .other = window_, .value = code});
}

std::unique_ptr<Control> CreateControl(Dialog& dialog, const DialogItem& item)
{
    std::unique_ptr<Control> control;
    switch (item.kind) {
    case ControlKind::Static:
        control = std::make_unique<StaticControl>(item.id, item.text);
        break;
    case ControlKind::Button:
    case ControlKind::DefaultButton:
        control = std::make_unique<ButtonControl>(item.kind, item.id, item.text);
        break;
    case ControlKind::List:
        control = std::make_unique<ListControl>(item.id, item.text);
        break;
    case ControlKind::Edit:
        control = std::make_unique<EditControl>(item.id, item.text);
        break;
    }
    control->dialog_ = &dialog;
    control->style_ = item.style;
    return control;
}

namespace {

// A rectangle of every other pixel just inside r: the focus mark.
void DrawFocusMark(DrawContext& dc, const Rect& r)
{
    for (int x = r.x; x < r.right(); x += 2) {
        SetPixel(dc, x, r.y, kBlack);
        SetPixel(dc, x, r.bottom() - 1, kBlack);
    }
    for (int y = r.y; y < r.bottom(); y += 2) {
        SetPixel(dc, r.x, y, kBlack);
        SetPixel(dc, r.right() - 1, y, kBlack);
    }
}

Rect Inset(const Rect& r, int by)
{
    return {r.x + by, r.y + by, r.width - 2 * by, r.height - 2 * by};
}

} // namespace

// ---- Static text --------------------------------------------------------------------------------

namespace {

// The end of a text that fits the width after "...", or the whole text when it fits.
std::string ShownEnd(const std::string& text, int width)
{
    if (MeasureText(text, 0).width <= width)
        return text;
    std::size_t from = 0;
    while (from < text.size() && MeasureText("..." + text.substr(from), 0).width > width)
        from = NextCharStart(text, from);
    return "..." + text.substr(from);
}

} // namespace

void StaticControl::paint(DrawContext& dc, const Rect& client)
{
    FillRect(dc, client, Brush{kWhite});
    dc.textColor = enabled() ? kBlack : kGreyTextColor;
    bool showEnd = style() & kStaticShowEnd;
    DrawText(dc, client, showEnd ? ShownEnd(text(), client.width) : text(), style() & ~kStaticShowEnd);
}

// ---- Push button --------------------------------------------------------------------------------

void ButtonControl::paint(DrawContext& dc, const Rect& client)
{
    bool down = pressed_ && pressedShown_;
    Color frame = enabled() ? kBlack : kGreyTextColor;
    DrawBox(dc, client, down ? kBlack : kWhite, frame);
    if (kind() == ControlKind::DefaultButton)
        DrawFrame(dc, Inset(client, 1), frame);
    dc.textColor = down ? kWhite : frame;
    DrawText(dc, client, text(), kTextCenter | kTextVCenter);
    if (hasFocus() && !down)
        DrawFocusMark(dc, Inset(client, 3));
}

void ButtonControl::pen(const Message& message)
{
    bool inside = ClientRect(window()).contains(message.pt);
    if (message.msg == Msg::PenDown)
        pressed_ = true;
    if (!pressed_)
        return;
    if (pressedShown_ != inside) {
        pressedShown_ = inside;
        invalidate();
    }
    if (message.msg == Msg::PenUp) {
        pressed_ = pressedShown_ = false;
        invalidate();
        if (inside)
            notify(kNotifyClicked);
    }
}

bool ButtonControl::key(int key, int mods)
{
    if ((key != Key::Space && key != Key::Return) || mods != kModNone)
        return false;
    notify(kNotifyClicked);
    return true;
}

// ---- List ---------------------------------------------------------------------------------------

namespace {

constexpr int kScrollBarWidth = 11;
constexpr int kRowPadding = 4;
constexpr int kIconWidth = 16;

// Two-colour pictures before a row's text: 'k' outline, 'y' folder yellow, 'w' page white.
constexpr const char* kFolderArt[] = {
    ".kkkk.......", "kyyyyk......", "kkkkkkkkkkk.", "kyyyyyyyyyk.", "kyyyyyyyyyk.",
    "kyyyyyyyyyk.", "kyyyyyyyyyk.", "kyyyyyyyyyk.", "kkkkkkkkkkk.",
};
constexpr const char* kFileArt[] = {
    "kkkkkk...", "kwwwwkk..", "kwwwwkwk.", "kwwwwkkkk", "kwkkkkwwk", "kwwwwwwwk",
    "kwkkkkkwk", "kwwwwwwwk", "kwkkkkkwk", "kwwwwwwwk", "kkkkkkkkk",
};
constexpr const char* kUpArrowArt[] = {"...#...", "..###..", ".#####.", "#######"};
constexpr const char* kDownArrowArt[] = {"#######", ".#####.", "..###..", "...#..."};

void DrawIcon(DrawContext& dc, int x, int y, RowIcon icon)
{
    if (icon == RowIcon::None)
        return;
    const char* const* art = icon == RowIcon::Folder ? kFolderArt : kFileArt;
    int rows = icon == RowIcon::Folder ? 9 : 11;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; art[r][c]; ++c) {
            char p = art[r][c];
            if (p != '.')
                SetPixel(dc, x + c, y + r, p == 'k' ? kBlack : p == 'y' ? MakeColor(240, 200, 60) : kWhite);
        }
}

int RowHeight()
{
    return TextLineHeight() + kRowPadding;
}

} // namespace

void ListControl::setRows(std::vector<ListRow> rows)
{
    rows_ = std::move(rows);
    selected_ = -1;
    top_ = 0;
    freshRows_ = true;
    draggingThumb_ = false;
    invalidate();
}

int ListControl::visibleRows() const
{
    return std::max(1, (ClientRect(window()).height - 2) / RowHeight());
}

void ListControl::select(int row)
{
    selected_ = std::clamp(row, -1, static_cast<int>(rows_.size()) - 1);
    if (selected_ >= 0 && selected_ < top_)
        scrollTo(selected_);
    else if (selected_ >= top_ + visibleRows())
        scrollTo(selected_ - visibleRows() + 1);
    invalidate();
}

void ListControl::scrollTo(int top)
{
    int last = std::max(0, static_cast<int>(rows_.size()) - visibleRows());
    top = std::clamp(top, 0, last);
    if (top != top_) {
        top_ = top;
        invalidate();
    }
}

Rect ListControl::rowRect(int row) const
{
    if (row < top_ || row >= top_ + visibleRows() || row >= static_cast<int>(rows_.size()))
        return {};
    bool bar = static_cast<int>(rows_.size()) > visibleRows();
    Rect client = ClientRect(window());
    return {1, 1 + (row - top_) * RowHeight(), client.width - 2 - (bar ? kScrollBarWidth : 0), RowHeight()};
}

namespace {

struct ScrollBarParts {
    Rect up, down, track, thumb;
};

ScrollBarParts ScrollBarOf(const Rect& client, int count, int visible, int top)
{
    int x = client.width - 1 - kScrollBarWidth;
    ScrollBarParts parts;
    parts.up = {x, 1, kScrollBarWidth, kScrollBarWidth};
    parts.down = {x, client.height - 1 - kScrollBarWidth, kScrollBarWidth, kScrollBarWidth};
    parts.track = Rect::fromEdges(x, parts.up.bottom(), x + kScrollBarWidth, parts.down.y);
    int length = parts.track.height;
    int thumb = std::clamp(length * visible / std::max(count, 1), 8, std::max(8, length));
    int range = std::max(1, count - visible);
    parts.thumb = {x, parts.track.y + (length - thumb) * top / range, kScrollBarWidth, thumb};
    return parts;
}

void DrawScrollBar(DrawContext& dc, const ScrollBarParts& parts)
{
    FillRect(dc, parts.track, Brush{kFaceColor});
    for (const Rect& r : {parts.up, parts.down})
        DrawBox(dc, r, kFaceColor, kBlack);
    DrawPixelArt(dc, parts.up.x + 2, parts.up.y + 3, kUpArrowArt, 4, kBlack);
    DrawPixelArt(dc, parts.down.x + 2, parts.down.y + 4, kDownArrowArt, 4, kBlack);
    DrawBox(dc, parts.thumb, kWhite, kBlack);
}

} // namespace

void ListControl::paint(DrawContext& dc, const Rect& client)
{
    DrawBox(dc, client, kWhite, kBlack);
    int last = std::min(static_cast<int>(rows_.size()), top_ + visibleRows());
    for (int row = top_; row < last; ++row) {
        Rect r = rowRect(row);
        bool chosen = row == selected_;
        if (chosen)
            FillRect(dc, r, Brush{hasFocus() ? kHighlightColor : kFaceColor});
        const ListRow& item = rows_[static_cast<std::size_t>(row)];
        DrawIcon(dc, r.x + 2, r.y + (r.height - 10) / 2, item.icon);
        dc.textColor = chosen && hasFocus() ? kWhite : enabled() ? kBlack : kGreyTextColor;
        int textX = r.x + 2 + (item.icon == RowIcon::None ? 0 : kIconWidth);
        DrawText(dc, {textX, r.y, r.right() - textX, r.height}, item.text, kTextLeft | kTextVCenter);
    }
    if (static_cast<int>(rows_.size()) > visibleRows())
        DrawScrollBar(dc, ScrollBarOf(client, static_cast<int>(rows_.size()), visibleRows(), top_));
    // With the keys but no row chosen yet, the list shows that it has them.
    if (hasFocus() && selected_ < 0)
        DrawFocusMark(dc, Inset(client, 1));
}

void ListControl::penOnScrollBar(const Message& message)
{
    ScrollBarParts parts = ScrollBarOf(ClientRect(window()), static_cast<int>(rows_.size()), visibleRows(), top_);
    int range = std::max(1, static_cast<int>(rows_.size()) - visibleRows());
    if (message.msg == Msg::PenMove && draggingThumb_) {
        int travel = std::max(1, parts.track.height - parts.thumb.height);
        scrollTo((message.pt.y - dragOffset_ - parts.track.y) * range / travel);
        return;
    }
    if (message.msg != Msg::PenDown)
        return;
    if (parts.up.contains(message.pt))
        scrollTo(top_ - 1);
    else if (parts.down.contains(message.pt))
        scrollTo(top_ + 1);
    else if (parts.thumb.contains(message.pt)) {
        draggingThumb_ = true;
        dragOffset_ = message.pt.y - parts.thumb.y;
    } else
        scrollTo(top_ + (message.pt.y < parts.thumb.y ? -visibleRows() : visibleRows()));
}

void ListControl::choose(int row, bool activate)
{
    if (row != selected_) {
        select(row);
        notify(kNotifySelect);
    }
    if (activate)
        notify(kNotifyActivate);
}

void ListControl::pen(const Message& message)
{
    bool bar = static_cast<int>(rows_.size()) > visibleRows();
    bool onBar = bar && message.pt.x >= ClientRect(window()).width - 1 - kScrollBarWidth;
    if (message.msg == Msg::PenUp)
        draggingThumb_ = false;
    if (draggingThumb_ || (onBar && message.msg == Msg::PenDown)) {
        penOnScrollBar(message);
        return;
    }
    if (message.msg != Msg::PenDown)
        return;
    bool doubleTap = message.id == 2 && !freshRows_;
    freshRows_ = false;
    int row = top_ + (message.pt.y - 1) / RowHeight();
    if (message.pt.y < 1 || row >= static_cast<int>(rows_.size()))
        return;
    choose(row, false);
    // The selection may have changed the rows (a folder opened): then this tap is done.
    if (freshRows_ || row >= static_cast<int>(rows_.size()))
        return;
    notify(doubleTap ? kNotifyActivate : kNotifyTap);
}

bool ListControl::key(int key, int mods)
{
    if (mods != kModNone || rows_.empty())
        return false;
    int page = visibleRows();
    int last = static_cast<int>(rows_.size()) - 1;
    switch (key) {
    case Key::Up: choose(std::max(0, selected_ - 1), false); return true;
    case Key::Down: choose(std::min(last, selected_ + 1), false); return true;
    case Key::PageUp: choose(std::max(0, selected_ - page), false); return true;
    case Key::PageDown: choose(std::min(last, std::max(selected_, 0) + page), false); return true;
    case Key::Home: choose(0, false); return true;
    case Key::End: choose(last, false); return true;
    case Key::Return:
        if (selected_ < 0)
            return false;
        notify(kNotifyActivate);
        return true;
    default: return false;
    }
}

bool ListControl::wheel(int steps)
{
    scrollTo(top_ - 3 * steps);
    return true;
}

// ---- Edit field ---------------------------------------------------------------------------------

namespace {

constexpr int kEditPadding = 3;

int PrefixWidth(const std::string& text, std::size_t bytes)
{
    return bytes == 0 ? 0 : MeasureText(std::string_view(text).substr(0, bytes), 0).width;
}

} // namespace

void EditControl::setText(std::string_view text)
{
    Control::setText(text);
    moveCaret(this->text().size());
}

void EditControl::moveCaret(std::size_t at)
{
    caret_ = std::min(at, text().size());
    int inner = ClientRect(window()).width - 2 * kEditPadding;
    int x = PrefixWidth(text(), caret_);
    if (x - scroll_ > inner - 1)
        scroll_ = x - inner + 1;
    if (x < scroll_)
        scroll_ = std::max(0, x - inner / 3);
    invalidate();
}

void EditControl::edit(std::string text, std::size_t caret)
{
    Control::setText(text);
    moveCaret(caret);
    notify(kNotifyChange);
}

void EditControl::paint(DrawContext& dc, const Rect& client)
{
    FillRect(dc, client, Brush{kWhite});
    Rect inner = Inset(client, kEditPadding);
    dc.textColor = enabled() ? kBlack : kGreyTextColor;
    DrawText(dc, {inner.x - scroll_, inner.y, inner.width + scroll_, inner.height}, text(),
             kTextLeft | kTextVCenter);
    // Text scrolled past the left edge must not cover the padding and frame.
    FillRect(dc, {1, 1, kEditPadding - 1, client.height - 2}, Brush{kWhite});
    DrawFrame(dc, client, enabled() ? kBlack : kGreyTextColor);
    if (hasFocus()) {
        int x = inner.x + PrefixWidth(text(), caret_) - scroll_;
        int h = TextLineHeight();
        FillRect(dc, {x, client.y + (client.height - h) / 2, 1, h}, Brush{kBlack});
    }
}

void EditControl::pen(const Message& message)
{
    if (message.msg != Msg::PenDown)
        return;
    int x = message.pt.x - kEditPadding + scroll_;
    std::size_t best = 0;
    for (std::size_t at = 0; at <= text().size(); at = NextCharStart(text(), at)) {
        if (std::abs(PrefixWidth(text(), at) - x) < std::abs(PrefixWidth(text(), best) - x))
            best = at;
        if (at == text().size())
            break;
    }
    moveCaret(best);
}

bool EditControl::key(int key, int mods)
{
    if (mods & (kModCtrl | kModAlt))
        return false;
    const std::string& t = text();
    switch (key) {
    case Key::Left: moveCaret(PreviousCharStart(t, caret_)); return true;
    case Key::Right: moveCaret(NextCharStart(t, caret_)); return true;
    case Key::Home: moveCaret(0); return true;
    case Key::End: moveCaret(t.size()); return true;
    case Key::Back:
        if (caret_ > 0) {
            std::size_t from = PreviousCharStart(t, caret_);
            edit(t.substr(0, from) + t.substr(caret_), from);
        }
        return true;
    case Key::Delete:
        if (caret_ < t.size())
            edit(t.substr(0, caret_) + t.substr(NextCharStart(t, caret_)), caret_);
        return true;
    default: return false;
    }
}

void EditControl::character(char32_t c)
{
    if (c < 0x20 || c == 0x7F)
        return; // Return, Escape, Back and Tab act as keys
    std::string typed;
    AppendUtf8(typed, c);
    const std::string& t = text();
    edit(t.substr(0, caret_) + typed + t.substr(caret_), caret_ + typed.size());
}

} // namespace plat
