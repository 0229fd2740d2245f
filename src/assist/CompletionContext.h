#pragma once

#include <QString>

#include <functional>

namespace qx {

// What the text before the caret asks the completion trigger to offer.
enum class CompletionAction {
    None,
    // Handler names after the tag opener ("<QX:") or after a handler name and a hyphen.
    HandlerNames,
    // The items of the handler whose name ends with ">".
    HandlerItems,
    // Syntax, description and values of the command typed inside a tag after a colon.
    CommandHelp,
    // Syntax, description and the values of the argument before an equals sign inside a tag.
    ArgumentHelp,
    // The members of the object named by the word before a dot.
    ObjectMembers,
    // A closing tag was just completed: both popups close.
    TagClosed,
};

struct CompletionContext {
    CompletionAction action = CompletionAction::None;
    // The four characters before the caret are a tag opener in mixed case, to be written "<QX:" first.
    bool rewriteOpener = false;
    QString handler;
    QString content;
    QString argument;
    QString word;
};

// The tag opener and closer, and what may not occur in a handler name.
inline constexpr char16_t kTagOpener[] = u"<QX:";
inline constexpr char16_t kTagCloser[] = u"</QX>";
QString HandlerNameDelimiters();

// Reads the text before the caret after a change (or, with explicitRequest, after Ctrl+Space, which first
// steps back over blanks) and decides what to offer. selStart is the caret; lineOf gives the zero-based
// line of a position, as the code box counts lines.
CompletionContext ResolveCompletion(const QString& text, int selStart, bool explicitRequest,
                                    const std::function<int(int pos)>& lineOf);

} // namespace qx
