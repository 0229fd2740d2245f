#pragma once

namespace qx {

// Shows the wait cursor over the application's windows while the host library reads a large file (see
// hostlib/LoadFeedback.h). Reads on other threads than the application's leave the cursor alone.
void installBusyCursor();
// Takes the busy cursor out again, if it is the installed feedback.
void uninstallBusyCursor();

} // namespace qx
