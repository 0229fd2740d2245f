#pragma once

#include "platform/TipPopup.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

class QLabel;

namespace qx {

class WrappingLabel;

// The syntax tip's window: in the tooltip colours and frame, shown without taking the focus. Its label
// `Label1` wraps the text in a fixed-pitch font (inside a word too, so that no character is cut off); the
// window is 60 twips wider and taller than the label. The font follows the code box's zoom.
class frmSyntax final : public QWidget, public TipPopup {
    Q_OBJECT

public:
    static constexpr double kFontPoints = 9.0;

    explicit frmSyntax(QWidget* owner = nullptr);
    ~frmSyntax() override;

    // The code box, which gets the focus straight back should the tip ever receive it.
    void setOwner(QWidget* owner) { mOwner = owner; }
    QLabel* Label1() const;
    // The lines the label shows now.
    QStringList shownLines() const;
    // Shows the text `factor` times its normal size (the code box's zoom), laid out anew where it stands.
    void setZoom(double factor);

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
    void paintEvent(QPaintEvent* event) override;

private:
    WrappingLabel* mLabel = nullptr;
    QPointer<QWidget> mOwner;
};

} // namespace qx
