#include "highlight/clsVBSyntaxHighlight.h"

#include "highlight/CharClass.h"
#include "highlight/HighlightSettings.h"
#include "highlight/clsSyntaxHighlight.h"

namespace qx {

using namespace charclass;

const QString clsVBSyntaxHighlight::BuiltInKeywords = QStringLiteral(
    ":PRIVATE:DECLARE:SUB:FUNCTION:AS:LONG:STRING:BOOLEAN:DIM:GLOBAL:ALIAS:LIB:OPTION:EXPLICIT:OPTIONAL:"
    "BYVAL:"
    "BYREF:END:SET:TYPE:INTEGER:BYTE:AND:THEN:FOR:NEXT:TRUE:FALSE:TO:STEP:PUBLIC:ATTRIBUTE:GET:LET:EXIT:ON:"
    "ERROR:GOTO:GOSUB:ELSE:IF:ELSEIF:OR:AND:XOR:NOT:EACH:FRIEND:PROPERTY:ERR:ERL:DO:LOOP:WHILE:CONST:SELECT:"
    "CASE:RESUME:LOAD:UNLOAD:WITH:NEW:REDIM:PRESERVE:DEBUG:PRINT:IS:NOTHING:");

const QString clsVBSyntaxHighlight::BuiltInHostWords =
    QStringLiteral(":DATABASE:WEB:WFJOB:WFPROCESS:WFSTEP:LIBRARY:TAG:ITEMACCOUNT:WEBPAGE:TITLE:");

namespace {

void colour(clsSyntaxHighlight& engine, Colour c, int endOffset) {
    engine.Highlight(c, false, false, endOffset, 0, kNoBackColor);
}

} // namespace

ScriptWordLists ScriptWordLists::read() {
    using namespace HighlightSettings;
    return {WordList(clsVBSyntaxHighlight::BuiltInKeywords + ReadMachineValue(KeywordsValue)),
            WordList(clsVBSyntaxHighlight::BuiltInHostWords + ReadMachineValue(HostWordsValue))};
}

clsVBSyntaxHighlight::clsVBSyntaxHighlight()
    : clsVBSyntaxHighlight(ScriptWordLists::read()) {}

clsVBSyntaxHighlight::clsVBSyntaxHighlight(ScriptWordLists lists)
    : mLists(std::move(lists)) {}

[[gnu::always_inline]] inline void clsVBSyntaxHighlight::step(int ch, clsSyntaxHighlight& engine, int limit) {
    if (ch < 0 || ch > 255)
        return;
    const std::uint8_t cls = Table[ch];
    const int pos = engine.Current();
    if (pos != 0) {
        // Most characters go on with the token they are in, or start a word, or are blanks between tokens:
        // none of them colours anything. A word character is neither punctuation nor a line end. The
        // characters after one that go on alike are skipped, counting their punctuation.
        if (mInWord) {
            if (cls & Word) {
                mWord.push(toUpper(ch));
                return;
            }
        } else if (mInString) {
            if (ch != '"' && ch != '\n') {
                countPunctuation(cls);
                engine.skipPlain(limit, [this](char16_t c) { return c != '"' && c != '\n' && counted(c); });
                return;
            }
        } else if (mInComment) {
            if (ch != '\r') {
                countPunctuation(cls);
                engine.skipPlain(limit, [this](char16_t c) { return c != '\r' && counted(c); });
                return;
            }
        } else if (cls & (Blank | LineEnd)) {
            countPunctuation(cls);
            engine.skipPlain(limit, [this](char16_t c) {
                return c <= 255 && (Table[c] & (Blank | LineEnd)) && counted(c);
            });
            engine.ResetStart(0);
            return;
        } else if (cls & Word) {
            mInWord = true;
            mWord.assign(toUpper(ch));
            return;
        }
    }
    processToken(ch, cls, pos, engine);
}

void clsVBSyntaxHighlight::ProcessChars(clsSyntaxHighlight& engine, int limit) {
    engine.walk(limit, [&](int ch) { step(ch, engine, limit); });
}

void clsVBSyntaxHighlight::ProcessChar(int ch, clsSyntaxHighlight& engine) {
    step(ch, engine, 0);
}

// Outside a word the processor's whole state is three flags and a count below 3.
std::optional<quint32> clsVBSyntaxHighlight::LineState() const {
    if (mInWord)
        return std::nullopt;
    return quint32(mInString) | quint32(mInComment) << 1 | quint32(mPunctuationCount) << 2;
}

void clsVBSyntaxHighlight::RestoreLineState(quint32 state) {
    mInString = state & 1;
    mInComment = state & 2;
    mPunctuationCount = int(state >> 2 & 3);
    mInWord = false;
    mWord.clear();
}

void clsVBSyntaxHighlight::processToken(int ch, std::uint8_t cls, int pos, clsSyntaxHighlight& engine) {
    try {
        handle(ch, cls, pos, engine);
    } catch (const std::exception& error) {
        logDropped(error.what());
    } catch (...) {
        logDropped("unknown error");
        // The rest of this character is dropped; the walk goes on with the next one.
    }
}

void clsVBSyntaxHighlight::handle(int ch, std::uint8_t cls, int pos, clsSyntaxHighlight& engine) {
    if (pos == 0) {
        mPunctuationCount = (cls & LineEnd) ? 0 : 1;
        mInString = false;
        mInComment = false;
    } else {
        countPunctuation(cls);
        if (mInString) {
            colour(engine, StringColour, 0); // only its closing quote or LF gets here
            mInString = false;
            return;
        }
        if (mInWord) {
            if (ch == '.' && isDigit(mWord.front())) {
                mWord.push('.');
                return;
            }
            endWord(ch, engine);
        }
    }
    if (mInComment) {
        if (ch == '\r') {
            colour(engine, CommentColour, 0);
            mInComment = false;
        }
        return;
    }
    startToken(ch, cls, engine);
}

void clsVBSyntaxHighlight::endWord(int ch, clsSyntaxHighlight& engine) {
    if (ch == ':' && mPunctuationCount == 1)
        colour(engine, LabelColour, 0);
    else if (wordIsNumber())
        colour(engine, NumberColour, (Table[ch] & Suffix) ? 0 : -1);
    else if (mLists.keywords.contains(mWord))
        colour(engine, KeywordColour, -1);
    else if (ch == '.' && mIncludeKelvaneTags) {
        if (mLists.hostWords.contains(mWord))
            colour(engine, HostWordColour, -1);
    } else
        engine.ResetStart(-1);
    mWord.clear();
    mInWord = false;
}

void clsVBSyntaxHighlight::startToken(int ch, std::uint8_t cls, clsSyntaxHighlight& engine) {
    if (ch == '\'') {
        mInComment = true;
    } else if (ch == '"') {
        mInString = true;
    } else if (cls & Word) {
        mInWord = true;
        mWord.assign(toUpper(ch));
    } else if (cls & Operator) {
        colour(engine, OperatorColour, 0);
    } else {
        engine.ResetStart(0);
    }
}

// Digits, then optionally a full stop and digits, then optionally an exponent: "10", "1.5", "2.", "1E5".
bool clsVBSyntaxHighlight::wordIsNumber() const {
    const std::string_view word = mWord.view();
    const size_t n = word.size();
    size_t i = 0;
    while (i < n && isDigit(word[i]))
        ++i;
    if (i == 0)
        return false;
    if (i < n && word[i] == '.') {
        ++i;
        while (i < n && isDigit(word[i]))
            ++i;
    }
    if (i < n && word[i] == 'E') {
        const size_t digits = ++i;
        while (i < n && isDigit(word[i]))
            ++i;
        if (i == digits)
            return false;
    }
    return i == n;
}

} // namespace qx
