#pragma once

#include "platform/PopupMenu.h"

#include <QMenu>

namespace qx {

// The popup menu on Qt: a QMenu whose actions carry the item names as object names. Shortcuts are shown
// in the menu only; the code box's key handling owns the keys themselves.
class QtPopupMenu final : public QMenu, public PopupMenu {
public:
    explicit QtPopupMenu(QWidget* parent);

    // Appends an item; its choice reaches the menu's handler under its name.
    QAction* addItem(const char* name, const QString& text, const QKeySequence& shortcut = {});

    void setItemText(const QString& name, const QString& text) override;
    QString ItemText(const QString& name) const override;
    void setItemVisible(const QString& name, bool visible) override;
    bool ItemVisible(const QString& name) const override;
    void setItemEnabled(const QString& name, bool enabled) override;
    bool ItemEnabled(const QString& name) const override;
    void Popup() override;
    // The favourite items follow the action named "mnuFavSep"; they are made anew each time.
    void setFavouriteItems(const QStringList& names) override;
    QStringList FavouriteItems() const override;

    QAction* item(const QString& name) const;
};

} // namespace qx
