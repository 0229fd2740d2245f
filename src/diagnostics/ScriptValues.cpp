#include "diagnostics/ScriptValues.h"

#include "highlight/CharClass.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace qx {

namespace {

using namespace charclass;

// clsQXSyntaxHighlight's states, without its colours.
enum Block {
    Outside,
    BetweenWords,
    InCommandWord,
    AwaitingEquals,
    AwaitingQuote,
    InValue,
    AfterQuoteInValue
};
enum Encoded { NoMarker, AfterTilde, AfterSix, AfterFour, InEncodedArea };

class ValueFinder {
public:
    explicit ValueFinder(const WordList& commands, ValueSearch* search = nullptr)
        : mCommands(commands)
        , mSearch(search) {
        if (search)
            mBlock = search->startState;
    }

    QList<TextSpan> run(QStringView text) {
        int lastCheckpoint = 0;
        const char16_t* chars = text.utf16();
        const int size = int(text.size());
        int tilde = -1; // the next "~" at or after i, found again once passed
        for (int i = 0; i < size; ++i) {
            // Most characters only go on with what they stand in, as in the colouring's own quick path: they
            // are passed over here, and only those that may change something take a step.
            if (mInTag) {
                for (; i < size && chars[i] != u'>' && chars[i] != u'\r'; ++i) {
                    if (chars[i] <= 255 && mTagName.size() <= kLongestBlockTag)
                        mTagName.push_back(toUpper(chars[i]));
                }
            } else if (mEncoded == InEncodedArea || mBlock == InValue) {
                i = next(text, u'"', i);
            } else if (mBlock == Outside && mEncoded == NoMarker) {
                if (tilde < i)
                    tilde = next(text, u'~', i);
                i = std::min(next(text, u'<', i), tilde);
            }
            if (i >= size || chars[i] > 255) // the colouring skips every other character
                continue;
            if (mSearch && chars[i] == u'<' && i - lastCheckpoint >= mSearch->spacing && checkpointState()) {
                mSearch->checkpoints.push_back({mSearch->offset + i, std::uint8_t(mBlock)});
                lastCheckpoint = i;
            }
            step(chars[i], i);
        }
        if (mSearch) {
            mSearch->endState = checkpointState() ? std::uint8_t(mBlock) : ValueSearch::kNoState;
            for (TextSpan& value : mValues)
                value.start += mSearch->offset;
        }
        return std::move(mValues);
    }

private:
    // Outside a tag, a value and an encoded value, and not within a word: nothing but mBlock carries on.
    bool checkpointState() const {
        return !mInTag && mEncoded == NoMarker && mBlock != InCommandWord && mBlock < InValue;
    }

    void step(int ch, int at) {
        if (mInTag) {
            tagChar(ch);
            return;
        }
        if (mEncoded == InEncodedArea) {
            if (ch == '"')
                mEncoded = NoMarker;
            return;
        }
        if (mBlock < InValue && followMarker(ch))
            return;
        followBlock(ch, at);
        switch (mBlock) {
        case InValue:
            if (ch == '"')
                mBlock = AfterQuoteInValue;
            break;
        case AfterQuoteInValue:
            if (ch == ':') {
                mValues.append(TextSpan{mValueStart, std::max(0, at - 1 - mValueStart)});
                mBlock = Outside;
            } else {
                mBlock = InValue;
            }
            break;
        default:
            if (ch == '<') {
                mInTag = true;
                mTagName.clear();
            }
            break;
        }
    }

    void tagChar(int ch) {
        if (ch == '\r') {
            mInTag = false;
        } else if (ch != '>') {
            if (mTagName.size() <= kLongestBlockTag)
                mTagName.push_back(toUpper(ch));
        } else {
            mInTag = false;
            if (mTagName == "QX:VBS" || mTagName == "QX:SCRIPT")
                mBlock = BetweenWords;
        }
    }

    bool followMarker(int ch) {
        if (ch == '~') {
            mEncoded = AfterTilde;
            return true;
        }
        switch (mEncoded) {
        case AfterTilde:
            mEncoded = ch == '6' ? AfterSix : NoMarker;
            return true;
        case AfterSix:
            mEncoded = ch == '4' ? AfterFour : NoMarker;
            return true;
        case AfterFour:
            mEncoded = NoMarker;
            if (ch == '"') {
                mEncoded = InEncodedArea;
                mBlock = Outside;
            }
            return true;
        default:
            return false;
        }
    }

    void followBlock(int ch, int at) {
        switch (mBlock) {
        case BetweenWords:
            if (isLetter(ch)) {
                mBlock = InCommandWord;
                mCommand.assign(1, toUpper(ch));
            }
            break;
        case InCommandWord:
            if (isLetter(ch))
                mCommand.push_back(toUpper(ch));
            else if (mCommands.contains(mCommand))
                mBlock = ch == '=' ? AwaitingQuote : AwaitingEquals;
            else
                mBlock = BetweenWords;
            break;
        case AwaitingEquals:
            if (ch == '=')
                mBlock = AwaitingQuote;
            break;
        case AwaitingQuote:
            if (ch == '"') {
                mBlock = InValue;
                mValueStart = at + 1;
            }
            break;
        default:
            break;
        }
    }

    // The first c at or after from, or the text's size.
    static int next(QStringView text, char16_t c, int from) {
        const qsizetype at = text.indexOf(QChar(c), from);
        return at < 0 ? int(text.size()) : int(at);
    }

    // Longer names only need to be told from the two block tags.
    static constexpr size_t kLongestBlockTag = std::string_view("QX:SCRIPT").size();

    const WordList& mCommands;
    ValueSearch* mSearch;
    QList<TextSpan> mValues;
    bool mInTag = false;
    std::string mTagName; // in upper case, cut after kLongestBlockTag + 1 characters
    int mBlock = Outside;
    int mEncoded = NoMarker;
    std::string mCommand;
    int mValueStart = 0;
};

} // namespace

QList<TextSpan> ScriptValues(QStringView text, const WordList& commands) {
    return ValueFinder(commands).run(text);
}

QList<TextSpan> ScriptValues(QStringView piece, const WordList& commands, ValueSearch& search) {
    search.checkpoints.clear();
    return ValueFinder(commands, &search).run(piece);
}

} // namespace qx
