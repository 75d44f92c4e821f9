// The tooltip window: topmost, never active, drawn from its text.
#include "platform/tooltip.h"

#include <algorithm>

#include "platform/look.h"
#include "platform/text.h"
#include "platform/window.h"

namespace plat {
namespace {

constexpr int kPadding = 3;

Window* TooltipWindow = nullptr;
std::string TooltipText;

std::intptr_t TooltipProc(Window& window, const Message& message)
{
    if (message.msg != Msg::Paint)
        return DefaultWindowProc(window, message);
    PaintContext paint = BeginPaint(&window);
    Rect all = ClientRect(&window);
    DrawBox(paint.dc, all, kTooltipColor, kBlack);
    paint.dc.textColor = kBlack;
    DrawText(paint.dc, all, TooltipText, kTextCenter | kTextVCenter);
    EndPaint(&window, paint);
    return 0;
}

} // namespace

void ShowTooltip(std::string_view text, const Rect& button)
{
    HideTooltip();
    if (text.empty() || !WindowSystemRunning())
        return;
    TooltipText = text;
    Size size = MeasureText(text, 0);
    int width = std::min(size.width + 2 * kPadding, kScreenWidth);
    int height = size.height + 2 * kPadding;
    int x = std::clamp(button.x + (button.width - width) / 2, 0, kScreenWidth - width);
    int y = button.y - height - 1;
    if (y < kTopBarHeight)
        y = button.bottom() + 1;
    WindowParams params;
    params.title = "Tooltip";
    params.role = WindowRole::Topmost;
    params.rect = {x, y, width, height};
    params.background = kTooltipColor;
    params.proc = TooltipProc;
    TooltipWindow = CreateWindow(params);
}

void HideTooltip()
{
    if (IsWindowAlive(TooltipWindow))
        DestroyWindow(TooltipWindow);
    TooltipWindow = nullptr;
    TooltipText.clear();
}

std::string ShownTooltip()
{
    return IsWindowAlive(TooltipWindow) ? TooltipText : std::string();
}

} // namespace plat
