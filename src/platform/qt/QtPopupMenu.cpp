#include "platform/qt/QtPopupMenu.h"

#include <QCoreApplication>
#include <QCursor>

namespace qx {

QtPopupMenu::QtPopupMenu(QWidget* parent)
    : QMenu(parent) {
    for (const MenuItemRow& row : kMenuItems) {
        QAction* action =
            addItem({row.item}, QCoreApplication::translate("qxcSCRIPTEditor", row.caption), row.shortcut);
        if (row.item == MenuItem::Favourite)
            action->setVisible(false); // the template, never shown
        if (row.separatorAfter)
            addSeparator()->setObjectName(QLatin1String(row.separatorAfter));
    }
}

QAction* QtPopupMenu::addItem(MenuChoice choice, const QString& text, QKeyCombination shortcut) {
    QAction* action = addAction(text);
    action->setObjectName(menuObjectName(choice));
    if (shortcut.key() != Qt::Key_unknown) {
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::WidgetShortcut);
    }
    connect(action, &QAction::triggered, this, [this, choice] { choose(choice); });
    return action;
}

QAction* QtPopupMenu::item(MenuItem which) const {
    return item(menuObjectName({which}));
}

QAction* QtPopupMenu::item(const QString& objectName) const {
    for (QAction* action : actions())
        if (action->objectName() == objectName)
            return action;
    return nullptr;
}

void QtPopupMenu::setItemText(MenuItem which, const QString& text) {
    if (QAction* a = item(which))
        a->setText(text);
}

QString QtPopupMenu::ItemText(MenuItem which) const {
    const QAction* a = item(which);
    return a ? a->text() : QString();
}

void QtPopupMenu::setItemVisible(MenuItem which, bool visible) {
    if (QAction* a = item(which))
        a->setVisible(visible);
}

bool QtPopupMenu::ItemVisible(MenuItem which) const {
    const QAction* a = item(which);
    return a && a->isVisible();
}

void QtPopupMenu::setItemEnabled(MenuItem which, bool enabled) {
    if (QAction* a = item(which))
        a->setEnabled(enabled);
}

bool QtPopupMenu::ItemEnabled(MenuItem which) const {
    const QAction* a = item(which);
    return a && a->isEnabled();
}

void QtPopupMenu::retranslate() {
    for (const MenuItemRow& row : kMenuItems)
        if (*row.caption != '\0' && row.item != MenuItem::Favourite)
            setItemText(row.item, QCoreApplication::translate("qxcSCRIPTEditor", row.caption));
}

void QtPopupMenu::Popup() {
    popup(QCursor::pos());
}

void QtPopupMenu::PopupAt(const QPoint& global) {
    popup(global);
}

// The favourites are the items a name stands for as a favourite at a position; the template is not one.
QList<QAction*> QtPopupMenu::favourites() const {
    QList<QAction*> found;
    for (QAction* action : actions()) {
        const std::optional<MenuChoice> choice = menuChoiceNamed(action->objectName());
        if (choice && choice->item == MenuItem::Favourite)
            found << action;
    }
    return found;
}

void QtPopupMenu::setFavouriteItems(const QStringList& names) {
    qDeleteAll(favourites());
    for (int i = 0; i < names.size(); ++i) {
        QString caption = names[i];
        caption.replace(QLatin1Char('&'), QLatin1String("&&"));
        addItem({MenuItem::Favourite, i + 1}, caption);
    }
}

QStringList QtPopupMenu::FavouriteItems() const {
    QStringList names;
    for (const QAction* action : favourites())
        names << QString(action->text()).replace(QLatin1String("&&"), QLatin1String("&"));
    return names;
}

void QtPopupMenu::setFavouritesEnabled(bool enabled) {
    for (QAction* action : favourites())
        action->setEnabled(enabled);
}

} // namespace qx
