#include "platform/TipPopup.h"

namespace qx {

void TipPopup::setSyntax(const QString& syntax) {
    mSyntax = syntax;
    setCaption(syntax);
    if (mScreenKnown)
        layOut(frame());
}

void TipPopup::ShowAbove(const QString& syntax, const CaretGeometry& caret) {
    mScreen = caret;
    mScreenKnown = true;
    if (syntax != mSyntax) {
        mSyntax = syntax;
        setCaption(syntax);
    }
    // The layout keeps the bottom edge, so it starts from a frame resting on the caret's top.
    layOut(TipFrameAboveCaret(caret.caret, frame().size()));
    ShowTopmost();
}

void TipPopup::layOut(const QRect& from) {
    const double tppX = mScreen.twipsPerPixelX;
    const TipLayout layout = LayoutTip(from, mScreen.screen, TwipsToPixels(TipMetrics::kReserveTwips, tppX),
                                       TwipsToPixels(TipMetrics::kMarginTwips, tppX),
                                       TwipsToPixels(TipMetrics::kLabelWidthTwips, tppX),
                                       [this](int width) { return labelHeightFor(width); });
    mLabelWidth = layout.labelWidth;
    applyGeometry(KeepTipOnScreen(layout.frame, mScreen.caret, mScreen.screen), layout.labelWidth);
}

} // namespace qx
