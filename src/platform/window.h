// The window system of the handheld: a 240 x 320 screen with a top bar and a menu bar, windows
// with their own client surfaces, one message queue, timers, painting, activation, modal loops.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "platform/geometry.h"
#include "platform/menu.h"
#include "platform/message_box.h"
#include "platform/raster.h"

namespace plat {

// Screen geometry: the top bar shows the active window's title, the menu bar lies at the bottom.
constexpr int kScreenWidth = 240;
constexpr int kScreenHeight = 320;
constexpr int kTopBarHeight = 26;
constexpr int kMenuBarHeight = 26;
// Where a top-level window goes when created without a rectangle: everything below the top bar.
constexpr Rect kDefaultWindowRect = {0, kTopBarHeight, kScreenWidth, kScreenHeight - kTopBarHeight};
// The area between the two bars.
constexpr Rect kWorkArea = {0, kTopBarHeight, kScreenWidth,
                            kScreenHeight - kTopBarHeight - kMenuBarHeight};

// The closed set of window messages. Message fields used by each are listed beside it.
enum class Msg : std::uint8_t {
    Create,    // sent once before the window shows; a result of -1 fails the creation
    Destroy,   // sent while the window is being destroyed
    Paint,     // the client area has an invalid part; use BeginPaint/EndPaint
    PenDown,   // pt in client pixels; id = 2 for the second tap of a double tap, else 1
    PenMove,   // pt; only while the pen touches
    PenUp,     // pt
    PenHold,   // pt: the pen rested in place, or the desktop's right button (tap-and-hold)
    KeyDown,   // id = virtual key, mods
    KeyUp,     // id = virtual key, mods
    Char,      // id = character, a Unicode code point (TranslateMessage or typed text)
    Command,   // id = command identifier, other = the sending control or null
    Timer,     // id = timer identifier
    Activate,  // id = ActivateState, other = the window losing or gaining activation (may be null)
    Close,     // close request; default processing destroys the window
    Quit,      // only seen by GetMessage/PeekMessage callers; id = exit code
    Focus,     // id = 1 the window now takes the keys, 0 it no longer does; other = the other one
    User,      // free for the program: id and value carry what it wants
    Wheel,     // pt in client pixels of the window under the pointer; id = steps, up positive
    InitDialog, // sent to a dialog once its controls exist, before it shows
};

enum ActivateState : int { kInactive = 0, kActive = 1, kClickActive = 2 };

// Virtual keys (the values of the platform's key codes).
namespace Key {
constexpr int Back = 8, Tab = 9, Return = 13, Shift = 16, Control = 17, Alt = 18, Escape = 27,
              Space = 32, PageUp = 33, PageDown = 34, End = 35, Home = 36, Left = 37, Up = 38,
              Right = 39, Down = 40, Delete = 46, F1 = 112, F4 = 115, F10 = 121;
// Letters and digits use their upper-case character: 'A', '7'.
} // namespace Key

enum KeyModifier : int { kModNone = 0, kModShift = 1, kModCtrl = 2, kModAlt = 4 };

struct Window;

struct Message {
    Window* window = nullptr;
    Msg msg = Msg::User;
    Point pt{};
    int id = 0;
    int mods = 0;
    Window* other = nullptr;
    std::intptr_t value = 0;
};

using WindowProc = std::function<std::intptr_t(Window& window, const Message& message)>;
using TimerCallback = std::function<void(Window* window, int timerId)>;

enum class WindowRole : std::uint8_t {
    Normal,  // a top-level window or child
    MenuBar, // drawn in the menu bar at the bottom; receives the pen there
    Topmost, // drawn over the bars (pop-up menus)
};

struct WindowParams {
    std::string title;
    WindowProc proc;
    // Top level: screen pixels (empty: kDefaultWindowRect). Child: parent client pixels.
    Rect rect{};
    Window* parent = nullptr; // set: a child window inside the parent's client area
    Window* owner = nullptr;  // top level: activated again when this window goes
    WindowRole role = WindowRole::Normal;
    bool doneButton = false; // a Done button at the right end of the top bar while active;
                             // the menu bar is hidden while such a window is shown
    Color background = kWhite;
    void* userData = nullptr;
};

struct Window {
    std::string title;
    WindowProc proc;
    Rect rect;                         // screen (top level) or parent client (child) pixels
    Window* parent = nullptr;
    Window* owner = nullptr;
    WindowRole role = WindowRole::Normal;
    bool doneButton = false;
    Color background = kWhite;
    void* userData = nullptr;
    bool visible = false;
    bool destroyed = false;
    std::unique_ptr<Bitmap> surface;   // the client area's pixels
    Rect invalid{};                    // client pixels still to paint
    bool eraseInvalid = false;         // BeginPaint first fills the invalid part with background
    std::vector<Window*> children;     // in drawing order
    // A menu bar's drop-down menus: item i of `menu` is the pop-up that button menuButtons[i]
    // opens.
    std::unique_ptr<Menu> menu;
    std::vector<int> menuButtons;
};

// --- Start and stop -----------------------------------------------------------------------------

// Brings the window system up: screen, text, the on-screen message box handler. Uses the front end
// installed with SetFrontEnd (front_end.h), or a headless one when none is.
void StartWindowSystem();
// Destroys every window, drops queued messages and timers, restores the default message box
// handler. StartWindowSystem may follow again (tests).
void StopWindowSystem();
bool WindowSystemRunning();

// --- Windows ------------------------------------------------------------------------------------

// Creates a window, sends it Create, then shows it; a top-level Normal window becomes active.
// Null when the window procedure answered -1 to Create.
Window* CreateWindow(const WindowParams& params);
// Deactivates it if active, sends Destroy to it and its children, drops its timers and messages.
// The memory lives on until the outermost message loop next waits, so callers may still read it.
void DestroyWindow(Window* window);
// True while the window exists and is not destroyed.
bool IsWindowAlive(const Window* window);
// Moves and resizes; the client surface keeps what fits and the window is invalidated.
void MoveWindow(Window* window, const Rect& rect);
void ShowWindow(Window* window, bool visible);
// Puts a child behind its siblings: drawn first, found by the pen last.
void SendWindowToBack(Window* window);
void SetWindowTitle(Window* window, std::string_view title);
// The client area's size as a rectangle at (0, 0).
Rect ClientRect(const Window* window);
// Top level windows from back to front (menu bar and topmost ones included).
std::vector<Window*> TopLevelWindows();
// Default processing: Close destroys, Paint validates (after erasing if asked), else 0.
std::intptr_t DefaultWindowProc(Window& window, const Message& message);

// --- Activation ---------------------------------------------------------------------------------

Window* ActiveWindow();
// Puts a top-level window at the front and activates it (the old one is told first).
void SetForegroundWindow(Window* window);
// Whether the program has the front end's focus (front ends report losing it).
bool HasFocus();

// --- Queue --------------------------------------------------------------------------------------

void PostMessage(const Message& message);
// Calls the window procedure at once and answers its result (0 for a dead window).
std::intptr_t SendMessage(const Message& message);
// Posts Quit: loops end when they retrieve it, after the messages already posted.
void PostQuitMessage(int exitCode);
// Waits for the next message. False when it is Quit (message.id holds the exit code).
bool GetMessage(Message& message);
// Takes the next message off the queue without waiting; false when there is none. Generates
// Paint and Timer like GetMessage.
bool PeekMessage(Message& message);
// Key presses of characters also post a Char message.
void TranslateMessage(const Message& message);
// Runs the window procedure (or the timer's callback) for a retrieved message.
std::intptr_t DispatchMessage(const Message& message);

struct Accelerator {
    int key = 0;
    int mods = kModNone;
    int command = 0;
};
// A KeyDown matching an entry (same key, same modifiers) sends Command to window; answers true.
bool TranslateAccelerator(Window* window, std::span<const Accelerator> table,
                          const Message& message);
// The plain loop: get, accelerators for the message's window, translate, dispatch; until Quit.
// Answers the exit code.
int RunMessageLoop(std::span<const Accelerator> accelerators = {});
// Dispatches everything pending (messages, paints, due timers) without waiting (tests, driver).
// Answers the number of messages dispatched; a Quit stops it and stays queued for the real loop.
int RunUntilIdle();

// --- Modal loops --------------------------------------------------------------------------------

// Runs a nested loop until EndModal(window) or the window is destroyed; only window and the
// windows above it take the pen meanwhile. A Quit ends the loop and is posted again. Answers the
// EndModal result (or 0).
std::intptr_t RunModalLoop(Window* window);
void EndModal(Window* window, std::intptr_t result);
// A modal dialog: creates the window (owner from params), runs a modal loop on it until EndModal,
// destroys it and answers the EndModal result; -1 when the window could not be created.
std::intptr_t RunDialog(const WindowParams& params);
// The window of the innermost running modal loop, or null.
Window* ModalWindow();

// --- Timers -------------------------------------------------------------------------------------

// Starts or restarts timer id of the window (null: a program-wide timer). It fires every period
// ms of TickCount, through the callback if given, else as a Timer message. Missed periods merge.
void SetTimer(Window* window, int id, std::uint32_t periodMs, TimerCallback callback = {});
void KillTimer(Window* window, int id);

// --- Painting -----------------------------------------------------------------------------------

// Adds a client rectangle (or the whole client area) to the invalid part.
void InvalidateRect(Window* window, std::optional<Rect> rect = std::nullopt, bool erase = false);
// Sends Paint at once when something is invalid.
void UpdateWindow(Window* window);

struct PaintContext {
    DrawContext dc;   // on the window's client surface
    Rect rect;        // the invalid part being painted, client pixels
};
// Validates the window and answers a context on its client surface.
PaintContext BeginPaint(Window* window);
void EndPaint(Window* window, PaintContext& paint);
// A context on the client surface outside painting (the screen is updated at the next wait).
DrawContext GetClientContext(Window* window);

// The composed screen: windows, top bar and menu bar, up to date.
const Bitmap& ComposeScreen();
// Converts between a window's client pixels and screen pixels.
Point ClientToScreen(const Window* window, Point p);
Point ScreenToClient(const Window* window, Point p);

// --- Keys -------------------------------------------------------------------------------------

// Keys go to this window while it lies inside the active window or in a topmost window (an open
// pop-up menu), else to the active window.
void SetFocus(Window* window);
Window* FocusWindow();

// --- Pen ----------------------------------------------------------------------------------------

// Pen messages go to this window until the pen is lifted or ReleaseCapture. Pen down captures
// its window; a capture set while the pen is up takes the next pen down wherever it lands (a
// pop-up menu closing on a tap outside it).
void SetCapture(Window* window);
void ReleaseCapture();
Window* CaptureWindow();

// --- The shell ----------------------------------------------------------------------------------

// Shows the busy cursor while on.
void SetWaitCursor(bool on);
// Shows or hides the input-panel (keyboard) button at the right of the menu bar.
void SetInputPanelButton(bool shown);
bool InputPanelButtonShown();

// --- Input from the front end (screen pixels) ---------------------------------------------------

// Hold: the pen goes down and is held at once (the desktop's right button); Up follows.
enum class PenAction : std::uint8_t { Down, Move, Up, Hold };
void InjectPen(PenAction action, Point screen);
// A pen down and up at the same point.
void InjectTap(Point screen);
void InjectKey(int key, int mods, bool down);
// A key pressed and released.
void InjectKeyPress(int key, int mods = kModNone);
// Typed text (UTF-8): one Char message per character to the window that takes the keys.
void InjectText(std::string_view utf8);
// The mouse wheel turned by steps (up positive) with the pointer at a screen point.
void InjectWheel(Point screen, int steps);
// The user asked to close the program (window close button): Close to the active window.
void InjectCloseRequest();
void InjectFocus(bool gained);
// The host is ending the program (a signal): every window is destroyed, owners first, and the
// loops end with Quit 0.
void InjectTerminate();
// The host lost the picture it showed (a resized window): the screen is presented again.
void InjectScreenLost();
// True while raw input waits to be turned into messages.
bool InputPending();

} // namespace plat
