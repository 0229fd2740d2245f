#include "diagnostics/TagChecks.h"

#include "diagnostics/NameSuggestion.h"
#include "encoded/EncodedAreas.h"
#include "hostlib/Library.h"
#include "hostlib/ScriptReference.h"

#include <QCoreApplication>
#include <QHash>
#include <QLatin1StringView>
#include <QStringList>

#include <algorithm>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qx {

namespace {

constexpr QLatin1StringView kOpener("<QX:");
constexpr QLatin1StringView kCloser("</QX>");
// As TagMatch reads an opener: its name runs at most this far from the "<".
constexpr int kLongestName = 64;
// A command word is short: a read of this many characters almost always holds it whole.
constexpr qsizetype kCommandRead = 32;

bool isNameChar(QChar c) {
    return c.isLetterOrNumber() || c == u'-' || c == u'_' || c == u'.' || c == u':';
}

// The markers are ASCII: a letter matches in either case, anything else exactly. Most "<" of a text open
// other tags, so the first character after it usually decides.
bool markerAt(QStringView text, qsizetype at, QLatin1StringView marker) {
    if (text.size() - at < marker.size())
        return false;
    for (qsizetype k = 0; k < marker.size(); ++k) {
        const char16_t c = text[at + k].unicode();
        const char16_t m = char16_t(marker[k].unicode());
        const bool letter = (m >= u'A' && m <= u'Z') || (m >= u'a' && m <= u'z');
        if (c != m && !(letter && (c | 0x20) == (m | 0x20)))
            return false;
    }
    return true;
}

// Base64 in its one plain form (its letters, the length a multiple of four, at most two "=" at the end),
// which the strict decode takes. Anything else is left to the decode itself to judge.
bool plainBase64(QStringView content) {
    qsizetype end = content.size();
    if (end % 4 != 0)
        return false;
    for (int padding = 0; padding < 2 && end > 0 && content[end - 1] == u'='; ++padding)
        --end;
    return std::all_of(content.begin(), content.begin() + end, [](QChar ch) {
        const char16_t c = ch.unicode();
        return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') ||
               c == u'+' || c == u'/';
    });
}

// An opener's name runs from after "<QX:" to the first character that cannot be in a name.
TagMarker openerAt(QStringView text, int at) {
    const int nameStart = at + int(kOpener.size());
    int end = nameStart;
    while (end < text.size() && end - at < kLongestName && isNameChar(text[end]))
        ++end;
    TagMarker opener{at, end - at, true, end < text.size() && text[end] == u'>'};
    if (opener.complete)
        ++opener.length;
    return opener;
}

QString noPartner(QStringView word, QStringView partner) {
    return QCoreApplication::translate("Diagnostics", "\"%1\" has no matching \"%2\".").arg(word, partner);
}

std::u16string_view key(QStringView name) {
    return {name.utf16(), size_t(name.size())};
}

// The command word at `at`, read a short piece at a time (it ends long before the text does), in place.
QString commandAt(QStringView text, int at) {
    for (qsizetype read = kCommandRead;; read *= 4) {
        const qsizetype available = qMin(text.size() - at, read);
        QString command = ScriptReference::CommandName(QString::fromRawData(text.data() + at, available));
        if (command.size() < available || available < read)
            return command;
    }
}

} // namespace

struct TagNameChecks::Handler {
    QString name;
    bool known = false;
    QStringList commands;                    // its items
    QString message;                         // for an unknown handler
    QHash<QString, QString> unknownCommands; // their messages
};

TagNameChecks::TagNameChecks(ScriptReference* reference)
    : mReference(reference && reference->HandlerNames(QString(), false)->Count() > 0 ? reference : nullptr) {}

TagNameChecks::~TagNameChecks() = default;

void TagNameChecks::check(QStringView text, int offset, const TagMarker& opener, QList<Diagnostic>& out) {
    const int nameStart = opener.start - offset + int(kOpener.size());
    const int nameLength = opener.length - int(kOpener.size()) - (opener.complete ? 1 : 0);
    if (!mReference || !opener.complete || nameLength == 0)
        return;
    const auto warn = [&](int start, int length, const QString& message) {
        out.append(Diagnostic{offset + start, length, Diagnostic::Severity::Warning, message});
    };
    Handler& handler = handlerNamed(text.sliced(nameStart, nameLength));
    if (!handler.known) {
        warn(nameStart, nameLength, handler.message);
        return;
    }
    if (handler.commands.isEmpty())
        return;
    int at = nameStart + nameLength + 1;
    while (at < text.size() && text[at].isSpace())
        ++at;
    const QString command = commandAt(text, at);
    if (command.isEmpty() || handler.commands.contains(command, Qt::CaseInsensitive))
        return;
    QString& message = handler.unknownCommands[command];
    if (message.isEmpty()) {
        const QString closest = ClosestName(command, handler.commands);
        message =
            closest.isEmpty()
                ? QCoreApplication::translate("Diagnostics", "%1 has no command \"%2\".")
                      .arg(handler.name, command)
                : QCoreApplication::translate("Diagnostics", "%1 has no command \"%2\"; did you mean \"%3\"?")
                      .arg(handler.name, command, spelling(handler.name, closest));
    }
    warn(at, int(command.size()), message);
}

