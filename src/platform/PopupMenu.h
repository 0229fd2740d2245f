#pragma once

#include "platform/MenuItems.h"

#include <QPoint>
#include <QString>
#include <QStringList>

#include <functional>

namespace qx {

// The control's right-click menu `mnuPopup` (its items: platform/MenuItems.h).
class PopupMenu {
public:
    virtual ~PopupMenu() = default;

    virtual void setItemText(MenuItem item, const QString& text) = 0;
    virtual QString ItemText(MenuItem item) const = 0;
    virtual void setItemVisible(MenuItem item, bool visible) = 0;
    virtual bool ItemVisible(MenuItem item) const = 0;
    virtual void setItemEnabled(MenuItem item, bool enabled) = 0;
    virtual bool ItemEnabled(MenuItem item) const = 0;
    // Opens the menu at the mouse position; it does not wait for a choice.
    virtual void Popup() = 0;
    // Opens the menu with its top-left corner at a point of the screen (global device-independent pixels).
    virtual void PopupAt(const QPoint& global) = 0;
    // The favourites after the other items, with these names as captions, shown as typed ("&" is no
    // mnemonic); all enabled or all disabled.
    virtual void setFavouriteItems(const QStringList& names) = 0;
    virtual QStringList FavouriteItems() const = 0;
    virtual void setFavouritesEnabled(bool enabled) = 0;

    // An item was chosen.
    void setOnChoose(std::function<void(MenuChoice)> handler) { mOnChoose = std::move(handler); }
    // Chooses an item, as the user does.
    void choose(MenuChoice choice) const {
        if (mOnChoose)
            mOnChoose(choice);
    }

private:
    std::function<void(MenuChoice)> mOnChoose;
};

} // namespace qx
