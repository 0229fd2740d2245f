#include "assist/CompletionTrigger.h"

#include "assist/AssistPopups.h"
#include "assist/CompletionContext.h"
#include "hostlib/Properties.h"
#include "hostlib/ScriptReference.h"
#include "platform/ListPopup.h"
#include "platform/ScopedFlag.h"

namespace qx {

CompletionTrigger::CompletionTrigger(EditorState& state, CodeBox& box, AssistPopups& popups)
    : mState(state)
    , mBox(box)
    , mPopups(popups)
    , mMakeReference([] { return std::make_unique<ScriptReference>(); }) {}

CompletionTrigger::~CompletionTrigger() = default;

void CompletionTrigger::setReferenceFactory(ReferenceFactory factory) {
    mMakeReference = factory ? std::move(factory) : [] { return std::make_unique<ScriptReference>(); };
}

bool CompletionTrigger::IsHostDatabase(const QObject* object) {
    return object && object->metaObject()->className() == QLatin1String("qxDatabase");
}

void CompletionTrigger::ShowCompletion(ScrollPos scroll, bool explicitRequest) {
    if (mState.mbListShown) {
        followTyping();
        return;
    }
    const CompletionContext context =
        ResolveCompletion(BoxCompletionText(mBox, mTags), mBox.SelStart(), explicitRequest);
    if (context.rewriteOpener)
        rewriteOpener();
    act(context, scroll);
}

// The list selects the first entry that begins with what was typed since it opened; a caret moved before
// that point closes it, and a selection stops it from following.
void CompletionTrigger::followTyping() {
    if (mBox.SelLength() != 0)
        return;
    const int caret = mBox.SelStart();
    const int start = mState.mlListStart;
    if (caret < start) {
        mPopups.HideList();
        if (mPopups.TipShown())
            mPopups.HideTip();
        return;
    }
    if (ListPopup* list = mPopups.List())
        list->Keys(mBox.TextRange(start, caret));
}

void CompletionTrigger::Edited(int position, int removed, int added) {
    mTags.Edited(mBox, position, removed, added);
}

void CompletionTrigger::act(const CompletionContext& context, ScrollPos scroll) {
    switch (context.action) {
    case CompletionAction::None:
        return;
    case CompletionAction::HandlerNames:
        ShowHandlerNames(context.handler, scroll);
        return;
    case CompletionAction::HandlerItems:
        ShowHandlerItems(context.handler, scroll);
        return;
    case CompletionAction::CommandHelp:
        ShowCommandHelp(context.handler, context.content, scroll);
        return;
    case CompletionAction::ArgumentHelp:
        ShowArgumentHelp(context.handler, context.content, context.argument, scroll);
        return;
    case CompletionAction::ObjectMembers:
        ShowObjectMembers(context.word, scroll);
        return;
    case CompletionAction::TagClosed:
        mPopups.HideTip();
        mPopups.HideList();
        return;
    }
}

void CompletionTrigger::rewriteOpener() {
    ScopedFlag busy(mState.mbBusy);
    const int caret = mBox.SelStart();
    mBox.SelectRange(caret - 4, caret);
    mBox.setSelText(QString::fromUtf16(kTagOpener));
    mBox.setSelStart(caret);
}

void CompletionTrigger::ShowObjectMembers(const QString& word, ScrollPos scroll) {
    mPopups.HideTip();
    const Properties* set = mMemberSets.Resolve(word);
    if (set && set->Count() > 0)
        mPopups.OpenList(*set, ListKind::ObjectMembers, scroll);
}

std::unique_ptr<ScriptReference> CompletionTrigger::newReference() const {
    std::unique_ptr<ScriptReference> reference = mMakeReference();
    QObject* database = mState.moDatabase.data();
    if (IsHostDatabase(database))
        reference->setDatabase(database);
    return reference;
}

void CompletionTrigger::ShowHandlerNames(const QString& name, ScrollPos scroll) {
    mPopups.HideTip();
    const std::unique_ptr<Properties> names =
        newReference()->HandlerNames(name, !mState.mbShowHiddenHandlers, 0);
    if (names && names->Count() > 0)
        mPopups.OpenList(*names, ListKind::HandlerNames, scroll);
}

void CompletionTrigger::ShowHandlerItems(const QString& name, ScrollPos scroll) {
    openSplitList(newReference()->HandlerItems(name), ListKind::HandlerItems, scroll);
}

void CompletionTrigger::ShowCommandHelp(const QString& handler, const QString& content, ScrollPos scroll) {
    const std::unique_ptr<ScriptReference> reference = newReference();
    showSyntax(*reference, handler, content);
    openSplitList(reference->CommandValues(handler, content), ListKind::Values, scroll);
}

void CompletionTrigger::ShowArgumentHelp(const QString& handler, const QString& content,
                                         const QString& argument, ScrollPos scroll) {
    const std::unique_ptr<ScriptReference> reference = newReference();
    showSyntax(*reference, handler, content);
    openSplitList(reference->ArgumentValues(handler, content, argument), ListKind::Values, scroll);
}

void CompletionTrigger::showSyntax(ScriptReference& reference, const QString& handler,
                                   const QString& content) {
    mPopups.ShowTip(reference.CommandSyntax(handler, content));
    mPopups.ShowDescription(reference.CommandDescription(handler, content));
}

void CompletionTrigger::openSplitList(const QString& names, ListKind kind, ScrollPos scroll) {
    Properties set;
    set.Build(names, 0, 0, QStringLiteral(":"));
    if (set.Count() > 0)
        mPopups.OpenList(set, kind, scroll);
}

} // namespace qx
