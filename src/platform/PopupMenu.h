#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace qx {

// The control's right-click menu `mnuPopup`, its items addressed by name ("mnuFind", "mnuFullView", ...).
// An unknown name is ignored.
class PopupMenu {
public:
    virtual ~PopupMenu() = default;

    virtual void setItemText(const QString& name, const QString& text) = 0;
    virtual QString ItemText(const QString& name) const = 0;
    virtual void setItemVisible(const QString& name, bool visible) = 0;
    virtual bool ItemVisible(const QString& name) const = 0;
    virtual void setItemEnabled(const QString& name, bool enabled) = 0;
    virtual bool ItemEnabled(const QString& name) const = 0;
    // Opens the menu at the mouse position; it does not wait for a choice.
    virtual void Popup() = 0;
    // The favourites after the separator "mnuFavSep": items "mnuFav1", "mnuFav2", ... with these names as
    // captions, shown as typed ("&" is no mnemonic). The template "mnuFav0" is never shown.
    virtual void setFavouriteItems(const QStringList& names) = 0;
    virtual QStringList FavouriteItems() const = 0;

    // An item was chosen.
    void setOnChoose(std::function<void(const QString&)> handler) { mOnChoose = std::move(handler); }
    // Chooses an item, as the user does.
    void choose(const QString& name) const {
        if (mOnChoose)
            mOnChoose(name);
    }

private:
    std::function<void(const QString&)> mOnChoose;
};

} // namespace qx
