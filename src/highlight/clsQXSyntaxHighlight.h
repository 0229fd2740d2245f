#pragma once

#include "highlight/CharClass.h"
#include "highlight/SyntaxProcessor.h"
#include "highlight/WordList.h"
#include "highlight/clsVBSyntaxHighlight.h"
#include "platform/CodeBox.h"

#include <string>
#include <string_view>

namespace qx {

// The syntax processor of tag markup: colours the host's tags, encoded areas and quotes, and hands each
// script value inside a script block to a fresh plain-script processor through a nested walk.
class clsQXSyntaxHighlight final : public SyntaxProcessor {
public:
    static constexpr Colour DefaultTagColour = 0x00000080;
    static constexpr Colour DefaultEncodeColour = 0x00808080;
    static constexpr Colour DefaultQuoteColour = 0x00009000;

    static const QString BuiltInCommands;

    // Where the processor stands in a script block.
    enum BlockState {
        OutsideBlock = 0,
        BetweenWords = 1,
        InCommandWord = 2,
        AwaitingEquals = 3,
        AwaitingQuote = 4,
        InValue = 5,
        AfterQuoteInValue = 6
    };
    // Progress through the encoded-area marker "~64" and its double quote.
    enum EncodedState { NoMarker = 0, AfterTilde = 1, AfterSix = 2, AfterFour = 3, InEncodedArea = 4 };

    // Builds the command list (the built-in commands followed by their per-machine setting) and the lists of
    // the plain-script processors it will nest, all read afresh. Nothing can change the settings during a
    // pass, so the values it walks share one reading instead of each reading the settings again.
    clsQXSyntaxHighlight();

    Colour TagColour() const { return mTagColour; }
    void setTagColour(Colour plTagColour) { mTagColour = plTagColour; }
    Colour EncodeColour() const { return mEncodeColour; }
    void setEncodeColour(Colour plEncodeColour) { mEncodeColour = plEncodeColour; }
    Colour QuoteColour() const { return mQuoteColour; }
    void setQuoteColour(Colour plQuoteColour) { mQuoteColour = plQuoteColour; }

    // Characters above 255 are skipped; a failure while handling one character, a nested walk's included,
    // ends only that character.
    void ProcessChar(int ch, clsSyntaxHighlight& engine) override;
    void ProcessChars(clsSyntaxHighlight& engine, int limit) override;
    std::optional<quint32> LineState() const override;
    void RestoreLineState(quint32 state) override;
    // Walks the script value that ends at the current character with a new plain-script processor.
    void ProcessVB(clsSyntaxHighlight& engine);

private:
    // The handling of one character; the common cases take no call, and skip the characters after it, up
    // to limit, that go on alike.
    void step(int ch, clsSyntaxHighlight& engine, int limit);
    // The characters that may change the state; catches every error of the character.
    [[gnu::noinline]] void processChange(int ch, clsSyntaxHighlight& engine);
    void handle(int ch, clsSyntaxHighlight& engine);
    void handleTagChar(int ch, clsSyntaxHighlight& engine);
    void closeTag(clsSyntaxHighlight& engine);
    // Follows the "~64" marker; true when ch was taken by it.
    bool followMarker(int ch, clsSyntaxHighlight& engine);
    void followBlock(int ch, clsSyntaxHighlight& engine);
    void followValueOrText(int ch, clsSyntaxHighlight& engine);
    void colour(clsSyntaxHighlight& engine, Colour c, int endOffset, int startOffset = 0);
    void appendToTagName(int ch) {
        if (size_t(mTagNameLength) < kTagNameKept)
            mTagName[mTagNameLength] = charclass::toUpper(ch);
        ++mTagNameLength;
    }
    bool tagNameIs(std::string_view name) const;
    bool tagNameStartsWith(std::string_view prefix) const;

    static constexpr size_t kTagNameKept = 10; // longer than any name the processor compares with

    WordList mCommands;
    ScriptWordLists mScriptWords;
    Colour mTagColour = DefaultTagColour;
    Colour mEncodeColour = DefaultEncodeColour;
    Colour mQuoteColour = DefaultQuoteColour;
    bool mInTag = false;
    char mTagName[kTagNameKept] = {}; // its first characters, in upper case
    int mTagNameLength = 0;           // exact up to kTagNameKept; a longer name is only known to be longer
    int mBlockState = OutsideBlock;
    int mEncodedState = NoMarker;
    std::string mCommandWord; // in upper case
};

} // namespace qx
