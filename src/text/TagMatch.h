#pragma once

#include "text/SplitText.h"

#include <QStringView>

#include <optional>

namespace qx {

// A run of characters in the box's text: [start, start + length).
struct TextSpan {
    int start = 0;
    int length = 0;
    int end() const { return start + length; }
    friend bool operator==(const TextSpan&, const TextSpan&) = default;
};

// The host's tag under the caret and its partner: an opening marker "<QX:" with the name that follows it
// (and the ">" right after the name), or a closing marker "</QX>", in any letter case.
struct TagPair {
    TextSpan atCaret;
    TextSpan partner;
    friend bool operator==(const TagPair&, const TagPair&) = default;
};

// The marker the caret touches (it stands inside it, on its first character or right after its last) and
// the marker that closes or opens it, counting the tags nested between them. Nothing when the caret is on no
// marker, or when the marker has no partner. The walk goes from the caret's marker to its partner only:
// a caret away from any marker costs a look at the few characters around it.
std::optional<TagPair> MatchTagAt(SplitText text, int caret);
inline std::optional<TagPair> MatchTagAt(QStringView text, int caret) {
    return MatchTagAt(SplitText{text, {}}, caret);
}

} // namespace qx
