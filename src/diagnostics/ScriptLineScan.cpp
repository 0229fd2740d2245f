#include "diagnostics/ScriptLineScan.h"

#include <QChar>

#include <array>
#include <string_view>

namespace qx {

namespace {

struct Keyword {
    std::string_view text;
    ScriptWord word;
};

// Lower case, as the scan compares them. Rem starts a comment.
constexpr std::array<Keyword, 27> kKeywords{{
    {"if", ScriptWord::If},
    {"then", ScriptWord::Then},
    {"else", ScriptWord::Else},
    {"elseif", ScriptWord::ElseIf},
    {"end", ScriptWord::End},
    {"sub", ScriptWord::Sub},
    {"function", ScriptWord::Function},
    {"property", ScriptWord::Property},
    {"get", ScriptWord::Accessor},
    {"let", ScriptWord::Accessor},
    {"set", ScriptWord::Accessor},
    {"class", ScriptWord::Class},
    {"for", ScriptWord::For},
    {"next", ScriptWord::Next},
    {"do", ScriptWord::Do},
    {"loop", ScriptWord::Loop},
    {"while", ScriptWord::While},
    {"wend", ScriptWord::Wend},
    {"select", ScriptWord::Select},
    {"case", ScriptWord::Case},
    {"with", ScriptWord::With},
    {"public", ScriptWord::Modifier},
    {"private", ScriptWord::Modifier},
    {"friend", ScriptWord::Modifier},
    {"static", ScriptWord::Modifier},
    {"default", ScriptWord::Modifier},
    {"rem", ScriptWord::Other},
}};

constexpr size_t kLongestKeyword = 8;

bool isWordChar(char16_t c) {
    if (c < 128)
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    return QChar(c).isLetterOrNumber();
}

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

// The word in lower case when it may be a keyword; empty otherwise.
std::string_view lowered(QStringView word, std::array<char, kLongestKeyword>& buffer) {
    if (word.size() < 2 || size_t(word.size()) > kLongestKeyword)
        return {};
    for (qsizetype i = 0; i < word.size(); ++i) {
        const char16_t c = word[i].unicode();
        if (c >= 128)
            return {};
        buffer[size_t(i)] = char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return {buffer.data(), size_t(word.size())};
}

const Keyword* keywordOf(QStringView word) {
    std::array<char, kLongestKeyword> buffer;
    const std::string_view lower = lowered(word, buffer);
    if (lower.empty())
        return nullptr;
    for (const Keyword& keyword : kKeywords)
        if (keyword.text[0] == lower[0] && keyword.text == lower)
            return &keyword;
    return nullptr;
}

class LineScanner {
public:
    LineScanner(QStringView line, ScriptLine& out)
        : mLine(line)
        , mOut(out) {}

    void run() {
        const int n = int(mLine.size());
        int i = 0;
        while (i < n) {
            const char16_t c = mLine[i].unicode();
            if (isBlank(c)) {
                ++i; // a blank keeps what a dot before it said: "obj. Next" is a member too
            } else if (c == u'\'') {
                return;
            } else if (c == u'"') {
                const int end = stringEnd(i);
                if (end < 0) {
                    mOut.unclosedString = i;
                    return;
                }
                i = other(i, end);
            } else if (isWordChar(c)) {
                int end = i + 1;
                while (end < n && isWordChar(mLine[end].unicode()))
                    ++end;
                if (c == u'_' && end == i + 1 && restIsBlank(end)) {
                    mOut.continued = true;
                    return;
                }
                const Keyword* keyword = mAfterDot ? nullptr : keywordOf(mLine.sliced(i, end - i));
                if (keyword && keyword->text == "rem")
                    return;
                i = keyword ? add(keyword->word, i, end) : other(i, end);
            } else if (const int close = c == u'[' ? int(mLine.indexOf(u']', i + 1)) : -1; close >= 0) {
                i = other(i, close + 1); // a name in brackets may be a keyword or hold anything but "]"
            } else if (c == u':') {
                i = add(ScriptWord::Colon, i, i + 1);
            } else {
                i = other(i, i + 1);
                mAfterDot = c == u'.';
            }
        }
    }

private:
    // The position after the closing quote of the string that opens at `at` ("" inside stands for one
    // quote), or -1 when the line ends first.
    int stringEnd(int at) const {
        for (int j = at + 1; j < mLine.size(); ++j) {
            if (mLine[j] != u'"')
                continue;
            if (j + 1 < mLine.size() && mLine[j + 1] == u'"')
                ++j;
            else
                return j + 1;
        }
        return -1;
    }

    bool restIsBlank(int from) const {
        for (int j = from; j < mLine.size(); ++j)
            if (!isBlank(mLine[j]))
                return false;
        return true;
    }

    int add(ScriptWord word, int start, int end) {
        mOut.tokens.push_back({word, start, end - start});
        mAfterDot = false;
        return end;
    }

    // Runs of other tokens become one: the pairing only asks whether something stands there.
    int other(int start, int end) {
        if (!mOut.tokens.empty() && mOut.tokens.back().word == ScriptWord::Other)
            mOut.tokens.back().length = end - mOut.tokens.back().start;
        else
            mOut.tokens.push_back({ScriptWord::Other, start, end - start});
        mAfterDot = false;
        return end;
    }

    QStringView mLine;
    ScriptLine& mOut;
    bool mAfterDot = false;
};

} // namespace

void ScanScriptLine(QStringView line, ScriptLine& out) {
    out.tokens.clear();
    out.unclosedString = -1;
    out.continued = false;
    LineScanner(line, out).run();
}

} // namespace qx
