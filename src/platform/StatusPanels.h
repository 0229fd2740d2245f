#pragma once

#include <QString>

namespace qx {

// The status bar `sbr`, addressed by panel key: "Line", "Status" and "Level" carry text, "Encoded" is
// switched on and off. An unknown key is ignored, as a missing panel is.
class StatusPanels {
public:
    virtual ~StatusPanels() = default;
    virtual void setPanelText(const QString& key, const QString& text) = 0;
    virtual QString PanelText(const QString& key) const = 0;
    virtual void setPanelEnabled(const QString& key, bool enabled) = 0;
    virtual bool PanelEnabled(const QString& key) const = 0;
    // Height in device-independent pixels, for the control's layout.
    virtual int Height() const = 0;
};

} // namespace qx
