#pragma once

#include <string>
#include <string_view>

namespace qx {

// The characters of the word being read. Appending to a short word is a store and an increment, with no
// call and no allocation; a word longer than the inline space moves to a string. The inline characters are
// char8_t, which unlike char may not alias other objects, so the walk's loop keeps its state in registers.
class WordBuffer {
public:
    void push(char c) {
        if (mLength < kInline)
            mInline[mLength++] = char8_t(c);
        else
            pushLong(c);
    }
    void assign(char c) {
        mLength = 1;
        mInline[0] = char8_t(c);
    }
    void clear() { mLength = 0; }
    char front() const { return char(mInline[0]); }
    std::string_view view() const {
        return mLength <= kInline ? std::string_view(reinterpret_cast<const char*>(mInline), mLength)
                                  : std::string_view(mLong);
    }
    operator std::string_view() const { return view(); }

private:
    static constexpr size_t kInline = 48;

    [[gnu::noinline]] void pushLong(char c) {
        if (mLength == kInline)
            mLong.assign(reinterpret_cast<const char*>(mInline), kInline);
        mLong.push_back(c);
        ++mLength;
    }

    char8_t mInline[kInline];
    size_t mLength = 0;
    std::string mLong;
};

} // namespace qx
