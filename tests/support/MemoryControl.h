#pragma once

// The whole control over in-memory parts, built once for the tests, the benchmarks and the fuzz targets.
#include "control/EditorController.h"
#include "control/EditorShell.h"
#include "platform/ForegroundWindow.h"
#include "platform/memory/ManualTimer.h"
#include "platform/memory/MemoryCaretLocator.h"
#include "platform/memory/MemoryClipboard.h"
#include "platform/memory/MemoryEditBar.h"
#include "platform/memory/MemoryInputBox.h"
#include "platform/memory/MemoryListPopup.h"
#include "platform/memory/MemoryMessageBox.h"
#include "platform/memory/MemoryPopupMenu.h"
#include "platform/memory/MemoryStatusPanels.h"
#include "platform/memory/MemoryTipPopup.h"

#include <functional>
#include <vector>

namespace qx::test {

// A shell that records what the controller asked of it.
class RecordingShell final : public EditorShell {
public:
    void LayOut() override { ++layOuts; }
    void EncodingAreaChange(bool pbEnabled) override {
        encodingAreaChanges.append(pbEnabled);
        if (onEncodingAreaChange)
            onEncodingAreaChange(pbEnabled);
    }
    void OpenFindDialog() override { ++findDialogOpens; }
    void MoveFocusOut(bool forward) override { focusMoves.push_back(forward); }
    void Zoom(int steps) override { zooms.push_back(steps); }
    void Announce(Notice notice, qint64 value) override {
        notices.emplace_back(notice, value);
        if (onAnnounce)
            onAnnounce(notice, value);
    }
    void MessageRequested(MessageBox::Icon, const QString& title, const QString& text) override {
        requested.append(title + ": " + text);
    }
    void ShowDiagnostics(const std::shared_ptr<const ShiftedList<Diagnostic>>& found, bool) override {
        shown = found;
    }
    QList<Diagnostic> marks() const {
        const std::vector<Diagnostic> found = shown ? shown->settled() : std::vector<Diagnostic>();
        return QList<Diagnostic>(found.begin(), found.end());
    }

    int layOuts = 0;
    // std::vector: comparing empty QLists hands memcmp a null pointer, which UBSan reports.
    std::vector<bool> focusMoves; // true: forward
    std::vector<int> zooms;
    int findDialogOpens = 0;
    QList<bool> encodingAreaChanges;
    // A host's slot on the signal.
    std::function<void(bool)> onEncodingAreaChange;
    std::vector<std::pair<Notice, qint64>> notices;
    std::function<void(Notice, qint64)> onAnnounce;
    QStringList requested;
    std::shared_ptr<const ShiftedList<Diagnostic>> shown;
};

class FixedForeground final : public ForegroundWindow {
public:
    WindowHandle Current() const override { return front; }
    WindowHandle front = 100;
};

// The control as the widget shell builds it over Qt, here over in-memory parts and a code box of the
// caller's choice (the in-memory box, or a shown Qt box for the benchmarks). Timers are manual.
template <class Box> struct MemoryControl {
    Box box;
    MemoryCaretLocator caret;
    MemoryStatusPanels status;
    MemoryEditBar editBar;
    MemoryPopupMenu menu;
    ManualTimer highlightTimer;
    ManualTimer foregroundTimer;
    ManualTimer typingTimer;
    ManualTimer diagnosticsTimer;
    MemoryMessageBox messages;
    MemoryClipboard clipboard;
    MemoryInputBox input;
    FixedForeground foreground;
    RecordingShell shell;
    EditorController control{EditorParts{box, caret, status, editBar, menu, highlightTimer, foregroundTimer,
                                         typingTimer, diagnosticsTimer, messages, clipboard, input,
                                         foreground, shell,
                                         [this] {
                                             auto list = std::make_unique<MemoryListPopup>();
                                             list->setOwner(&box);
                                             return list;
                                         },
                                         [] { return std::make_unique<MemoryTipPopup>(); }}};
    EditorState& state = control.state();

    MemoryListPopup* list() { return static_cast<MemoryListPopup*>(control.popups().List()); }
    MemoryTipPopup* tip() { return static_cast<MemoryTipPopup*>(control.popups().Tip()); }
};

} // namespace qx::test
