#pragma once

#include "diagnostics/Diagnostic.h"

#include <QList>
#include <QStringView>

#include <memory>
#include <span>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qx {

class ScriptReference;

// A "<QX:" opener (with its name and, when there, its ">") or a "</QX>" closer. Reading one never goes past
// the next "<", nor does the name check of an opener.
struct TagMarker {
    int start = 0;
    int length = 0;
    bool opener = false;
    bool complete = false; // an opener whose name ends with ">"
    bool unpaired = false; // set by PairTagMarkers
};

// The markers whose "<" lies in `text`, in order; offset is added to their starts.
void FindTagMarkers(QStringView text, int offset, std::vector<TagMarker>& out);
// Marks the openers without a closer and the closers without an opener, paired as TagMatch pairs them.
void PairTagMarkers(std::span<TagMarker> markers);
// The finding of an unpaired marker; `written` is its text.
Diagnostic UnpairedMarker(const TagMarker& marker, QStringView written);

// The handler and command names of tag openers against the reference data, which is asked once per name as
// written; the message for a name is made once too, and shared by its findings. The reference must outlive
// the checks.
class TagNameChecks {
public:
    // A reference that lists no handler, or none, checks nothing.
    explicit TagNameChecks(ScriptReference* reference);
    ~TagNameChecks();
    TagNameChecks(const TagNameChecks&) = delete;
    TagNameChecks& operator=(const TagNameChecks&) = delete;

    // The findings for an opener that lies in `piece`, a piece of the text from `offset` on.
    void check(QStringView piece, int offset, const TagMarker& opener, QList<Diagnostic>& out);

private:
    struct Handler;
    Handler& handlerNamed(QStringView written);
    QString spelling(const QString& handler, const QString& item);

    ScriptReference* mReference = nullptr;
    // By name as written; each key looks into its handler's name.
    std::unordered_map<std::u16string_view, std::unique_ptr<Handler>> mHandlers;
};

// The host's tags of a tag-markup text. Every "<QX:" opener needs its "</QX>" and every closer an opener,
// paired as TagMatch pairs them. With reference data, the handler of each opener must be one the data lists,
// and the command at the start of its content (ScriptReference::CommandName) one of the handler's items,
// in any letter case as the completion compares them; these are Warnings, as the data may lag the host.
// Without a reference, or with one that lists no handler, names are not checked.
QList<Diagnostic> CheckTags(QStringView text, ScriptReference* reference);

// Every encoded value whose content does not decode as stepping into it would.
QList<Diagnostic> CheckEncodedValues(QStringView text);

} // namespace qx
