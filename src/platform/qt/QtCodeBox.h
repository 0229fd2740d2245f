#pragma once

#include "platform/CodeBox.h"
#include "platform/qt/DocumentText.h"
#include "platform/qt/LayoutFormats.h"
#include "text/FormatRuns.h"
#include "text/OwedShift.h"
#include "text/TagMatch.h"

#include <qxTagEditor2/qxDiagnostic.h>

#include <QPlainTextEdit>

#include <memory>
#include <optional>
#include <utility>

namespace qx {

// The code box on Qt: a plain-text editor that keeps one block per line and presents every line break as
// CR LF. Its text is kept in step with the document in a gap buffer (DocumentText): the range reads cost
// the range, and Text() costs one copy of the whole text the first time it is read after an edit. Character
// formats live in a FormatRuns model and reach the screen as layout formats (never as document formats):
// colouring does not change the document, enter the undo stack, set the modified flag or raise Change. While
// repainting is locked or the box is hidden, format changes are only recorded and reach the blocks when the
// box is unlocked or shown again. What is painted follows the widget's palette (platform/PaintedColours.h):
// plain black in the palette's text colour, and on a dark base colours made to read on it.
//
// Text the user changes reaches the events first: keys through KeyDown and KeyPress, other input through
// BeforeInput (see the list in QtCodeBox.cpp). The document keeps no undo history of its own.
class QtCodeBox final : public QPlainTextEdit, public CodeBox {
    Q_OBJECT
public:
    explicit QtCodeBox(QWidget* parent = nullptr);
    ~QtCodeBox() override;

    QString Text() const override { return mText.text(); }
    int TextLength() const override { return mText.length(); }
    QString TextRange(int start, int end) const override;
    QChar CharAt(int pos) const override { return mText.at(pos); }
    // Replaces the content (caret at 0, plain black); any CR, LF or CR LF becomes one line break, and the
    // separator rule applies (text/SeparatorRule.h). Raises Change when Text() differs afterwards.
    void setText(const QString& text) override;
    int SelStart() const override;
    void setSelStart(int pos) override;
    int SelLength() const override;
    void setSelLength(int length) override;
    QString SelText() const override;
    void setSelText(const QString& text) override;

    void setSelColor(Colour colour) override;
    void setSelBold(bool bold) override;
    void setSelItalic(bool italic) override;
    void SetCharFormat(const CharFormatChange& change) override;
    CharFormat FormatAt(int pos) const override { return mFormats.at(pos); }

    bool Locked() const override { return isReadOnly(); }
    // A locked box still shows and moves its caret; code may still change the text.
    void setLocked(bool locked) override;
    double FontSize() const override { return font().pointSizeF(); }
    bool Visible() const override { return !isHidden(); }
    void setVisible(bool visible) override;
    void Move(int left, int top, int width, int height) override { setGeometry(left, top, width, height); }
    void SetFocus() override { setFocus(Qt::OtherFocusReason); }
    bool HasFocus() const override { return hasFocus(); }
    void Refresh() override { viewport()->update(); }
    void setUpdatesLocked(bool locked) override;

    void SelectRange(int start, int end) override;
    int GetLineFromChar(int pos) const override;
    QByteArray GetLine(int line, int maxChars) const override;
    // x: the horizontal scroll bar in pixels; y: the vertical scroll bar, in lines.
    ScrollPos GetScrollPos() const override;
    void SetScrollPos(ScrollPos pos) override;
    int Find(const QString& text, int start, int end, int options) const override;

    // Sends recorded format changes to the blocks now (the selection stays held while deferred).
    void applyPendingFormats();
    bool hasPendingFormats() const { return mFormatsPending; }
    // Blocks given new layout formats by the last application of recorded changes.
    int lastAppliedBlockCount() const { return mLastAppliedBlocks; }
    const FormatRuns& formats() const { return mFormats; }

