#pragma once

// The completion trigger as the control wires it, inside the whole control over in-memory parts (the tests'
// MemoryControl): the only file of the fuzz targets that knows how to reach it. When that wiring changes,
// only CompletionGlue.cpp follows.

#include <QString>

#include <functional>
#include <memory>

namespace qx {
class ListPopup;
class MemoryCodeBox;
} // namespace qx

namespace qx::fuzz {

class CompletionGlue {
public:
    // The host database names referenceFile; member files are looked up in the common folder as usual.
    explicit CompletionGlue(const QString& referenceFile);
    ~CompletionGlue();
    CompletionGlue(const CompletionGlue&) = delete;
    CompletionGlue& operator=(const CompletionGlue&) = delete;

    MemoryCodeBox& box();
    // Puts text into the box without running the trigger, with the caret at caret.
    void setText(const QString& text, int caret);
    // Runs the trigger as the change handler does (explicitRequest false) or as Ctrl+Space does.
    void runTrigger(bool explicitRequest);
    // Called for each change of the box that the control itself did not make; without one, a change runs
    // the trigger.
    void setChangeHandler(std::function<void()> handler);

    bool listShown() const;
    int listStart() const;
    // The member list's form, nullptr until first used.
    const ListPopup* list() const;

private:
    struct Parts;
    std::unique_ptr<Parts> d;
};

} // namespace qx::fuzz
