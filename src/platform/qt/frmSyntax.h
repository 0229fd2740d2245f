#pragma once

#include "platform/TipPopup.h"

#include <QPointer>
#include <QWidget>

class QLabel;

namespace qx {

// The syntax tip's window: frameless, in the tooltip colours, shown without taking the focus. Its label
// `Label1` wraps the text in a fixed-pitch font; the window is 60 twips wider and taller than the label.
class frmSyntax final : public QWidget, public TipPopup {
    Q_OBJECT

public:
    static constexpr double kFontPoints = 9.0;

    explicit frmSyntax(QWidget* owner = nullptr);
    ~frmSyntax() override;

    // The code box, which gets the focus straight back should the tip ever receive it.
    void setOwner(QWidget* owner) { mOwner = owner; }
    QLabel* Label1() const { return mLabel; }

    void ShowTopmost() override;
    void Hide() override { hide(); }
    bool Visible() const override { return isVisible(); }
    WindowHandle Window() const override;

protected:
    void setCaption(const QString& text) override;
    int labelHeightFor(int width) const override;
    QRect frame() const override { return geometry(); }
    void applyGeometry(const QRect& frame, int labelWidth) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    QLabel* mLabel = nullptr;
    QPointer<QWidget> mOwner;
};

} // namespace qx
