// Test helper: records every message box while alive and answers from a queue.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/message_box.h"

namespace testsupport {

// Installs itself as the message-box handler and puts the previous one back when destroyed.
// Unqueued boxes answer Ok, or No when they ask a question.
class MessageRecorder {
public:
    MessageRecorder()
        : previous_(plat::SetMessageBoxHandler(
              [this](const plat::MessageBoxRequest& request) { return record(request); }))
    {
    }
    ~MessageRecorder() { plat::SetMessageBoxHandler(std::move(previous_)); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    // Queues the answer for the next box.
    void answerNext(plat::MessageResult result) { answers_.push_back(result); }
    // Every box shown so far, oldest first.
    const std::vector<plat::MessageBoxRequest>& requests() const { return requests_; }
    // The texts of the boxes shown so far, oldest first.
    std::vector<std::string> texts() const
    {
        std::vector<std::string> result;
        for (const plat::MessageBoxRequest& request : requests_)
            result.push_back(request.text);
        return result;
    }
    void clear() { requests_.clear(); }

private:
    plat::MessageResult record(const plat::MessageBoxRequest& request)
    {
        requests_.push_back(request);
        if (answers_.empty())
            return request.buttons == plat::MessageButtons::YesNo ? plat::MessageResult::No
                                                                  : plat::MessageResult::Ok;
        plat::MessageResult result = answers_.front();
        answers_.pop_front();
        return result;
    }

    plat::MessageBoxHandler previous_;
    std::vector<plat::MessageBoxRequest> requests_;
    std::deque<plat::MessageResult> answers_;
};

} // namespace testsupport
