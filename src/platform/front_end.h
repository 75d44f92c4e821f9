// The edge between the window system and the host: showing the screen and gathering input.
// Front ends turn host events into the Inject* calls of window.h; no host type appears here.
#pragma once

#include <memory>
#include <string>

#include "platform/bitmap.h"

namespace plat {

class FrontEnd {
public:
    virtual ~FrontEnd() = default;
    // Shows the composed 240 x 320 screen.
    virtual void present(const Bitmap& screen) = 0;
    // Waits up to timeoutMs (negative: without limit) for host input and injects what arrived.
    virtual void waitForEvents(int timeoutMs) = 0;
    // Shows or removes the busy cursor.
    virtual void setWaitCursor(bool on) = 0;
    // Brings the host window forward (a second copy of the program asked for it).
    virtual void raise() = 0;
    // True when the front end reports typed text itself (InjectText, after the host's keyboard
    // layout); TranslateMessage then makes characters only of Return, Escape, Back and Tab.
    virtual bool deliversText() const { return false; }
};

// Installs the front end the window system uses; the caller keeps it alive. Null: none.
void SetFrontEnd(FrontEnd* frontEnd);
FrontEnd* CurrentFrontEnd();

} // namespace plat
