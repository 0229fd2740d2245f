#pragma once

#include "platform/CaretLocator.h"
#include "platform/ForegroundWindow.h"
#include "platform/PopupPlacement.h"

#include <QRect>
#include <QSize>
#include <QString>

namespace qx {

// The syntax-tip popup `frmSyntax`: a tooltip-coloured window whose fixed-pitch label wraps its text, shown
// with its bottom edge on the top of the caret, never keeping the focus. The layout rules live here; a
// platform supplies the window and the label's measurement. Pixels are global device-independent pixels.
class TipPopup {
public:
    virtual ~TipPopup() = default;

    QString Syntax() const { return mSyntax; }
    // Sets the caption and lays the tip out where it stands.
    void setSyntax(const QString& syntax);
    // Shows the tip above the caret, with the given text (laid out anew when it changed).
    void ShowAbove(const QString& syntax, const CaretGeometry& caret);

    QRect Frame() const { return frame(); }
    int LabelWidth() const { return mLabelWidth; }
    // Shows the window above all others without activating it.
    virtual void ShowTopmost() = 0;
    virtual void Hide() = 0;
    virtual bool Visible() const = 0;
    // The window, as the foreground check compares windows.
    virtual WindowHandle Window() const = 0;

protected:
    virtual void setCaption(const QString& text) = 0;
    // The label's height when its text wraps at width.
    virtual int labelHeightFor(int width) const = 0;
    virtual QRect frame() const = 0;
    virtual void applyGeometry(const QRect& frame, int labelWidth) = 0;

private:
    // Lays the tip out from the given frame (its left and bottom edges are kept) on the known screen.
    void layOut(const QRect& from);

    QString mSyntax;
    int mLabelWidth = 0;
    CaretGeometry mScreen;
    bool mScreenKnown = false;
};

} // namespace qx
