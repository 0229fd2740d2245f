#pragma once

#include "platform/ListPopup.h"

namespace qx {

class CodeBox;

// A member list without a window: it keeps its entries, selection, colour, place and visibility, and
// counts how often it was shown, so that tests can see what the control did with it.
class MemoryListPopup final : public ListPopup {
public:
    // The window's size follows from its twips at this many twips per pixel.
    explicit MemoryListPopup(double twipsPerPixel = 15.0);

    int ListCount() const override { return int(mEntries.size()); }
    QString Entry(int index) const override { return mEntries.value(index); }
    int ListIndex() const override { return mIndex; }
    void setListIndex(int index) override;
    int VisibleRows() const override { return mRows; }
    bool HasFocus() const override { return mHasFocus; }
    QSize Size() const override { return mSize; }
    QPoint Position() const override { return mPosition; }
    void Move(const QPoint& topLeft) override { mPosition = topLeft; }
    void ShowTopmost() override {
        mVisible = true;
        ++mShowCount;
    }
    void Hide() override { mVisible = false; }
    bool Visible() const override { return mVisible; }
    WindowHandle Window() const override { return reinterpret_cast<WindowHandle>(this); }

    // --- what tests set and look at -----------------------------------------------------------------
    void setOwner(CodeBox* owner) { mOwner = owner; }
    void setVisibleRows(int rows) { mRows = rows; }
    void setHasFocus(bool hasFocus) { mHasFocus = hasFocus; }
    const QStringList& entries() const { return mEntries; }
    Colour textColour() const { return mTextColour; }
    int showCount() const { return mShowCount; }
    int fillCount() const { return mFillCount; }
    // A click selects the entry and gives the focus back to the owner.
    void clickEntry(int index);
    // A double click does the same, then runs the double-click handler.
    void doubleClickEntry(int index);

protected:
    void fill(const QStringList& entries, Colour colour) override;

private:
    QStringList mEntries;
    int mIndex = -1;
    int mRows = 8;
    bool mHasFocus = false;
    bool mVisible = false;
    QSize mSize;
    QPoint mPosition;
    Colour mTextColour = 0;
    int mShowCount = 0;
    int mFillCount = 0;
    CodeBox* mOwner = nullptr;
};

} // namespace qx
