// The dialog controls: each draws itself in the handheld's look and turns pen and keys into
// notifications to its dialog.
#include "platform/controls.h"

#include <algorithm>
#include <cstdlib>

#include "platform/drop_down.h"
#include "platform/list_view.h"
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

void Control::show(bool shown)
{
    if (shown == visible())
        return;
    bool hadFocus = hasFocus();
    ShowWindow(window_, shown);
    if (!shown && hadFocus)
        dialog_->focusNext(false);
}

bool Control::visible() const
{
    return window_ && window_->visible;
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
    case ControlKind::Radio:
        control = std::make_unique<RadioControl>(item.id, item.text);
        break;
    case ControlKind::GroupBox:
        control = std::make_unique<GroupBoxControl>(item.id, item.text);
        break;
    case ControlKind::Image:
        control = std::make_unique<ImageControl>(item.id, item.text);
        break;
    case ControlKind::ColorBox:
        control = std::make_unique<ColorBoxControl>(item.id);
        break;
    case ControlKind::DropDown:
        control = std::make_unique<DropDownControl>(item.id);
        break;
    case ControlKind::ListView:
        control = std::make_unique<ListViewControl>(item.id);
        break;
    }
    control->dialog_ = &dialog;
    control->style_ = item.style;
    return control;
}

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

namespace {

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
    drag_ = {};
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

ScrollBar ListControl::scrollBar() const
{
    Rect client = ClientRect(window());
    return {{client.width - 1 - kScrollBarWidth, 1, kScrollBarWidth, client.height - 2},
            static_cast<int>(rows_.size()), visibleRows(), top_};
}

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
        DrawScrollBar(dc, scrollBar());
    // With the keys but no row chosen yet, the list shows that it has them.
    if (hasFocus() && selected_ < 0)
        DrawFocusMark(dc, Inset(client, 1));
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
    if (drag_.active || (onBar && message.msg == Msg::PenDown)) {
        scrollTo(ScrollBarPen(scrollBar(), message, drag_));
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

void ListControl::describe(ControlView& view) const
{
    Point origin = ClientToScreen(window(), {0, 0});
    for (int row = 0; row < static_cast<int>(rows_.size()); ++row) {
        view.rows.push_back(rows_[static_cast<std::size_t>(row)].text);
        Rect r = rowRect(row);
        view.rowRects.push_back(r.isEmpty() ? Rect{} : r.translated(origin.x, origin.y));
    }
    view.selected = selected_;
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

// ---- Radio button -------------------------------------------------------------------------------

namespace {

constexpr int kRadioSide = 11;
constexpr int kRadioGap = 4;
constexpr const char* kRadioRingArt[] = {
    "...#####...", ".##.....##.", ".#.......#.", "#.........#", "#.........#", "#.........#",
    "#.........#", "#.........#", ".#.......#.", ".##.....##.", "...#####...",
};
constexpr const char* kRadioDotArt[] = {".###.", "#####", "#####", "#####", ".###."};

} // namespace

void RadioControl::setChecked(bool checked)
{
    if (checked_ == checked)
        return;
    checked_ = checked;
    invalidate();
}

void RadioControl::paint(DrawContext& dc, const Rect& client)
{
    FillRect(dc, client, Brush{kWhite});
    Color ink = enabled() ? kBlack : kGreyTextColor;
    int top = (client.height - kRadioSide) / 2;
    DrawPixelArt(dc, 0, top, kRadioRingArt, kRadioSide, ink);
    if (checked_ || pressed_)
        DrawPixelArt(dc, 3, top + 3, kRadioDotArt, 5, pressed_ && !checked_ ? kGreyTextColor : ink);
    dc.textColor = ink;
    int textX = kRadioSide + kRadioGap;
    Rect label{textX, 0, client.width - textX, client.height};
    DrawText(dc, label, text(), kTextLeft | kTextVCenter);
    if (hasFocus()) {
        int width = std::min(label.width, MeasureText(text(), 0).width + 3);
        int height = std::min(client.height, TextLineHeight() + 2);
        DrawFocusMark(dc, {textX - 2, (client.height - height) / 2, width + 1, height});
    }
}

void RadioControl::pen(const Message& message)
{
    bool inside = ClientRect(window()).contains(message.pt);
    if (message.msg == Msg::PenDown)
        pressed_ = true;
    if (!pressed_)
        return;
    if (message.msg == Msg::PenUp) {
        pressed_ = false;
        if (inside)
            notify(kNotifyClicked);
    }
    invalidate();
}

bool RadioControl::key(int key, int mods)
{
    if (key != Key::Space || mods != kModNone)
        return false;
    notify(kNotifyClicked);
    return true;
}

void RadioControl::describe(ControlView& view) const
{
    view.checked = checked_;
}

// ---- Group box ----------------------------------------------------------------------------------

void GroupBoxControl::paint(DrawContext& dc, const Rect& client)
{
    FillRect(dc, client, Brush{kWhite});
    int line = TextLineHeight() / 2;
    DrawFrame(dc, Rect::fromEdges(0, line, client.width, client.height), kShadowColor);
    if (text().empty())
        return;
    int width = std::min(MeasureText(text(), 0).width, client.width - 12);
    FillRect(dc, {5, 0, width + 4, TextLineHeight()}, Brush{kWhite});
    dc.textColor = enabled() ? kBlack : kGreyTextColor;
    DrawText(dc, {7, 0, width, TextLineHeight()}, text(), kTextLeft | kTextTop);
}

// ---- Picture ------------------------------------------------------------------------------------

namespace {

ImageLoader LoadImageResource = nullptr;

// The number of "#340"; -1 when the text names none.
int ResourceNumber(std::string_view text)
{
    if (text.size() < 2 || text.size() > 6 || text[0] != '#')
        return -1;
    int number = 0;
    for (char c : text.substr(1)) {
        if (c < '0' || c > '9')
            return -1;
        number = number * 10 + (c - '0');
    }
    return number;
}

} // namespace

void SetImageLoader(ImageLoader loader)
{
    LoadImageResource = loader;
}

ImageControl::ImageControl(int id, std::string_view text) : Control(ControlKind::Image, id, text)
{
    int number = ResourceNumber(text);
    if (LoadImageResource && number >= 0)
        image_ = LoadImageResource(number);
}

void ImageControl::paint(DrawContext& dc, const Rect& client)
{
    FillRect(dc, client, Brush{kWhite});
    if (!image_)
        return;
    DrawContext from(image_.get());
    BitBlt(dc, 0, 0, std::min(client.width, image_->width()), std::min(client.height, image_->height()), &from, 0,
           0, kRopSrcCopy);
}

// ---- Colour box ---------------------------------------------------------------------------------

void ColorBoxControl::setColor(Color color)
{
    if (color_ == color)
        return;
    color_ = color;
    invalidate();
}

void ColorBoxControl::paint(DrawContext& dc, const Rect& client)
{
    DrawBox(dc, client, color_ & 0x00FFFFFF, enabled() ? kBlack : kGreyTextColor);
}

void ColorBoxControl::pen(const Message& message)
{
    if (message.msg == Msg::PenDown)
        notify(kNotifyClicked);
}

void ColorBoxControl::focusChanged(bool gained)
{
    if (gained)
        notify(kNotifySetFocus);
}

void ColorBoxControl::describe(ControlView& view) const
{
    view.color = color_;
}

} // namespace plat
