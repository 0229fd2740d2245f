#pragma once

#include "platform/CodeBox.h"
#include "platform/EditorState.h"

#include <exception>
#include <functional>

namespace qx {

class MessageBox;

// Every change of the code box's text passes through here: unless the control itself is changing the
// text, it runs the completion trigger with repainting held off, marks the control changed and pushes the
// next highlight pass out. A failure is reported in a message box and leaves Changed and the timer alone.
class ChangeHandler {
public:
    struct Hooks {
        // The completion trigger, given the scroll position saved before it runs.
        std::function<void(ScrollPos)> showCompletion;
        std::function<void()> requestDelayedPass;
    };

    // Reads mbBusy and sets mbChanged of the state.
    ChangeHandler(CodeBox& box, EditorState& state, MessageBox& messages, Hooks hooks);

    void Change();

    // The classic error number of a failure: 7 out of memory, 5 a failed library call, 51 anything else.
    static int errorNumber(const std::exception& error);

private:
    void report(const std::exception& error);

    CodeBox& mBox;
    EditorState& mState;
    MessageBox& mMessages;
    Hooks mHooks;
};

} // namespace qx