    // --- the view: line numbers, the current line, pairs, find matches, zoom (QtCodeBoxView.cpp) -------
    // None of these touches the text, its formats, Change or the control's history.
    // Line numbers are drawn in a gutter inside the viewport's margin: the box keeps its geometry.
    bool LineNumbers() const { return mLineNumbers; }
    void setLineNumbers(bool on);
    // The caret's line gets a full-width background.
    bool HighlightCurrentLine() const { return mHighlightCurrentLine; }
    void setHighlightCurrentLine(bool on);
    // With the caret on a tag's opening or closing marker, both markers get a background (on by default).
    bool MatchTags() const { return mMatchTags; }
    void setMatchTags(bool on);
    // With the caret next to a script bracket, it and its partner get the tag pair's background (on by
    // default). A caret touching a tag marker shows the tags instead.
    bool MatchBrackets() const { return mMatchBrackets; }
    void setMatchBrackets(bool on);
    // The tag markers or brackets shown as a pair, as text spans; none when nothing is shown.
    std::optional<TagPair> shownTagPair() const { return mShownExtras ? mShownExtras->pair : std::nullopt; }
    // Every match of `what` in the lines on screen gets a background, found as Find finds them (options:
    // kFindWholeWord, kFindMatchCase); they follow scrolling and edits. An empty `what` turns it off.
    void setMatchHighlight(const QString& what, int options);
    // The matches shown, as text spans.
    QList<TextSpan> shownMatches() const { return mShownExtras ? mShownExtras->matches : QList<TextSpan>(); }
    // The checks' findings (sorted by start, text positions): those on screen get a wavy underline in the
    // error or warning colour, and with line numbers on, the gutter marks the lines they start on. They are
    // drawn over the text rather than set as extra selections, which Qt would work through on each key.
    // The list stays the caller's, who changes it in place and calls again each time it did; unless
    // `changed`, the findings only moved with an edit, and the view repaints no more than the edit did.
    void setDiagnosticMarks(std::shared_ptr<const ShiftedList<qxDiagnostic>> found, bool changed = true);
    // The findings underlined on screen, as text spans.
    QList<TextSpan> shownDiagnosticMarks() const;
    // Zoom in steps of one point away from the font set on the box; 0 shows that font as it was set.
    // Ctrl+wheel zooms too. A font set on the box while zoomed becomes the new unzoomed font.
    int zoom() const { return mZoom; }
    void setZoom(int steps);
    void zoomBy(int steps) { setZoom(mZoom + steps); }
    // The shown font's size over the unzoomed font's size.
    double zoomFactor() const;
    // The gutter's width in pixels; 0 without line numbers.
    int gutterWidth() const;

Q_SIGNALS:
    // The code font's size changed by zooming; popups that follow the box read zoomFactor().
    void zoomChanged();

protected:
    bool event(QEvent* event) override;
    // A tooltip over a character shows what the events say of it (ToolTipAt).
    bool viewportEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // Only plain text is taken from the clipboard and from drops, and only plain text is given to them.
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
    QMimeData* createMimeDataFromSelection() const override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    struct Selection {
        int anchor = 0;
        int caret = 0; // the moving end
        friend bool operator==(const Selection&, const Selection&) = default;
    };

    // Gives the document a new text, the caret at its start.
    void loadDocument(const QString& text);
    void onContentsChange(int position, int charsRemoved, int charsAdded);
    static int movedByEdit(int pos, const DocumentText::Edit& edit);
    void onContentsChanged();
    void onSelectionMoved();
    void reportSelChange();
    void changeFormat(const CharFormatChange& change);
    // Text range [start, end) of the blocks on screen now.
    std::pair<int, int> visibleTextRange() const;
    bool formatsDeferred() const;
    Selection selection() const;
    // Puts the selection (text positions). While formats are deferred the selection is only held, and
    // reaches the widget's cursor when the box is unlocked or shown, or before an edit or user input.
    void select(int anchor, int caret);
    void showSelection(Selection s);
    void releaseHeldSelection();
    // Sends held formats and the held selection to the widget once it is neither locked nor hidden.
    void releaseHeld();
    int clamp(int pos) const { return qBound(0, pos, mText.length()); }
    // Whether the events swallowed the key (code 0 or kKeyRefused); the event is accepted or ignored so.
    bool swallowed(QKeyEvent* event, int code);
    // What the key does once its events let it through, with the character code the handler left.
    void typeCode(QKeyEvent* event, int original, int code);
    // Lets the default handler type `code` in place of the key's own character.
    void typeInstead(QKeyEvent* event, int code);
    bool pressedOnSelection(const QMouseEvent& event) const;
    void pasteFromClipboard();
    void cutToClipboard();
    bool allowed(TextInput kind) { return !mEvents || mEvents->BeforeInput(kind); }
    // Whether an input-method event may change the text it would change (asked once per composition).
    bool inputMethodMayEdit(const QInputMethodEvent& event);
    void forwardInputMethodEvent(QInputMethodEvent* event);

