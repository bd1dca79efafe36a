// Starting the toolkit. The window's thread gets a large stack too (the
// toolkit accepts any thread as its GUI thread on Linux, provided it is the
// only thread that touches it): the worksheet's own engine calls run on the
// engine's thread, but tests and tools that drive the engine themselves do it
// from here, and the engine recurses once per nesting level of an expression.
#pragma once

#include <functional>

class QApplication;

namespace symcalc::gui {

// Exit status when no window can be opened (no display, or none reachable).
inline constexpr int kNoDisplayStatus = 1;

// Creates the application on the large-stack thread and returns what `body`
// returns. When the window system cannot be reached it prints a message that
// points to symcalc-cli and ends the process with kNoDisplayStatus.
int RunApplication(int argc, char** argv, const std::function<int(QApplication&)>& body);

}  // namespace symcalc::gui
