#include "widgets/QtEditBar.h"

#include "control/EditorLayout.h"
#include "platform/qt/ResizeWatcher.h"
#include "platform/qt/Twips.h"

#include <QCheckBox>
#include <QPushButton>

namespace qx {

namespace {
// The bar's children, in twips.
constexpr int kButtonTop = 120;
constexpr int kButtonWidth = 735;
constexpr int kButtonHeight = 375;
constexpr int kButtonMargin = 120;
constexpr int kBackLeft = 120;
constexpr int kEditLeft = 960;
constexpr int kRtfLeft = 1800;
constexpr int kCheckLeft = 2820;
constexpr int kCheckTop = 180;
constexpr int kCheckWidth = 2415;
constexpr int kCheckHeight = 255;
} // namespace

QtEditBar::QtEditBar(QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("picEditBar"));
    const auto px = [this](int twips) { return Twips::toPixels(twips, this); };
    setGeometry(0, 0, parent ? parent->width() : 0, px(kHeightTwips));
    addButton("cmdBack", kBackLeft);
    addButton("cmdEditEncoded", kEditLeft);
    addButton("cmdRTF", kRtfLeft);
    mFind = addButton("cmdFind", 0);

    mCheck = new QCheckBox(this);
    mCheck->setObjectName(QStringLiteral("chkSyntaxHighlight"));
    mCheck->setFocusPolicy(Qt::NoFocus);
    mCheck->setGeometry(px(kCheckLeft), px(kCheckTop), px(kCheckWidth), px(kCheckHeight));
    connect(mCheck, &QCheckBox::stateChanged, this, [this] { clicked(mCheck->objectName()); });

    retranslate();
    new ResizeWatcher(this, [this] { placeFindButton(); });
    placeFindButton();
}

// Alt and the underlined letter click a button. The letters keep clear of those a host's menu bar usually
// takes (File, Edit, View, Help, ...); a translation picks its own.
void QtEditBar::retranslate() {
    button(QStringLiteral("cmdBack"))->setText(tr("&Back"));
    button(QStringLiteral("cmdEditEncoded"))->setText(tr("E&dit"));
    button(QStringLiteral("cmdRTF"))->setText(tr("&RTF"));
    mFind->setText(tr("F&ind"));
    mCheck->setText(tr("S&yntax Highlighting"));
}

QPushButton* QtEditBar::addButton(const char* name, int leftTwips) {
    const auto px = [this](int twips) { return Twips::toPixels(twips, this); };
    auto* button = new QPushButton(this);
    button->setObjectName(QLatin1String(name));
    button->setFocusPolicy(Qt::NoFocus);
    button->setGeometry(px(leftTwips), px(kButtonTop), px(kButtonWidth), px(kButtonHeight));
    connect(button, &QPushButton::clicked, this, [this, button] { clicked(button->objectName()); });
    return button;
}

void QtEditBar::placeFindButton() {
    mFind->move(FindButtonLeft(width(), mFind->width(), Twips::toPixels(kButtonMargin, this)), mFind->y());
}

QPushButton* QtEditBar::button(const QString& name) const {
    return findChild<QPushButton*>(name, Qt::FindDirectChildrenOnly);
}

void QtEditBar::setButtonEnabled(const QString& name, bool enabled) {
    if (QPushButton* b = button(name))
        b->setEnabled(enabled);
}

bool QtEditBar::ButtonEnabled(const QString& name) const {
    const QPushButton* b = button(name);
    return b && b->isEnabled();
}

void QtEditBar::setButtonVisible(const QString& name, bool visible) {
    if (QPushButton* b = button(name))
        b->setVisible(visible);
}

bool QtEditBar::ButtonVisible(const QString& name) const {
    const QPushButton* b = button(name);
    return b && !b->isHidden();
}

bool QtEditBar::HighlightChecked() const {
    return mCheck->isChecked();
}

void QtEditBar::setHighlightChecked(bool checked) {
    mCheck->setChecked(checked);
}

} // namespace qx
