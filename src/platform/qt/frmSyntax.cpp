#include "platform/qt/frmSyntax.h"

#include "platform/PopupPlacement.h"
#include "platform/qt/CodeFont.h"
#include "platform/qt/PopupLook.h"
#include "platform/qt/QtForegroundWindow.h"
#include "platform/qt/ShowTopmost.h"
#include "platform/qt/Twips.h"
#include "platform/qt/WrappingLabel.h"

#include <QCoreApplication>

#include <algorithm>

namespace qx {

frmSyntax::frmSyntax(QWidget* owner)
    : QWidget(nullptr,
              Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus)
    , mOwner(owner) {
    setObjectName(QStringLiteral("frmSyntax"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    PopupLook::useTooltipColours(this);
    setAccessibleName(QCoreApplication::translate("CodeAssist", "Syntax tip"));
    setAccessibleDescription(
        QCoreApplication::translate("CodeAssist", "How the command at the caret is written"));

    mLabel = new WrappingLabel(this);
    mLabel->setObjectName(QStringLiteral("Label1"));
    mLabel->setFont(FixedPitchFont(QStringLiteral("Courier New"), kFontPoints));
    mLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    mLabel->setFocusPolicy(Qt::NoFocus);

    const double tpp = Twips::perPixel(this);
    const int margin = TwipsToPixels(TipMetrics::kMarginTwips, tpp);
    applyGeometry(QRect(0, 0, TwipsToPixels(TipMetrics::kLabelWidthTwips, tpp) + margin,
                        mLabel->fontMetrics().height() + margin),
                  TwipsToPixels(TipMetrics::kLabelWidthTwips, tpp));
    setZoom(PopupLook::zoomOf(owner));
}

frmSyntax::~frmSyntax() = default;

QLabel* frmSyntax::Label1() const {
    return mLabel;
}

QStringList frmSyntax::shownLines() const {
    return mLabel->linesAt(mLabel->contentsRect().width());
}

// The label's font grows and shrinks with the code box's; a tip on screen is laid out again.
void frmSyntax::setZoom(double factor) {
    QFont font = mLabel->font();
    font.setPointSizeF(kFontPoints * factor);
    if (font == mLabel->font())
        return;
    mLabel->setFont(font);
    setSyntax(Syntax());
}

void frmSyntax::paintEvent(QPaintEvent*) {
    PopupLook::paintFrame(this);
}

void frmSyntax::ShowTopmost() {
    qx::ShowTopmost(this);
}

void frmSyntax::setCaption(const QString& text) {
    mLabel->setText(text); // what assistive technology reads as the label's name
}

int frmSyntax::labelHeightFor(int width) const {
    return std::max(mLabel->heightForWidth(width), mLabel->fontMetrics().height());
}

// The label sits centred in the margin that the tip keeps around it.
void frmSyntax::applyGeometry(const QRect& frame, int labelWidth) {
    setGeometry(frame);
    const int marginX = frame.width() - labelWidth;
    const int labelHeight = labelHeightFor(labelWidth);
    mLabel->setGeometry(marginX / 2, (frame.height() - labelHeight) / 2, labelWidth, labelHeight);
}

void frmSyntax::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    if (mOwner)
        mOwner->setFocus(Qt::OtherFocusReason);
}

WindowHandle frmSyntax::Window() const {
    return QtForegroundWindow::handleOf(this);
}

} // namespace qx
