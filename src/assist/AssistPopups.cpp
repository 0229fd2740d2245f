#include "assist/AssistPopups.h"

#include "platform/CaretLocator.h"
#include "platform/ListPopup.h"
#include "platform/PopupPlacement.h"
#include "platform/StatusPanels.h"
#include "platform/TipPopup.h"

namespace qx {

namespace {
const QString kStatusPanel = QStringLiteral("Status");
} // namespace

AssistPopups::AssistPopups(EditorState& state, CodeBox& box, const CaretLocator& caret, ListFactory makeList,
                           TipFactory makeTip)
    : mState(state)
    , mBox(box)
    , mCaret(caret)
    , mMakeList(std::move(makeList))
    , mMakeTip(std::move(makeTip)) {}

AssistPopups::~AssistPopups() = default;

int AssistPopups::ListOffsetTwips(ListKind kind, double fontPoints) {
    switch (kind) {
    case ListKind::ObjectMembers:
    case ListKind::HandlerNames:
        return qRound(fontPoints * 24 + 45);
    case ListKind::HandlerItems:
    case ListKind::Values:
        break;
    }
    return 240;
}

Colour AssistPopups::ListColour(ListKind kind) {
    switch (kind) {
    case ListKind::ObjectMembers:
        return 0x408F40;
    case ListKind::HandlerNames:
    case ListKind::HandlerItems:
        return 0x000080;
    case ListKind::Values:
        break;
    }
    return 0x000000;
}

void AssistPopups::OpenList(const Properties& set, ListKind kind, ScrollPos scroll) {
    if (!mfrmList)
        mfrmList = mMakeList();
    ListPopup& list = *mfrmList;
    if (kind == ListKind::ObjectMembers)
        list.setCaseAsSupplied(true);
    list.setForeColor(ListColour(kind));
    list.setListType(kind == ListKind::ObjectMembers ? 1 : 0);
    list.ListSetByName(set);
    mKind = kind;
    // The scroll position was read before the text was examined and may have moved since.
    mBox.SetScrollPos(scroll);
    placeList();
    list.ShowTopmost();
    mState.mbListShown = true;
    mState.mlListStart = mBox.SelStart();
    mBox.SetFocus();
}

void AssistPopups::placeList() {
    const CaretGeometry at = mCaret.Locate();
    const int offset = TwipsToPixels(ListOffsetTwips(mKind, mBox.FontSize()), at.twipsPerPixelY);
    mfrmList->Move(PlaceListAtCaret(at.caret, offset, mfrmList->Size(), at.screen));
}

void AssistPopups::ShowTip(const QString& syntax) {
    if (syntax.isEmpty())
        return;
    if (!mfrmSyntax) {
        mfrmSyntax = mMakeTip();
        if (!mfrmList)
            mState.mbTipLoaded = true;
    }
    mfrmSyntax->ShowAbove(syntax, mCaret.Locate());
    mState.mbTipShown = true;
}

void AssistPopups::ShowDescription(const QString& description) {
    if (!description.isEmpty() && mStatus)
        mStatus->setPanelText(kStatusPanel, description);
}

void AssistPopups::HideList() {
    mState.mbListShown = false;
    if (mfrmList)
        mfrmList->Hide();
}

void AssistPopups::HideTip() {
    mState.mbTipShown = false;
    if (mfrmSyntax)
        mfrmSyntax->Hide();
    if (mStatus)
        mStatus->setPanelText(kStatusPanel, QString());
}

void AssistPopups::FollowCaret() {
    if (mState.mbListShown && mfrmList)
        placeList();
    if (TipShown())
        mfrmSyntax->ShowAbove(mfrmSyntax->Syntax(), mCaret.Locate());
}

void AssistPopups::ClosePopups() {
    if (!mState.mbListShown)
        return;
    HideTip();
    HideList();
}

bool AssistPopups::TipShown() const {
    return mfrmSyntax && mState.mbTipShown;
}

void AssistPopups::UnloadPopups() {
    ++mUnloads;
    mState.mbTipLoaded = false;
    if (mfrmSyntax) {
        HideTip();
        mfrmSyntax.reset();
    }
    if (mfrmList) {
        HideList();
        mfrmList.reset();
    }
}

} // namespace qx
