#pragma once

#include "platform/EditBar.h"

#include <QCoreApplication>
#include <QWidget>

class QCheckBox;
class QPushButton;

namespace qx {

// The edit bar `picEditBar` on Qt: the Back, Edit, RTF and Find buttons and the highlight check box, at
// their twips positions; Find keeps to the right end of the bar. None of them takes the focus, so the
// keyboard stays in the code box; each has a mnemonic (Alt+B, Alt+D, Alt+R, Alt+I, Alt+Y).
class QtEditBar final : public QWidget, public EditBar {
    Q_DECLARE_TR_FUNCTIONS(qxcSCRIPTEditor)

public:
    static constexpr int kHeightTwips = 615;

    explicit QtEditBar(QWidget* parent);

    void setButtonEnabled(const QString& name, bool enabled) override;
    bool ButtonEnabled(const QString& name) const override;
    void setButtonVisible(const QString& name, bool visible) override;
    bool ButtonVisible(const QString& name) const override;
    bool HighlightChecked() const override;
    void setHighlightChecked(bool checked) override;

    QPushButton* button(const QString& name) const;
    QCheckBox* checkBox() const { return mCheck; }

    // The captions in the language installed now.
    void retranslate();

private:
    QPushButton* addButton(const char* name, int leftTwips);
    void placeFindButton();

    QPushButton* mFind = nullptr;
    QCheckBox* mCheck = nullptr;
};

} // namespace qx
