#include "platform/qt/PopupLook.h"

#include "platform/qt/QtCodeBox.h"

#include <QStyleOption>
#include <QStylePainter>
#include <QToolTip>

namespace qx::PopupLook {

void useTooltipColours(QWidget* popup) {
    const QPalette tips = QToolTip::palette();
    QPalette own = popup->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        own.setColor(group, QPalette::Window, tips.color(group, QPalette::ToolTipBase));
        own.setColor(group, QPalette::Base, tips.color(group, QPalette::ToolTipBase));
        own.setColor(group, QPalette::WindowText, tips.color(group, QPalette::ToolTipText));
        own.setColor(group, QPalette::ToolTipBase, tips.color(group, QPalette::ToolTipBase));
        own.setColor(group, QPalette::ToolTipText, tips.color(group, QPalette::ToolTipText));
    }
    popup->setPalette(own);
    popup->setAutoFillBackground(true);
}

void paintFrame(QWidget* popup) {
    QStylePainter painter(popup);
    QStyleOptionFrame option;
    option.initFrom(popup);
    painter.drawPrimitive(QStyle::PE_PanelTipLabel, option);
}

double zoomOf(const QWidget* owner) {
    const auto* box = qobject_cast<const QtCodeBox*>(owner);
    return box ? box->zoomFactor() : 1.0;
}

} // namespace qx::PopupLook
