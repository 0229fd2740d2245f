#pragma once

#include "platform/ListPopup.h"

#include <QPointer>
#include <QWidget>

class QListWidget;

namespace qx {

// The member list's window: above other windows, shown without taking the focus, in the tooltip colours
// and frame. Its client area is at least the twips size of ListPopup (converted at the screen's logical dots
// per inch), wider when its longest entry needs it, up to half the width of the screen that holds the caret;
// the list box `lst` fills it inside the frame and never scrolls sideways. The font follows the code box's
// zoom, and the window grows with it.
class frmList final : public QWidget, public ListPopup {
    Q_OBJECT

public:
    explicit frmList(QWidget* owner = nullptr);
    ~frmList() override;

    // The code box, which gets the focus back after a click or a double click on an entry.
    void setOwner(QWidget* owner) { mOwner = owner; }
    QListWidget* lst() const { return mList; }
    // Shows the entries `factor` times their normal size (the code box's zoom), the window grown to match.
    void setZoom(double factor);

    int ListCount() const override;
    QString Entry(int index) const override;
    int ListIndex() const override;
    void setListIndex(int index) override;
    int VisibleRows() const override;
    bool HasFocus() const override { return mFormHasFocus || mListHasFocus; }
    QSize Size() const override { return size(); }
    QPoint Position() const override { return pos(); }
    void Move(const QPoint& topLeft) override { move(topLeft); }
    void ShowTopmost() override;
    void Hide() override { hide(); }
    bool Visible() const override { return isVisible(); }
    WindowHandle Window() const override;

protected:
    void fill(const QStringList& entries, Colour colour) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void entryClicked();
    void entryDoubleClicked();
    // Sizes the window for its entries and the zoom.
    void fitEntries();
    // The usable area of the screen that holds the owner's caret; empty when there is no screen.
    QRect caretScreen() const;

    QListWidget* mList = nullptr;
    QPointer<QWidget> mOwner;
    bool mFormHasFocus = false;
    bool mListHasFocus = false;
    double mZoom = 1.0;
};

} // namespace qx
