#pragma once

#include <QKeyCombination>
#include <QLatin1StringView>
#include <QString>

#include <optional>

namespace qx {

// The items of the control's right-click menu. The favourites, as many as there are, follow the others.
enum class MenuItem {
    Undo,
    Redo,
    Cut,
    Copy,
    Paste,
    SelectAll,
    Find,
    FindNext,
    AddToFavourites,
    SyntaxHighlight,
    FullView,
    Favourite,
};

// What the user chose: an item, and for a favourite its one-based position.
struct MenuChoice {
    MenuItem item;
    int favourite = 0;
    friend bool operator==(const MenuChoice&, const MenuChoice&) = default;
};

// One row of the menu: the item, the object name hosts and tests find it by, the caption, translated when the
// menu is made ("&&" shows an ampersand; the two switches are captioned by the control as they change), the
// shortcut shown beside it (Key_unknown: none) and the object name of a separator that follows it.
struct MenuItemRow {
    MenuItem item;
    const char* objectName;
    const char* caption;
    QKeyCombination shortcut;
    const char* separatorAfter;
};

// The menu, in its order. The favourites come after the separator "mnuFavSep" as "mnuFav1", "mnuFav2", ...,
// after a hidden template "mnuFav0".
inline constexpr MenuItemRow kMenuItems[] = {
    {MenuItem::Undo, "mnuUndo", QT_TRANSLATE_NOOP("qxcSCRIPTEditor", "Undo"), Qt::CTRL | Qt::Key_Z, nullptr},
    {MenuItem::Redo, "mnuRedo", QT_TRANSLATE_NOOP("qxcSCRIPTEditor", "Redo"), Qt::CTRL | Qt::Key_Y,
     "mnuUndoSep"},
    {MenuItem::Cut, "mnuCut", QT_TRANSLATE_NOOP("qxcSCRIPTEditor", "Cut"), Qt::CTRL | Qt::Key_X, nullptr},
    {MenuItem::Copy, "mnuCopy", QT_TRANSLATE_NOOP("qxcSCRIPTEditor", "Copy"), Qt::Key_unknown, nullptr},
    {MenuItem::Paste, "mnuPaste", QT_TRANSLATE_NOOP("qxcSCRIPTEditor", "Paste"), Qt::Key_unknown, nullptr},
    {MenuItem::SelectAll, "mnuSelectAll", QT_TRANSLATE_NOOP("qxcSCRIPTEditor", "Select All"),
     Qt::CTRL | Qt::Key_A, "mnuCopyPasteSep"},
    {MenuItem::Find, "mnuFind", QT_TRANSLATE_NOOP("qxcSCRIPTEditor", "Find && Replace"), Qt::CTRL | Qt::Key_F,
     nullptr},
    {MenuItem::FindNext, "mnuFindNext", QT_TRANSLATE_NOOP("qxcSCRIPTEditor", "Find Next"), Qt::Key_F3,
     "mnuSepFind"},
    {MenuItem::AddToFavourites, "mnuAddToFav", QT_TRANSLATE_NOOP("qxcSCRIPTEditor", "Add To Favourites"),
     Qt::Key_unknown, nullptr},
    {MenuItem::SyntaxHighlight, "mnuSyntaxHighlight", "", Qt::Key_unknown, nullptr},
    {MenuItem::FullView, "mnuFullView", "", Qt::Key_unknown, "mnuFavSep"},
    {MenuItem::Favourite, "mnuFav0", "Fav0", Qt::Key_unknown, nullptr},
};

inline const MenuItemRow& menuRow(MenuItem item) {
    for (const MenuItemRow& row : kMenuItems)
        if (row.item == item)
            return row;
    return kMenuItems[0]; // every item has its row
}

// The object name of an item; for a favourite, of the one at `favourite` (one-based).
inline QString menuObjectName(MenuChoice choice) {
    const QString name = QLatin1String(menuRow(choice.item).objectName);
    return choice.item == MenuItem::Favourite ? name.chopped(1) + QString::number(choice.favourite) : name;
}

// The choice an object name stands for; nothing for a name that is no item (a separator, the template).
inline std::optional<MenuChoice> menuChoiceNamed(const QString& name) {
    for (const MenuItemRow& row : kMenuItems) {
        if (row.item != MenuItem::Favourite && name == QLatin1String(row.objectName))
            return MenuChoice{row.item};
    }
    const QString favourites = menuObjectName({MenuItem::Favourite, 0}).chopped(1);
    bool number = false;
    const int position = name.startsWith(favourites) ? name.mid(favourites.size()).toInt(&number) : 0;
    if (number && position > 0)
        return MenuChoice{MenuItem::Favourite, position};
    return std::nullopt;
}

} // namespace qx
