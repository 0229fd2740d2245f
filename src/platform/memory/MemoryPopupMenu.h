#pragma once

#include "platform/PopupMenu.h"

#include <QHash>

namespace qx {

// A menu without a window: it keeps its items' captions and flags and counts how often it was opened.
// Tests may name the items by their object names ("mnuCut", "mnuFav1").
class MemoryPopupMenu final : public PopupMenu {
public:
    void setItemText(MenuItem item, const QString& text) override { mText.insert(item, text); }
    QString ItemText(MenuItem item) const override { return mText.value(item); }
    void setItemVisible(MenuItem item, bool visible) override { mVisible.insert(item, visible); }
    bool ItemVisible(MenuItem item) const override { return mVisible.value(item, true); }
    void setItemEnabled(MenuItem item, bool enabled) override { mEnabled.insert(item, enabled); }
    bool ItemEnabled(MenuItem item) const override { return mEnabled.value(item, true); }
    void Popup() override { ++mPopups; }
    void PopupAt(const QPoint& global) override { ++mPopups, mPoppedAt = global; }
    void setFavouriteItems(const QStringList& names) override { mFavourites = names; }
    QStringList FavouriteItems() const override { return mFavourites; }
    void setFavouritesEnabled(bool enabled) override { mEnabled.insert(MenuItem::Favourite, enabled); }

    using PopupMenu::choose;
    void choose(const QString& name) const { choose(named(name)); }
    QString ItemText(const QString& name) const { return ItemText(named(name).item); }
    bool ItemVisible(const QString& name) const { return ItemVisible(named(name).item); }
    bool ItemEnabled(const QString& name) const { return ItemEnabled(named(name).item); }

    int popupCount() const { return mPopups; }
    // Where PopupAt last opened the menu.
    QPoint poppedAt() const { return mPoppedAt; }

private:
    static MenuChoice named(const QString& name) { return menuChoiceNamed(name).value(); }

    QHash<MenuItem, QString> mText;
    QHash<MenuItem, bool> mVisible;
    QHash<MenuItem, bool> mEnabled;
    QStringList mFavourites;
    int mPopups = 0;
    QPoint mPoppedAt;
};

} // namespace qx
