#include "assist/CompletionContext.h"

#include <QStringView>

#include <algorithm>

namespace qx {

// Positions below are zero-based; `caret` counts the characters before the caret, so the character just
// before it is at caret - 1.
namespace {

const QString kOpener = QString::fromUtf16(kTagOpener);
const QString kCloser = QString::fromUtf16(kTagCloser);

bool isBlank(QChar c) {
    return c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QLatin1Char(' ');
}

bool isNameDelimiter(QChar c) {
    static const QString delimiters = HandlerNameDelimiters();
    return delimiters.contains(c);
}

// The open tag the caret stands in: its opener and the first ">" after the opener.
struct OpenTag {
    int opener = -1;
    int close = -1;
    QString handler;
};

// The last opener before the caret opens a tag unless a closer starts after it.
bool findOpenTag(const CompletionText& text, int caret, OpenTag& tag) {
    tag.opener = text.lastOpener(caret);
    if (tag.opener < 0 || text.lastCloser(caret) >= tag.opener)
        return false;
    tag.close = text.nextGreater(tag.opener);
    if (tag.close < 0)
        return false;
    tag.handler = text.span(tag.opener + int(kOpener.size()), tag.close);
    return true;
}

// Tag content starting at the handler name loses the name and its ">".
QString dropHandler(const QString& content, const QString& handler) {
    const QString prefix = handler + QLatin1Char('>');
    return content.startsWith(prefix) ? content.mid(prefix.size()) : content;
}

// The name between the last opener before `at` and the character at `at`, when it is one plain word. It
// is read back from `at` and given up at the first delimiter.
bool plainNameBefore(const CompletionText& text, int at, QString& name) {
    const int opener = text.lastOpener(at + 1);
    if (opener < 0)
        return false;
    const int start = opener + int(kOpener.size());
    for (int i = at - 1; i >= start; --i)
        if (isNameDelimiter(text.at(i)))
            return false;
    name = text.span(start, at);
    return true;
}

CompletionContext colonCase(const CompletionText& text, int caret) {
    CompletionContext result;
    const QString lastFour = text.span(caret - 4, caret);
    if (lastFour.compare(kOpener, Qt::CaseInsensitive) == 0) {
        result.action = CompletionAction::HandlerNames;
        result.rewriteOpener = lastFour != kOpener;
        return result;
    }
    OpenTag tag;
    if (!findOpenTag(text, caret, tag))
        return result;
    result.action = CompletionAction::CommandHelp;
    result.handler = tag.handler;
    // The command's content runs on to the end of the text.
    result.content = dropHandler(text.span(tag.opener + int(kOpener.size()), text.size()), tag.handler);
    return result;
}

CompletionContext equalsCase(const CompletionText& text, int caret) {
    CompletionContext result;
    OpenTag tag;
    if (!findOpenTag(text, caret, tag))
        return result;
    result.action = CompletionAction::ArgumentHelp;
    result.handler = tag.handler;
    result.content = dropHandler(text.span(tag.opener + int(kOpener.size()), caret - 1), tag.handler);
    const qsizetype colon = result.content.lastIndexOf(QLatin1Char(':'));
    result.argument = colon < 0 ? result.content : result.content.mid(colon + 1);
    return result;
}

CompletionContext hyphenCase(const CompletionText& text, int at) {
    CompletionContext result;
    if (plainNameBefore(text, at, result.handler))
        result.action = CompletionAction::HandlerNames;
    return result;
}

CompletionContext greaterCase(const CompletionText& text, int at) {
    CompletionContext result;
    if (at >= 4 && text.span(at - 4, at) == QLatin1String("</QX")) {
        result.action = CompletionAction::TagClosed;
        return result;
    }
    if (plainNameBefore(text, at, result.handler))
        result.action = CompletionAction::HandlerItems;
    return result;
}

// The position just after the last character before `end` that `match` takes and that stands on
// `caretLine` (what follows it must be on that line); 0 when there is none. Read back from `end`, it stops
// at the first line break that belongs to an earlier line.
template <typename Match> int lastOnLine(const CompletionText& text, int end, int caretLine, Match match) {
    for (int i = end - 1; i >= 0; --i) {
        const QChar c = text.at(i);
        if (match(c))
            return text.lineOf(i + 1) == caretLine ? i + 1 : 0;
        if ((c == QLatin1Char('\r') || c == QLatin1Char('\n')) && text.lineOf(i) < caretLine)
            return 0;
    }
    return 0;
}

// The word before the dot runs from the nearest space, "(" or "," on the caret's line (else from the
// line's start) to the dot. The character right before the dot is never taken as a delimiter.
CompletionContext dotCase(const CompletionText& text, int caret) {
    CompletionContext result;
    if (caret <= 2)
        return result;
    const int caretLine = text.lineOf(caret);
    int d = lastOnLine(text, caret - 2, caretLine, [](QChar c) {
        return c == QLatin1Char(' ') || c == QLatin1Char('(') || c == QLatin1Char(',');
    });
    if (d == 0)
        d = lastOnLine(text, caret - 2, caretLine, [](QChar c) { return c == QLatin1Char('\n'); });
    if (d == 0 && caretLine != 0)
        return result;
    result.action = CompletionAction::ObjectMembers;
    result.word = text.span(d, caret - 1);
    return result;
}

// A whole text in a string: the tags are found by searching back through it.
class StringText final : public CompletionText {
public:
    StringText(const QString& text, const std::function<int(int)>& lineOf)
        : mText(text)
        , mLineOf(lineOf) {}

    int size() const override { return int(mText.size()); }
    QChar at(int pos) const override { return mText.at(pos); }
    QString span(int start, int end) const override {
        start = std::clamp(start, 0, size());
        return mText.mid(start, std::clamp(end, start, size()) - start);
    }
    int nextGreater(int from) const override { return int(mText.indexOf(QLatin1Char('>'), from)); }
    int lastOpener(int end) const override { return last(kOpener, end); }
    int lastCloser(int end) const override { return last(kCloser, end); }
    int lineOf(int pos) const override { return mLineOf(pos); }

private:
    int last(const QString& what, int end) const {
        const qsizetype from = std::min<qsizetype>(end, mText.size()) - what.size();
        return from < 0 ? -1 : int(mText.lastIndexOf(what, from, Qt::CaseInsensitive));
    }

    const QString& mText;
    const std::function<int(int)>& mLineOf;
};

} // namespace

QString HandlerNameDelimiters() {
    return QStringLiteral(" ><:=\"'`~'!@#$%^&*()+|\\/?{}[],");
}

CompletionContext ResolveCompletion(const CompletionText& text, int selStart, bool explicitRequest) {
    const int caret = std::min(selStart, text.size());
    if (caret < 1)
        return {};
    // The character that decides, and where it stands.
    int at = caret - 1;
    QChar c = text.at(at);
    if (explicitRequest) {
        while (isBlank(c)) {
            if (--at < 0)
                return {};
            c = text.at(at);
        }
    }
    if (caret < 4)
        return {};
    switch (c.unicode()) {
    case u':':
        return colonCase(text, caret);
    case u'=':
        return equalsCase(text, caret);
    case u'-':
        return hyphenCase(text, at);
    case u'>':
        return greaterCase(text, at);
    case u'.':
        return dotCase(text, caret);
    default:
        return {};
    }
}

CompletionContext ResolveCompletion(const QString& text, int selStart, bool explicitRequest,
                                    const std::function<int(int pos)>& lineOf) {
    return ResolveCompletion(StringText(text, lineOf), selStart, explicitRequest);
}

} // namespace qx
