#include "CompletionGlue.h"

#include "assist/AssistFields.h"
#include "assist/AssistPopups.h"
#include "assist/CompletionTrigger.h"
#include "hostlib/qxDatabase.h"
#include "platform/memory/MemoryCaretLocator.h"
#include "platform/memory/MemoryCodeBox.h"
#include "platform/memory/MemoryListPopup.h"
#include "platform/memory/MemoryStatusPanels.h"
#include "platform/memory/MemoryTipPopup.h"

#include <QPointer>

namespace qx::fuzz {

struct CompletionGlue::Parts final : CodeBoxEvents {
    explicit Parts(const QString& referenceFile)
        : database(referenceFile)
        , moDatabase(&database) {
        box.setEvents(this);
        popups.setStatusPanels(&status);
    }
    ~Parts() override { box.setEvents(nullptr); }

    void Change() override {
        if (mbBusy)
            return;
        if (onChange)
            onChange();
        else
            trigger.ShowCompletion(box.GetScrollPos(), false);
    }

    qxDatabase database;
    bool mbBusy = false;
    bool mbListShown = false;
    int mlListStart = 0;
    bool mbTipShown = false;
    bool mbTipLoaded = false;
    bool mbShowHiddenHandlers = false;
    QPointer<QObject> moDatabase;
    AssistFields fields{mbBusy,      mbListShown,          mlListStart, mbTipShown,
                        mbTipLoaded, mbShowHiddenHandlers, moDatabase};
    MemoryCodeBox box;
    MemoryCaretLocator caret;
    MemoryStatusPanels status;
    AssistPopups popups{fields, box, caret,
                        [this] {
                            auto made = std::make_unique<MemoryListPopup>();
                            made->setOwner(&box);
                            return made;
                        },
                        [] { return std::make_unique<MemoryTipPopup>(); }};
    CompletionTrigger trigger{fields, box, popups};
    std::function<void()> onChange;
};

CompletionGlue::CompletionGlue(const QString& referenceFile)
    : d(std::make_unique<Parts>(referenceFile)) {}

CompletionGlue::~CompletionGlue() = default;

MemoryCodeBox& CompletionGlue::box() {
    return d->box;
}

void CompletionGlue::setText(const QString& text, int caret) {
    d->mbBusy = true;
    d->box.setText(text);
    d->mbBusy = false;
    d->box.setSelStart(caret);
}

void CompletionGlue::runTrigger(bool explicitRequest) {
    d->trigger.ShowCompletion(d->box.GetScrollPos(), explicitRequest);
}

void CompletionGlue::setChangeHandler(std::function<void()> handler) {
    d->onChange = std::move(handler);
}

bool CompletionGlue::listShown() const {
    return d->mbListShown;
}

int CompletionGlue::listStart() const {
    return d->mlListStart;
}

const ListPopup* CompletionGlue::list() const {
    return d->popups.List();
}

} // namespace qx::fuzz
