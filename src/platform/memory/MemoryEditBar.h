#pragma once

#include "platform/EditBar.h"

#include <QHash>

namespace qx {

// An edit bar that only remembers its flags; every button starts enabled and visible, the check box on.
class MemoryEditBar final : public EditBar {
public:
    void setButtonEnabled(const QString& name, bool enabled) override { mEnabled.insert(name, enabled); }
    bool ButtonEnabled(const QString& name) const override { return mEnabled.value(name, true); }
    void setButtonVisible(const QString& name, bool visible) override { mVisible.insert(name, visible); }
    bool ButtonVisible(const QString& name) const override { return mVisible.value(name, true); }
    bool HighlightChecked() const override { return mChecked; }
    void setHighlightChecked(bool checked) override {
        if (checked == mChecked)
            return;
        mChecked = checked;
        clicked(kHighlightCheckBox);
    }

    // A click by the user.
    void click(const QString& name) {
        if (name == kHighlightCheckBox)
            setHighlightChecked(!mChecked);
        else
            clicked(name);
    }

private:
    QHash<QString, bool> mEnabled;
    QHash<QString, bool> mVisible;
    bool mChecked = false;
};

} // namespace qx
