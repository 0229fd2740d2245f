#pragma once

#include <QString>

class QTextDocument;
class QTextBlock;

namespace qx {

// The plain text of a QTextDocument with every block separator presented as CR LF, kept up to date from
// the document's contentsChange notifications so that reading it costs nothing. Characters are kept exactly
// (a no-break space stays one, unlike toPlainText()). A position in this text is the document position plus
// the number of line breaks before it.
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
    };

    explicit DocumentText(const QTextDocument* document);

    const QString& text() const { return mText; }
    // Applies a contentsChange notification (document positions). With trim, text the notification covers
    // but that stayed as it was is left out of the edit (notifications that include layout-only changes).
    Edit update(int position, int charsRemoved, int charsAdded, bool trim = false);
    // Reads the whole document again.
    void rebuild();

    int toTextPos(int docPos) const;
    // The document position of a text position; one between CR and LF maps to the end of the line.
    int toDocPos(int textPos) const;
    // The block holding a text position (clamped) and the text position where that block starts.
    QTextBlock blockAt(int textPos, int* blockTextStart = nullptr) const;
    static int textStart(const QTextBlock& block);

private:
    int docLength() const;
    // The text of document range [from, from + length), separators as CR LF.
    QString read(int from, int length) const;
    // Number of text characters that hold `count` document characters from text position start.
    int textSpan(int start, int count) const;

    const QTextDocument* mDocument;
    QString mText;
    int mDocLength = 0;
};

} // namespace qx
