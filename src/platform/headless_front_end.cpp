// The display-less front end: time passes only when the window system waits, input comes from
// the idle hook, and a run that waits for input nobody will give ends with a close request.
#include "platform/headless_front_end.h"

#include <cstdio>

#include "platform/runtime.h"
#include "platform/window.h"

namespace plat {

HeadlessFrontEnd::HeadlessFrontEnd()
{
    UseVirtualClock(true);
}

HeadlessFrontEnd::~HeadlessFrontEnd()
{
    if (CurrentFrontEnd() == this)
        SetFrontEnd(nullptr);
}

void HeadlessFrontEnd::present(const Bitmap&)
{
    ++presentCount_;
}

void HeadlessFrontEnd::waitForEvents(int timeoutMs)
{
    if (idleHook_ && idleHook_()) {
        idleSpent_ = 0;
        stallsInARow_ = 0;
        return;
    }
    if (timeoutMs >= 0 && idleSpent_ < idleBudget_) {
        std::uint32_t step = static_cast<std::uint32_t>(timeoutMs);
        AdvanceVirtualClock(step);
        idleSpent_ += step == 0 ? 1 : step;
        return;
    }
    // Nothing scripted and nothing due: close rather than spin; with nothing left to close, quit.
    std::fprintf(stderr, "headless: waiting for input that nothing will give; closing\n");
    ++stallCount_;
    idleSpent_ = 0;
    if (TopLevelWindows().empty() || ++stallsInARow_ > 3)
        PostQuitMessage(0);
    else
        InjectCloseRequest();
}

} // namespace plat
