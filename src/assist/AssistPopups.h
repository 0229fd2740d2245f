#pragma once

#include "platform/CodeBox.h"
#include "platform/EditorState.h"

#include <QString>

#include <functional>
#include <memory>

namespace qx {

class CaretLocator;
class ListPopup;
class Properties;
class StatusPanels;
class TipPopup;

// The kinds of member list: each has its own text case, colour, list type and distance below the caret.
enum class ListKind { ObjectMembers, HandlerNames, HandlerItems, Values };

// Opens, places, shows and hides the member list `frmList` and the syntax tip `frmSyntax` for the code box.
// The forms are created on first use through the factories and stay loaded until UnloadPopups.
class AssistPopups {
public:
    using ListFactory = std::function<std::unique_ptr<ListPopup>()>;
    using TipFactory = std::function<std::unique_ptr<TipPopup>()>;

    AssistPopups(EditorState& state, CodeBox& box, const CaretLocator& caret, ListFactory makeList,
                 TipFactory makeTip);
    ~AssistPopups();
    AssistPopups(const AssistPopups&) = delete;
    AssistPopups& operator=(const AssistPopups&) = delete;

    // The status bar whose "Status" panel shows command descriptions; none at first.
    void setStatusPanels(StatusPanels* status) { mStatus = status; }

    // Fills the list with the set's names, shows it next to the caret, puts the box's scroll position back
    // to `scroll` and records where the typed word starts. The set must not be empty.
    void OpenList(const Properties& set, ListKind kind, ScrollPos scroll);
    // Shows the tip with this text above the caret; an empty text changes nothing.
    void ShowTip(const QString& syntax);
    // Shows a command description in the "Status" panel; an empty text changes nothing.
    void ShowDescription(const QString& description);

    // Clears mbListShown and hides the list's form if it exists.
    void HideList();
    // Clears mbTipShown, hides the tip's form if it exists and empties the "Status" panel.
    void HideTip();
    // Puts the popups that are shown next to the caret again, after the caret moved on the screen without
    // the text changing (the code font was zoomed).
    void FollowCaret();
    // When the list is shown: HideTip, then HideList. Otherwise nothing.
    void ClosePopups();
    // Closes the popups for good (the control is hidden, loses the focus as a whole or goes away): hides
    // and destroys whichever forms exist; the tip counts as not loaded.
    void UnloadPopups();
    // Teardowns so far, for tests.
    int unloads() const { return mUnloads; }

    bool ListShown() const { return mState.mbListShown; }
    int ListStart() const { return mState.mlListStart; }
    // The tip's form exists and is shown.
    bool TipShown() const;
    // The forms, nullptr until first used (and after UnloadPopups).
    ListPopup* List() const { return mfrmList.get(); }
    TipPopup* Tip() const { return mfrmSyntax.get(); }

    // How far below the caret's top a kind of list goes, in twips: one text line of the box's font
    // (points x 24 + 45) for object members and handler names, 240 for the others.
    static int ListOffsetTwips(ListKind kind, double fontPoints);
    static Colour ListColour(ListKind kind);

private:
    void placeList();

    EditorState& mState;
    CodeBox& mBox;
    const CaretLocator& mCaret;
    ListFactory mMakeList;
    TipFactory mMakeTip;
    StatusPanels* mStatus = nullptr;
    std::unique_ptr<ListPopup> mfrmList;
    std::unique_ptr<TipPopup> mfrmSyntax;
    ListKind mKind = ListKind::ObjectMembers;
    int mUnloads = 0;
};

} // namespace qx
