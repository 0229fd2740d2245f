#include "highlight/clsQXSyntaxHighlight.h"

#include "highlight/CharClass.h"
#include "highlight/HighlightSettings.h"
#include "highlight/clsSyntaxHighlight.h"

#include <algorithm>

namespace qx {

using namespace charclass;

const QString clsQXSyntaxHighlight::BuiltInCommands = QStringLiteral(":RESULT:EVAL:");

clsQXSyntaxHighlight::clsQXSyntaxHighlight()
    : mCommands(BuiltInCommands + HighlightSettings::ReadMachineValue(HighlightSettings::ScriptCommandsValue))
    , mScriptWords(ScriptWordLists::read()) {
    mCommandWord.reserve(32);
}

namespace {

// The characters that only go on with a tag's name (once its first characters are kept), an encoded area
// or a script value, or with plain text outside a block. A 0 ends a value as the end of the text does; a
// character above 255 leaves Start where it is, unlike plain text's other characters.
bool goesOnInTag(char16_t ch) {
    return ch != '\r' && ch != '>';
}
bool goesOnInArea(char16_t ch) {
    return ch != 0 && ch != '"';
}
bool goesOnAsText(char16_t ch) {
    return ch <= 255 && ch != '~' && ch != '"' && ch != '<';
}

} // namespace

[[gnu::always_inline]] inline void clsQXSyntaxHighlight::step(int ch, clsSyntaxHighlight& engine, int limit) {
    if (ch < 0 || ch > 255)
        return;
    // Most characters only go on with what they are in: a tag's name, an encoded area, a script value or
    // plain text. The rest of the rules see only the characters that can change something.
    if (engine.Current() != 0 && ch != 0) {
        if (mInTag) {
            if (ch != '\r' && ch != '>') {
                appendToTagName(ch);
                if (size_t(mTagNameLength) >= kTagNameKept)
                    engine.skipPlain(limit, goesOnInTag); // no name compared with is as long
                return;
            }
        } else if (mEncodedState == InEncodedArea || mBlockState == InValue) {
            if (ch != '"') {
                engine.skipPlain(limit, goesOnInArea);
                return;
            }
        } else if (mBlockState == OutsideBlock && mEncodedState == NoMarker) {
            if (ch != '~' && ch != '"' && ch != '<') {
                engine.skipPlain(limit, goesOnAsText);
                engine.ResetStart(0);
                return;
            }
        }
    }
    processChange(ch, engine);
}

void clsQXSyntaxHighlight::ProcessChars(clsSyntaxHighlight& engine, int limit) {
    engine.walk(limit, [&](int ch) { step(ch, engine, limit); });
}

void clsQXSyntaxHighlight::ProcessChar(int ch, clsSyntaxHighlight& engine) {
    step(ch, engine, 0);
}

// Outside a tag, a command word and a script value the state is the block and marker progress; the tag
// name and the command word are read afresh before they matter again.
std::optional<quint32> clsQXSyntaxHighlight::LineState() const {
    if (mInTag || mBlockState == InCommandWord || mBlockState == InValue ||
        mBlockState == AfterQuoteInValue || mEncodedState == InEncodedArea)
        return std::nullopt;
    return quint32(mBlockState) | quint32(mEncodedState) << 3;
}

void clsQXSyntaxHighlight::RestoreLineState(quint32 state) {
    mBlockState = int(state & 7);
    mEncodedState = int(state >> 3 & 7);
    mInTag = false;
    mTagNameLength = 0;
    mCommandWord.clear();
}

void clsQXSyntaxHighlight::processChange(int ch, clsSyntaxHighlight& engine) {
    try {
        handle(ch, engine);
    } catch (const std::exception& error) {
        logDropped(error.what());
    } catch (...) {
        logDropped("unknown error");
        // The rest of this character is dropped; the walk goes on after wherever it stopped.
    }
}

void clsQXSyntaxHighlight::handle(int ch, clsSyntaxHighlight& engine) {
    if (ch == 0 && mBlockState == InValue)
        ProcessVB(engine); // a value still open at the end of the text
    if (engine.Current() == 0) {
        mTagNameLength = 0;
        mInTag = false;
    }
    if (mInTag) {
        handleTagChar(ch, engine);
        return;
    }
    if (mEncodedState == InEncodedArea) {
        if (ch == '"') {
            colour(engine, mEncodeColour, 0);
            mEncodedState = NoMarker;
        }
        return;
    }
    if (mBlockState < InValue && followMarker(ch, engine))
        return;
    followBlock(ch, engine);
    followValueOrText(ch, engine);
}

void clsQXSyntaxHighlight::handleTagChar(int ch, clsSyntaxHighlight& engine) {
    if (ch == '\r') {
        // A tag broken by a line end is coloured through the CR; the rest is read as text.
        colour(engine, mTagColour, 0);
        mInTag = false;
        engine.ResetStart(0);
    } else if (ch != '>') {
        appendToTagName(ch);
    } else {
        closeTag(engine);
    }
}

void clsQXSyntaxHighlight::closeTag(clsSyntaxHighlight& engine) {
    mInTag = false;
    if (tagNameIs("QX:VBS") || tagNameIs("QX:SCRIPT")) {
        colour(engine, mTagColour, 0);
        mBlockState = BetweenWords;
    } else if (tagNameStartsWith("/QX") || tagNameStartsWith("QX:")) {
        colour(engine, mTagColour, 0);
    }
    // Any other tag is not the host's and stays uncoloured.
}

bool clsQXSyntaxHighlight::followMarker(int ch, clsSyntaxHighlight& engine) {
    if (ch == '~') {
        engine.ResetStart(-1); // the encoded area's run will begin at the "~"
        mEncodedState = AfterTilde;
        return true;
    }
    switch (mEncodedState) {
    case AfterTilde:
        mEncodedState = ch == '6' ? AfterSix : NoMarker;
        return true;
    case AfterSix:
        mEncodedState = ch == '4' ? AfterFour : NoMarker;
        return true;
    case AfterFour:
        mEncodedState = NoMarker;
        if (ch == '"') {
            mEncodedState = InEncodedArea;
            mBlockState = OutsideBlock;
        }
        return true;
    default:
        return false;
    }
}

void clsQXSyntaxHighlight::followBlock(int ch, clsSyntaxHighlight& engine) {
    switch (mBlockState) {
    case BetweenWords:
        if (isLetter(ch)) {
            mBlockState = InCommandWord;
            mCommandWord.assign(1, toUpper(ch));
        }
        break;
    case InCommandWord:
        if (isLetter(ch))
            mCommandWord.push_back(toUpper(ch));
        else if (mCommands.contains(mCommandWord))
            mBlockState = ch == '=' ? AwaitingQuote : AwaitingEquals;
        else
            mBlockState = BetweenWords;
        break;
    case AwaitingEquals:
        if (ch == '=')
            mBlockState = AwaitingQuote;
        break;
    case AwaitingQuote:
        if (ch == '"') {
            mBlockState = InValue;
            engine.ResetStart(0);
            colour(engine, mQuoteColour, -1); // the opening quote alone; Start ends just before it
        }
        break;
    default:
        break;
    }
}

void clsQXSyntaxHighlight::followValueOrText(int ch, clsSyntaxHighlight& engine) {
    switch (mBlockState) {
    case InValue:
        if (ch == '"')
            mBlockState = AfterQuoteInValue;
        break;
    case AfterQuoteInValue:
        if (ch == ':') {
            colour(engine, mQuoteColour, -2, -1); // the closing quote, just before the colon
            ProcessVB(engine);
        } else {
            mBlockState = InValue;
        }
        break;
    default:
        if (ch == '"') {
            colour(engine, mQuoteColour, 0);
        } else if (ch == '<') {
            mInTag = true;
            mTagNameLength = 0;
            engine.ResetStart(-1); // the tag's run will begin at the "<"
        } else {
            engine.ResetStart(0);
        }
        break;
    }
}

void clsQXSyntaxHighlight::ProcessVB(clsSyntaxHighlight& engine) {
    clsVBSyntaxHighlight script(mScriptWords);
    script.setIncludeKelvaneTags(true);
    mBlockState = OutsideBlock;
    engine.ContinueSyntax(script, engine.Start(), engine.Current());
}

void clsQXSyntaxHighlight::colour(clsSyntaxHighlight& engine, Colour c, int endOffset, int startOffset) {
    engine.Highlight(c, false, false, endOffset, startOffset, kNoBackColor);
}

bool clsQXSyntaxHighlight::tagNameIs(std::string_view name) const {
    return size_t(mTagNameLength) == name.size() && tagNameStartsWith(name);
}

bool clsQXSyntaxHighlight::tagNameStartsWith(std::string_view prefix) const {
    return std::string_view(mTagName, std::min(size_t(mTagNameLength), kTagNameKept)).starts_with(prefix);
}

} // namespace qx
