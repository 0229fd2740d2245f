#include "control/ChangeHandler.h"

#include "hostlib/LibraryError.h"
#include "platform/WindowLock.h"
#include "platform/memory/MemoryCodeBox.h"
#include "platform/memory/MemoryMessageBox.h"

#include <gtest/gtest.h>

namespace {

using qx::ChangeHandler;
using qx::MemoryCodeBox;
using qx::MemoryMessageBox;
using qx::ScrollPos;

class ChangeHandlerTest : public ::testing::Test {
protected:
    MemoryCodeBox box;
    qx::EditorState state;
    bool& busy = state.mbBusy;
    bool& changed = state.mbChanged;
    MemoryMessageBox messages;
    int completions = 0;
    int passRequests = 0;
    std::function<void(ScrollPos)> completion = [this](ScrollPos) { ++completions; };
    ChangeHandler handler{
        box, state, messages,
        ChangeHandler::Hooks{[this](ScrollPos s) { completion(s); }, [this] { ++passRequests; }}};
};

TEST_F(ChangeHandlerTest, AUserChangeRunsTheTriggerMarksChangedAndDelaysThePass) {
    box.SetScrollPos({3, 40});
    bool lockedDuringTrigger = false;
    completion = [&](ScrollPos s) {
        ++completions;
        EXPECT_EQ(s, (ScrollPos{3, 40}));
        lockedDuringTrigger = box.updatesLocked();
        box.SetScrollPos({0, 0}); // a list that opens may scroll the box
    };
    handler.Change();
    EXPECT_EQ(completions, 1);
    EXPECT_TRUE(lockedDuringTrigger);
    EXPECT_FALSE(box.updatesLocked());
    EXPECT_EQ(box.GetScrollPos(), (ScrollPos{3, 40}));
    EXPECT_EQ(box.refreshCount(), 1);
    EXPECT_TRUE(changed);
    EXPECT_EQ(passRequests, 1);
}

TEST_F(ChangeHandlerTest, TheControlsOwnChangesAreIgnored) {
    busy = true;
    handler.Change();
    EXPECT_EQ(completions, 0);
    EXPECT_FALSE(changed);
    EXPECT_EQ(passRequests, 0);
}

TEST_F(ChangeHandlerTest, AFailureIsReportedAndLeavesChangedAndTheTimerAlone) {
    completion = [](ScrollPos) { throw qx::LibraryError("the member file is corrupt"); };
    handler.Change();
    ASSERT_EQ(messages.messages().size(), 1);
    const auto& message = messages.messages().first();
    EXPECT_EQ(message.icon, qx::MessageBox::Icon::Exclamation);
    EXPECT_EQ(message.title, "txtCode_Change");
    EXPECT_EQ(message.text, "Error opening user\nError: 5\nDesc: the member file is corrupt");
    EXPECT_FALSE(changed);
    EXPECT_EQ(passRequests, 0);
    EXPECT_EQ(qx::WindowLock::lockedWindow(), nullptr);
    EXPECT_FALSE(box.updatesLocked());
    EXPECT_EQ(box.refreshCount(), 1);
}

} // namespace
