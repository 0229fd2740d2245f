#pragma once

#include "platform/TipPopup.h"

namespace qx {

// A syntax tip without a window. Its label wraps the text at whole characters of a fixed width, so tests
// can predict the height: every started run of (width / charWidth) characters of a line is one row.
class MemoryTipPopup final : public TipPopup {
public:
    static constexpr int kCharWidth = 7;
    static constexpr int kRowHeight = 14;

    void ShowTopmost() override {
        mVisible = true;
        ++mShowCount;
    }
    void Hide() override { mVisible = false; }
    bool Visible() const override { return mVisible; }
    WindowHandle Window() const override { return reinterpret_cast<WindowHandle>(this); }

    // --- what tests set and look at -----------------------------------------------------------------
    // Puts the window somewhere, as a user or an earlier showing would have.
    void setFrame(const QRect& frame) { mFrame = frame; }
    QString caption() const { return mCaption; }
    int captionWrites() const { return mCaptionWrites; }
    int showCount() const { return mShowCount; }

    // Rows of text wrapped at width.
    static int rowsFor(const QString& text, int width);

protected:
    void setCaption(const QString& text) override {
        mCaption = text;
        ++mCaptionWrites;
    }
    int labelHeightFor(int width) const override { return rowsFor(mCaption, width) * kRowHeight; }
    QRect frame() const override { return mFrame; }
    void applyGeometry(const QRect& frame, int labelWidth) override {
        Q_UNUSED(labelWidth);
        mFrame = frame;
    }

private:
    QString mCaption;
    QRect mFrame{0, 0, 192, 18};
    bool mVisible = false;
    int mCaptionWrites = 0;
    int mShowCount = 0;
};

} // namespace qx
