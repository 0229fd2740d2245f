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

// The text as the resolution reads it: characters and spans near the caret, and where the tag openers
// and closers stand. Positions are zero-based; spans are clamped to the text.
class CompletionText {
public:
    virtual ~CompletionText() = default;
    virtual int size() const = 0;
    virtual QChar at(int pos) const = 0;
    virtual QString span(int start, int end) const = 0;
    // The first ">" at or after `from`, or -1.
    virtual int nextGreater(int from) const = 0;
    // The start of the last opener (closer), in any letter case, that lies wholly before `end`, or -1.
    virtual int lastOpener(int end) const = 0;
    virtual int lastCloser(int end) const = 0;
    // The zero-based line of a position, as the code box counts lines.
    virtual int lineOf(int pos) const = 0;
};

// Reads the text before the caret after a change (or, with explicitRequest, after Ctrl+Space, which first
// steps back over blanks) and decides what to offer. selStart is the caret. Apart from the rest of the
// text that a colon inside a tag hands on as the command's content, it reads the caret's line, the tag
// around the caret and the name before it.
CompletionContext ResolveCompletion(const CompletionText& text, int selStart, bool explicitRequest);
// The same over a whole text; lineOf gives the zero-based line of a position.
CompletionContext ResolveCompletion(const QString& text, int selStart, bool explicitRequest,
                                    const std::function<int(int pos)>& lineOf);

} // namespace qx
