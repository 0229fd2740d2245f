#include "platform/qt/frmList.h"

#include "platform/PopupPlacement.h"
#include "platform/qt/QtForegroundWindow.h"
#include "platform/qt/ShowTopmost.h"
#include "platform/qt/Twips.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QListWidget>

#include <algorithm>

namespace qx {

namespace {

QColor toQColor(Colour c) {
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

// A typed space, as the code box's key handling receives it.
void typeSpace(QWidget* target) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QCoreApplication::sendEvent(target, &release);
}

} // namespace

frmList::frmList(QWidget* owner)
    : QWidget(nullptr,
              Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus)
    , mOwner(owner) {
    setObjectName(QStringLiteral("frmList"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    const double tpp = Twips::perPixel(this);
    const auto px = [tpp](int twips) { return TwipsToPixels(twips, tpp); };
    setFixedSize(px(kClientWidthTwips), px(kClientHeightTwips));

    mList = new QListWidget(this);
    mList->setObjectName(QStringLiteral("lst"));
    mList->setGeometry(px(kListLeftTwips), px(kListTopTwips), px(kListWidthTwips), px(kListHeightTwips));
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(kFontPoints);
    mList->setFont(font);
    mList->setSortingEnabled(false);
    mList->setSelectionMode(QAbstractItemView::SingleSelection);
    mList->setFocusPolicy(Qt::NoFocus);
    mList->installEventFilter(this);
    connect(mList, &QListWidget::itemClicked, this, [this] { entryClicked(); });
    connect(mList, &QListWidget::itemDoubleClicked, this, [this] { entryDoubleClicked(); });
}

frmList::~frmList() = default;

int frmList::ListCount() const {
    return mList->count();
}

QString frmList::Entry(int index) const {
    const QListWidgetItem* item = mList->item(index);
    return item ? item->text() : QString();
}

int frmList::ListIndex() const {
    const QListWidgetItem* item = mList->currentItem();
    return item && item->isSelected() ? mList->row(item) : -1;
}

void frmList::setListIndex(int index) {
    if (index < 0 || index >= mList->count()) {
        mList->setCurrentRow(-1);
        mList->clearSelection();
        return;
    }
    mList->setCurrentRow(index);
    mList->scrollToItem(mList->item(index));
}

int frmList::VisibleRows() const {
    const int rowHeight = mList->count() > 0 ? mList->sizeHintForRow(0) : mList->fontMetrics().height();
    return std::max(mList->height() / std::max(rowHeight, 1), 1);
}

void frmList::ShowTopmost() {
    qx::ShowTopmost(this);
}

void frmList::fill(const QStringList& entries, Colour colour) {
    mList->clear();
    QPalette palette = mList->palette();
    palette.setColor(QPalette::Text, toQColor(colour));
    mList->setPalette(palette);
    mList->addItems(entries);
    mList->setCurrentRow(-1);
}

void frmList::focusInEvent(QFocusEvent* event) {
    mFormHasFocus = true;
    QWidget::focusInEvent(event);
}

void frmList::focusOutEvent(QFocusEvent* event) {
    mFormHasFocus = false;
    QWidget::focusOutEvent(event);
}

bool frmList::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mList) {
        if (event->type() == QEvent::FocusIn)
            mListHasFocus = true;
        else if (event->type() == QEvent::FocusOut)
            mListHasFocus = false;
    }
    return QWidget::eventFilter(watched, event);
}

void frmList::entryClicked() {
    if (mOwner)
        mOwner->setFocus(Qt::OtherFocusReason);
}

// The entry goes in as if the user had typed a space after it.
void frmList::entryDoubleClicked() {
    if (!mOwner)
        return;
    mOwner->setFocus(Qt::OtherFocusReason);
    if (!runDoubleClickHandler())
        typeSpace(mOwner);
}

WindowHandle frmList::Window() const {
    return QtForegroundWindow::handleOf(this);
}

} // namespace qx
