#include "control/ForegroundCheck.h"

namespace qx {

ForegroundCheck::ForegroundCheck(OneShotTimer& timer, const ForegroundWindow& foreground, Popups& popups)
    : mTimer(timer)
    , mForeground(foreground)
    , mPopups(popups) {
    mTimer.setOnTimeout([this] { Tick(); });
}

void ForegroundCheck::GotFocus() {
    mhForegroundWindow = mForeground.Current();
    mTimer.setEnabled(true);
}

void ForegroundCheck::LostFocus() {
    mTimer.setEnabled(false);
    if (mPopups.ListWindow() != 0 && !mPopups.ListHasFocus())
        mPopups.ClosePopups();
}

// Another window in front closes the popups (ClosePopups acts only while the member list is shown, so a
// syntax tip shown alone stays open).
void ForegroundCheck::Tick() {
    if (mhForegroundWindow == 0 || !(mPopups.ListShown() || mPopups.TipShown()))
        return;
    const WindowHandle front = mForeground.Current();
    if (front != mhForegroundWindow && !isShownPopup(front))
        mPopups.ClosePopups();
}

bool ForegroundCheck::isShownPopup(WindowHandle window) const {
    return (mPopups.ListShown() && window == mPopups.ListWindow()) ||
           (mPopups.TipShown() && window == mPopups.TipWindow());
}

} // namespace qx
