// The front end without a display: a virtual clock, input injected by code, the screen kept as
// pixels. Used by tests and the scripted driver.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/front_end.h"
#include "platform/geometry.h"
#include "platform/message_box.h"

namespace plat {

class HeadlessFrontEnd : public FrontEnd {
public:
    // Switches the virtual clock on.
    HeadlessFrontEnd();
    ~HeadlessFrontEnd() override;

    void present(const Bitmap& screen) override;
    // Asks the idle hook first; without input from it, lets virtual time pass up to the timeout.
    void waitForEvents(int timeoutMs) override;
    void setWaitCursor(bool on) override { waitCursor_ = on; }
    void raise() override { ++raiseCount_; }

    // Called whenever the window system has nothing to do (also inside modal loops). It may inject
    // input or advance the clock; it answers false when it has nothing more to give.
    using IdleHook = std::function<bool()>;
    void setIdleHook(IdleHook hook) { idleHook_ = std::move(hook); }
    // Virtual milliseconds that may pass without any input before the front end gives up and sends
    // a close request, so that a forgotten modal loop ends instead of spinning for ever.
    void setIdleBudget(std::uint32_t milliseconds) { idleBudget_ = milliseconds; }

    int presentCount() const { return presentCount_; }
    bool waitCursor() const { return waitCursor_; }
    int raiseCount() const { return raiseCount_; }
    // Close requests sent because nothing was scripted.
    int stallCount() const { return stallCount_; }

private:
    IdleHook idleHook_;
    std::uint32_t idleBudget_ = 600000;
    std::uint32_t idleSpent_ = 0;
    int presentCount_ = 0;
    bool waitCursor_ = false;
    int raiseCount_ = 0;
    int stallCount_ = 0;
    int stallsInARow_ = 0;
};

// What an open on-screen message box shows, for scripts that answer it.
struct MessageBoxView {
    std::string caption;
    std::string text;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
    std::vector<MessageResult> results; // one per button, left to right
    std::vector<Rect> buttonRects;      // screen pixels
};
// The frontmost open message box, if any.
std::optional<MessageBoxView> FindOpenMessageBox();
// Injects a pen tap on the frontmost message box's button answering result; false when there is
// no such box or button.
bool PressMessageBoxButton(MessageResult result);

} // namespace plat
