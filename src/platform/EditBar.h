#pragma once

#include <QString>

#include <functional>

namespace qx {

// The edit bar `picEditBar`: the buttons "cmdBack", "cmdEditEncoded", "cmdRTF" and "cmdFind", and the
// check box "chkSyntaxHighlight", addressed by name. An unknown name is ignored.
class EditBar {
public:
    static inline const QString kBackButton = QStringLiteral("cmdBack");
    static inline const QString kEditButton = QStringLiteral("cmdEditEncoded");
    static inline const QString kRtfButton = QStringLiteral("cmdRTF");
    static inline const QString kFindButton = QStringLiteral("cmdFind");
    static inline const QString kHighlightCheckBox = QStringLiteral("chkSyntaxHighlight");

    virtual ~EditBar() = default;

    virtual void setButtonEnabled(const QString& name, bool enabled) = 0;
    virtual bool ButtonEnabled(const QString& name) const = 0;
    // Visibility here is the button's own flag, not whether it is on screen now.
    virtual void setButtonVisible(const QString& name, bool visible) = 0;
    virtual bool ButtonVisible(const QString& name) const = 0;

    virtual bool HighlightChecked() const = 0;
    // Changing the value raises the check box's click, as a click by the user does.
    virtual void setHighlightChecked(bool checked) = 0;

    // A button was clicked, or the check box's value changed; the name says which.
    void setOnClick(std::function<void(const QString&)> handler) { mOnClick = std::move(handler); }

protected:
    void clicked(const QString& name) const {
        if (mOnClick)
            mOnClick(name);
    }

private:
    std::function<void(const QString&)> mOnClick;
};

} // namespace qx
