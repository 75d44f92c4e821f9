// The window system: windows and their surfaces, the message queue, activation, modal loops,
// timers, painting, pen routing and the composition of the screen with its two bars.
#include "platform/message_box_window.h"
#include "platform/single_instance.h"
#include "platform/window.h"

#include <algorithm>
#include <cstdlib>
#include <deque>

#include "platform/front_end.h"
#include "platform/headless_front_end.h"
#include "platform/message_box.h"
#include "platform/runtime.h"
#include "platform/text.h"
#include "platform/utf8.h"

namespace plat {
namespace {

// Raw input as the front end reported it, turned into messages only when retrieved, so that
// routing sees the capture and activation that earlier messages set up.
struct RawInput {
    enum class Kind : std::uint8_t { Pen, Key, Char, Wheel, Close, Focus, Terminate } kind = Kind::Pen;
    PenAction action = PenAction::Down;
    Point pt{};
    int key = 0; // Char: the code point; Wheel: the steps
    int mods = 0;
    bool down = false;
};

struct TimerEntry {
    Window* window = nullptr;
    int id = 0;
    std::uint32_t period = 0;
    std::uint32_t last = 0;
    TimerCallback callback;
};

struct ModalFrame {
    Window* window = nullptr;
    bool done = false;
    std::intptr_t result = 0;
};

// What the pen is doing on the bars (the system's own buttons, not windows).
enum class BarPress : std::uint8_t { None, Done, Keyboard };

constexpr std::uint32_t kDoubleTapMs = 500;
constexpr int kDoubleTapSlop = 6;
constexpr std::uint32_t kHoldMs = 500;
constexpr int kHoldSlop = 4;
constexpr int kSingleInstancePollMs = 250;
constexpr int kIdleDispatchLimit = 100000;

constexpr Color kTopBarColor = MakeColor(0, 48, 140);
constexpr Color kMenuBarColor = MakeColor(214, 211, 206);
constexpr Color kMenuBarLine = MakeColor(128, 128, 128);
constexpr Color kDesktopColor = MakeColor(255, 255, 255);
constexpr Rect kDoneRect = {kScreenWidth - 30, 3, 26, 20};
constexpr Rect kKeyboardRect = {kScreenWidth - 28, kScreenHeight - kMenuBarHeight + 3, 24, 20};

// The window system's one store: alive from StartWindowSystem to StopWindowSystem.
struct WindowSystem {
    bool running = false;
    std::unique_ptr<Bitmap> screen;
    std::vector<std::unique_ptr<Window>> windows;   // every window not yet freed
    std::vector<std::unique_ptr<Window>> graveyard; // destroyed, freed at the next outer wait
    std::vector<Window*> zorder;                    // top-level windows, back to front
    Window* active = nullptr;
    bool focused = true;
    std::deque<Message> posted;
    std::deque<RawInput> input;
    bool quitPosted = false;
    int quitCode = 0;
    std::vector<TimerEntry> timers;
    std::vector<ModalFrame> modal;
    Window* capture = nullptr;
    Window* focus = nullptr;
    bool penDown = false;
    Point penDownAt{};
    std::uint32_t penDownTime = 0;
    bool penStill = false;
    bool holdSent = false;
    bool holdAtOnce = false; // the right button: the hold comes with the pen down
    BarPress barPress = BarPress::None;
    bool lastTapValid = false;
    Point lastTapAt{};
    std::uint32_t lastTapTime = 0;
    bool waitCursor = false;
    bool inputPanelButton = false;
    bool screenDirty = true;
    int dispatchDepth = 0;
    int beginPaintCalls = 0;
    MessageBoxHandler previousHandler;
};

WindowSystem* Sys = nullptr;
FrontEnd* InstalledFrontEnd = nullptr;
std::unique_ptr<HeadlessFrontEnd> FallbackFrontEnd;

bool Listed(const Window* window)
{
    if (!Sys || !window)
        return false;
    return std::any_of(Sys->windows.begin(), Sys->windows.end(),
                       [&](const auto& w) { return w.get() == window; });
}

Window* RootOf(Window* window)
{
    while (window && window->parent)
        window = window->parent;
    return window;
}

FrontEnd* Front()
{
    if (InstalledFrontEnd)
        return InstalledFrontEnd;
    if (!FallbackFrontEnd)
        FallbackFrontEnd = std::make_unique<HeadlessFrontEnd>();
    return FallbackFrontEnd.get();
}

void FillSurface(Bitmap& surface, Color color)
{
    DrawContext dc(&surface);
    FillRect(dc, {0, 0, surface.width(), surface.height()}, Brush{color});
}

std::unique_ptr<Bitmap> MakeSurface(const Rect& rect, Color background)
{
    auto surface = CreateScreenBitmap(std::max(1, rect.width), std::max(1, rect.height));
    if (surface)
        FillSurface(*surface, background);
    return surface;
}

// ---- Activation ---------------------------------------------------------------------------------

void Activate(Window* window, int how)
{
    if (window == Sys->active)
        return;
    Window* old = Sys->active;
    Sys->active = window;
    Sys->screenDirty = true;
    if (old && Listed(old))
        SendMessage({.window = old, .msg = Msg::Activate, .id = kInactive, .other = window});
    if (window)
        SendMessage({.window = window, .msg = Msg::Activate, .id = how, .other = old});
}

bool CanActivate(const Window* window, const Window* except)
{
    return window && window != except && !window->destroyed && window->visible &&
           window->role == WindowRole::Normal;
}

// The window that takes over when leaving goes: its owner, else the frontmost normal window.
Window* NextActive(Window* leaving)
{
    if (leaving && CanActivate(leaving->owner, leaving) && Listed(leaving->owner))
        return leaving->owner;
    for (auto it = Sys->zorder.rbegin(); it != Sys->zorder.rend(); ++it)
        if (CanActivate(*it, leaving))
            return *it;
    return nullptr;
}

// Puts a top-level window at the front of its band; a normal one becomes active.
void Raise(Window* window, int how)
{
    std::erase(Sys->zorder, window);
    Sys->zorder.push_back(window);
    Sys->screenDirty = true;
    if (window->role == WindowRole::Normal)
        Activate(window, how);
}

// ---- Destruction --------------------------------------------------------------------------------

void SendDestroyTree(Window* window)
{
    SendMessage({.window = window, .msg = Msg::Destroy});
    for (Window* child : std::vector<Window*>(window->children)) {
        child->destroyed = true;
        SendDestroyTree(child);
    }
}

void ForgetReferences(Window* window)
{
    std::erase_if(Sys->posted, [&](const Message& m) { return m.window == window; });
    for (Message& m : Sys->posted)
        if (m.other == window)
            m.other = nullptr;
    std::erase_if(Sys->timers, [&](const TimerEntry& t) { return t.window == window; });
    for (ModalFrame& frame : Sys->modal)
        if (frame.window == window)
            frame.done = true;
    if (Sys->capture == window)
        Sys->capture = nullptr;
    if (Sys->focus == window)
        Sys->focus = nullptr;
    if (Sys->active == window)
        Sys->active = nullptr;
    for (const auto& w : Sys->windows)
        if (w->owner == window)
            w->owner = nullptr;
}

void Bury(Window* window)
{
    for (Window* child : std::vector<Window*>(window->children))
        Bury(child);
    ForgetReferences(window);
    auto it = std::find_if(Sys->windows.begin(), Sys->windows.end(),
                           [&](const auto& w) { return w.get() == window; });
    if (it != Sys->windows.end()) {
        Sys->graveyard.push_back(std::move(*it));
        Sys->windows.erase(it);
    }
}

void FreeGraveyard()
{
    if (Sys && Sys->dispatchDepth == 0)
        Sys->graveyard.clear();
}

// ---- Hit testing and pen routing ----------------------------------------------------------------

Window* ChildAt(Window* window, Point client)
{
    for (auto it = window->children.rbegin(); it != window->children.rend(); ++it) {
        Window* child = *it;
        if (child->visible && child->rect.contains(client))
            return ChildAt(child, {client.x - child->rect.x, client.y - child->rect.y});
    }
    return window;
}

bool InBand(const Window* w, WindowRole role, Point p)
{
    return w->role == role && w->visible && !w->destroyed && w->rect.contains(p);
}

// A full-screen dialog (one with the Done button) is up: it hides the program's menu bar.
bool MenuBarHidden()
{
    return std::any_of(Sys->zorder.begin(), Sys->zorder.end(), [](const Window* w) {
        return w->doneButton && w->visible && !w->destroyed && w->role == WindowRole::Normal;
    });
}

// The window under a screen point, in drawing order: topmost windows, the menu bar, the rest.
Window* WindowAt(Point p)
{
    for (WindowRole role : {WindowRole::Topmost, WindowRole::MenuBar, WindowRole::Normal}) {
        if (role == WindowRole::Normal && (p.y < kTopBarHeight ||
                                           p.y >= kScreenHeight - kMenuBarHeight))
            continue;
        if (role == WindowRole::MenuBar && MenuBarHidden())
            continue;
        for (auto it = Sys->zorder.rbegin(); it != Sys->zorder.rend(); ++it)
            if (InBand(*it, role, p))
                return ChildAt(*it, {p.x - (*it)->rect.x, p.y - (*it)->rect.y});
    }
    return nullptr;
}

// While a modal loop runs only its window, windows above it and topmost ones take the pen.
bool PenAllowed(Window* window)
{
    if (Sys->modal.empty())
        return true;
    Window* root = RootOf(window);
    if (root->role == WindowRole::Topmost)
        return true;
    if (root->role == WindowRole::MenuBar)
        return false;
    auto modalAt =
        std::find(Sys->zorder.begin(), Sys->zorder.end(), RootOf(Sys->modal.back().window));
    auto rootAt = std::find(Sys->zorder.begin(), Sys->zorder.end(), root);
    return modalAt != Sys->zorder.end() && rootAt >= modalAt;
}

bool DoneButtonShown()
{
    return Sys->active && Sys->active->doneButton;
}

bool PressBar(Point p)
{
    if (DoneButtonShown() && kDoneRect.contains(p))
        Sys->barPress = BarPress::Done;
    else if (Sys->inputPanelButton && kKeyboardRect.contains(p) && Sys->modal.empty())
        Sys->barPress = BarPress::Keyboard;
    else
        return false;
    Sys->screenDirty = true;
    return true;
}

void ReleaseBar(Point p)
{
    BarPress press = Sys->barPress;
    Sys->barPress = BarPress::None;
    Sys->screenDirty = true;
    if (press == BarPress::Done && DoneButtonShown() && kDoneRect.contains(p))
        PostMessage({.window = Sys->active, .msg = Msg::Command, .id = 1});
    // The keyboard button has no input panel behind it: pressing it only shows the press.
}

int TapCount(Point p, std::uint32_t now)
{
    bool second = Sys->lastTapValid && now - Sys->lastTapTime <= kDoubleTapMs &&
                  std::abs(p.x - Sys->lastTapAt.x) <= kDoubleTapSlop &&
                  std::abs(p.y - Sys->lastTapAt.y) <= kDoubleTapSlop;
    Sys->lastTapValid = !second;
    Sys->lastTapAt = p;
    Sys->lastTapTime = now;
    return second ? 2 : 1;
}

bool PenDownMessage(Point p, bool holdAtOnce, Message& out)
{
    Window* target = Sys->capture;
    if (!target) {
        if (PressBar(p))
            return false;
        target = WindowAt(p);
        if (!target || !PenAllowed(target))
            return false;
    }
    Window* root = RootOf(target);
    if (root->role == WindowRole::Normal && root != Sys->active)
        Raise(root, kClickActive);
    if (!IsWindowAlive(target))
        return false;
    std::uint32_t now = TickCount();
    Sys->capture = target;
    Sys->penDown = true;
    Sys->penDownAt = p;
    Sys->penDownTime = now;
    Sys->penStill = true;
    Sys->holdSent = false;
    Sys->holdAtOnce = holdAtOnce;
    out = {.window = target, .msg = Msg::PenDown, .pt = ScreenToClient(target, p),
           .id = TapCount(p, now)};
    return true;
}

bool PenMessage(const RawInput& in, Message& out)
{
    if (in.action == PenAction::Down || in.action == PenAction::Hold)
        return PenDownMessage(in.pt, in.action == PenAction::Hold, out);
    if (Sys->barPress != BarPress::None) {
        if (in.action == PenAction::Up)
            ReleaseBar(in.pt);
        return false;
    }
    if (in.action == PenAction::Move && Sys->penDown &&
        (std::abs(in.pt.x - Sys->penDownAt.x) > kHoldSlop ||
         std::abs(in.pt.y - Sys->penDownAt.y) > kHoldSlop))
        Sys->penStill = false;
    if (in.action == PenAction::Up)
        Sys->penDown = false;
    Window* target = Sys->capture;
    if (!target)
        return false;
    if (in.action == PenAction::Up)
        Sys->capture = nullptr;
    out = {.window = target, .msg = in.action == PenAction::Up ? Msg::PenUp : Msg::PenMove,
           .pt = ScreenToClient(target, in.pt)};
    return true;
}

Window* KeyTarget()
{
    if (IsWindowAlive(Sys->focus) &&
        (RootOf(Sys->focus) == Sys->active || RootOf(Sys->focus)->role == WindowRole::Topmost))
        return Sys->focus;
    return Sys->active;
}

bool WheelMessage(const RawInput& in, Message& out)
{
    Window* target = Sys->capture ? Sys->capture : WindowAt(in.pt);
    if (!target || !PenAllowed(target))
        return false;
    out = {.window = target, .msg = Msg::Wheel, .pt = ScreenToClient(target, in.pt), .id = in.key};
    return true;
}

void DestroyEverything()
{
    for (Window* window : std::vector<Window*>(Sys->zorder))
        if (!window->owner)
            DestroyWindow(window);
    while (!Sys->zorder.empty())
        DestroyWindow(Sys->zorder.back());
    PostQuitMessage(0);
}

bool InputMessage(const RawInput& in, Message& out)
{
    switch (in.kind) {
    case RawInput::Kind::Pen:
        return PenMessage(in, out);
    case RawInput::Kind::Key:
        if (!Sys->active)
            return false;
        out = {.window = KeyTarget(), .msg = in.down ? Msg::KeyDown : Msg::KeyUp, .id = in.key,
               .mods = in.mods};
        return true;
    case RawInput::Kind::Char:
        if (!Sys->active)
            return false;
        out = {.window = KeyTarget(), .msg = Msg::Char, .id = in.key};
        return true;
    case RawInput::Kind::Wheel:
        return WheelMessage(in, out);
    case RawInput::Kind::Close: {
        Window* target = Sys->active ? Sys->active : NextActive(nullptr);
        if (!target)
            return false;
        out = {.window = target, .msg = Msg::Close};
        return true;
    }
    case RawInput::Kind::Terminate:
        DestroyEverything();
        return false;
    case RawInput::Kind::Focus:
        if (Sys->focused == in.down)
            return false;
        Sys->focused = in.down;
        if (!Sys->active)
            return false;
        out = {.window = Sys->active, .msg = Msg::Activate, .id = in.down ? kActive : kInactive};
        return true;
    }
    return false;
}

// ---- Message sources, in priority order ---------------------------------------------------------

bool TakeInput(Message& out)
{
    while (!Sys->input.empty()) {
        RawInput in = Sys->input.front();
        Sys->input.pop_front();
        if (InputMessage(in, out))
            return true;
    }
    return false;
}

Window* InvalidIn(Window* window)
{
    if (!window->visible || window->destroyed)
        return nullptr;
    if (!window->invalid.isEmpty())
        return window;
    for (Window* child : window->children)
        if (Window* found = InvalidIn(child))
            return found;
    return nullptr;
}

bool TakePaint(Message& out)
{
    for (Window* window : Sys->zorder)
        if (Window* found = InvalidIn(window)) {
            out = {.window = found, .msg = Msg::Paint};
            return true;
        }
    return false;
}

bool TakeTimer(Message& out)
{
    std::uint32_t now = TickCount();
    for (TimerEntry& timer : Sys->timers)
        if (now - timer.last >= timer.period) {
            timer.last = now;
            out = {.window = timer.window, .msg = Msg::Timer, .id = timer.id};
            return true;
        }
    return false;
}

bool TakeHold(Message& out)
{
    if (!Sys->penDown || !Sys->penStill || Sys->holdSent || !Sys->capture ||
        (!Sys->holdAtOnce && TickCount() - Sys->penDownTime < kHoldMs))
        return false;
    Sys->holdSent = true;
    out = {.window = Sys->capture, .msg = Msg::PenHold,
           .pt = ScreenToClient(Sys->capture, Sys->penDownAt)};
    return true;
}

bool TakeForwardRequest()
{
    if (!TakeSingleInstanceRequest())
        return false;
    Front()->raise();
    Window* target = NextActive(nullptr);
    for (auto it = Sys->zorder.rbegin(); it != Sys->zorder.rend() && !target; ++it)
        target = *it;
    if (target && Sys->modal.empty())
        SetForegroundWindow(target);
    return true;
}

// How long the front end may wait: until the next timer, hold gesture or instance poll.
int WaitTimeout()
{
    std::uint32_t now = TickCount();
    long long best = -1;
    auto consider = [&](std::uint32_t due) {
        if (best < 0 || static_cast<long long>(due) < best)
            best = due;
    };
    for (const TimerEntry& timer : Sys->timers)
        consider(now - timer.last >= timer.period ? 0 : timer.period - (now - timer.last));
    if (Sys->penDown && Sys->penStill && !Sys->holdSent && Sys->capture)
        consider(std::max<std::uint32_t>(kHoldMs - std::min(kHoldMs, now - Sys->penDownTime), 1));
    if (SingleInstanceClaimed())
        consider(kSingleInstancePollMs);
    return static_cast<int>(best);
}

bool NextMessage(Message& out, bool wait)
{
    for (;;) {
        if (!Sys->posted.empty()) {
            out = Sys->posted.front();
            Sys->posted.pop_front();
            return true;
        }
        if (Sys->quitPosted) {
            Sys->quitPosted = false;
            out = {.msg = Msg::Quit, .id = Sys->quitCode};
            return true;
        }
        if (TakeInput(out) || TakePaint(out) || TakeHold(out) || TakeTimer(out))
            return true;
        // Input that became no message of its own may have posted one (the Done button).
        if (!Sys->posted.empty())
            continue;
        if (TakeForwardRequest())
            continue;
        if (!wait)
            return false;
        FreeGraveyard();
        if (Sys->screenDirty)
            Front()->present(ComposeScreen());
        Front()->waitForEvents(WaitTimeout());
    }
}

// ---- Composition --------------------------------------------------------------------------------

void BlitClipped(Bitmap& screen, const Bitmap& surface, const Rect& dest, const Rect& clip)
{
    Rect shown = dest.intersected(clip);
    if (shown.isEmpty())
        return;
    DrawContext to(&screen);
    DrawContext from(const_cast<Bitmap*>(&surface));
    BitBlt(to, shown.x, shown.y, shown.width, shown.height, &from, shown.x - dest.x,
           shown.y - dest.y, kRopSrcCopy);
}

void DrawWindowTree(Bitmap& screen, const Window* window, Point origin, const Rect& clip)
{
    if (!window->visible || window->destroyed || !window->surface)
        return;
    Rect dest = window->rect.translated(origin.x, origin.y);
    BlitClipped(screen, *window->surface, dest, clip);
    Rect inner = dest.intersected(clip);
    for (const Window* child : window->children)
        DrawWindowTree(screen, child, {dest.x, dest.y}, inner);
}

void DrawBand(Bitmap& screen, WindowRole role)
{
    Rect all = {0, 0, kScreenWidth, kScreenHeight};
    for (const Window* window : Sys->zorder)
        if (window->role == role)
            DrawWindowTree(screen, window, {0, 0}, all);
}

void DrawDoneButton(DrawContext& dc)
{
    bool pressed = Sys->barPress == BarPress::Done;
    Color face = pressed ? kWhite : kTopBarColor;
    FillRect(dc, kDoneRect, Brush{face});
    dc.pen = Pen{kWhite, true};
    dc.brush = Brush{face};
    Rectangle(dc, kDoneRect.left(), kDoneRect.top(), kDoneRect.right(), kDoneRect.bottom());
    dc.textColor = pressed ? kTopBarColor : kWhite;
    DrawText(dc, kDoneRect, "ok", kTextCenter | kTextVCenter | kTextBold);
}

Window* TitleWindow()
{
    if (Sys->active)
        return Sys->active;
    return NextActive(nullptr);
}

void DrawTopBar(Bitmap& screen)
{
    DrawContext dc(&screen);
    FillRect(dc, {0, 0, kScreenWidth, kTopBarHeight}, Brush{kTopBarColor});
    Rect titleRect = {6, 0, kScreenWidth - 12, kTopBarHeight};
    if (DoneButtonShown()) {
        titleRect.width = kDoneRect.x - 4 - titleRect.x;
        DrawDoneButton(dc);
    }
    if (Window* window = TitleWindow()) {
        dc.textColor = kWhite;
        DrawText(dc, titleRect, window->title, kTextLeft | kTextVCenter | kTextBold);
    }
}

// A keyboard drawn in the menu bar: the button that calls up the input panel.
constexpr const char* kKeyboardArt[] = {
    "##################",
    "#................#",
    "#.#.#.#.#.#.#.#..#",
    "#................#",
    "#..#.#.#.#.#.#.#.#",
    "#................#",
    "#.#.#.#.#.#.#.#..#",
    "#................#",
    "#...##########...#",
    "#................#",
    "##################",
};

void DrawKeyboardButton(DrawContext& dc)
{
    bool pressed = Sys->barPress == BarPress::Keyboard;
    FillRect(dc, kKeyboardRect, Brush{pressed ? kBlack : kMenuBarColor});
    Color ink = pressed ? kWhite : kBlack;
    int top = kKeyboardRect.y + (kKeyboardRect.height - 11) / 2;
    int left = kKeyboardRect.x + (kKeyboardRect.width - 18) / 2;
    for (int y = 0; y < 11; ++y)
        for (int x = 0; kKeyboardArt[y][x]; ++x)
            if (kKeyboardArt[y][x] == '#')
                SetPixel(dc, left + x, top + y, ink);
}

void DrawMenuBar(Bitmap& screen)
{
    DrawContext dc(&screen);
    int top = kScreenHeight - kMenuBarHeight;
    FillRect(dc, {0, top, kScreenWidth, kMenuBarHeight}, Brush{kMenuBarColor});
    FillRect(dc, {0, top, kScreenWidth, 1}, Brush{kMenuBarLine});
    if (!MenuBarHidden())
        DrawBand(screen, WindowRole::MenuBar);
    if (Sys->inputPanelButton)
        DrawKeyboardButton(dc);
}

} // namespace

// ---- Start and stop -----------------------------------------------------------------------------

void SetFrontEnd(FrontEnd* frontEnd)
{
    InstalledFrontEnd = frontEnd;
}

FrontEnd* CurrentFrontEnd()
{
    return InstalledFrontEnd;
}

void StartWindowSystem()
{
    if (Sys)
        StopWindowSystem();
    Sys = new WindowSystem;
    Sys->running = true;
    Sys->screen = CreateScreenBitmap(kScreenWidth, kScreenHeight);
    Sys->previousHandler = SetMessageBoxHandler(RunScreenMessageBox);
    Front();
}

void StopWindowSystem()
{
    if (!Sys)
        return;
    while (!Sys->zorder.empty())
        DestroyWindow(Sys->zorder.back());
    SetMessageBoxHandler(std::move(Sys->previousHandler));
    if (Sys->waitCursor)
        Front()->setWaitCursor(false);
    delete Sys;
    Sys = nullptr;
    FallbackFrontEnd.reset();
}

bool WindowSystemRunning()
{
    return Sys != nullptr;
}

// ---- Windows ------------------------------------------------------------------------------------

Window* CreateWindow(const WindowParams& params)
{
    if (!Sys)
        return nullptr;
    auto owned = std::make_unique<Window>();
    Window* window = owned.get();
    window->title = params.title;
    window->proc = params.proc;
    window->parent = params.parent && IsWindowAlive(params.parent) ? params.parent : nullptr;
    window->rect = params.rect.isEmpty() && !window->parent ? kDefaultWindowRect : params.rect;
    window->owner = params.owner;
    window->role = params.role;
    window->doneButton = params.doneButton;
    window->background = params.background;
    window->userData = params.userData;
    window->surface = MakeSurface(window->rect, window->background);
    Sys->windows.push_back(std::move(owned));
    if (window->parent)
        window->parent->children.push_back(window);
    else
        Sys->zorder.push_back(window);
    if (SendMessage({.window = window, .msg = Msg::Create}) == -1) {
        DestroyWindow(window);
        return nullptr;
    }
    if (!IsWindowAlive(window))
        return nullptr;
    ShowWindow(window, true);
    if (!window->parent && window->role == WindowRole::Normal)
        SetForegroundWindow(window);
    return window;
}

void DestroyWindow(Window* window)
{
    if (!IsWindowAlive(window))
        return;
    window->destroyed = true;
    for (Window* other : std::vector<Window*>(Sys->zorder))
        if (other->owner == window)
            DestroyWindow(other);
    if (Sys->active == window)
        Activate(NextActive(window), kActive);
    if (Sys->active == window)
        Sys->active = nullptr;
    SendDestroyTree(window);
    if (window->parent)
        std::erase(window->parent->children, window);
    else
        std::erase(Sys->zorder, window);
    Bury(window);
    Sys->screenDirty = true;
}

bool IsWindowAlive(const Window* window)
{
    return Listed(window) && !window->destroyed;
}

void MoveWindow(Window* window, const Rect& rect)
{
    if (!IsWindowAlive(window))
        return;
    auto surface = MakeSurface(rect, window->background);
    if (surface && window->surface)
        BlitClipped(*surface, *window->surface, {0, 0, window->rect.width, window->rect.height},
                    {0, 0, rect.width, rect.height});
    window->surface = std::move(surface);
    window->rect = rect;
    window->invalid = {};
    InvalidateRect(window);
    Sys->screenDirty = true;
}

void ShowWindow(Window* window, bool visible)
{
    if (!IsWindowAlive(window) || window->visible == visible)
        return;
    window->visible = visible;
    if (visible)
        InvalidateRect(window, std::nullopt, true);
    else if (window == Sys->active)
        Activate(NextActive(window), kActive);
    Sys->screenDirty = true;
}

void SendWindowToBack(Window* window)
{
    if (!IsWindowAlive(window) || !window->parent)
        return;
    std::vector<Window*>& siblings = window->parent->children;
    std::erase(siblings, window);
    siblings.insert(siblings.begin(), window);
    Sys->screenDirty = true;
}

void SetWindowTitle(Window* window, std::string_view title)
{
    if (!IsWindowAlive(window))
        return;
    window->title = title;
    Sys->screenDirty = true;
}

Rect ClientRect(const Window* window)
{
    return window ? Rect{0, 0, window->rect.width, window->rect.height} : Rect{};
}

std::vector<Window*> TopLevelWindows()
{
    return Sys ? Sys->zorder : std::vector<Window*>{};
}

std::intptr_t DefaultWindowProc(Window& window, const Message& message)
{
    if (message.msg == Msg::Close) {
        DestroyWindow(&window);
    } else if (message.msg == Msg::Paint) {
        PaintContext paint = BeginPaint(&window);
        EndPaint(&window, paint);
    }
    return 0;
}

// ---- Activation ---------------------------------------------------------------------------------

Window* ActiveWindow()
{
    return Sys ? Sys->active : nullptr;
}

void SetForegroundWindow(Window* window)
{
    window = RootOf(window);
    if (IsWindowAlive(window))
        Raise(window, kActive);
}

bool HasFocus()
{
    return Sys && Sys->focused;
}

// ---- Queue --------------------------------------------------------------------------------------

void PostMessage(const Message& message)
{
    if (Sys && (!message.window || IsWindowAlive(message.window)))
        Sys->posted.push_back(message);
}

std::intptr_t SendMessage(const Message& message)
{
    Window* window = message.window;
    if (!Listed(window))
        return 0;
    if (!window->proc)
        return DefaultWindowProc(*window, message);
    WindowProc proc = window->proc; // the procedure may replace itself while running
    ++Sys->dispatchDepth;
    std::intptr_t result = proc(*window, message);
    --Sys->dispatchDepth;
    return result;
}

void PostQuitMessage(int exitCode)
{
    if (!Sys)
        return;
    Sys->quitPosted = true;
    Sys->quitCode = exitCode;
}

bool GetMessage(Message& message)
{
    if (!Sys) {
        message = {.msg = Msg::Quit};
        return false;
    }
    NextMessage(message, true);
    return message.msg != Msg::Quit;
}

bool PeekMessage(Message& message)
{
    return Sys && NextMessage(message, false);
}

void TranslateMessage(const Message& message)
{
    if (message.msg != Msg::KeyDown || (message.mods & (kModCtrl | kModAlt)))
        return;
    int key = message.id, ch = 0;
    if (Front()->deliversText()) {
        if (key == Key::Return || key == Key::Escape || key == Key::Back)
            ch = key;
    } else if (key >= 'A' && key <= 'Z')
        ch = (message.mods & kModShift) ? key : key - 'A' + 'a';
    else if ((key >= '0' && key <= '9') || key == Key::Space || key == Key::Return ||
             key == Key::Escape || key == Key::Back)
        ch = key;
    if (ch)
        PostMessage({.window = message.window, .msg = Msg::Char, .id = ch, .mods = message.mods});
}

std::intptr_t DispatchMessage(const Message& message)
{
    if (!Sys)
        return 0;
    if (message.msg == Msg::Timer) {
        auto it = std::find_if(Sys->timers.begin(), Sys->timers.end(), [&](const TimerEntry& t) {
            return t.window == message.window && t.id == message.id;
        });
        if (it == Sys->timers.end())
            return 0;
        if (it->callback) {
            TimerCallback callback = it->callback;
            ++Sys->dispatchDepth;
            callback(message.window, message.id);
            --Sys->dispatchDepth;
            return 0;
        }
    }
    if (!IsWindowAlive(message.window))
        return 0;
    int paintsBefore = Sys->beginPaintCalls;
    std::intptr_t result = SendMessage(message);
    // A paint handler that never began painting would be asked again for ever.
    if (message.msg == Msg::Paint && paintsBefore == Sys->beginPaintCalls &&
        IsWindowAlive(message.window))
        message.window->invalid = {};
    return result;
}

bool TranslateAccelerator(Window* window, std::span<const Accelerator> table,
                          const Message& message)
{
    if (message.msg != Msg::KeyDown || !IsWindowAlive(window))
        return false;
    for (const Accelerator& entry : table)
        if (entry.key == message.id && entry.mods == message.mods) {
            SendMessage({.window = window, .msg = Msg::Command, .id = entry.command});
            return true;
        }
    return false;
}

int RunMessageLoop(std::span<const Accelerator> accelerators)
{
    Message message;
    while (GetMessage(message)) {
        if (TranslateAccelerator(message.window, accelerators, message))
            continue;
        TranslateMessage(message);
        DispatchMessage(message);
    }
    return message.id;
}

int RunUntilIdle()
{
    int count = 0;
    Message message;
    while (Sys && count < kIdleDispatchLimit && NextMessage(message, false)) {
        if (message.msg == Msg::Quit) {
            PostQuitMessage(message.id);
            break;
        }
        TranslateMessage(message);
        DispatchMessage(message);
        ++count;
    }
    FreeGraveyard();
    return count;
}

// ---- Modal loops --------------------------------------------------------------------------------

std::intptr_t RunModalLoop(Window* window)
{
    if (!IsWindowAlive(window))
        return 0;
    Sys->modal.push_back({.window = window});
    std::size_t depth = Sys->modal.size();
    Message message;
    while (Sys && !Sys->modal[depth - 1].done) {
        if (!GetMessage(message)) {
            PostQuitMessage(message.id);
            break;
        }
        TranslateMessage(message);
        DispatchMessage(message);
    }
    if (!Sys)
        return 0;
    std::intptr_t result = Sys->modal[depth - 1].result;
    Sys->modal.resize(depth - 1);
    return result;
}

void EndModal(Window* window, std::intptr_t result)
{
    if (!Sys)
        return;
    for (auto it = Sys->modal.rbegin(); it != Sys->modal.rend(); ++it)
        if (it->window == window && !it->done) {
            it->done = true;
            it->result = result;
            return;
        }
}

std::intptr_t RunDialog(const WindowParams& params)
{
    Window* window = CreateWindow(params);
    if (!window)
        return -1;
    std::intptr_t result = RunModalLoop(window);
    DestroyWindow(window);
    return result;
}

Window* ModalWindow()
{
    return Sys && !Sys->modal.empty() ? Sys->modal.back().window : nullptr;
}

// ---- Timers -------------------------------------------------------------------------------------

void SetTimer(Window* window, int id, std::uint32_t periodMs, TimerCallback callback)
{
    if (!Sys || (window && !IsWindowAlive(window)))
        return;
    KillTimer(window, id);
    Sys->timers.push_back({window, id, std::max<std::uint32_t>(periodMs, 1), TickCount(),
                           std::move(callback)});
}

void KillTimer(Window* window, int id)
{
    if (Sys)
        std::erase_if(Sys->timers,
                      [&](const TimerEntry& t) { return t.window == window && t.id == id; });
}

// ---- Painting -----------------------------------------------------------------------------------

void InvalidateRect(Window* window, std::optional<Rect> rect, bool erase)
{
    if (!IsWindowAlive(window))
        return;
    Rect area = rect ? rect->intersected(ClientRect(window)) : ClientRect(window);
    if (area.isEmpty())
        return;
    window->invalid = window->invalid.united(area);
    window->eraseInvalid = window->eraseInvalid || erase;
}

void UpdateWindow(Window* window)
{
    if (IsWindowAlive(window) && window->visible && !window->invalid.isEmpty())
        DispatchMessage({.window = window, .msg = Msg::Paint});
}

PaintContext BeginPaint(Window* window)
{
    if (!IsWindowAlive(window) || !window->surface)
        return {};
    ++Sys->beginPaintCalls;
    PaintContext paint{DrawContext(window->surface.get()), window->invalid};
    if (window->eraseInvalid)
        FillRect(paint.dc, paint.rect, Brush{window->background});
    window->invalid = {};
    window->eraseInvalid = false;
    Sys->screenDirty = true;
    return paint;
}

void EndPaint(Window* window, PaintContext& paint)
{
    paint.dc.select(nullptr);
    if (IsWindowAlive(window))
        Sys->screenDirty = true;
}

DrawContext GetClientContext(Window* window)
{
    if (!IsWindowAlive(window) || !window->surface)
        return DrawContext();
    Sys->screenDirty = true;
    return DrawContext(window->surface.get());
}

const Bitmap& ComposeScreen()
{
    // Made only when asked for without a window system: a running game never pays for it.
    static std::unique_ptr<Bitmap> blank;
    if (!Sys || !Sys->screen) {
        if (!blank)
            blank = CreateScreenBitmap(kScreenWidth, kScreenHeight);
        return *blank;
    }
    Bitmap& screen = *Sys->screen;
    FillSurface(screen, kDesktopColor);
    DrawBand(screen, WindowRole::Normal);
    DrawTopBar(screen);
    DrawMenuBar(screen);
    DrawBand(screen, WindowRole::Topmost);
    Sys->screenDirty = false;
    return screen;
}

Point ClientToScreen(const Window* window, Point p)
{
    for (; window; window = window->parent)
        p = {p.x + window->rect.x, p.y + window->rect.y};
    return p;
}

Point ScreenToClient(const Window* window, Point p)
{
    Point origin = ClientToScreen(window, {0, 0});
    return {p.x - origin.x, p.y - origin.y};
}

// ---- Keys ---------------------------------------------------------------------------------------

void SetFocus(Window* window)
{
    if (!Sys || window == Sys->focus || (window && !IsWindowAlive(window)))
        return;
    Window* old = Sys->focus;
    Sys->focus = window;
    if (IsWindowAlive(old))
        SendMessage({.window = old, .msg = Msg::Focus, .id = 0, .other = window});
    if (window)
        SendMessage({.window = window, .msg = Msg::Focus, .id = 1, .other = old});
}

Window* FocusWindow()
{
    return Sys ? Sys->focus : nullptr;
}

// ---- Pen ----------------------------------------------------------------------------------------

void SetCapture(Window* window)
{
    if (Sys && IsWindowAlive(window))
        Sys->capture = window;
}

void ReleaseCapture()
{
    if (Sys)
        Sys->capture = nullptr;
}

Window* CaptureWindow()
{
    return Sys ? Sys->capture : nullptr;
}

// ---- The shell ----------------------------------------------------------------------------------

void SetWaitCursor(bool on)
{
    if (Sys)
        Sys->waitCursor = on;
    Front()->setWaitCursor(on);
}

void SetInputPanelButton(bool shown)
{
    if (!Sys || Sys->inputPanelButton == shown)
        return;
    Sys->inputPanelButton = shown;
    Sys->screenDirty = true;
}

bool InputPanelButtonShown()
{
    return Sys && Sys->inputPanelButton;
}

// ---- Input --------------------------------------------------------------------------------------

void InjectPen(PenAction action, Point screen)
{
    if (Sys)
        Sys->input.push_back({.kind = RawInput::Kind::Pen, .action = action, .pt = screen});
}

void InjectTap(Point screen)
{
    InjectPen(PenAction::Down, screen);
    InjectPen(PenAction::Up, screen);
}

void InjectKey(int key, int mods, bool down)
{
    if (Sys)
        Sys->input.push_back(
            {.kind = RawInput::Kind::Key, .key = key, .mods = mods, .down = down});
}

void InjectKeyPress(int key, int mods)
{
    InjectKey(key, mods, true);
    InjectKey(key, mods, false);
}

void InjectText(std::string_view utf8)
{
    if (!Sys)
        return;
    for (char32_t c : DecodeUtf8(utf8))
        Sys->input.push_back({.kind = RawInput::Kind::Char, .key = static_cast<int>(c)});
}

void InjectWheel(Point screen, int steps)
{
    if (Sys && steps != 0)
        Sys->input.push_back({.kind = RawInput::Kind::Wheel, .pt = screen, .key = steps});
}

void InjectCloseRequest()
{
    if (Sys)
        Sys->input.push_back({.kind = RawInput::Kind::Close});
}

void InjectFocus(bool gained)
{
    if (Sys)
        Sys->input.push_back({.kind = RawInput::Kind::Focus, .down = gained});
}

void InjectTerminate()
{
    if (Sys)
        Sys->input.push_back({.kind = RawInput::Kind::Terminate});
}

void InjectScreenLost()
{
    if (Sys)
        Sys->screenDirty = true;
}

bool InputPending()
{
    return Sys && !Sys->input.empty();
}

} // namespace plat
