#pragma once

#include "encoded/EncodedAreas.h"
#include "text/MarkerIndex.h"

#include <cstddef>
#include <functional>

namespace qx {

class CodeBox;
class EditBar;
class MessageBox;
class StatusPanels;
struct EditorState;

// Stepping into encoded values and back out. Stepping in saves the whole outer text in a level record
// (masLevelText) with the place and the stored form of the area, puts the level's undo history aside and
// shows the decoded content as a text of its own; stepping back encodes that text and writes it into the
// outer text in place of the old content, which stays selected. Levels nest. A visit without an edit puts
// the stored Base64 back exactly as it was. Positions are offsets into the box's Text. Whether the caret
// stands in an encoded area is answered from an index of the markers, kept in step with the box's edits.
class EncodedLevels {
public:
    struct Hooks {
        // UpdateEncodedState, then UpdateRtfState.
        std::function<void()> updateStates;
        std::function<void()> unloadPopups;
        std::function<void()> requestDelayedPass;
        std::function<void()> highlightPass;
        // Starts an undo step of the current level's own, busy or not, with the caret where it stands.
        std::function<void()> recordStep;
    };

    // Reads and writes the state's level fields, undo stacks, busy and changed flags; the edit bar's
    // "cmdBack" and "cmdEditEncoded" and the "Level" panel follow the level.
    EncodedLevels(CodeBox& box, EditorState& state, EditBar& bar, StatusPanels& panels, MessageBox& messages,
                  Hooks hooks);

    // Steps into the encoded area that holds the caret; nothing when the caret is in none. Content that
    // does not decode is reported in a message box and leaves everything as it was.
    void EditEncoded();
    // Steps back out one level; nothing at level 1. Changed is set when the content was edited, and the
    // new content is an undo step of its own in the outer level.
    void GoBack();
    // Whether the box's text is changing with the level shown: stepping in, back out (the edited value
    // written back included) or all the way out for a new value. The script itself does not change then.
    bool swapping() const { return mSwapping; }
    // Steps back out of every open level, so that the box holds the whole top-level text.
    void FoldLevels();
    // Drops every open level without writing it back, for a new text from the host: level 1's history
    // comes back and the level panel and the buttons show level 1.
    void ResetLevels();
    // The whole top-level text as stepping back out of every open level would give it, put together from
    // the level records without changing anything: the box's text at level 1.
    QString TopLevelText() const;

    // Whether the caret stands in an encoded area of the box's text (EncodedAreas::CaretInEncodedArea),
    // read from an index of the markers and the text near the caret.
    bool CaretInEncodedArea(int caret);
    // Keeps that index in step with a change of the box's text, as the box's Edited reports it.
    void Edited(int position, int removed, int added);

private:
    void showLevel();
    void restoreHistory(std::size_t index);

    CodeBox& mBox;
    EditorState& mState;
    EditBar& mBar;
    StatusPanels& mPanels;
    MessageBox& mMessages;
    Hooks mHooks;
    bool mSwapping = false;
    MarkerIndex mMarkers{EncodedAreas::kEncodedMarker.toString()};
};

} // namespace qx
