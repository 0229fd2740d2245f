#pragma once

#include "text/SplitText.h"

#include <QString>

#include <optional>
#include <utility>
#include <vector>

class QTextDocument;
class QTextBlock;

namespace qx {

// The characters of a text in a gap buffer: one array with a gap in it that follows the edits, so that an
// edit moves only the characters between the last edit and this one (typing in one place moves none).
// While the text holds nothing above U+00FF, the array holds one byte a character; the first wider character
// makes it two bytes a character until the whole text is replaced.
class GapText {
public:
    void assign(QStringView text);
    int size() const { return mSize; }
    bool wide() const { return mWide; }
    // [start, start + removed) becomes `inserted` (start and removed within the text).
    void replace(int start, int removed, QStringView inserted);
    // The characters before and after the gap; valid until the next change.
    SplitText pieces() const;

private:
    template <class Char> struct Buffer {
        std::vector<Char> chars; // [gapStart, gapEnd) is the gap
        int gapStart = 0;
        int gapEnd = 0;
        void fill(QStringView text);
        void moveGap(int pos);
        void replace(int start, int removed, QStringView inserted, int size);
    };
    void widen();

    Buffer<uchar> mNarrow;
    Buffer<char16_t> mWideChars;
    bool mWide = false;
    int mSize = 0;
};

// The plain text of a QTextDocument with every block separator presented as CR LF, kept up to date from
// the document's contentsChange notifications, so that reading a part of it costs that part only.
// Characters are kept exactly (a no-break space stays one, unlike toPlainText()). A position in this text is
// the document position plus the number of line breaks before it.
class DocumentText {
public:
    // One edit in text positions: [start, start + removed) of the old text became [start, start + added).
    struct Edit {
        int start = 0;
        int removed = 0;
        int added = 0;
        bool changed = false; // false when the document reported an edit that left the text as it was
        bool rebuilt = false; // the notification did not fit the old text: everything was re-read
        QString removedText;  // the `removed` characters that were replaced
        // The longest line among the added characters, separators left out, where the edit knows it (text
        // handed over through inserting or settingWhole); -1 otherwise.
        int longestLine = -1;
    };

    explicit DocumentText(const QTextDocument* document);

    // The whole text as one string. Put together from the gap buffer the first time it is read after an
    // edit: O(n) once after each edit, then free until the next one, which lets it go (it is as large as
    // the text itself). Paths that run on every key read ranges instead.
    const QString& text() const;
    // Whether the text is `text`, compared where it lies.
    bool equals(QStringView text) const;
    int length() const { return mText.size(); }
    // One character; outside the text, a null character.
    QChar at(int pos) const { return pos >= 0 && pos < length() ? mText.pieces().at(pos) : QChar(); }
    // The characters of [start, start + length), clamped to the text.
    QString mid(int start, int length) const { return mText.pieces().mid(start, length); }
    // The text where it lies, in two pieces; valid until the next edit.
    SplitText pieces() const { return mText.pieces(); }
    // Applies a contentsChange notification (document positions). With trim, text the notification covers
    // but that stayed as it was is left out of the edit (notifications that include layout-only changes).
    Edit update(int position, int charsRemoved, int charsAdded, bool trim = false);
    // Reads the whole document again.
    void rebuild();
    // Runs `insert`, which puts `ruled` (the separator rule applied) into the document at docPosition, in
    // place of what is selected there: the notification of that takes the text from here instead of reading
    // every block the document has just made. A notification of anything else is read as usual.
    template <class Insert> void inserting(int docPosition, const QString& ruled, Insert&& insert) {
        mExpected = presented(ruled);
        mExpected->docPosition = docPosition;
        insert();
        mExpected.reset();
    }
    // The same for `set`, which gives the document `ruled` whole.
    template <class Set> void settingWhole(const QString& ruled, Set&& set) {
        inserting(0, ruled, std::forward<Set>(set));
    }

    int toTextPos(int docPos) const;
    // The document position of a text position; one between CR and LF maps to the end of the line.
    int toDocPos(int textPos) const;
    // The block holding a text position (clamped) and the text position where that block starts.
    QTextBlock blockAt(int textPos, int* blockTextStart = nullptr) const;
    static int textStart(const QTextBlock& block);

private:
    int docLength() const;
    void forgetWhole();
    // The text a document given `ruled` holds, as this class presents it (every lone CR or LF a CR LF),
    // the number of line breaks in it and its longest line.
    struct Expected {
        QString text;
        qsizetype breaks = 0;
        qsizetype longestLine = 0;
        int docPosition = 0;
    };
    static Expected presented(const QString& ruled);
    // Whether block `number` holds textPos; on success, *block and *start are set to it.
    bool holds(int number, int textPos, QTextBlock* block, int* start) const;
    // The text of document range [from, from + length), separators as CR LF.
    QString read(int from, int length) const;
    // Number of text characters that hold `count` document characters from text position start.
    int textSpan(int start, int count) const;

    const QTextDocument* mDocument;
    GapText mText;
    // text() as last put together, until the next edit.
    mutable QString mWhole;
    mutable bool mWholeValid = false;
    std::optional<Expected> mExpected; // see inserting
    int mDocLength = 0;
    // The number of the block blockAt found last: lookups cluster around the caret.
    mutable int mLastBlock = 0;
};

} // namespace qx
