#include "CompletionGlue.h"

#include "assist/AssistPopups.h"
#include "assist/CompletionTrigger.h"
#include "platform/EditorState.h"
#include "platform/memory/MemoryCaretLocator.h"
#include "platform/memory/MemoryCodeBox.h"
#include "platform/memory/MemoryListPopup.h"
#include "platform/memory/MemoryStatusPanels.h"
#include "platform/memory/MemoryTipPopup.h"
#include <qxTagEditor2/qxDatabase.h>

namespace qx::fuzz {

struct CompletionGlue::Parts final : CodeBoxEvents {
    explicit Parts(const QString& referenceFile)
        : database(referenceFile) {
        state.moDatabase = &database;
        setEvents(box, this);
        popups.setStatusPanels(&status);
    }
    ~Parts() override { setEvents(box, nullptr); }

    void Change() override {
        if (state.mbBusy)
            return;
        if (onChange)
            onChange();
        else
            trigger.ShowCompletion(box.GetScrollPos(), false);
    }

    qxDatabase database;
    EditorState state;
    MemoryCodeBox box;
    MemoryCaretLocator caret;
    MemoryStatusPanels status;
    AssistPopups popups{state, box, caret,
                        [this] {
                            auto made = std::make_unique<MemoryListPopup>();
                            made->setOwner(&box);
                            return made;
                        },
                        [] { return std::make_unique<MemoryTipPopup>(); }};
    CompletionTrigger trigger{state, box, popups};
    std::function<void()> onChange;
};

CompletionGlue::CompletionGlue(const QString& referenceFile)
    : d(std::make_unique<Parts>(referenceFile)) {}

CompletionGlue::~CompletionGlue() = default;

MemoryCodeBox& CompletionGlue::box() {
    return d->box;
}

void CompletionGlue::setText(const QString& text, int caret) {
    d->state.mbBusy = true;
    d->box.setText(text);
    d->state.mbBusy = false;
    d->box.setSelStart(caret);
}

void CompletionGlue::runTrigger(bool explicitRequest) {
    d->trigger.ShowCompletion(d->box.GetScrollPos(), explicitRequest);
}

void CompletionGlue::setChangeHandler(std::function<void()> handler) {
    d->onChange = std::move(handler);
}

bool CompletionGlue::listShown() const {
    return d->state.mbListShown;
}

int CompletionGlue::listStart() const {
    return d->state.mlListStart;
}

const ListPopup* CompletionGlue::list() const {
    return d->popups.List();
}

} // namespace qx::fuzz
