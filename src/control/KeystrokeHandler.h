#pragma once

#include "platform/EditorState.h"

#include <QString>

namespace qx {

class AssistPopups;
class CaretState;
class CodeBox;
class CompletionTrigger;
class EncodedLevels;
class HighlightScheduler;
class ListPopup;
class UndoHistory;

// Everything the control does with a key in the code box: it guards encoded areas, indents blocks with
// Tab, drives the member list and the syntax tip, accepts list entries, corrects closing tags, indents
// new lines and records one undo step per change. A locked box refuses every change the keys would make;
// the caret, the list and the popups still follow the keys.
class KeystrokeHandler {
public:
    // The parts the key rules work with; all must outlive the handler.
    struct Parts {
        EditorState& state;
        CodeBox& box;
        AssistPopups& popups;
        CompletionTrigger& trigger;
        CaretState& caret;
        EncodedLevels& levels;
        UndoHistory& undo;
        HighlightScheduler& scheduler;
    };

    explicit KeystrokeHandler(Parts parts);

    void KeyDown(int& keyCode, int shift);
    void KeyPress(int& keyAscii);
    void KeyUp(int& keyCode, int shift);

    // When the member list is shown: closes the popups and runs the completion trigger as an explicit
    // request.
    void RecheckCompletion();
    // Replaces the text from start to the caret with the entry, in plain black; colours follow later.
    void AcceptListEntry(int start, const QString& text);
    // Replaces length characters at start, keeping the caret and the view where they were.
    void ReplaceRange(int start, int length, const QString& text);

private:
    void encodedAreaKey(int& keyCode, int shift);
    void tab(int shift);
    void indentBlock(int shift);
    void listKey(int& keyCode);
    void tipKey(int keyCode, int shift);
    // The keys that change the text without raising KeyPress get their undo step here.
    void recordEditingKey(int keyCode, int shift);

    // Branches of KeyPress: the list shown with an entry selected, the list shown without one, no list.
    void pressWithEntry(int& keyAscii, ListPopup& list);
    void pressWithoutEntry(int keyAscii, bool& listWasShown);
    void pressWithoutList(int keyAscii);
    // Accepts the list's entry when nothing is selected in the box; true when it did.
    bool accept(const ListPopup& list);
    // The four characters before the caret read "</QX" in any letter case.
    bool closingTagOpenerBeforeCaret() const;
    void correctClosingTag();
    // Enter on an indented line inserts the line break with the same indentation.
    void indentNewLine(int& keyAscii, bool listWasShown);

    EditorState& mState;
    CodeBox& mBox;
    AssistPopups& mPopups;
    CompletionTrigger& mTrigger;
    CaretState& mCaret;
    EncodedLevels& mLevels;
    UndoHistory& mUndo;
    HighlightScheduler& mScheduler;
};

} // namespace qx
