#pragma once

#include "highlight/CharClass.h"
#include "highlight/SyntaxProcessor.h"
#include "highlight/WordBuffer.h"
#include "highlight/WordList.h"
#include "platform/CodeBox.h"

#include <cstdint>

namespace qx {

// The keyword and host word lists of plain script: each built-in list followed by its per-machine setting.
struct ScriptWordLists {
    WordList keywords;
    WordList hostWords;

    // Reads the settings afresh.
    static ScriptWordLists read();
};

// The syntax processor of plain script: colours strings, comments, line labels, numbers, keywords, host
// object names and operators; everything else keeps the plain black of the pass. It keeps only the state of
// the token it is in, so one processor serves one walk.
class clsVBSyntaxHighlight final : public SyntaxProcessor {
public:
    static constexpr Colour StringColour = 0x000000A0;
    static constexpr Colour CommentColour = 0x0050AF50;
    static constexpr Colour LabelColour = 0x00FF50FF;
    static constexpr Colour NumberColour = 0x005F7030;
    static constexpr Colour KeywordColour = 0x00C00000;
    static constexpr Colour HostWordColour = 0x00408F40;
    static constexpr Colour OperatorColour = 0x00808080;

    static const QString BuiltInKeywords;
    static const QString BuiltInHostWords;

    // Builds the word lists from the per-machine settings, read afresh.
    clsVBSyntaxHighlight();
    // Takes lists read for this pass: the tag processor reads them once for all the values it walks.
    explicit clsVBSyntaxHighlight(ScriptWordLists lists);

    // Whether names of host objects (a listed word before a full stop) are coloured.
    bool IncludeKelvaneTags() const { return mIncludeKelvaneTags; }
    void setIncludeKelvaneTags(bool include) { mIncludeKelvaneTags = include; }

    // Characters above 255 are skipped; a failure while handling one character ends only that character.
    void ProcessChar(int ch, clsSyntaxHighlight& engine) override;
    void ProcessChars(clsSyntaxHighlight& engine, int limit) override;
    std::optional<quint32> LineState() const override;
    void RestoreLineState(quint32 state) override;

private:
    // The handling of one character; the common cases take no call, and skip the characters after it, up
    // to limit, that go on alike.
    void step(int ch, clsSyntaxHighlight& engine, int limit);
    // The characters that may end or start a token; catches every error of the character.
    [[gnu::noinline]] void processToken(int ch, std::uint8_t cls, int pos, clsSyntaxHighlight& engine);
    void handle(int ch, std::uint8_t cls, int pos, clsSyntaxHighlight& engine);
    // The count of punctuation on the line, after the first character of the walk; only whether it is 1
    // matters, so it stops at 2.
    void countPunctuation(std::uint8_t cls) {
        if (cls & charclass::LineEnd)
            mPunctuationCount = 0;
        else if ((cls & charclass::Punctuation) && mPunctuationCount < 2)
            ++mPunctuationCount;
    }
    // Counts a character that a skip passes: those above 255 are not looked at.
    bool counted(char16_t ch) {
        if (ch <= 255)
            countPunctuation(charclass::Table[ch]);
        return true;
    }
    // A word ended at ch: colour it by what it is, or leave it black.
    void endWord(int ch, clsSyntaxHighlight& engine);
    void startToken(int ch, std::uint8_t cls, clsSyntaxHighlight& engine);
    bool wordIsNumber() const;

    ScriptWordLists mLists;
    bool mIncludeKelvaneTags = false;
    int mPunctuationCount = 0;
    bool mInString = false;
    bool mInComment = false;
    bool mInWord = false;
    WordBuffer mWord; // the word so far, in upper case
};

} // namespace qx
