#pragma once

#include "platform/CodeBox.h"
#include "platform/ForegroundWindow.h"

#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>

namespace qx {

class Properties;

// Moves of the member list's selection by the keys of the code box.
enum class ListMove { Home, End, PageUp, PageDown, Up, Down };

// The member-list popup `frmList`: a fixed-size window next to the caret that shows names and follows the
// typing without taking the focus. The rules of filling and selecting live here; a platform supplies the
// window and its list box. Positions and sizes are global device-independent pixels.
class ListPopup {
public:
    // The window's client area and its list box, in twips; the list box's border lies outside the client.
    static constexpr int kClientWidthTwips = 2400;
    static constexpr int kClientHeightTwips = 1920;
    static constexpr int kListLeftTwips = -15;
    static constexpr int kListTopTwips = -15;
    static constexpr int kListWidthTwips = 2430;
    static constexpr int kListHeightTwips = 1950;
    static constexpr double kFontPoints = 9.75;

    virtual ~ListPopup() = default;

    // When true the next fill shows the names as supplied, else in upper case; every fill resets it.
    bool CaseAsSupplied() const { return mCaseAsSupplied; }
    void setCaseAsSupplied(bool asSupplied) { mCaseAsSupplied = asSupplied; }
    // 1 while the list shows the members of a host object, 0 for every other list.
    int ListType() const { return mListType; }
    void setListType(int listType) { mListType = listType; }
    // The colour in which the next fill shows its entries.
    Colour ForeColor() const { return mForeColor; }
    void setForeColor(Colour colour) { mForeColor = colour; }

    // Fill the list from the items' names, or from their values as text, in the set's order.
    void ListSetByName(const Properties& set);
    void ListSetByValue(const Properties& set);
    // Selects the first entry that begins with keys (any letter case); none when no entry does.
    void Keys(const QString& keys);

    // The selected entry as shown, or an empty text when nothing is selected.
    QString Text() const;
    // Moves the selection as the list keys do; false when the selection stayed where it was.
    bool MoveSelection(ListMove move);

    virtual int ListCount() const = 0;
    virtual QString Entry(int index) const = 0;
    // -1 when nothing is selected.
    virtual int ListIndex() const = 0;
    virtual void setListIndex(int index) = 0;
    // Whole rows that the list box shows at once, for paging.
    virtual int VisibleRows() const = 0;
    // True while the window or its list box holds the focus.
    virtual bool HasFocus() const = 0;

    virtual QSize Size() const = 0;
    virtual QPoint Position() const = 0;
    // Moves the window, keeping its size.
    virtual void Move(const QPoint& topLeft) = 0;
    // Shows the window above all others without activating it.
    virtual void ShowTopmost() = 0;
    virtual void Hide() = 0;
    virtual bool Visible() const = 0;
    // The window, as the foreground check compares windows.
    virtual WindowHandle Window() const = 0;

    // Run after a double click on an entry has given the focus back to the code box; the control makes it
    // type a space there, which accepts the entry.
    void setOnDoubleClick(std::function<void()> handler) { mOnDoubleClick = std::move(handler); }

protected:
    // Replaces the entries with these, shown in this colour, with nothing selected.
    virtual void fill(const QStringList& entries, Colour colour) = 0;
    // True when a double-click handler was set and has run.
    bool runDoubleClickHandler() const;

private:
    void fillFrom(const Properties& set, bool byValue);

    bool mCaseAsSupplied = false;
    int mListType = 0;
    Colour mForeColor = 0;
    std::function<void()> mOnDoubleClick;
};

} // namespace qx
