#pragma once

#include "hostlib/LibraryError.h"
#include "platform/memory/MemoryCodeBox.h"

namespace qx::test {

// The in-memory box, which throws from every call the control makes while `failing` is set: a failing
// platform under each of the control's entries, which the tests call directly while it fails.
class FaultyCodeBox final : public MemoryCodeBox {
public:
    bool failing = false;

    QString Text() const override { return check(), MemoryCodeBox::Text(); }
    int TextLength() const override { return check(), MemoryCodeBox::TextLength(); }
    QString TextRange(int start, int end) const override {
        return check(), MemoryCodeBox::TextRange(start, end);
    }
    QChar CharAt(int pos) const override { return check(), MemoryCodeBox::CharAt(pos); }
    int SelStart() const override { return check(), MemoryCodeBox::SelStart(); }
    int SelLength() const override { return check(), MemoryCodeBox::SelLength(); }
    QString SelText() const override { return check(), MemoryCodeBox::SelText(); }
    bool Locked() const override { return check(), MemoryCodeBox::Locked(); }
    ScrollPos GetScrollPos() const override { return check(), MemoryCodeBox::GetScrollPos(); }
    int GetLineFromChar(int pos) const override { return check(), MemoryCodeBox::GetLineFromChar(pos); }

private:
    void check() const {
        if (failing)
            throw LibraryError("the platform failed");
    }
};

} // namespace qx::test
