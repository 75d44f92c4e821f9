// The desktop front end: an SDL window showing the screen at an integer scale (twice at start),
// letterboxed when resized; the left mouse button is the pen, the right one a tap-and-hold, the
// wheel scrolls, typed text arrives as the keyboard layout makes it. The picture goes straight
// into the window's own framebuffer, scaled here: no renderer, no texture, the least SDL needs.
#include <SDL.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "platform/front_end.h"
#include "platform/sdl_front_end.h"
#include "platform/window.h"
#include "platform/window_placement.h"

namespace plat {
namespace {

constexpr int kStartScale = 2;

// Host keys and the virtual keys they stand for; letters and digits are mapped by range.
struct KeyMapping {
    SDL_Keycode host;
    int key;
};
constexpr KeyMapping kKeyTable[] = {
    {SDLK_BACKSPACE, Key::Back}, {SDLK_TAB, Key::Tab},           {SDLK_RETURN, Key::Return},
    {SDLK_KP_ENTER, Key::Return}, {SDLK_ESCAPE, Key::Escape},    {SDLK_SPACE, Key::Space},
    {SDLK_PAGEUP, Key::PageUp},   {SDLK_PAGEDOWN, Key::PageDown}, {SDLK_END, Key::End},
    {SDLK_HOME, Key::Home},       {SDLK_LEFT, Key::Left},         {SDLK_UP, Key::Up},
    {SDLK_RIGHT, Key::Right},     {SDLK_DOWN, Key::Down},         {SDLK_DELETE, Key::Delete},
    {SDLK_F1, Key::F1},           {SDLK_F10, Key::F10},
};

int VirtualKey(SDL_Keycode host)
{
    if (host >= SDLK_a && host <= SDLK_z)
        return 'A' + (host - SDLK_a);
    if (host >= SDLK_0 && host <= SDLK_9)
        return '0' + (host - SDLK_0);
    auto it = std::find_if(std::begin(kKeyTable), std::end(kKeyTable),
                           [&](const KeyMapping& m) { return m.host == host; });
    return it == std::end(kKeyTable) ? 0 : it->key;
}

int Modifiers(Uint16 host)
{
    return ((host & KMOD_SHIFT) ? kModShift : 0) | ((host & KMOD_CTRL) ? kModCtrl : 0) |
           ((host & KMOD_ALT) ? kModAlt : 0);
}

std::string Lowered(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// SDL falls back on drivers that show nothing when there is no display. The game would then run
// unseen and, holding its folder, turn every later start away; so they serve only when asked for.
bool InvisibleDriverRefused(const char* driver)
{
    std::string name = Lowered(driver ? driver : "");
    if (name != "offscreen" && name != "dummy")
        return false;
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    return !asked || Lowered(asked).find(name) == std::string::npos;
}

// At least a corner of the window on one of the displays there are now.
bool OnSomeDisplay(const WindowPlacement& p)
{
    const SDL_Rect window{p.x, p.y, p.width, p.height};
    for (int i = 0; i < SDL_GetNumVideoDisplays(); ++i) {
        SDL_Rect display, common;
        if (SDL_GetDisplayBounds(i, &display) == 0 &&
            SDL_IntersectRect(&window, &display, &common) && common.w >= 48 && common.h >= 48)
            return true;
    }
    return false;
}

class SdlFrontEnd : public FrontEnd {
public:
    ~SdlFrontEnd() override
    {
        rememberPlacement();
        if (waitCursor_)
            SDL_FreeCursor(waitCursor_);
        if (window_)
            SDL_DestroyWindow(window_);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    // Opens the window; answers why not, or an empty text.
    std::string open(const std::string& title, const DesktopWindowOptions& options)
    {
        // The window's own framebuffer, not one backed by a GL context: loading GL costs hundreds
        // of milliseconds before the first frame.
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
            return SDL_GetError();
        if (const char* driver = SDL_GetCurrentVideoDriver(); InvisibleDriverRefused(driver))
            return std::string("no display (only SDL's invisible '") + driver +
                   "' video driver is available; set SDL_VIDEODRIVER=" + driver + " to run unseen)";
        placementFile_ = options.placementFile;
        if (!openWindow(title))
            return SDL_GetError();
        if (options.icon)
            setIcon(*options.icon);
        return {};
    }

    bool openWindow(const std::string& title)
    {
        std::optional<WindowPlacement> saved;
        if (!placementFile_.empty())
            saved = LoadWindowPlacement(placementFile_);
        placement_ = saved.value_or(WindowPlacement{0, 0, kScreenWidth * kStartScale,
                                                    kScreenHeight * kStartScale});
        bool placed = saved && OnSomeDisplay(*saved);
        window_ = SDL_CreateWindow(title.c_str(), placed ? saved->x : SDL_WINDOWPOS_UNDEFINED,
                                   placed ? saved->y : SDL_WINDOWPOS_UNDEFINED, placement_.width,
                                   placement_.height, SDL_WINDOW_RESIZABLE);
        if (window_)
            SDL_SetWindowMinimumSize(window_, kScreenWidth, kScreenHeight);
        return window_ != nullptr;
    }

    void present(const Bitmap& screen) override
    {
        SDL_Surface* surface = SDL_GetWindowSurface(window_);
        if (!surface)
            return;
        scale_ = std::max(1, std::min(surface->w / kScreenWidth, surface->h / kScreenHeight));
        origin_ = {(surface->w - kScreenWidth * scale_) / 2, (surface->h - kScreenHeight * scale_) / 2};
        fillBorders(surface);
        if (surface->format->format == SDL_PIXELFORMAT_RGB888)
            scaleInto(screen, surface);
        else
            blitScaledInto(screen, surface);
        SDL_UpdateWindowSurface(window_);
        if (!shown_) {
            shown_ = true;
            notePlacement();
            showCursor();
        }
    }

    void waitForEvents(int timeoutMs) override
    {
        SDL_Event event;
        if (!SDL_WaitEventTimeout(&event, timeoutMs < 0 ? 1000 * 60 * 60 : timeoutMs))
            return;
        do
            handle(event);
        while (SDL_PollEvent(&event));
    }

    // Nothing is shown before the first frame, so the busy cursor (the system's cursor theme, slow
    // to load) waits for it.
    void setWaitCursor(bool on) override
    {
        waitWanted_ = on;
        if (shown_)
            showCursor();
    }

    void raise() override
    {
        SDL_RestoreWindow(window_);
        SDL_RaiseWindow(window_);
    }

    bool deliversText() const override { return true; }

private:
    void showCursor()
    {
        if (waitWanted_ && !waitCursor_)
            waitCursor_ = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_WAIT);
        if (waitWanted_ || waitCursor_)
            SDL_SetCursor(waitWanted_ && waitCursor_ ? waitCursor_ : SDL_GetDefaultCursor());
    }

    void setIcon(const Bitmap& icon)
    {
        SDL_Surface* picture = SDL_CreateRGBSurfaceWithFormatFrom(
            const_cast<std::uint8_t*>(icon.row(0)), icon.width(), icon.height(), 32, icon.stride(),
            SDL_PIXELFORMAT_RGB888);
        if (!picture)
            return;
        SDL_SetWindowIcon(window_, picture);
        SDL_FreeSurface(picture);
    }

    // The window's place and size while it is neither maximised, minimised nor full screen.
    void notePlacement()
    {
        Uint32 flags = SDL_GetWindowFlags(window_);
        if (flags & (SDL_WINDOW_MAXIMIZED | SDL_WINDOW_MINIMIZED | SDL_WINDOW_FULLSCREEN))
            return;
        SDL_GetWindowPosition(window_, &placement_.x, &placement_.y);
        SDL_GetWindowSize(window_, &placement_.width, &placement_.height);
    }

    // Kept only by a window that showed the game (a second copy turned away never did).
    void rememberPlacement()
    {
        if (!window_ || !shown_ || placementFile_.empty())
            return;
        notePlacement();
        if (!SaveWindowPlacement(placementFile_, placement_))
            std::fprintf(stderr, "Zentiles: the window's place could not be kept in %s\n",
                         placementFile_.c_str());
    }

    // Black around the picture (nothing when the window is a whole multiple of the screen).
    void fillBorders(SDL_Surface* surface) const
    {
        Uint32 black = SDL_MapRGB(surface->format, 0, 0, 0);
        int right = origin_.x + kScreenWidth * scale_, bottom = origin_.y + kScreenHeight * scale_;
        const SDL_Rect borders[] = {{0, 0, surface->w, origin_.y},
                                    {0, bottom, surface->w, surface->h - bottom},
                                    {0, origin_.y, origin_.x, bottom - origin_.y},
                                    {right, origin_.y, surface->w - right, bottom - origin_.y}};
        for (const SDL_Rect& border : borders)
            if (border.w > 0 && border.h > 0)
                SDL_FillRect(surface, &border, black);
    }

    // Screen pixels are 0x00RRGGBB words, the window's own layout: each screen row is widened
    // once and the window rows it covers copied from it, clipped to the window (a window smaller
    // than the screen shows its middle).
    void scaleInto(const Bitmap& screen, SDL_Surface* surface)
    {
        int left = std::max(0, origin_.x);
        int right = std::min(surface->w, origin_.x + kScreenWidth * scale_);
        if (right <= left || SDL_LockSurface(surface) != 0)
            return;
        std::vector<std::uint32_t> wide(static_cast<std::size_t>(kScreenWidth * scale_));
        auto* pixels = static_cast<std::uint8_t*>(surface->pixels);
        for (int y = 0; y < kScreenHeight; ++y) {
            const auto* row = reinterpret_cast<const std::uint32_t*>(screen.row(y));
            std::uint32_t* to = wide.data();
            for (int x = 0; x < kScreenWidth; ++x)
                to = std::fill_n(to, scale_, row[x]);
            for (int k = 0; k < scale_; ++k) {
                int windowY = origin_.y + y * scale_ + k;
                if (windowY < 0 || windowY >= surface->h)
                    continue;
                std::memcpy(pixels + static_cast<std::ptrdiff_t>(windowY) * surface->pitch + left * 4,
                            wide.data() + (left - origin_.x), static_cast<std::size_t>(right - left) * 4);
            }
        }
        SDL_UnlockSurface(surface);
    }

    // Any other framebuffer layout: SDL converts while it stretches.
    void blitScaledInto(const Bitmap& screen, SDL_Surface* surface)
    {
        SDL_Surface* picture = SDL_CreateRGBSurfaceWithFormatFrom(
            const_cast<std::uint8_t*>(screen.row(0)), kScreenWidth, kScreenHeight, 32, screen.stride(),
            SDL_PIXELFORMAT_RGB888);
        if (!picture)
            return;
        SDL_Rect to{origin_.x, origin_.y, kScreenWidth * scale_, kScreenHeight * scale_};
        SDL_BlitScaled(picture, nullptr, surface, &to);
        SDL_FreeSurface(picture);
    }

    // A window pixel as a screen pixel (outside the picture: beyond the screen's edges).
    Point toScreen(int x, int y) const
    {
        auto down = [&](int v, int from) {
            int d = v - from;
            return d >= 0 ? d / scale_ : -((-d + scale_ - 1) / scale_);
        };
        return {down(x, origin_.x), down(y, origin_.y)};
    }

    void handleWindowEvent(const SDL_WindowEvent& event)
    {
        switch (event.event) {
        case SDL_WINDOWEVENT_FOCUS_LOST:
        case SDL_WINDOWEVENT_MINIMIZED:
            InjectFocus(false);
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            InjectFocus(true);
            break;
        case SDL_WINDOWEVENT_CLOSE:
            closeClicked_ = true;
            InjectCloseRequest();
            break;
        case SDL_WINDOWEVENT_EXPOSED:
            SDL_UpdateWindowSurface(window_);
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            InjectScreenLost(); // the framebuffer of the old size is gone
            notePlacement();
            break;
        case SDL_WINDOWEVENT_MOVED:
            notePlacement();
            break;
        default:
            break;
        }
    }

    void handleKey(const SDL_KeyboardEvent& event)
    {
        int key = VirtualKey(event.keysym.sym);
        if (key != 0)
            InjectKey(key, Modifiers(event.keysym.mod), event.type == SDL_KEYDOWN);
    }

    // The left button is the pen; the right one is the pen pressed and held at once.
    void handleButton(const SDL_MouseButtonEvent& event)
    {
        pointer_ = toScreen(event.x, event.y);
        bool down = event.type == SDL_MOUSEBUTTONDOWN;
        if (event.button == SDL_BUTTON_LEFT)
            InjectPen(down ? PenAction::Down : PenAction::Up, pointer_);
        else if (event.button == SDL_BUTTON_RIGHT)
            InjectPen(down ? PenAction::Hold : PenAction::Up, pointer_);
    }

    void handle(const SDL_Event& event)
    {
        switch (event.type) {
        case SDL_QUIT:
            // The close button sends its own window event first; a bare quit is a signal.
            if (!closeClicked_)
                InjectTerminate();
            closeClicked_ = false;
            break;
        case SDL_WINDOWEVENT:
            handleWindowEvent(event.window);
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            handleKey(event.key);
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            handleButton(event.button);
            break;
        case SDL_MOUSEMOTION:
            pointer_ = toScreen(event.motion.x, event.motion.y);
            // Motion without contact is no pen move.
            if (event.motion.state & (SDL_BUTTON_LMASK | SDL_BUTTON_RMASK))
                InjectPen(PenAction::Move, pointer_);
            break;
        case SDL_MOUSEWHEEL:
            InjectWheel(pointer_, event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y
                                                                                   : event.wheel.y);
            break;
        case SDL_TEXTINPUT:
            InjectText(event.text.text);
            break;
        default:
            break;
        }
    }

    SDL_Window* window_ = nullptr;
    SDL_Cursor* waitCursor_ = nullptr;
    bool waitWanted_ = false;
    bool shown_ = false; // a frame was presented
    std::string placementFile_;
    WindowPlacement placement_;
    int scale_ = kStartScale; // the picture's scale and top-left corner in the window
    Point origin_{};
    bool closeClicked_ = false;
    Point pointer_{}; // last pointer position, screen pixels (the wheel event has none)
};

} // namespace

std::unique_ptr<FrontEnd> CreateSdlFrontEnd(const std::string& title,
                                            const DesktopWindowOptions& options)
{
    auto frontEnd = std::make_unique<SdlFrontEnd>();
    if (std::string why = frontEnd->open(title, options); !why.empty()) {
        std::fprintf(stderr, "Cannot open a window: %s\n", why.c_str());
        return nullptr;
    }
    return frontEnd;
}

} // namespace plat
