#pragma once

namespace qx {

// Sets a flag for the life of a scope and clears it on every way out, exceptions included. The control
// holds its busy flag this way while it changes the text itself.
class ScopedFlag {
public:
    explicit ScopedFlag(bool& flag)
        : mFlag(flag) {
        mFlag = true;
    }
    ~ScopedFlag() { mFlag = false; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

private:
    bool& mFlag;
};

} // namespace qx