// A hyphen joins a handler's name to its parent's, and the data lists each name under its parent.
TagNameChecks::Handler& TagNameChecks::handlerNamed(QStringView written) {
    if (const auto it = mHandlers.find(key(written)); it != mHandlers.end())
        return *it->second;
    auto added = std::make_unique<Handler>();
    Handler& handler = *added;
    handler.name = written.toString();
    const QString& name = handler.name;
    const qsizetype hyphen = name.lastIndexOf(u'-');
    const QString parent = hyphen < 0 ? QString() : name.left(hyphen);
    const std::unique_ptr<Properties> names = mReference->HandlerNames(parent, false);
    handler.known = names->Item(name.mid(hyphen + 1)) != nullptr;
    if (handler.known) {
        Properties items;
        items.Build(mReference->HandlerItems(name), 0, 0, QStringLiteral(":"));
        for (const Property& item : items)
            handler.commands.append(item.Name());
    } else {
        QStringList siblings;
        for (const Property& sibling : *names)
            siblings.append(parent.isEmpty() ? sibling.Name() : parent + u'-' + sibling.Name());
        const QString closest = ClosestName(name, siblings);
        handler.message =
            closest.isEmpty()
                ? QCoreApplication::translate("Diagnostics", "There is no handler \"%1\".").arg(name)
                : QCoreApplication::translate("Diagnostics",
                                              "There is no handler \"%1\"; did you mean \"%2\"?")
                      .arg(name, closest);
    }
    mHandlers.emplace(key(name), std::move(added));
    return handler;
}

// An item as its syntax line writes it ("Connect" rather than "CONNECT"), when that line starts with it.
QString TagNameChecks::spelling(const QString& handler, const QString& item) {
    const QString written = ScriptReference::CommandName(mReference->CommandSyntax(handler, item));
    return written.compare(item, Qt::CaseInsensitive) == 0 ? written : item;
}

void FindTagMarkers(QStringView text, int offset, std::vector<TagMarker>& out) {
    for (qsizetype at = text.indexOf(u'<'); at >= 0; at = text.indexOf(u'<', at + 1)) {
        if (markerAt(text, at, kCloser))
            out.push_back(TagMarker{offset + int(at), int(kCloser.size())});
        else if (markerAt(text, at, kOpener))
            out.push_back(openerAt(text, int(at))), out.back().start += offset;
    }
}

void PairTagMarkers(std::span<TagMarker> markers) {
    std::vector<TagMarker*> open;
    for (TagMarker& marker : markers) {
        marker.unpaired = false;
        if (marker.opener) {
            open.push_back(&marker);
        } else if (!open.empty()) {
            open.pop_back();
        } else {
            marker.unpaired = true;
        }
    }
    for (TagMarker* opener : open)
        opener->unpaired = true;
}

Diagnostic UnpairedMarker(const TagMarker& marker, QStringView written) {
    return Diagnostic{marker.start, marker.length, Diagnostic::Severity::Error,
                      marker.opener ? noPartner(written, u"</QX>") : noPartner(u"</QX>", u"<QX:")};
}

QList<Diagnostic> CheckTags(QStringView text, ScriptReference* reference) {
    std::vector<TagMarker> markers;
    FindTagMarkers(text, 0, markers);
    PairTagMarkers(markers);
    TagNameChecks names(reference);
    QList<Diagnostic> found;
    for (const TagMarker& marker : markers) {
        if (marker.opener)
            names.check(text, 0, marker, found);
        if (marker.unpaired)
            found.append(UnpairedMarker(marker, text.sliced(marker.start, marker.length)));
    }
    return found;
}

QList<Diagnostic> CheckEncodedValues(QStringView text) {
    QList<Diagnostic> found;
    QString message;
    for (const EncodedAreas::Span& content : EncodedAreas::EncodedContents(text)) {
        const QStringView base64 = text.sliced(content.start, content.length);
        if (plainBase64(base64))
            continue;
        try {
            Library::instance().Base64Decode(base64.toString());
        } catch (const std::exception&) {
            if (message.isEmpty())
                message =
                    QCoreApplication::translate("Diagnostics", "This encoded value is not valid Base64.");
            found.append(Diagnostic{content.start, content.length, Diagnostic::Severity::Error, message});
        }
    }
    return found;
}

} // namespace qx
