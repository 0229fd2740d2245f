#pragma once

#include <QDialog>
#include <QString>

class QPushButton;
class qxcSCRIPTEditor;

namespace qx {

// The tag value window: an editor control filling the client area, with OK and Cancel over its bottom
// right corner. Every way of closing other than OK counts as cancelled and keeps the value it was given.
class frmEditTag final : public QDialog {
    Q_OBJECT

public:
    // Sizes in twips.
    static constexpr int kWidthTwips = 9000;
    static constexpr int kHeightTwips = 6000;
    static constexpr int kButtonWidthTwips = 1095;
    static constexpr int kButtonHeightTwips = 375;
    static constexpr int kButtonGapTwips = 120;

    explicit frmEditTag(const QString& value, QWidget* parent = nullptr);
    ~frmEditTag() override;

    // The value: as given until OK, then the editor's whole top-level text.
    QString Value() const { return msValue; }
    bool Cancelled() const { return mbCancel; }

    qxcSCRIPTEditor* Editor() const { return mEditor; }
    QPushButton* OkButton() const { return cmdOK; }
    QPushButton* CancelButton() const { return cmdCancel; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OkClicked();
    void CancelClicked();

    QString msValue;
    bool mbCancel = true;
    qxcSCRIPTEditor* mEditor = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QWidget* mCodeBox = nullptr;
    // Escape arrived while a popup of the editor was open: it closed the popup, not the window.
    bool mEscapeClosedPopup = false;
};

} // namespace qx
