// The desktop front end: an SDL window showing the screen at an integer scale (twice at start),
// letterboxed when resized; the left mouse button is the pen, the right one a tap-and-hold, the
// wheel scrolls, typed text arrives as the keyboard layout makes it.
#include <SDL.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <iterator>
#include <string>

#include "platform/front_end.h"
#include "platform/sdl_front_end.h"
#include "platform/window.h"

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

class SdlFrontEnd : public FrontEnd {
public:
    ~SdlFrontEnd() override
    {
        if (waitCursor_)
            SDL_FreeCursor(waitCursor_);
        if (texture_)
            SDL_DestroyTexture(texture_);
        if (renderer_)
            SDL_DestroyRenderer(renderer_);
        if (window_)
            SDL_DestroyWindow(window_);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    // Opens the window; answers why not, or an empty text.
    std::string open(const std::string& title)
    {
        SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
        // The window's own framebuffer, not one backed by a GL context: loading GL costs hundreds
        // of milliseconds before the first frame.
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
            return SDL_GetError();
        if (const char* driver = SDL_GetCurrentVideoDriver(); InvisibleDriverRefused(driver))
            return std::string("no display (only SDL's invisible '") + driver +
                   "' video driver is available; set SDL_VIDEODRIVER=" + driver + " to run unseen)";
        if (!openWindow(title))
            return SDL_GetError();
        return {};
    }

    bool openWindow(const std::string& title)
    {
        window_ = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                   kScreenWidth * kStartScale, kScreenHeight * kStartScale,
                                   SDL_WINDOW_RESIZABLE);
        if (!window_)
            return false;
        // The software renderer shows the first frame soonest; the picture is small.
        renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
        if (!renderer_)
            return false;
        SDL_RenderSetLogicalSize(renderer_, kScreenWidth, kScreenHeight);
        SDL_RenderSetIntegerScale(renderer_, SDL_TRUE);
        texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888,
                                     SDL_TEXTUREACCESS_STREAMING, kScreenWidth, kScreenHeight);
        return texture_ != nullptr;
    }

    void present(const Bitmap& screen) override
    {
        // Screen pixels are 0x00RRGGBB words, the texture's own layout.
        SDL_UpdateTexture(texture_, nullptr, screen.row(0), screen.stride());
        redraw();
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

    void setWaitCursor(bool on) override
    {
        if (on && !waitCursor_)
            waitCursor_ = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_WAIT);
        SDL_SetCursor(on && waitCursor_ ? waitCursor_ : SDL_GetDefaultCursor());
    }

    void raise() override
    {
        SDL_RestoreWindow(window_);
        SDL_RaiseWindow(window_);
    }

    bool deliversText() const override { return true; }

private:
    void redraw()
    {
        SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
        SDL_RenderClear(renderer_);
        SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
        SDL_RenderPresent(renderer_);
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
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            redraw();
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
        pointer_ = {event.x, event.y};
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
            pointer_ = {event.motion.x, event.motion.y};
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
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    SDL_Cursor* waitCursor_ = nullptr;
    bool closeClicked_ = false;
    Point pointer_{}; // last pointer position, screen pixels (the wheel event has none)
};

} // namespace

std::unique_ptr<FrontEnd> CreateSdlFrontEnd(const std::string& title)
{
    auto frontEnd = std::make_unique<SdlFrontEnd>();
    if (std::string why = frontEnd->open(title); !why.empty()) {
        std::fprintf(stderr, "Cannot open a window: %s\n", why.c_str());
        return nullptr;
    }
    return frontEnd;
}

} // namespace plat
