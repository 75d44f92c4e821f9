// Message boxes: one call that shows a modal box and answers the button pressed. The window
// system installs the on-screen handler; tests install one that records and answers from a queue.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace plat {

struct Window;

enum class MessageIcon { None, Error, Question, Information };
enum class MessageButtons { Ok, YesNo };
enum class MessageResult { Ok, Yes, No };

struct MessageBoxRequest {
    Window* owner = nullptr;
    std::string text;
    std::string caption;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
};

using MessageBoxHandler = std::function<MessageResult(const MessageBoxRequest&)>;

// Shows the box modally and answers the button pressed.
MessageResult ShowMessageBox(Window* owner, std::string_view text, std::string_view caption,
                             MessageIcon icon, MessageButtons buttons);
// Replaces the handler; answers the previous one. An empty handler restores the default, which
// writes the box to standard error and answers Ok (or No for a question).
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

} // namespace plat
