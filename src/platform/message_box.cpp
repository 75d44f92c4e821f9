// Message boxes: one replaceable handler; the default one writes the box to standard error.
#include "platform/message_box.h"

#include <cstdio>
#include <utility>

namespace plat {

namespace {

// Empty means the default handler.
MessageBoxHandler InstalledHandler;

MessageResult DefaultMessageBox(const MessageBoxRequest& request)
{
    std::fprintf(stderr, "%s: %s\n", request.caption.c_str(), request.text.c_str());
    return request.buttons == MessageButtons::YesNo ? MessageResult::No : MessageResult::Ok;
}

} // namespace

MessageResult ShowMessageBox(Window* owner, std::string_view text, std::string_view caption,
                             MessageIcon icon, MessageButtons buttons)
{
    MessageBoxRequest request{owner, std::string(text), std::string(caption), icon, buttons};
    // A copy, so a handler that replaces itself while its box is up stays alive.
    MessageBoxHandler handler = InstalledHandler;
    return handler ? handler(request) : DefaultMessageBox(request);
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler)
{
    return std::exchange(InstalledHandler, std::move(handler));
}

} // namespace plat
