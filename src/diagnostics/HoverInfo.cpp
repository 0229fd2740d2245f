#include "diagnostics/HoverInfo.h"

#include "hostlib/ScriptReference.h"
#include "text/TextSource.h"

namespace qx {

namespace {

// How far the look around a position goes: a command word, the blanks before it and its tag's opener.
constexpr int kLookBack = 160;
constexpr int kLookAhead = 64;

bool isWordChar(QChar c) {
    return c.isLetterOrNumber() || c == u'_';
}

bool isNameChar(QChar c) {
    return c.isLetterOrNumber() || c == u'-' || c == u'_' || c == u'.';
}

// The handler named by the "<QX:name>" that ends just before `end` in `around`, or empty.
QString handlerEndingAt(const QString& around, qsizetype end) {
    if (end < 1 || around[end - 1] != u'>')
        return {};
    qsizetype start = end - 1;
    while (start > 0 && isNameChar(around[start - 1]))
        --start;
    const qsizetype opener = start - 4;
    if (opener < 0 || start == end - 1 ||
        QStringView(around).sliced(opener, 4).compare(u"<QX:", Qt::CaseInsensitive) != 0)
        return {};
    return around.mid(start, end - 1 - start);
}

} // namespace

QString CommandHelpAt(const TextSource& text, int position, ScriptReference& reference) {
    const int from = qMax(position - kLookBack, 0);
    const QString around = text.span(from, position + kLookAhead);
    const qsizetype at = position - from;
    if (at >= around.size() || !isWordChar(around[at]))
        return {};
    qsizetype start = at, end = at;
    while (start > 0 && isWordChar(around[start - 1]))
        --start;
    while (end < around.size() && isWordChar(around[end]))
        ++end;
    qsizetype before = start;
    while (before > 0 && around[before - 1].isSpace())
        --before;
    const QString handler = handlerEndingAt(around, before);
    if (handler.isEmpty())
        return {};
    const QString command = around.mid(start, end - start);
    const QString syntax = reference.CommandSyntax(handler, command);
    if (syntax.isEmpty())
        return {};
    const QString description = reference.CommandDescription(handler, command);
    return description.isEmpty() ? syntax : syntax + u'\n' + description;
}

} // namespace qx
