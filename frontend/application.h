// Starting the toolkit. The engine recurses once per nesting level of an
// expression, so everything, the window included, runs on one thread with a
// large stack: the toolkit accepts any thread as its GUI thread on Linux,
// provided it is the only thread that touches it.
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
