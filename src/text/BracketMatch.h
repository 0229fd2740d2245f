#pragma once

#include "text/SplitText.h"
#include "text/TagMatch.h"

#include <QStringView>

#include <optional>

namespace qx {

// The script bracket the caret touches ("(" or ")" at the caret, else the one just before it) and its
// partner, counting the pairs nested between them. Brackets in a string literal or a comment are text, not
// brackets. The partner is looked for in the bracket's statement only (its lines joined by " _"), and no
// further than kBracketReach characters from the caret, where the bracket's line must start too: a caret
// anywhere costs at most that, never the whole text.
// Nothing when the caret touches no bracket or the bracket has no partner.
inline constexpr int kBracketReach = 10'000;
std::optional<TagPair> MatchBracketAt(SplitText text, int caret);
inline std::optional<TagPair> MatchBracketAt(QStringView text, int caret) {
    return MatchBracketAt(SplitText{text, {}}, caret);
}

} // namespace qx