    // Where the mime data that insertFromMimeData gets comes from. Paths that asked already (a key, a
    // drop) say so; a middle click asks there, with the caret at the click; anything else is a paste from
    // a menu or from code.
    enum class MimeSource { Menu, SelectionPaste, Answered };
    template <class Insert> void insertFrom(MimeSource source, Insert insert) {
        const MimeSource outer = std::exchange(mMimeSource, source);
        insert();
        mMimeSource = outer;
    }

    DocumentText mText;
    FormatRuns mFormats;
    LayoutFormats mLayout;
    bool mFormatsPending = false;
    bool mUpdatesLocked = false;
    int mLastAppliedBlocks = 0;
    // Change waits for the end of the document's edit, so that handlers see the caret where it ends up.
    bool mChangePending = false;
    bool mInEdit = false;
    bool mSilent = false; // setText raises its own Change
    bool mInInputMethod = false;
    // The answer to BeforeInput(InputMethod) for the composition on screen.
    std::optional<bool> mInputMethodAnswer;
    MimeSource mMimeSource = MimeSource::Menu;
    // The left button went down on a selection that a drag may only copy.
    bool mDragCopyOnly = false;
    std::optional<Selection> mHeldSelection;
    Selection mReported;
    // selection() as last converted from the widget's cursor; valid while the cursor stands where it stood
    // then and the text has not changed since (an edit moves text positions past it).
    struct ConvertedSelection {
        int docAnchor = -1;
        int docCaret = -1;
        quint64 edits = 0;
        Selection text;
    };
    mutable ConvertedSelection mConverted;
    quint64 mEdits = 0;

    // --- the view (QtCodeBoxView.cpp) -------------------------------------------------------------------
    friend class LineNumberGutter;
    // What the extra selections show; they are set again only when this changes.
    struct Extras {
        int currentLine = -1; // -1: no current-line background
        QList<TextSpan> matches;
        std::optional<TagPair> pair;
        friend bool operator==(const Extras&, const Extras&) = default;
    };
    void setUpView();
    void updateExtraSelections();
    void clearExtraSelections();
    // The matches of the highlighted text in the lines on screen, text range [start, end).
    QList<TextSpan> visibleMatches(std::pair<int, int> visible) const;
    // The findings that reach into the text range [start, end).
    QList<qxDiagnostic> visibleMarks(std::pair<int, int> visible) const;
    // The worst finding that starts in the text range [start, end), if any.
    std::optional<qxDiagnostic::Severity> markStartingIn(int start, int end) const;
    // The text position of the character under a viewport point, or -1 off the text.
    int characterAt(const QPoint& point) const;
    // Whether the extra selections on screen show `wanted` (their cursors have moved with the text).
    bool showing(const Extras& wanted) const;
    // Takes the colours to paint in from the widget's palette (the stored colours stay as they are).
    void followPalette();
    void updateGutterGeometry();
    void updateGutterArea(const QRect& rect, int dy);
    void paintGutter(QPaintEvent* event);
    // The wavy underlines of the findings in the text range on screen.
    void paintDiagnosticMarks(std::pair<int, int> visible);
    void paintWaves(const QList<qxDiagnostic>& marks);

    ViewColours mViewColours = viewColours({});
    QWidget* mGutter = nullptr;
    bool mLineNumbers = false;
    bool mHighlightCurrentLine = false;
    bool mMatchTags = true;
    bool mMatchBrackets = true;
    QString mMatchWhat;
    int mMatchOptions = 0;
    std::shared_ptr<const ShiftedList<qxDiagnostic>> mDiagnostics; // null: none
    std::optional<Extras> mShownExtras;
    // What the extra selections were last worked out from.
    struct ExtrasInput {
        int caret = -1; // document position
        quint64 edits = 0;
        bool currentLine = false;
        bool matchTags = false;
        bool matchBrackets = false;
        QString matchWhat;
        int matchOptions = 0;
        std::pair<int, int> visible; // the text on screen, while matches are marked
        friend bool operator==(const ExtrasInput&, const ExtrasInput&) = default;
    };
    ExtrasInput mExtrasInput;
    int mGutterCurrentLine = -1;
    int mZoom = 0;
    QFont mUnzoomedFont;
    bool mZooming = false;
    int mWheelRemainder = 0;
};

} // namespace qx
