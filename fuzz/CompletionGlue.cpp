#include "CompletionGlue.h"

#include "assist/CompletionTrigger.h"
#include "platform/memory/MemoryCodeBox.h"
#include "support/MemoryControl.h"

#include <qxTagEditor2/qxDatabase.h>

namespace qx::fuzz {

// The whole control over in-memory parts, its events passed on as the box raises them, except that a
// handler set here takes Change in place of the control's change handler.
struct CompletionGlue::Parts final : CodeBoxEvents {
    explicit Parts(const QString& referenceFile)
        : database(referenceFile) {
        mc.state.moDatabase = &database;
        setEvents(mc.box, this);
    }
    ~Parts() override { setEvents(mc.box, &mc.control); }

    void Change() override {
        if (!onChange)
            mc.control.Change();
        else if (!mc.state.mbBusy)
            onChange();
    }
    void Edited(int position, const QString& removed, int added) override {
        mc.control.Edited(position, removed, added);
    }
    void KeyDown(int& keyCode, int shift) override { mc.control.KeyDown(keyCode, shift); }
    void KeyPress(int& keyAscii) override { mc.control.KeyPress(keyAscii); }
    void KeyUp(int& keyCode, int shift) override { mc.control.KeyUp(keyCode, shift); }
    void SelChange() override { mc.control.SelChange(); }

    qxDatabase database;
    test::MemoryControl<MemoryCodeBox> mc;
    std::function<void()> onChange;
};

CompletionGlue::CompletionGlue(const QString& referenceFile)
    : d(std::make_unique<Parts>(referenceFile)) {}

CompletionGlue::~CompletionGlue() = default;

MemoryCodeBox& CompletionGlue::box() {
    return d->mc.box;
}

void CompletionGlue::setText(const QString& text, int caret) {
    d->mc.state.mbBusy = true;
    d->mc.box.setText(text);
    d->mc.state.mbBusy = false;
    d->mc.box.setSelStart(caret);
}

void CompletionGlue::runTrigger(bool explicitRequest) {
    d->mc.control.trigger().ShowCompletion(d->mc.box.GetScrollPos(), explicitRequest);
}

void CompletionGlue::setChangeHandler(std::function<void()> handler) {
    d->onChange = std::move(handler);
}

bool CompletionGlue::listShown() const {
    return d->mc.state.mbListShown;
}

int CompletionGlue::listStart() const {
    return d->mc.state.mlListStart;
}

const ListPopup* CompletionGlue::list() const {
    return d->mc.control.popups().List();
}

} // namespace qx::fuzz
