#pragma once

#include "support/FaultyCodeBox.h"
#include "support/MemoryControl.h"
#include "support/TempSettings.h"

#include <gtest/gtest.h>

namespace qx::test {

// Settings in a temporary folder, made before the control reads them.
struct WithTempSettings {
    TempSettings settings;
};

// The whole control over in-memory parts, driven event by event: the box's typing helpers raise KeyDown,
// KeyPress, Change, SelChange and KeyUp as a real box does. No display, no timers but manual ones.
class ControllerFixture : public ::testing::Test,
                          protected WithTempSettings,
                          protected MemoryControl<FaultyCodeBox> {
protected:
    // Puts text in as the host does, with the caret at `caret` (the end when negative).
    void setValue(const QString& text, int caretAt = -1) {
        control.setValue(text);
        box.setSelStart(caretAt < 0 ? int(text.size()) : caretAt);
    }
};

} // namespace qx::test
