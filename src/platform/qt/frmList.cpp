#include "platform/qt/frmList.h"

#include "platform/PopupPlacement.h"
#include "platform/qt/PopupLook.h"
#include "platform/qt/QtColour.h"
#include "platform/qt/QtForegroundWindow.h"
#include "platform/qt/ShowTopmost.h"
#include "platform/qt/Twips.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScreen>

#include <algorithm>

namespace qx {

namespace {

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
    PopupLook::useTooltipColours(this);
    setAccessibleName(QCoreApplication::translate("CodeAssist", "Member list"));
    setAccessibleDescription(QCoreApplication::translate(
        "CodeAssist", "Names for the word at the caret: the arrow keys choose one, Tab or Enter puts it in"));

    mList = new QListWidget(this);
    mList->setObjectName(QStringLiteral("lst"));
    mList->setAccessibleName(QCoreApplication::translate("CodeAssist", "Members"));
    mList->setAccessibleDescription(accessibleDescription());
    mList->setFrameShape(QFrame::NoFrame);
    mList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mList->setTextElideMode(Qt::ElideRight);
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(kFontPoints);
    mList->setFont(font);
    mList->setSortingEnabled(false);
    mList->setSelectionMode(QAbstractItemView::SingleSelection);
    mList->setFocusPolicy(Qt::NoFocus);
    mList->installEventFilter(this);
    connect(mList, &QListWidget::itemClicked, this, [this] { entryClicked(); });
    connect(mList, &QListWidget::itemDoubleClicked, this, [this] { entryDoubleClicked(); });
    setZoom(PopupLook::zoomOf(owner)); // sizes the window too
}

frmList::~frmList() = default;

void frmList::setZoom(double factor) {
    mZoom = factor;
    QFont font = mList->font();
    font.setPointSizeF(kFontPoints * factor);
    mList->setFont(font);
    fitEntries();
}

// Entries wider than the room (half the screen) are cut off with an ellipsis.
void frmList::fitEntries() {
    const double tpp = Twips::perPixel(this);
    const double grow = std::max(mZoom, 1.0);
    const int frame = PopupLook::kFrameWidth;
    const int describedWidth = qRound(TwipsToPixels(kClientWidthTwips, tpp) * grow);
    const int height = qRound(TwipsToPixels(kClientHeightTwips, tpp) * grow);

    const QFontMetrics metrics(mList->font());
    int widest = 0;
    for (int i = 0; i < mList->count(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(mList->item(i)->text()));
    const QStyle* style = mList->style();
    // An item's text keeps a margin on either side; a list taller than the window has a scroll bar.
    const int textMargins = 2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, mList) + 1);
    const int rowHeight = mList->count() > 0 ? mList->sizeHintForRow(0) : metrics.height();
    const bool scrolls = mList->count() * rowHeight > height - 2 * frame;
    const int scrollBar = scrolls ? style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, mList) : 0;
    const int needed = widest + textMargins + scrollBar + 2 * frame + 1;
    const int width = ListWidthFor(describedWidth, needed, caretScreen().width());

    setFixedSize(width, height);
    mList->setGeometry(frame, frame, width - 2 * frame, height - 2 * frame);
}

QRect frmList::caretScreen() const {
    const QScreen* screen = nullptr;
    if (const auto* box = qobject_cast<const QPlainTextEdit*>(mOwner.data()))
        screen = QGuiApplication::screenAt(box->viewport()->mapToGlobal(box->cursorRect().center()));
    if (!screen && mOwner)
        screen = mOwner->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

void frmList::paintEvent(QPaintEvent*) {
    PopupLook::paintFrame(this);
}

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
    palette.setColor(QPalette::Text, qtColour(colour));
    mList->setPalette(palette);
    mList->addItems(entries);
    mList->setCurrentRow(-1);
    fitEntries();
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
