#include "platform/qt/QtStatusBar.h"

#include "platform/CapsLockGuess.h"
#include "platform/qt/Twips.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>

namespace qx {

namespace {
// Room between a panel's sunken edge and its text, in pixels.
constexpr int kTextIndent = 2;
} // namespace

QList<QtStatusBar::Panel> QtStatusBar::EditorPanels() {
    return {
        {QStringLiteral("Level"), 405, QStringLiteral("1"), tr("Encoded Depth Level")},
        //: Status panel, enabled while the caret is in an encoded value; keep it short
        {QStringLiteral("Encoded"), 800, tr("Encoded"), QString()},
        //: Status panel, enabled while Caps Lock is on; keep it short
        {kCapsKey, 580, tr("CAPS"), QString()},
        {QStringLiteral("Line"), 1000, tr("Line: "), QString()},
        {QStringLiteral("Status"), 1440, QString(), QString()},
    };
}

QtStatusBar::QtStatusBar(const QList<Panel>& panels, QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("sbr"));
    setFixedHeight(Twips::toPixels(kHeightTwips, this));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 2, 0, 1);
    row->setSpacing(2);
    for (int i = 0; i < panels.size(); ++i) {
        const Panel& panel = panels[i];
        auto* label = new QLabel(panel.text, this);
        label->setObjectName(panel.key);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setToolTip(panel.toolTip);
        label->setTextFormat(Qt::PlainText);
        label->setIndent(kTextIndent);
        const int width = Twips::toPixels(panel.widthTwips, this);
        const bool last = i == panels.size() - 1;
        if (last)
            label->setMinimumWidth(width);
        else
            label->setFixedWidth(width);
        row->addWidget(label, last ? 1 : 0);
        mPanels << label;
    }
    setPanelEnabled(kCapsKey, mCapsLockOn);
    qApp->installEventFilter(this);
}

void QtStatusBar::retranslate() {
    for (const Panel& fixed : EditorPanels()) {
        if (QLabel* label = panel(fixed.key)) {
            label->setToolTip(fixed.toolTip);
            if (fixed.key == QLatin1String("Encoded") || fixed.key == kCapsKey)
                label->setText(fixed.text);
        }
    }
}

QLabel* QtStatusBar::panel(const QString& key) const {
    for (QLabel* label : mPanels) {
        if (label->objectName() == key)
            return label;
    }
    return nullptr;
}

void QtStatusBar::setPanelText(const QString& key, const QString& text) {
    if (QLabel* label = panel(key))
        label->setText(text);
}

QString QtStatusBar::PanelText(const QString& key) const {
    const QLabel* label = panel(key);
    return label ? label->text() : QString();
}

void QtStatusBar::setPanelEnabled(const QString& key, bool enabled) {
    if (QLabel* label = panel(key))
        label->setEnabled(enabled);
}

bool QtStatusBar::PanelEnabled(const QString& key) const {
    const QLabel* label = panel(key);
    return label && label->isEnabled();
}

void QtStatusBar::setCapsLockOn(bool on) {
    mCapsLockOn = on;
    setPanelEnabled(kCapsKey, on);
}

// A key event reaches the filter once per widget it passes through; the state it gives is the same each
// time, so repeats do no harm, except for the Caps Lock key itself, which is taken at its target only.
bool QtStatusBar::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_CapsLock) {
        if (watched == QApplication::focusWidget() && !key->isAutoRepeat())
            setCapsLockOn(!mCapsLockOn);
        return false;
    }
    if (key->text().size() == 1) {
        if (const auto on = CapsLockFromTypedChar(key->text().at(0), key->modifiers() & Qt::ShiftModifier))
            setCapsLockOn(*on);
    }
    return false;
}

} // namespace qx
