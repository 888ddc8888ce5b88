#pragma once

#include <functional>

namespace dialogs {

// Runs the waiting half of closing a window's sessions on a thread of its
// own, one task after the other in the order handed over, so a window closes
// at once while its last requests time out behind it.
void closeInBackground(std::function<void()> task);

// Waits until every task handed over so far has run (tests, and the
// program's end).
void waitForBackgroundCloses();

} // namespace dialogs
