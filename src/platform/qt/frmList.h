#pragma once

#include "platform/ListPopup.h"

#include <QPointer>
#include <QWidget>

class QListWidget;

namespace qx {

// The member list's window: frameless, above other windows, shown without taking the focus. Its client
// area and its list box `lst` have the fixed twips sizes of ListPopup, converted at the screen's logical
// dots per inch.
class frmList final : public QWidget, public ListPopup {
    Q_OBJECT

public:
    explicit frmList(QWidget* owner = nullptr);
    ~frmList() override;

    // The code box, which gets the focus back after a click or a double click on an entry.
    void setOwner(QWidget* owner) { mOwner = owner; }
    QListWidget* lst() const { return mList; }

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

private:
    void entryClicked();
    void entryDoubleClicked();

    QListWidget* mList = nullptr;
    QPointer<QWidget> mOwner;
    bool mFormHasFocus = false;
    bool mListHasFocus = false;
};

} // namespace qx
