#pragma once

#include "platform/StatusPanels.h"

#include <QCoreApplication>
#include <QList>
#include <QWidget>

class QLabel;

namespace qx {

// The status bar `sbr`: a row of sunken panels addressed by key. Every panel but the last has a fixed
// width; the last takes the rest of the bar, never less than its own width. The "CAPS" panel shows the
// Caps Lock state by being enabled while it is on.
class QtStatusBar final : public QWidget, public StatusPanels {
    Q_DECLARE_TR_FUNCTIONS(qxcSCRIPTEditor)

public:
    struct Panel {
        QString key;
        int widthTwips = 0;
        QString text;
        QString toolTip;
    };

    // The control's panels: "Level", "Encoded", "CAPS", "Line" and "Status" (keys; what they show is
    // translated).
    static QList<Panel> EditorPanels();
    // The editor's fixed panel texts and tips in the language installed now; the texts that follow the
    // caret are set anew by their rules.
    void retranslate();
    static constexpr int kHeightTwips = 375;
    static inline const QString kCapsKey = QStringLiteral("CAPS");

    QtStatusBar(const QList<Panel>& panels, QWidget* parent = nullptr);

    void setPanelText(const QString& key, const QString& text) override;
    QString PanelText(const QString& key) const override;
    void setPanelEnabled(const QString& key, bool enabled) override;
    bool PanelEnabled(const QString& key) const override;
    int Height() const override { return height(); }

    // The panel's label, for layout checks; null for an unknown key.
    QLabel* panel(const QString& key) const;
    bool capsLockOn() const { return mCapsLockOn; }

protected:
    // Follows Caps Lock from the keys that reach any window of the application.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setCapsLockOn(bool on);

    QList<QLabel*> mPanels;
    bool mCapsLockOn = false;
};

} // namespace qx
