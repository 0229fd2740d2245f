#pragma once

#include "platform/ForegroundWindow.h"
#include "platform/OneShotTimer.h"

namespace qx {

// Closes the popups when the user brings another window to the front while the member list or the
// syntax tip is shown. The code box's focus events start and stop the timer; each tick compares the
// window in front with the one recorded when the code box got the focus.
class ForegroundCheck {
public:
    // What the check needs of the popups, and how it closes them.
    class Popups {
    public:
        virtual ~Popups() = default;
        virtual bool ListShown() const = 0;
        virtual bool TipShown() const = 0;
        // The popup forms' windows; 0 while a form does not exist.
        virtual WindowHandle ListWindow() const = 0;
        virtual WindowHandle TipWindow() const = 0;
        // True while the member-list form holds the focus itself.
        virtual bool ListHasFocus() const = 0;
        virtual void ClosePopups() = 0;
    };

    // The timer is the control's `tmrForegroundCheck`; the check takes over its handler.
    ForegroundCheck(OneShotTimer& timer, const ForegroundWindow& foreground, Popups& popups);
    ForegroundCheck(const ForegroundCheck&) = delete;
    ForegroundCheck& operator=(const ForegroundCheck&) = delete;

    // The code box got the focus: remember the window in front and start checking.
    void GotFocus();
    // The code box lost the focus: stop checking, and close the popups unless the list took the focus.
    void LostFocus();
    // One tick of the timer.
    void Tick();

    // The window in front when the code box last got the focus; 0 before that.
    WindowHandle mhForegroundWindow = 0;

private:
    bool isShownPopup(WindowHandle window) const;

    OneShotTimer& mTimer;
    const ForegroundWindow& mForeground;
    Popups& mPopups;
};

} // namespace qx
