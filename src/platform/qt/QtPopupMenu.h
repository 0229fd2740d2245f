#pragma once

#include "platform/PopupMenu.h"

#include <QMenu>

namespace qx {

// The popup menu on Qt: a QMenu made from the menu's table, whose actions carry the items' object names.
// Shortcuts are shown in the menu only; the code box's key handling owns the keys themselves.
class QtPopupMenu final : public QMenu, public PopupMenu {
public:
    explicit QtPopupMenu(QWidget* parent);

    void setItemText(MenuItem item, const QString& text) override;
    QString ItemText(MenuItem item) const override;
    void setItemVisible(MenuItem item, bool visible) override;
    bool ItemVisible(MenuItem item) const override;
    void setItemEnabled(MenuItem item, bool enabled) override;
    bool ItemEnabled(MenuItem item) const override;
    void Popup() override;
    void PopupAt(const QPoint& global) override;
    // The table's captions again, in the language installed now; the view items' captions are the
    // controller's.
    void retranslate();
    // The favourite items follow the hidden template; they are made anew each time.
    void setFavouriteItems(const QStringList& names) override;
    QStringList FavouriteItems() const override;
    void setFavouritesEnabled(bool enabled) override;

    QAction* item(MenuItem item) const;
    // An item by its object name ("mnuCut", "mnuFav2").
    QAction* item(const QString& objectName) const;

private:
    QAction* addItem(MenuChoice choice, const QString& text, QKeyCombination shortcut = Qt::Key_unknown);
    QList<QAction*> favourites() const;
};

} // namespace qx
