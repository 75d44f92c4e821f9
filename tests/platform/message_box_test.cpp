// Tests of message boxes: the default handler, replacing handlers and the recording helper.
#include "platform/message_box.h"

#include <gtest/gtest.h>

#include "support/message_recorder.h"

namespace {

using plat::MessageButtons;
using plat::MessageIcon;
using plat::MessageResult;

TEST(MessageBoxTest, DefaultHandlerWritesToStandardError)
{
    testing::internal::CaptureStderr();
    EXPECT_EQ(plat::ShowMessageBox(nullptr, "File Not Found!", "ERROR", MessageIcon::Error,
                                   MessageButtons::Ok),
              MessageResult::Ok);
    EXPECT_EQ(plat::ShowMessageBox(nullptr, "Delete?", "Confirm", MessageIcon::Question,
                                   MessageButtons::YesNo),
              MessageResult::No);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "ERROR: File Not Found!\nConfirm: Delete?\n");
}

TEST(MessageBoxTest, RecorderRecordsAnswersAndRestores)
{
    testsupport::MessageRecorder outer;
    {
        testsupport::MessageRecorder inner;
        inner.answerNext(MessageResult::Yes);
        auto* owner = reinterpret_cast<plat::Window*>(0x1000);
        EXPECT_EQ(plat::ShowMessageBox(owner, "Replace?", "Confirm", MessageIcon::Question,
                                       MessageButtons::YesNo),
                  MessageResult::Yes);
        EXPECT_EQ(plat::ShowMessageBox(nullptr, "Again?", "Confirm", MessageIcon::Question,
                                       MessageButtons::YesNo),
                  MessageResult::No);
        EXPECT_EQ(plat::ShowMessageBox(nullptr, "Load Failed", "Error", MessageIcon::Error,
                                       MessageButtons::Ok),
                  MessageResult::Ok);

        ASSERT_EQ(inner.requests().size(), 3u);
        const plat::MessageBoxRequest& first = inner.requests()[0];
        EXPECT_EQ(first.owner, owner);
        EXPECT_EQ(first.caption, "Confirm");
        EXPECT_EQ(first.icon, MessageIcon::Question);
        EXPECT_EQ(first.buttons, MessageButtons::YesNo);
        EXPECT_EQ(inner.texts(), (std::vector<std::string>{"Replace?", "Again?", "Load Failed"}));
    }
    plat::ShowMessageBox(nullptr, "FileWriteError", "ERROR", MessageIcon::Error, MessageButtons::Ok);
    EXPECT_EQ(outer.texts(), std::vector<std::string>{"FileWriteError"})
        << "the outer recorder is back once the inner one is gone";
}

TEST(MessageBoxTest, HandlerReplacementAnswersThePrevious)
{
    int calls = 0;
    plat::MessageBoxHandler previous = plat::SetMessageBoxHandler(
        [&calls](const plat::MessageBoxRequest&) { ++calls; return MessageResult::Yes; });
    EXPECT_EQ(plat::ShowMessageBox(nullptr, "t", "c", MessageIcon::None, MessageButtons::Ok),
              MessageResult::Yes);
    plat::MessageBoxHandler mine = plat::SetMessageBoxHandler(previous);
    ASSERT_TRUE(mine);
    EXPECT_EQ(mine(plat::MessageBoxRequest{}), MessageResult::Yes);
    EXPECT_EQ(calls, 2);

    // A handler may replace itself while its box is up.
    plat::SetMessageBoxHandler([](const plat::MessageBoxRequest&) {
        plat::SetMessageBoxHandler(nullptr);
        return MessageResult::Yes;
    });
    EXPECT_EQ(plat::ShowMessageBox(nullptr, "t", "c", MessageIcon::None, MessageButtons::YesNo),
              MessageResult::Yes);
    testing::internal::CaptureStderr();
    EXPECT_EQ(plat::ShowMessageBox(nullptr, "t", "c", MessageIcon::None, MessageButtons::YesNo),
              MessageResult::No);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "c: t\n");
    plat::SetMessageBoxHandler(previous);
}

} // namespace
