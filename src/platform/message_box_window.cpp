// The on-screen message box: a framed window in the middle of the screen with the caption in the
// top bar, an icon, word-wrapped text and OK or Yes/No buttons, run in a nested modal loop.
#include <algorithm>
#include <vector>

#include "platform/headless_front_end.h"
#include "platform/message_box_window.h"
#include "platform/message_icons.h"
#include "platform/text.h"
#include "platform/window.h"

namespace plat {
namespace {

constexpr int kBoxWidth = 228;
constexpr int kMargin = 8;
constexpr int kIconScale = 2;
constexpr int kIconSize = kMessageIconSide * kIconScale;
constexpr int kButtonWidth = 64;
constexpr int kButtonHeight = 22;
constexpr int kButtonGap = 12;

struct BoxButton {
    MessageResult result;
    const char* label;
    Rect rect{}; // client pixels
};

// One open box; boxes nest when a box's owner shows another from a timer.
struct OpenBox {
    MessageBoxRequest request;
    Window* window = nullptr;
    std::vector<BoxButton> buttons;
    Rect textRect{};
    int pressed = -1;      // button under the pen since pen down, or -1
    bool pressedShown = false;
    bool answered = false;
    MessageResult result = MessageResult::Ok;
};

std::vector<OpenBox*> OpenBoxes; // innermost last

// Keys and the close request answer with these.
MessageResult EnterResult(const OpenBox& box)
{
    return box.request.buttons == MessageButtons::YesNo ? MessageResult::Yes : MessageResult::Ok;
}

MessageResult EscapeResult(const OpenBox& box)
{
    return box.request.buttons == MessageButtons::YesNo ? MessageResult::No : MessageResult::Ok;
}

// Places text and buttons and answers the box's height.
int LayOut(OpenBox& box)
{
    bool icon = box.request.icon != MessageIcon::None;
    int textX = kMargin + (icon ? kIconSize + kMargin : 0);
    int textWidth = kBoxWidth - textX - kMargin;
    int maxTextHeight = kWorkArea.height - 3 * kMargin - kButtonHeight - 2 * kMargin;
    int textHeight = std::min(MeasureText(box.request.text, kTextWrap, textWidth).height,
                              maxTextHeight);
    box.textRect = {textX, kMargin + 2, textWidth, textHeight};
    int contentBottom = kMargin + 2 + std::max(textHeight, icon ? kIconSize : 0);
    if (box.request.buttons == MessageButtons::YesNo)
        box.buttons = {{MessageResult::Yes, "Yes"}, {MessageResult::No, "No"}};
    else
        box.buttons = {{MessageResult::Ok, "OK"}};
    int count = static_cast<int>(box.buttons.size());
    int rowWidth = count * kButtonWidth + (count - 1) * kButtonGap;
    int x = (kBoxWidth - rowWidth) / 2;
    for (BoxButton& button : box.buttons) {
        button.rect = {x, contentBottom + kMargin + 2, kButtonWidth, kButtonHeight};
        x += kButtonWidth + kButtonGap;
    }
    return contentBottom + 2 * kMargin + 2 + kButtonHeight + kMargin;
}

void DrawIcon(DrawContext& dc, MessageIcon icon)
{
    std::span<const char* const> art = MessageIconArt(icon);
    for (int y = 0; y < static_cast<int>(art.size()); ++y)
        for (int x = 0; art[y][x]; ++x)
            if (art[y][x] != '.')
                FillRect(dc, {kMargin + x * kIconScale, kMargin + y * kIconScale, kIconScale,
                              kIconScale},
                         Brush{MessageIconColor(art[y][x])});
}

void DrawButton(DrawContext& dc, const BoxButton& button, bool pressed)
{
    const Rect& r = button.rect;
    dc.pen = Pen{kBlack, true};
    dc.brush = Brush{pressed ? kBlack : kWhite};
    Rectangle(dc, r.left(), r.top(), r.right(), r.bottom());
    dc.textColor = pressed ? kWhite : kBlack;
    DrawText(dc, r, button.label, kTextCenter | kTextVCenter);
}

void Paint(Window& window, const OpenBox& box)
{
    PaintContext paint = BeginPaint(&window);
    DrawContext& dc = paint.dc;
    Rect all = ClientRect(&window);
    FillRect(dc, all, Brush{kWhite});
    dc.pen = Pen{kBlack, true};
    dc.brush = Brush{kWhite};
    Rectangle(dc, 0, 0, all.width, all.height);
    DrawIcon(dc, box.request.icon);
    dc.textColor = kBlack;
    DrawText(dc, box.textRect, box.request.text, kTextWrap);
    for (int i = 0; i < static_cast<int>(box.buttons.size()); ++i)
        DrawButton(dc, box.buttons[i], i == box.pressed && box.pressedShown);
    EndPaint(&window, paint);
}

int ButtonAt(const OpenBox& box, Point p)
{
    for (int i = 0; i < static_cast<int>(box.buttons.size()); ++i)
        if (box.buttons[i].rect.contains(p))
            return i;
    return -1;
}

void Answer(OpenBox& box, MessageResult result)
{
    box.answered = true;
    box.result = result;
    EndModal(box.window, 1);
}

void ShowPressed(Window& window, OpenBox& box, bool shown)
{
    if (box.pressedShown == shown)
        return;
    box.pressedShown = shown;
    InvalidateRect(&window);
}

void OnPen(Window& window, OpenBox& box, const Message& message)
{
    int under = ButtonAt(box, message.pt);
    if (message.msg == Msg::PenDown) {
        box.pressed = under;
        box.pressedShown = false;
        ShowPressed(window, box, under >= 0);
        return;
    }
    if (box.pressed < 0)
        return;
    ShowPressed(window, box, under == box.pressed);
    if (message.msg == Msg::PenUp) {
        int pressed = box.pressed;
        box.pressed = -1;
        ShowPressed(window, box, false);
        if (under == pressed)
            Answer(box, box.buttons[pressed].result);
    }
}

std::intptr_t BoxProc(Window& window, const Message& message, OpenBox& box)
{
    switch (message.msg) {
    case Msg::Paint:
        Paint(window, box);
        return 0;
    case Msg::PenDown:
    case Msg::PenMove:
    case Msg::PenUp:
        OnPen(window, box, message);
        return 0;
    case Msg::KeyDown:
        if (message.id == Key::Return)
            Answer(box, EnterResult(box));
        else if (message.id == Key::Escape)
            Answer(box, EscapeResult(box));
        return 0;
    case Msg::Close:
        Answer(box, EscapeResult(box));
        return 0;
    default:
        return DefaultWindowProc(window, message);
    }
}

} // namespace

MessageResult RunScreenMessageBox(const MessageBoxRequest& request)
{
    OpenBox box;
    box.request = request;
    int height = std::min(LayOut(box), kWorkArea.height);
    WindowParams params;
    params.title = request.caption;
    params.rect = {(kScreenWidth - kBoxWidth) / 2, kWorkArea.y + (kWorkArea.height - height) / 2,
                 kBoxWidth, height};
    params.owner = IsWindowAlive(request.owner) ? request.owner : nullptr;
    params.proc = [&box](Window& window, const Message& message) {
        return BoxProc(window, message, box);
    };
    box.window = CreateWindow(params);
    if (!box.window)
        return EscapeResult(box);
    OpenBoxes.push_back(&box);
    RunModalLoop(box.window);
    std::erase(OpenBoxes, &box);
    DestroyWindow(box.window);
    return box.answered ? box.result : EscapeResult(box);
}

std::optional<MessageBoxView> FindOpenMessageBox()
{
    for (auto it = OpenBoxes.rbegin(); it != OpenBoxes.rend(); ++it) {
        const OpenBox& box = **it;
        if (!IsWindowAlive(box.window))
            continue;
        MessageBoxView view{box.request.caption, box.request.text, box.request.icon,
                            box.request.buttons, {}, {}};
        for (const BoxButton& button : box.buttons) {
            Point origin = ClientToScreen(box.window, {button.rect.x, button.rect.y});
            view.results.push_back(button.result);
            view.buttonRects.push_back({origin.x, origin.y, button.rect.width, button.rect.height});
        }
        return view;
    }
    return std::nullopt;
}

bool PressMessageBoxButton(MessageResult result)
{
    std::optional<MessageBoxView> view = FindOpenMessageBox();
    if (!view)
        return false;
    for (std::size_t i = 0; i < view->results.size(); ++i)
        if (view->results[i] == result) {
            const Rect& r = view->buttonRects[i];
            InjectTap({r.x + r.width / 2, r.y + r.height / 2});
            return true;
        }
    return false;
}

} // namespace plat
