#include "platform/memory/MemoryListPopup.h"

#include "platform/CodeBox.h"
#include "platform/PopupPlacement.h"

namespace qx {

MemoryListPopup::MemoryListPopup(double twipsPerPixel)
    : mSize(TwipsToPixels(kClientWidthTwips, twipsPerPixel),
            TwipsToPixels(kClientHeightTwips, twipsPerPixel)) {}

void MemoryListPopup::setListIndex(int index) {
    mIndex = index >= 0 && index < ListCount() ? index : -1;
}

void MemoryListPopup::fill(const QStringList& entries, Colour colour) {
    mEntries = entries;
    mTextColour = colour;
    mIndex = -1;
    ++mFillCount;
}

void MemoryListPopup::clickEntry(int index) {
    setListIndex(index);
    if (mOwner)
        mOwner->SetFocus();
}

void MemoryListPopup::doubleClickEntry(int index) {
    if (!mOwner)
        return;
    clickEntry(index);
    runDoubleClickHandler();
}

} // namespace qx
