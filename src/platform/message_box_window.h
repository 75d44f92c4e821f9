// The on-screen message box of the window system.
#pragma once

#include "platform/message_box.h"

namespace plat {

// The on-screen message box: a modal window over the owner, answered by pen or keys (Enter: OK or
// Yes, Escape: OK or No). StartWindowSystem installs it as the message box handler.
MessageResult RunScreenMessageBox(const MessageBoxRequest& request);

} // namespace plat
