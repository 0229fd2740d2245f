#include "platform/qt/QtPopupMenu.h"

#include <QCursor>

namespace qx {

QtPopupMenu::QtPopupMenu(QWidget* parent)
    : QMenu(parent) {}

QAction* QtPopupMenu::addItem(const char* name, const QString& text, const QKeySequence& shortcut) {
    QAction* action = addAction(text);
    action->setObjectName(QLatin1String(name));
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::WidgetShortcut);
    }
    connect(action, &QAction::triggered, this, [this, action] { choose(action->objectName()); });
    return action;
}

QAction* QtPopupMenu::item(const QString& name) const {
    for (QAction* action : actions())
        if (action->objectName() == name)
            return action;
    return nullptr;
}

void QtPopupMenu::setItemText(const QString& name, const QString& text) {
    if (QAction* a = item(name))
        a->setText(text);
}

QString QtPopupMenu::ItemText(const QString& name) const {
    const QAction* a = item(name);
    return a ? a->text() : QString();
}

void QtPopupMenu::setItemVisible(const QString& name, bool visible) {
    if (QAction* a = item(name))
        a->setVisible(visible);
}

bool QtPopupMenu::ItemVisible(const QString& name) const {
    const QAction* a = item(name);
    return a && a->isVisible();
}

void QtPopupMenu::setItemEnabled(const QString& name, bool enabled) {
    if (QAction* a = item(name))
        a->setEnabled(enabled);
}

bool QtPopupMenu::ItemEnabled(const QString& name) const {
    const QAction* a = item(name);
    return a && a->isEnabled();
}

void QtPopupMenu::Popup() {
    popup(QCursor::pos());
}

void QtPopupMenu::setFavouriteItems(const QStringList& names) {
    for (QAction* action : actions())
        if (action->objectName().startsWith(QLatin1String("mnuFav")) && action->objectName() != "mnuFav0" &&
            action->objectName() != QLatin1String("mnuFavSep"))
            delete action;
    for (int i = 0; i < names.size(); ++i) {
        QString caption = names[i];
        caption.replace(QLatin1Char('&'), QLatin1String("&&"));
        addItem(QStringLiteral("mnuFav%1").arg(i + 1).toLatin1().constData(), caption);
    }
}

QStringList QtPopupMenu::FavouriteItems() const {
    QStringList names;
    for (const QAction* action : actions()) {
        const QString name = action->objectName();
        if (name.startsWith(QLatin1String("mnuFav")) && name != QLatin1String("mnuFav0") &&
            name != QLatin1String("mnuFavSep"))
            names << QString(action->text()).replace(QLatin1String("&&"), QLatin1String("&"));
    }
    return names;
}

} // namespace qx
