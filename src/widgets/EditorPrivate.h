#pragma once

#include <qxTagEditor2/qxcSCRIPTEditor.h>

#include "control/EditorController.h"
#include "control/EditorShell.h"
#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtForegroundWindow.h"
#include "platform/qt/QtInputBox.h"
#include "platform/qt/QtOneShotTimer.h"

#include <memory>

class QCheckBox;
class QPushButton;

namespace qx {

class QtCaretLocator;
class QtCodeBox;
class QtEditBar;
class QtMessageBox;
class QtPopupMenu;
class QtStatusBar;

// The widget shell behind qxcSCRIPTEditor: it builds the Qt parts, hands them to the controller and
// forwards what happens to the widgets. The rules are the controller's.
class EditorPrivate final : public EditorShell {
public:
    explicit EditorPrivate(qxcSCRIPTEditor* owner);
    ~EditorPrivate() override;

    // The shell behind a control, for tests.
    static EditorPrivate& of(qxcSCRIPTEditor& editor);

    EditorController& controller() { return *mController; }
    EditorState& state() { return mController->state(); }

    // --- the Qt parts --------------------------------------------------------------------------------
    QtCodeBox* txtCode = nullptr;
    QtEditBar* picEditBar = nullptr;
    QCheckBox* chkSyntaxHighlight = nullptr;
    QtStatusBar* sbr = nullptr;
    QtPopupMenu* mnuPopup = nullptr;
    QtOneShotTimer tmrDelayedSyntaxHighlight;
    QtOneShotTimer tmrForegroundCheck;
    QtOneShotTimer tmrTypingPause;
    QtOneShotTimer tmrDiagnostics;

    // The control's size around a code box of columns x lines characters in the current font and view.
    QSize sizeFor(int columns, int lines) const;

    // --- EditorShell ---------------------------------------------------------------------------------
    // Lays out the edit bar, the code box and the status bar for the current view.
    void LayOut() override;
    void EncodingAreaChange(bool pbEnabled) override;
    void OpenFindDialog() override;
    void MoveFocusOut(bool forward) override;
    void Zoom(int steps) override;
    // Raises the control's signal for the change.
    void Announce(Notice notice, qint64 value) override;
    void MessageRequested(MessageBox::Icon icon, const QString& title, const QString& text) override;
    void ShowDiagnostics(const std::shared_ptr<const ShiftedList<Diagnostic>>& found, bool changed) override;

    // The popup forms of code assistance: null until they exist.
    QWidget* ListForm() const;
    QWidget* TipForm() const;
    // The focus moved within the application; leaving the control and its popups unloads the popups.
    void FocusChanged(QWidget* old, QWidget* now);
    // Every text the control shows, in the language installed now.
    void retranslate();

private:
    void createWidgets();
    void createMenu();
    // Names and descriptions for assistive technology.
    void describeWidgets();
    // The popups' fonts follow the code box's zoom, and the popups the caret.
    void popupsFollowZoom();
    // True when the widget is the control, one of its children, or one of the popup forms.
    bool holds(const QWidget* widget) const;

    qxcSCRIPTEditor* q;
    QtForegroundWindow mForegroundWindow;
    QtClipboard mClipboard;
    std::unique_ptr<QtInputBox> mInput;
    std::unique_ptr<QtCaretLocator> mCaret;
    std::unique_ptr<QtMessageBox> mMessages;
    std::unique_ptr<EditorController> mController;
    QMetaObject::Connection mFocusConnection;
};

} // namespace qx
