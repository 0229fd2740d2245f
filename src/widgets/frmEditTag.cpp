#include "widgets/frmEditTag.h"

#include <qxTagEditor2/qxcSCRIPTEditor.h>

#include "platform/EntryGuard.h"
#include "platform/qt/QtCodeBox.h"
#include "platform/qt/Twips.h"
#include "widgets/EditorPrivate.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPushButton>

#include <utility>

namespace qx {

frmEditTag::frmEditTag(const QString& value, QWidget* parent)
    : QDialog(parent)
    , msValue(value) {
    setObjectName(QStringLiteral("frmEditTag"));
    setWindowTitle(QCoreApplication::translate("TagDialog", "Kelvane Tag Editor"));
    const auto px = [this](int twips) { return Twips::toPixels(twips, this); };

    mEditor = new qxcSCRIPTEditor(this);
    mEditor->setObjectName(QStringLiteral("Editor"));
    // The window's stored design: the two colours, every other property at its default (so no RTF button).
    MemoryPropertyBag design;
    design.set(QStringLiteral("EncodeColour"), 0x808080);
    design.set(QStringLiteral("TagColour"), 0x000080);
    mEditor->ReadProperties(design);
    cmdOK = new QPushButton(QCoreApplication::translate("TagDialog", "OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdCancel = new QPushButton(QCoreApplication::translate("TagDialog", "Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    // Return presses the button that has the focus; no button is pressed by Return from the editor, which
    // takes Return itself.
    for (QPushButton* button : {cmdOK, cmdCancel}) {
        button->setAutoDefault(true);
        button->resize(px(kButtonWidthTwips), px(kButtonHeightTwips));
    }
    connect(cmdOK, &QPushButton::clicked, this, [this] { OkClicked(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { CancelClicked(); });

    mCodeBox = EditorPrivate::of(*mEditor).txtCode;
    mCodeBox->installEventFilter(this);

    // Load: cancelled unless OK says otherwise.
    mbCancel = true;
    mEditor->setValue(msValue);
    resize(px(kWidthTwips), px(kHeightTwips));
    mEditor->setFocus();
}

frmEditTag::~frmEditTag() = default;

void frmEditTag::OkClicked() {
    // A value that cannot be put together again keeps the window open: nothing is lost.
    if (!runEntry("cmdOK_Click", [this] { msValue = mEditor->Value(); }))
        return;
    mbCancel = false;
    accept();
}

void frmEditTag::CancelClicked() {
    mbCancel = true;
    reject();
}

// The editor fills the window; OK sits flush with the bottom, a gap from the right edge, and Cancel a gap
// to its left. The buttons lie over the editor's corner, so they are raised above it.
void frmEditTag::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const auto px = [this](int twips) { return Twips::toPixels(twips, this); };
    const auto tw = [this](int pixels) { return Twips::fromPixels(pixels, this); };
    const int width = tw(this->width());
    const int height = tw(this->height());
    mEditor->setGeometry(0, 0, px(width), px(height));
    const int okLeft = width - tw(cmdOK->width()) - kButtonGapTwips;
    const int okTop = height - tw(cmdOK->height());
    cmdOK->move(px(okLeft), px(okTop));
    cmdCancel->move(px(okLeft - tw(cmdCancel->width()) - kButtonGapTwips), px(okTop));
    cmdCancel->raise();
    cmdOK->raise();
}

// Escape that closed a popup of the editor reaches here only when the key handling let it pass: it does
// not close the window too.
void frmEditTag::keyPressEvent(QKeyEvent* event) {
    const bool closedPopup = std::exchange(mEscapeClosedPopup, false);
    if (event->key() == Qt::Key_Escape && closedPopup) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool frmEditTag::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mCodeBox && event->type() == QEvent::KeyPress) {
        const EditorState& state = EditorPrivate::of(*mEditor).state();
        mEscapeClosedPopup = static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
                             (state.mbListShown || state.mbTipShown);
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace qx
