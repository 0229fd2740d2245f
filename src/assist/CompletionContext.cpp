#include "assist/CompletionContext.h"

#include "hostlib/Library.h"

#include <QStringView>

#include <algorithm>

namespace qx {

// Positions below are one-based, as the classic search functions count: the caret position selStart is
// also the one-based position of the character just before the caret.
namespace {

const QString kOpener = QString::fromUtf16(kTagOpener);
const QString kCloser = QString::fromUtf16(kTagCloser);

// The last occurrence of what lying wholly within the first `start` characters; 0 when there is none.
int inStrRev(const QString& text, const QString& what, int start, Qt::CaseSensitivity cs) {
    const qsizetype from = std::min<qsizetype>(start, text.size()) - what.size();
    if (from < 0)
        return 0;
    return int(text.lastIndexOf(what, from, cs)) + 1;
}

// The character at a one-based position.
QChar charAt(const QString& text, int position) {
    return text.at(position - 1);
}

bool isBlank(QChar c) {
    return c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QLatin1Char(' ');
}

// The open tag the caret stands in: its opener's position o, and g, the first ">" after the opener.
struct OpenTag {
    int o = 0;
    int g = 0;
    QString handler;
};

bool findOpenTag(const QString& text, int caret, OpenTag& tag) {
    tag.o = inStrRev(text, kOpener, caret, Qt::CaseInsensitive);
    if (tag.o == 0)
        return false;
    if (inStrRev(text, kCloser, caret, Qt::CaseInsensitive) >= tag.o)
        return false;
    tag.g = int(text.indexOf(QLatin1Char('>'), tag.o - 1)) + 1;
    if (tag.g == 0)
        return false;
    tag.handler = text.mid(tag.o + 3, tag.g - tag.o - 4);
    return true;
}

// Tag content starting at the handler name loses the name and its ">".
QString dropHandler(const QString& content, const QString& handler) {
    const QString prefix = handler + QLatin1Char('>');
    return content.startsWith(prefix) ? content.mid(prefix.size()) : content;
}

// The name between the opener before position p and the character at p, when it is one plain word.
bool plainNameBefore(const QString& text, int p, QString& name) {
    const int o = inStrRev(text, kOpener, p, Qt::CaseInsensitive);
    if (o == 0)
        return false;
    name = text.mid(o + 3, p - o - 4);
    return Library::instance().InStrMultiple(name, HandlerNameDelimiters(), 0) == 0;
}

CompletionContext colonCase(const QString& text, int caret) {
    CompletionContext result;
    const QString lastFour = text.mid(caret - 4, 4);
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
    result.content = dropHandler(text.mid(tag.o + 3), tag.handler);
    return result;
}

CompletionContext equalsCase(const QString& text, int caret) {
    CompletionContext result;
    OpenTag tag;
    if (!findOpenTag(text, caret, tag))
        return result;
    result.action = CompletionAction::ArgumentHelp;
    result.handler = tag.handler;
    result.content = dropHandler(text.mid(tag.o + 3, caret - tag.o - 4), tag.handler);
    const qsizetype colon = result.content.lastIndexOf(QLatin1Char(':'));
    result.argument = colon < 0 ? result.content : result.content.mid(colon + 1);
    return result;
}

CompletionContext hyphenCase(const QString& text, int p) {
    CompletionContext result;
    if (plainNameBefore(text, p, result.handler))
        result.action = CompletionAction::HandlerNames;
    return result;
}

CompletionContext greaterCase(const QString& text, int p) {
    CompletionContext result;
    if (p >= 5 && text.mid(p - 5, 4) == QLatin1String("</QX")) {
        result.action = CompletionAction::TagClosed;
        return result;
    }
    if (plainNameBefore(text, p, result.handler))
        result.action = CompletionAction::HandlerItems;
    return result;
}

// The word before the dot runs from the nearest space, "(" or "," on the caret's line (else from the
// line's start) to the dot. The character right before the dot is never taken as a delimiter.
CompletionContext dotCase(const QString& text, int caret, const std::function<int(int)>& lineOf) {
    CompletionContext result;
    if (caret <= 2)
        return result;
    const int caretLine = lineOf(caret);
    const auto delimiter = [&](const QString& what) {
        const int found = inStrRev(text, what, caret - 2, Qt::CaseSensitive);
        return found > 0 && lineOf(found) == caretLine ? found : 0;
    };
    int d = delimiter(QStringLiteral(" "));
    d = std::max(d, delimiter(QStringLiteral("(")));
    d = std::max(d, delimiter(QStringLiteral(",")));
    if (d == 0)
        d = delimiter(QStringLiteral("\n"));
    if (d == 0 && caretLine != 0)
        return result;
    result.action = CompletionAction::ObjectMembers;
    result.word = text.mid(d, caret - d - 1);
    return result;
}

} // namespace

QString HandlerNameDelimiters() {
    return QStringLiteral(" ><:=\"'`~'!@#$%^&*()+|\\/?{}[],");
}

CompletionContext ResolveCompletion(const QString& text, int selStart, bool explicitRequest,
                                    const std::function<int(int pos)>& lineOf) {
    const int caret = std::min<int>(selStart, int(text.size()));
    if (caret < 1)
        return {};
    int p = caret;
    QChar c = charAt(text, p);
    if (explicitRequest) {
        while (isBlank(c)) {
            if (--p < 1)
                return {};
            c = charAt(text, p);
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
        return hyphenCase(text, p);
    case u'>':
        return greaterCase(text, p);
    case u'.':
        return dotCase(text, caret, lineOf);
    default:
        return {};
    }
}

} // namespace qx
