#pragma once

#include "platform/PopupMenu.h"

#include <QHash>

namespace qx {

// A menu without a window: it keeps its items' captions and flags and counts how often it was opened.
class MemoryPopupMenu final : public PopupMenu {
public:
    void setItemText(const QString& name, const QString& text) override { mText.insert(name, text); }
    QString ItemText(const QString& name) const override { return mText.value(name); }
    void setItemVisible(const QString& name, bool visible) override { mVisible.insert(name, visible); }
    bool ItemVisible(const QString& name) const override { return mVisible.value(name, true); }
    void setItemEnabled(const QString& name, bool enabled) override { mEnabled.insert(name, enabled); }
    bool ItemEnabled(const QString& name) const override { return mEnabled.value(name, true); }
    void Popup() override { ++mPopups; }
    void setFavouriteItems(const QStringList& names) override { mFavourites = names; }
    QStringList FavouriteItems() const override { return mFavourites; }

    int popupCount() const { return mPopups; }

private:
    QHash<QString, QString> mText;
    QHash<QString, bool> mVisible;
    QHash<QString, bool> mEnabled;
    QStringList mFavourites;
    int mPopups = 0;
};

} // namespace qx
