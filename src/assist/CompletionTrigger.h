#pragma once

#include "assist/MemberSets.h"
#include "assist/TagIndex.h"
#include "platform/CodeBox.h"
#include "platform/EditorState.h"

#include <QString>

#include <functional>
#include <memory>

namespace qx {

class AssistPopups;
enum class ListKind;
class ScriptReference;
struct CompletionContext;

// The completion trigger: after every change of the text (and on Ctrl+Space) it reads the text before the
// caret and opens the member list, the syntax tip, both or nothing; while the list is open it makes the
// list follow the typing. Failures of the host library are not caught: they end the request and reach the
// caller.
class CompletionTrigger {
public:
    using ReferenceFactory = std::function<std::unique_ptr<ScriptReference>()>;

    CompletionTrigger(EditorState& state, CodeBox& box, AssistPopups& popups);
    ~CompletionTrigger();

    // Makes the script reference object asked for each tag request; a plain ScriptReference by default.
    void setReferenceFactory(ReferenceFactory factory);

    // scroll is the box's scroll position, read by the caller just before; every list that opens puts it
    // back after showing itself.
    void ShowCompletion(ScrollPos scroll, bool explicitRequest);

    void ShowObjectMembers(const QString& word, ScrollPos scroll);
    void ShowHandlerNames(const QString& name, ScrollPos scroll);
    void ShowHandlerItems(const QString& name, ScrollPos scroll);
    void ShowCommandHelp(const QString& handler, const QString& content, ScrollPos scroll);
    void ShowArgumentHelp(const QString& handler, const QString& content, const QString& argument,
                          ScrollPos scroll);

    // Keeps the trigger's index of tags in step with a change of the box's text, as the box's Edited
    // reports it.
    void Edited(int position, int removed, int added);

    // The member-set cache `mpcMemberSets` and its resolution.
    MemberSets& memberSets() { return mMemberSets; }

    // True for an object the host may hand in as its database: a qxDatabase.
    static bool IsHostDatabase(const QObject* object);

private:
    void followTyping();
    void act(const CompletionContext& context, ScrollPos scroll);
    // Writes the mixed-case tag opener before the caret as "<QX:", as the control's own edit.
    void rewriteOpener();
    std::unique_ptr<ScriptReference> newReference() const;
    // The tip from the command's syntax and the "Status" panel from its description.
    void showSyntax(ScriptReference& reference, const QString& handler, const QString& content);
    // Opens a list of names split at ":" when there are any.
    void openSplitList(const QString& names, ListKind kind, ScrollPos scroll);

    EditorState& mState;
    CodeBox& mBox;
    AssistPopups& mPopups;
    MemberSets mMemberSets;
    ReferenceFactory mMakeReference;
    TagIndex mTags;
};

} // namespace qx
